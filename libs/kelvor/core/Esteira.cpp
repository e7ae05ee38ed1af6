#include "core/Esteira.h"

#include <algorithm>

namespace kelvor {

std::size_t threadsDaValidacao(int pedido) {
    if (pedido > 0) return static_cast<std::size_t>(std::min(pedido, 256));
    return std::max(1u, std::thread::hardware_concurrency());
}

Esteira::Esteira(std::size_t threads, Conferencia confere) : confere_(std::move(confere)) {
    for (std::size_t i = 1; i < threads; ++i)
        threads_.emplace_back([this, i] { auxiliar(i); });
}

Esteira::~Esteira() {
    {
        std::lock_guard t(m_);
        parar_ = true;
    }
    trabalho_.notify_all();
    for (auto& t : threads_)
        t.join();
}

Lote* Esteira::livre() {
    std::lock_guard t(m_);
    if (estoque_.empty()) {
        lotes_.push_back(std::make_unique<Lote>());
        return lotes_.back().get();
    }
    Lote* l = estoque_.back();
    estoque_.pop_back();
    return l;
}

void Esteira::envia(Lote* l) {
    {
        std::lock_guard t(m_);
        fila_.push_back(l);
    }
    trabalho_.notify_one();
}

Lote* Esteira::espera(std::uint64_t sequencia) {
    std::unique_lock t(m_);
    for (;;) {
        auto it = std::find_if(prontos_.begin(), prontos_.end(),
                               [&](const Lote* l) { return l->sequencia == sequencia; });
        if (it != prontos_.end()) {
            Lote* l = *it;
            prontos_.erase(it);
            return l;
        }
        if (!fila_.empty()) {
            // Ajuda em vez de esperar: o mais antigo da fila é quase sempre o que falta.
            Lote* l = fila_.front();
            fila_.pop_front();
            t.unlock();
            confere_(*l, 0);
            t.lock();
            prontos_.push_back(l);
            continue;
        }
        pronto_.wait(t);
    }
}

void Esteira::devolve(Lote* l) {
    std::lock_guard t(m_);
    estoque_.push_back(l);
}

void Esteira::auxiliar(std::size_t indice) {
    std::unique_lock t(m_);
    for (;;) {
        trabalho_.wait(t, [&] { return parar_ || !fila_.empty(); });
        if (parar_) return;
        Lote* l = fila_.front();
        fila_.pop_front();
        t.unlock();
        confere_(*l, indice);
        t.lock();
        prontos_.push_back(l);
        pronto_.notify_one();
    }
}

} // namespace kelvor
