// Leitura do arquivo fiscal em lotes de linhas inteiras, sem guardar o arquivo inteiro.
#pragma once

#include "core/Lote.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace kelvor {

// Uma linha termina no LF, com CR opcional antes; a última pode não ter LF; um único
// caractere 26 no fim do arquivo é marca de fim, não linha. O leitor só corta o arquivo em
// lotes que terminam num LF (o último, no fim do arquivo): quem confere o lote separa as
// linhas (separaLinhas) e calcula o CRC-32 dos bytes dele. Uma linha maior que o bloco vem
// sozinha num lote, só com o começo guardado, e com o CRC já calculado.
class LeitorLotes {
public:
    static constexpr std::size_t BlocoPadrao = 1u << 20;
    static constexpr std::size_t LimitePadrao = 4096;

    // O arquivo é do chamador (aberto em modo binário).
    explicit LeitorLotes(std::FILE* arquivo, std::size_t bloco = BlocoPadrao,
                         std::size_t limiteLinha = LimitePadrao);

    // Próximo lote; falso no fim do arquivo, num erro de leitura (veja erro()) ou na parada.
    bool proximo(Lote& l);

    std::uint64_t bytesLidos() const { return lidos_; }
    std::size_t limiteLinha() const { return limite_; }
    int erro() const { return erro_; } // errno da falha de leitura; 0 sem falha
    // Bandeira consultada antes de cada leitura: uma linha gigante não segura o cancelamento.
    void interrompePor(const std::atomic<bool>* parar) { parar_ = parar; }

private:
    std::size_t le(char* destino, std::size_t n); // fread; marca fim e erro
    bool linhaLonga(Lote& l);

    std::FILE* arq_;
    const std::atomic<bool>* parar_ = nullptr;
    std::size_t bloco_, limite_;
    std::vector<char> resto_; // o que passou do último LF do lote anterior
    std::vector<char> aux_;   // leitura das linhas longas
    std::int64_t base_ = 0;   // offset no arquivo do primeiro byte do próximo lote
    std::uint64_t lidos_ = 0;
    bool eof_ = false, acabou_ = false;
    int erro_ = 0;
};

// Separa as linhas do lote em l.registros (inicio, guardado, tamanho e offset; o resto do
// registro fica como o construtor o deixa).
void separaLinhas(Lote& l, std::size_t limiteLinha);

} // namespace kelvor
