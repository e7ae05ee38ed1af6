// Leitura do arquivo fiscal linha a linha, para quem percorre o arquivo numa thread só (a
// segunda passada, os arquivos da GIA): por baixo, a mesma leitura em lotes da validação.
#pragma once

#include "core/LeitorLotes.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace kelvor {

struct Linha {
    std::string_view texto;   // sem o fim de linha; cortado em limiteLinha
    std::int64_t tamanho = 0; // tamanho real da linha
    std::int64_t numero = 0;  // 1-based
    std::int64_t offset = 0;  // byte do início da linha, 0-based
};

// Uma linha termina no LF, com CR opcional antes; a última pode não ter LF; um único
// caractere 26 no fim do arquivo é marca de fim, não linha. Calcula o CRC-32 dos bytes lidos.
class LeitorLinhas {
public:
    static constexpr std::size_t BlocoPadrao = LeitorLotes::BlocoPadrao;
    static constexpr std::size_t LimitePadrao = LeitorLotes::LimitePadrao;

    // O arquivo é do chamador (aberto em modo binário).
    explicit LeitorLinhas(std::FILE* arquivo, std::size_t bloco = BlocoPadrao,
                          std::size_t limiteLinha = LimitePadrao)
        : lotes_(arquivo, bloco, limiteLinha) {}

    // Próxima linha; falso no fim do arquivo ou num erro de leitura (veja erro()).
    // A linha vale até a próxima chamada.
    bool proxima(Linha& l);

    std::uint32_t crc() const { return crc_; }
    // Releitura de um arquivo cujo CRC já se conhece: poupa o cálculo (crc() fica 0).
    void dispensaCrc() { semCrc_ = true; }
    std::uint64_t bytesLidos() const { return lotes_.bytesLidos(); }
    int erro() const { return lotes_.erro(); } // errno da falha de leitura; 0 sem falha
    // Bandeira consultada antes de cada leitura: uma linha gigante não segura o cancelamento.
    void interrompePor(const std::atomic<bool>* parar) { lotes_.interrompePor(parar); }

private:
    LeitorLotes lotes_;
    Lote lote_;
    std::size_t proximo_ = 0; // registro de lote_ que sai na próxima chamada
    std::int64_t numero_ = 0;
    std::uint32_t crc_ = 0;
    bool semCrc_ = false;
};

// Quantas linhas LeitorLinhas entregaria do arquivo, do ponto atual até o fim, numa passada só
// de memchr; nada quando a leitura falha ou `parar` é ligado. Não volta ao começo. Em registros50,
// quantas linhas começam por "50" (previsão do tamanho das tabelas de notas).
std::optional<std::int64_t> contaLinhas(std::FILE* arquivo,
                                        const std::atomic<bool>* parar = nullptr,
                                        std::size_t bloco = LeitorLinhas::BlocoPadrao,
                                        std::int64_t* registros50 = nullptr);

} // namespace kelvor
