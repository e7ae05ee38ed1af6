// Leitura dos pares (tipo a ser totalizado, total de registros) de um registro 90: nove
// espaços de 10 posições a partir da 31 (31-120); 121-125 em branco; 126 o número de
// registros 90.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kelvor::cruzado::registro90 {

inline constexpr int PrimeiraColuna = 31;
inline constexpr int LarguraPar = 10;
inline constexpr int MaximoPares = 9;
inline constexpr int LarguraTotal = 8;
inline constexpr const char* NomeTipo = "Tipo a ser totalizado";
inline constexpr const char* NomeTotal = "Total de registros";
inline constexpr const char* NomeBrancos = "Brancos";
inline constexpr const char* NomeQuantidade = "Número de registros tipo 90";

enum class EstadoPar : std::uint8_t { Vazio, Valido, TipoInvalido, TotalInvalido };

struct Par {
    EstadoPar estado = EstadoPar::Vazio;
    int coluna = 0; // coluna do tipo (1-based)
    int tipo = -1;  // 0..99
    std::int64_t total = -1;
};

inline int colunaDoPar(int i) {
    return PrimeiraColuna + i * LarguraPar;
}

// Os nove espaços de um registro 90 de 126 posições.
std::array<Par, MaximoPares> lePares(std::string_view registro);

} // namespace kelvor::cruzado::registro90
