// Tabela de espalhamento plana (endereçamento aberto) das verificações entre registros.
// A chave é o resumo de 64 bits da chave do registro: a memória cresce só com o número de
// chaves distintas, e nenhuma consulta aloca.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>

namespace kelvor::cruzado {

namespace detalhe {

// Mistura de 64 bits por multiplicação de 128 bits (chaves curtas, de até 64 bytes).
inline std::uint64_t mistura(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__)
    const auto r = static_cast<unsigned __int128>(a) * b;
    return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
#else
    a ^= b + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2);
    a ^= a >> 33;
    a *= 0xff51afd7ed558ccdULL;
    return a ^ (a >> 33);
#endif
}

// Espaço de tabela grande em páginas enormes quando o sistema deixa: as consultas caem em
// posições ao acaso de dezenas de MB, e a falta de TLB custaria mais que a própria consulta.
void* reservaEspaco(std::size_t bytes);
void liberaEspaco(void* p, std::size_t bytes);

} // namespace detalhe

// Resumo de uma chave montada dos campos do registro. Nunca devolve 0 (0 marca posição vazia).
inline std::uint64_t resumo(std::string_view chave) {
    std::uint64_t h = 0x2d358dccaa6c78a5ULL ^ chave.size();
    std::size_t i = 0;
    for (; i + 8 <= chave.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, chave.data() + i, 8);
        h = detalhe::mistura(h ^ w ^ 0xa0761d6478bd642fULL, w ^ 0xe7037ed1a0b428dbULL);
    }
    if (i < chave.size()) {
        std::uint64_t w = 0;
        std::memcpy(&w, chave.data() + i, chave.size() - i);
        h = detalhe::mistura(h ^ w ^ 0xa0761d6478bd642fULL, w ^ 0xe7037ed1a0b428dbULL);
    }
    h = detalhe::mistura(h, 0x8ebc6af09c88c6e3ULL ^ chave.size());
    return h == 0 ? 1 : h;
}

struct SemValor {};

// Valores simples (copiáveis byte a byte): a tabela cresce por cópia e zera por memset.
template <class V> class Tabela {
    static_assert(std::is_trivially_copyable_v<V>);

public:
    Tabela() = default;
    Tabela(const Tabela&) = delete;
    Tabela& operator=(const Tabela&) = delete;
    ~Tabela() { libera(); }

    // Traz para o cache a posição da chave: várias consultas seguidas esperam juntas.
    void antecipa(std::uint64_t chave) const {
#if defined(__GNUC__)
        if (entradas_) __builtin_prefetch(&entradas_[chave & mascara_]);
#else
        (void)chave;
#endif
    }

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
    bool contem(std::uint64_t chave) const {
        return procura(chave) != nullptr;
    }

    // Valor da chave, criado com V{} quando ela ainda não estava; o bool diz se foi criado.
    std::pair<V*, bool> insere(std::uint64_t chave) {
        if ((quantos_ + 1) * 10 > capacidade_ * 7) cresce();
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
        for (std::size_t i = 0; i < capacidade_; ++i)
            if (entradas_[i].chave != 0) f(entradas_[i].chave, entradas_[i].valor);
    }

    std::size_t tamanho() const {
        return quantos_;
    }
    std::size_t bytes() const {
        return capacidade_ * sizeof(Entrada);
    }

private:
    struct Entrada {
        std::uint64_t chave;
        [[no_unique_address]] V valor; // conjunto: só a chave, 8 bytes por entrada
    };

    void cresce() {
        Entrada* antigas = entradas_;
        const std::size_t capacidadeAntiga = capacidade_;
        capacidade_ = capacidade_ == 0 ? 64 : capacidade_ * 2;
        mascara_ = capacidade_ - 1;
        entradas_ = static_cast<Entrada*>(detalhe::reservaEspaco(capacidade_ * sizeof(Entrada)));
        std::memset(static_cast<void*>(entradas_), 0, capacidade_ * sizeof(Entrada));
        for (std::size_t k = 0; k < capacidadeAntiga; ++k) {
            if (antigas[k].chave == 0) continue;
            std::size_t i = antigas[k].chave & mascara_;
            while (entradas_[i].chave != 0)
                i = (i + 1) & mascara_;
            std::memcpy(static_cast<void*>(&entradas_[i]), &antigas[k], sizeof(Entrada));
        }
        detalhe::liberaEspaco(antigas, capacidadeAntiga * sizeof(Entrada));
    }
    void libera() {
        detalhe::liberaEspaco(entradas_, capacidade_ * sizeof(Entrada));
        entradas_ = nullptr;
    }

    Entrada* entradas_ = nullptr;
    std::size_t capacidade_ = 0;
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
