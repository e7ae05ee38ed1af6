// Tabela de espalhamento plana (endereçamento aberto) das verificações entre registros.
// A chave é o resumo de 64 bits da chave do registro: a memória cresce só com o número de
// chaves distintas, e nenhuma consulta aloca.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvor::cruzado {

// Resumo de uma chave montada dos campos do registro. Nunca devolve 0 (0 marca posição vazia).
inline std::uint64_t resumo(std::string_view chave) {
    std::uint64_t h = std::hash<std::string_view>{}(chave);
    // Mistura final: a tabela usa os bits baixos.
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h == 0 ? 1 : h;
}

struct SemValor {};

template <class V> class Tabela {
public:
    // Valor da chave, ou nullptr.
    V* procura(std::uint64_t chave) {
        if (quantos_ == 0) return nullptr;
        for (std::size_t i = chave & mascara_;; i = (i + 1) & mascara_) {
            auto& e = entradas_[i];
            if (e.chave == chave) return &e.valor;
            if (e.chave == 0) return nullptr;
        }
    }
    const V* procura(std::uint64_t chave) const {
        return const_cast<Tabela*>(this)->procura(chave);
    }
    bool contem(std::uint64_t chave) const { return procura(chave) != nullptr; }

    // Valor da chave, criado com V{} quando ela ainda não estava; o bool diz se foi criado.
    std::pair<V*, bool> insere(std::uint64_t chave) {
        if ((quantos_ + 1) * 10 > entradas_.size() * 7) cresce();
        for (std::size_t i = chave & mascara_;; i = (i + 1) & mascara_) {
            auto& e = entradas_[i];
            if (e.chave == chave) return {&e.valor, false};
            if (e.chave == 0) {
                e.chave = chave;
                e.valor = V{};
                ++quantos_;
                return {&e.valor, true};
            }
        }
    }

    template <class F> void paraCada(F&& f) {
        for (auto& e : entradas_)
            if (e.chave != 0) f(e.chave, e.valor);
    }

    std::size_t tamanho() const { return quantos_; }
    std::size_t bytes() const { return entradas_.capacity() * sizeof(Entrada); }

private:
    struct Entrada {
        std::uint64_t chave = 0;
        V valor{};
    };

    void cresce() {
        std::vector<Entrada> antigas(entradas_.empty() ? 64 : entradas_.size() * 2);
        antigas.swap(entradas_);
        mascara_ = entradas_.size() - 1;
        for (auto& e : antigas) {
            if (e.chave == 0) continue;
            std::size_t i = e.chave & mascara_;
            while (entradas_[i].chave != 0)
                i = (i + 1) & mascara_;
            entradas_[i] = std::move(e);
        }
    }

    std::vector<Entrada> entradas_;
    std::size_t mascara_ = 0;
    std::size_t quantos_ = 0;
};

using Conjunto = Tabela<SemValor>;

// Chave montada de trechos de largura fixa do registro, num espaço fixo (sem alocação).
class Chave {
public:
    // Acrescenta o trecho (1-based); posições além do texto entram como brancos.
    Chave& com(std::string_view registro, int inicio, int tamanho) {
        for (int i = 0; i < tamanho && n_ < sizeof(buf_); ++i) {
            std::size_t p = static_cast<std::size_t>(inicio - 1 + i);
            buf_[n_++] = p < registro.size() ? registro[p] : ' ';
        }
        return *this;
    }
    Chave& com(char c) {
        if (n_ < sizeof(buf_)) buf_[n_++] = c;
        return *this;
    }
    std::string_view texto() const { return {buf_, n_}; }
    std::uint64_t resumo() const { return cruzado::resumo(texto()); }

private:
    char buf_[64];
    std::size_t n_ = 0;
};

} // namespace kelvor::cruzado
