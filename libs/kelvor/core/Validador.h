// Uma validação completa de um arquivo fiscal, do primeiro byte ao veredito.
#pragma once

#include "core/Critica.h"
#include "core/Relatorio.h"
#include "core/Totais.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvor {

struct Parametros {
    std::string arquivo;
    std::string relatorio;  // relatório de críticas; vazio: não grava
    std::string totaisCfop; // totais por CFOP; vazio: não grava
    int flagLeiaute = 1;    // 0: leiaute anterior a 2003
    int versaoConvenio = 3; // 2 ou 3
    // Threads das verificações de campo (a etapa em ordem fica numa delas); 0: todos os núcleos.
    // O relatório e os totais saem iguais, byte a byte, com qualquer número.
    int threads = 0;
    // Bytes de cada lote; 0: Validador::Bloco. Os testes usam lotes pequenos para cruzar as
    // emendas entre lotes com arquivos pequenos.
    std::size_t bloco = 0;
};

// Andamento, lido por outra thread enquanto a validação corre.
struct Progresso {
    std::atomic<int> percentual{0};
    std::atomic<std::int64_t> lidos{0};
    std::atomic<std::int64_t> total{0}; // linhas do arquivo; 0 enquanto não foram contadas
};

// Recebe cada crítica na ordem do relatório (a linha de comando guarda as primeiras).
class ObservadorCriticas {
public:
    virtual ~ObservadorCriticas() = default;
    virtual void critica(const Critica& c) = 0;
};

inline constexpr int VereditoAceito = 0;
inline constexpr int VereditoAdvertencias = 1;
inline constexpr int VereditoRejeitado = 2;
inline constexpr int VereditoInterrompido = -1; // cancelado ou falha (veja falha)

struct Resultado {
    int veredito = VereditoInterrompido;
    bool cancelado = false;
    std::string falha; // por que a validação não chegou ao fim; vazio quando chegou
    std::int64_t erros = 0, advertencias = 0, registros = 0;
    std::uint32_t crc = 0; // CRC-32 dos bytes do arquivo
    Contagens contagens;
    std::vector<std::string> totaisPorRegistro = std::vector<std::string>(31);
};

// "XXXXXXXX": o CRC-32 em 8 dígitos hexadecimais maiúsculos.
std::string crcHexa(std::uint32_t crc);

class Validador {
public:
    explicit Validador(Parametros p, ObservadorCriticas* observador = nullptr);
    ~Validador();
    Validador(const Validador&) = delete;
    Validador& operator=(const Validador&) = delete;

    // Abre o arquivo e cria o relatório e o arquivo de totais; a mensagem quando não consegue.
    std::optional<std::string> prepara();
    // Lê e confere o arquivo inteiro; cancelar é consultado a cada bloco de registros.
    Resultado executa(Progresso& progresso, const std::atomic<bool>& cancelar);

private:
    std::optional<std::string> gravaTotais(const TotaisCfop& totais);

    // Bytes de cada lote: uns 2 mil registros, que cabem no cache entre as duas etapas.
    static constexpr std::size_t Bloco = 256u << 10;

    Parametros p_;
    ObservadorCriticas* observador_;
    std::FILE* arquivo_ = nullptr;
    std::FILE* totais_ = nullptr;
    std::int64_t tamanho_ = 0;
    std::filesystem::file_time_type modificado_{}; // ao preparar: a releitura confere

    RelatorioCriticas relatorio_;
};

} // namespace kelvor
