// Uma passada pelo arquivo numa tarefa de fundo que vai juntando números de linha (resultado de
// busca, linhas de um tipo de registro), com progresso e cancelamento. O resultado pode ser lido
// enquanto cresce.
#pragma once

#include "nucleo/ListaCrescente.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace tramil {

class Varredura {
public:
    using Trabalho = std::function<void(Varredura&)>;

    // `maximoLinhas`: quantas linhas o resultado pode ter no máximo.
    Varredura(std::size_t maximoLinhas, Trabalho trabalho);
    ~Varredura();
    Varredura(const Varredura&) = delete;
    Varredura& operator=(const Varredura&) = delete;

    void iniciaFundo();
    void executaAqui();
    void cancela();

    bool completa() const { return completa_.load(std::memory_order_acquire); }
    double progresso() const { return progresso_.load(std::memory_order_relaxed); }
    const ListaCrescente<std::uint32_t>& linhas() const { return linhas_; }

    // Para o trabalho.
    bool cancelada() const { return cancelar_.load(std::memory_order_relaxed); }
    void progride(double fracao) { progresso_.store(fracao, std::memory_order_relaxed); }
    void inclui(std::int64_t linha) { linhas_.inclui(static_cast<std::uint32_t>(linha)); }

private:
    void roda();

    Trabalho trabalho_;
    ListaCrescente<std::uint32_t> linhas_;
    std::atomic<double> progresso_{0};
    std::atomic<bool> completa_{false};
    std::atomic<bool> cancelar_{false};
    std::thread tarefa_;
};

} // namespace tramil
