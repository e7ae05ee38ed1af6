// Onde começa cada linha de um arquivo mapeado, construído numa tarefa de fundo: guarda o início
// de uma linha a cada 64 (poucos MB para um arquivo de gigabytes) e acha as outras andando no
// máximo 63 linhas. Enquanto trabalha, as linhas já varridas podem ser lidas.
#pragma once

#include "nucleo/ListaCrescente.h"

#include <atomic>
#include <cstdint>
#include <string_view>
#include <thread>
#include <vector>

namespace tramil {

class IndiceLinhas {
public:
    static constexpr int Passo = 64;

    // O texto precisa viver mais que o índice.
    explicit IndiceLinhas(std::string_view dados);
    ~IndiceLinhas();
    IndiceLinhas(const IndiceLinhas&) = delete;
    IndiceLinhas& operator=(const IndiceLinhas&) = delete;

    void iniciaFundo(); // varre numa thread própria
    void indexaAqui();  // varre na thread de quem chama (testes, medições)
    void cancela();

    bool completo() const { return completo_.load(std::memory_order_acquire); }
    // Fração dos bytes já varridos, de 0 a 1.
    double progresso() const;
    // Linhas que já podem ser lidas; no fim, o total.
    std::int64_t linhasConhecidas() const;

    // Linha i (de 0), sem o fim de linha; só para i < linhasConhecidas().
    std::string_view linha(std::int64_t i) const;
    std::int64_t inicioLinha(std::int64_t i) const;
    // Linha (de 0) que contém o deslocamento; -1 fora do arquivo.
    std::int64_t linhaDoDeslocamento(std::int64_t deslocamento) const;

    // Linhas por classe de registro (Classes.h); só com completo().
    const std::vector<std::int64_t>& contagemPorClasse() const { return contagem_; }
    // Tamanho útil: sem a marca de fim de arquivo (caractere 26 no último byte).
    std::int64_t tamanhoUtil() const { return static_cast<std::int64_t>(fim_); }

private:
    void varre();
    // Início da linha que fica `n` linhas depois da que começa em `de`.
    std::size_t avanca(std::size_t de, std::int64_t n) const;

    std::string_view dados_;
    std::size_t fim_;
    ListaCrescente<std::uint64_t> marcos_;
    std::vector<std::int64_t> contagem_;
    std::atomic<std::int64_t> varridos_{0};
    std::atomic<std::int64_t> total_{0};
    std::atomic<bool> completo_{false};
    std::atomic<bool> cancelar_{false};
    std::thread tarefa_;
};

// Tira o fim de linha (LF, com ou sem CR antes) de uma linha.
std::string_view SemFimDeLinha(std::string_view linha);

} // namespace tramil
