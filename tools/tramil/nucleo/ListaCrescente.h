// Lista que uma tarefa de fundo vai enchendo enquanto a tela já lê o que chegou: um só
// escritor, vários leitores, sem trava. Os elementos ficam em blocos que nunca mudam de lugar;
// o tamanho publicado só cresce depois que o elemento está gravado.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tramil {

template <typename T> class ListaCrescente {
public:
    static constexpr std::size_t PorBloco = std::size_t(1) << 16;

    // `maximo`: quantos elementos cabem no máximo (define a tabela de blocos de uma vez, para
    // que os leitores nunca a vejam mudar).
    explicit ListaCrescente(std::size_t maximo = 0) { reserva(maximo); }
    ListaCrescente(const ListaCrescente&) = delete;
    ListaCrescente& operator=(const ListaCrescente&) = delete;

    // Só antes de a lista ser usada.
    void reserva(std::size_t maximo) {
        blocos_.clear();
        blocos_.resize(maximo / PorBloco + 1);
        tamanho_.store(0, std::memory_order_relaxed);
        local_ = 0;
    }

    // Escritor: falso quando a capacidade reservada acabou.
    bool inclui(const T& v) {
        const std::size_t b = local_ / PorBloco;
        if (b >= blocos_.size()) return false;
        if (!blocos_[b]) blocos_[b] = std::make_unique<T[]>(PorBloco);
        blocos_[b][local_ % PorBloco] = v;
        ++local_;
        // Publica de tempos em tempos e no fim (publica()), para não pagar a barreira sempre.
        if ((local_ & 1023) == 0) publica();
        return true;
    }
    void publica() { tamanho_.store(local_, std::memory_order_release); }

    // Leitores: só índices abaixo de tamanho().
    std::size_t tamanho() const { return tamanho_.load(std::memory_order_acquire); }
    const T& operator[](std::size_t i) const { return blocos_[i / PorBloco][i % PorBloco]; }

    // Primeiro índice com elemento > v (lista em ordem crescente), entre os publicados.
    template <typename V> std::size_t primeiroMaiorQue(const V& v) const {
        std::size_t lo = 0, hi = tamanho();
        while (lo < hi) {
            const std::size_t m = lo + (hi - lo) / 2;
            if (!(v < (*this)[m]))
                lo = m + 1;
            else
                hi = m;
        }
        return lo;
    }
    // Primeiro índice com elemento >= v.
    template <typename V> std::size_t primeiroNaoMenorQue(const V& v) const {
        std::size_t lo = 0, hi = tamanho();
        while (lo < hi) {
            const std::size_t m = lo + (hi - lo) / 2;
            if ((*this)[m] < v)
                lo = m + 1;
            else
                hi = m;
        }
        return lo;
    }

    std::size_t bytes() const {
        std::size_t n = 0;
        for (const auto& b : blocos_)
            if (b) n += PorBloco * sizeof(T);
        return n;
    }

private:
    std::vector<std::unique_ptr<T[]>> blocos_;
    std::atomic<std::size_t> tamanho_{0};
    std::size_t local_ = 0; // só o escritor
};

} // namespace tramil
