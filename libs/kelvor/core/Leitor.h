// Leitura do arquivo fiscal em blocos grandes, linha a linha, sem guardar o arquivo inteiro.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    static constexpr std::size_t BlocoPadrao = 4u << 20;
    static constexpr std::size_t LimitePadrao = 4096;

    // O arquivo é do chamador (aberto em modo binário).
    explicit LeitorLinhas(std::FILE* arquivo, std::size_t bloco = BlocoPadrao,
                          std::size_t limiteLinha = LimitePadrao);

    // Próxima linha; falso no fim do arquivo ou num erro de leitura (veja erro()).
    // A linha vale até a próxima chamada.
    bool proxima(Linha& l);

    std::uint32_t crc() const { return crc_; }
    // Releitura de um arquivo cujo CRC já se conhece: poupa o cálculo (crc() fica 0).
    void dispensaCrc() { semCrc_ = true; }
    std::uint64_t bytesLidos() const { return lidos_; }
    // Posição do próximo byte ainda não entregue em linha.
    std::uint64_t posicao() const { return base_ + ini_; }
    int erro() const { return erro_; } // errno da falha de leitura; 0 sem falha
    // Bandeira consultada antes de cada bloco: uma linha gigante não segura o cancelamento.
    void interrompePor(const std::atomic<bool>* parar) { parar_ = parar; }

private:
    bool le(); // acrescenta bytes ao buffer; falso no fim/erro
    bool entrega(Linha& l, std::string_view t, std::int64_t tamanho, std::int64_t offset);

    std::FILE* arq_;
    const std::atomic<bool>* parar_ = nullptr;
    std::size_t bloco_, limite_;
    std::vector<char> buf_;
    std::size_t ini_ = 0, fim_ = 0; // bytes ainda não entregues: buf_[ini_, fim_)
    std::uint64_t base_ = 0;        // offset no arquivo de buf_[0]
    bool eof_ = false;
    int erro_ = 0;
    std::uint32_t crc_ = 0;
    bool semCrc_ = false;
    std::uint64_t lidos_ = 0;
    std::int64_t numero_ = 0;
    // Linha maior que o limite: guarda o começo e segue contando o resto.
    bool longa_ = false;
    std::string comeco_;
    std::int64_t tamanhoLonga_ = 0, offsetLonga_ = 0;
    char ultimoLonga_ = 0;
};

// Quantas linhas LeitorLinhas entregaria do arquivo, do ponto atual até o fim, numa passada só
// de memchr; nada quando a leitura falha ou `parar` é ligado. Não volta ao começo.
std::optional<std::int64_t> contaLinhas(std::FILE* arquivo,
                                        const std::atomic<bool>* parar = nullptr,
                                        std::size_t bloco = LeitorLinhas::BlocoPadrao);

} // namespace kelvor
