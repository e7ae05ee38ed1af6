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
#include <vector>

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

// Pede ao processador a linha do endereço, sem esperar por ela. O asm vazio segura a chamada:
// sem ele, o GCC tem a função que só antecipa por "pura" e a apaga antes de expandi-la.
inline void traz(const void* p) {
#if defined(__GNUC__)
    __builtin_prefetch(p);
    asm volatile("" : : "r"(p));
#else
    (void)p;
#endif
}

// Espaço zerado para as tabelas. O grande vem do sistema já zerado (páginas só ocupam memória
// quando tocadas) e em páginas enormes quando o sistema deixa: as consultas caem em posições ao
// acaso de dezenas de MB, e a falta de TLB custaria mais que a própria consulta.
void* reservaEspaco(std::size_t bytes);
void liberaEspaco(void* p, std::size_t bytes);
// Aumenta o espaço de antes para depois bytes: o começo fica como estava e o resto vem zerado.
// O grande cresce no lugar (o sistema só remapeia as páginas): nada é copiado e só as páginas
// novas são tocadas.
void* aumentaEspaco(void* p, std::size_t antes, std::size_t depois);

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

// Tabela de endereçamento aberto (sondagem linear) em 8 segmentos pelos 3 bits altos do resumo.
// Cada segmento cresce sozinho, 25% por vez, ao passar de 7/8 de ocupação: a memória fica
// entre 70% e 7/8 ocupada. O segmento cresce no próprio espaço (veja redistribui): sem segunda
// cópia e sem tocar de novo páginas zeradas a cada crescimento. A chave guardada é o resumo de
// 64 bits (0 marca posição vazia); valores simples (copiáveis byte a byte).
template <class V> class Tabela {
    static_assert(std::is_trivially_copyable_v<V>);

public:
    Tabela() = default;
    Tabela(const Tabela&) = delete;
    Tabela& operator=(const Tabela&) = delete;
    ~Tabela() {
        for (auto& s : segmentos_)
            detalhe::liberaEspaco(s.entradas, s.capacidade * sizeof(Entrada));
    }

    // Espaço para umas n chaves de uma vez, antes da primeira inserção: sem os crescimentos (e as
    // redistribuições) até lá, e 3/4 ocupada quando as n chegarem (7/8, o máximo antes de crescer,
    // quando n é um limite que as chaves distintas raramente alcançam: justa). Só as páginas
    // tocadas ocupam memória. Passando de n, cresce como sempre.
    void reserva(std::size_t n, bool justa = false) {
        if (quantos_ != 0) return;
        const std::size_t porSegmento = n >> BitsSegmento;
        // Os segmentos recebem quantidades um pouco diferentes: folga de uns 4 desvios.
        std::size_t desvio = 1;
        while (desvio * desvio < porSegmento)
            ++desvio;
        const std::size_t capacidade =
            (porSegmento + 4 * desvio) * (justa ? 8 : 4) / (justa ? 7 : 3) + CapacidadeInicial;
        for (auto& s : segmentos_) {
            if (s.capacidade >= capacidade) continue;
            detalhe::liberaEspaco(s.entradas, s.capacidade * sizeof(Entrada));
            s.entradas = nullptr;
            s.capacidade = 0;
            s.entradas =
                static_cast<Entrada*>(detalhe::reservaEspaco(capacidade * sizeof(Entrada)));
            s.capacidade = capacidade;
        }
    }

    // Traz para o cache a posição da chave: várias consultas seguidas esperam juntas.
    void antecipa(std::uint64_t chave) const {
        const auto& s = segmentos_[segmento(chave)];
        if (s.entradas) detalhe::traz(&s.entradas[inicio(chave, s.capacidade)]);
    }

    // Valor da chave, ou nullptr.
    V* procura(std::uint64_t chave) {
        auto& s = segmentos_[segmento(chave)];
        if (s.quantos == 0) return nullptr;
        auto* e = posicao(s, chave);
        return e->chave() == chave ? &e->valor : nullptr;
    }
    const V* procura(std::uint64_t chave) const {
        return const_cast<Tabela*>(this)->procura(chave);
    }
    bool contem(std::uint64_t chave) const { return procura(chave) != nullptr; }

    // Valor da chave, criado com V{} quando ela ainda não estava; o bool diz se foi criado.
    // Os ponteiros para valores do mesmo segmento valem até a próxima inserção.
    std::pair<V*, bool> insere(std::uint64_t chave) {
        auto& s = segmentos_[segmento(chave)];
        if ((s.quantos + 1) * 8 > s.capacidade * 7) cresce(s);
        auto* e = posicao(s, chave);
        if (e->chave() == chave) return {&e->valor, false};
        e->poeChave(chave);
        e->valor = V{};
        ++s.quantos;
        ++quantos_;
        return {&e->valor, true};
    }

    template <class F> void paraCada(F&& f) {
        for (auto& s : segmentos_)
            for (std::size_t i = 0; i < s.capacidade; ++i)
                if (const auto k = s.entradas[i].chave(); k != 0) f(k, s.entradas[i].valor);
    }

    std::size_t tamanho() const { return quantos_; }
    std::size_t bytes() const {
        std::size_t b = 0;
        for (const auto& s : segmentos_)
            b += s.capacidade * sizeof(Entrada);
        return b;
    }

private:
    // A chave em bytes: sem alinhamento de 8, um valor de 4 bytes não deixa folga na entrada.
    struct Entrada {
        unsigned char k[8];
        [[no_unique_address]] V valor; // conjunto: só a chave, 8 bytes por entrada
        std::uint64_t chave() const {
            std::uint64_t c;
            std::memcpy(&c, k, 8);
            return c;
        }
        void poeChave(std::uint64_t c) { std::memcpy(k, &c, 8); }
    };
    struct Segmento {
        Entrada* entradas = nullptr;
        std::size_t capacidade = 0;
        std::size_t quantos = 0;
    };
    static constexpr int BitsSegmento = 3;
    static constexpr std::size_t CapacidadeInicial = 16;

    static std::size_t segmento(std::uint64_t chave) { return chave >> (64 - BitsSegmento); }
    // Posição inicial pelos 32 bits seguintes, proporcional à capacidade (que não é potência
    // de 2): a ordem das posições segue a do resumo.
    static std::size_t inicio(std::uint64_t chave, std::size_t capacidade) {
        const std::uint64_t meio = (chave << BitsSegmento) >> 32;
        return static_cast<std::size_t>((meio * capacidade) >> 32);
    }
    // A entrada da chave, ou a posição vazia onde ela entraria. A volta ao começo do segmento
    // só é conferida no fim dele: o laço comum é só comparar.
    static Entrada* posicao(const Segmento& s, std::uint64_t chave) {
        Entrada* e = s.entradas + inicio(chave, s.capacidade);
        Entrada* const fim = s.entradas + s.capacidade;
        for (;;) {
            for (; e != fim; ++e) {
                const auto k = e->chave();
                if (k == chave || k == 0) return e;
            }
            e = s.entradas;
        }
    }

    static void cresce(Segmento& s) {
        if (s.capacidade == 0) {
            s.entradas =
                static_cast<Entrada*>(detalhe::reservaEspaco(CapacidadeInicial * sizeof(Entrada)));
            s.capacidade = CapacidadeInicial;
            return;
        }
        const std::size_t antiga = s.capacidade, nova = antiga + antiga / 4;
        s.entradas = static_cast<Entrada*>(
            detalhe::aumentaEspaco(s.entradas, antiga * sizeof(Entrada), nova * sizeof(Entrada)));
        s.capacidade = nova;
        redistribui(s, antiga);
    }

    // Passa as entradas das posições da capacidade antiga para as da nova, no mesmo espaço.
    // A posição inicial nunca diminui com a capacidade, então, indo de cima para baixo, a parte
    // acima da posição em curso só tem entradas já passadas: cada uma entra ali como numa tabela
    // nova. As raras que cairiam abaixo (começo do segmento, ou que dariam a volta) esperam à
    // parte e entram no fim, quando não resta nenhuma antiga.
    static void redistribui(Segmento& s, std::size_t antiga) {
        const std::size_t nova = s.capacidade;
        Entrada* const e = s.entradas;
        std::vector<Entrada> adiadas;
        for (std::size_t i = antiga; i-- > 0;) {
            const auto c = e[i].chave();
            if (c == 0) continue;
            const Entrada x = e[i];
            std::memset(static_cast<void*>(&e[i]), 0, sizeof(Entrada));
            std::size_t q = inicio(c, nova);
            if (q >= i) {
                while (q < nova && e[q].chave() != 0)
                    ++q;
                if (q < nova) {
                    std::memcpy(static_cast<void*>(&e[q]), &x, sizeof(Entrada));
                    continue;
                }
            }
            adiadas.push_back(x);
        }
        for (const auto& x : adiadas)
            std::memcpy(static_cast<void*>(posicao(s, x.chave())), &x, sizeof(Entrada));
    }

    Segmento segmentos_[1 << BitsSegmento];
    std::size_t quantos_ = 0;
};

using Conjunto = Tabela<SemValor>;

// Chave montada de trechos de largura fixa do registro, num espaço fixo (sem alocação).
class Chave {
public:
    // Acrescenta o trecho (1-based); posições além do texto entram como brancos.
    Chave& com(std::string_view registro, int inicio, int tamanho) {
        const auto de = static_cast<std::size_t>(inicio - 1);
        const auto n = static_cast<std::size_t>(tamanho);
        // Trechos curtos: 16 bytes de uma vez (cópia de tamanho fixo, sem chamar memcpy); o
        // que passa de n é coberto pelo próximo trecho ou fica fora de texto().
        if (n <= 16 && de + 16 <= registro.size() && n_ + 16 <= sizeof(buf_)) {
            std::memcpy(buf_ + n_, registro.data() + de, 16);
            n_ += n;
            return *this;
        }
        if (de <= registro.size() && n <= registro.size() - de && n <= sizeof(buf_) - n_) {
            std::memcpy(buf_ + n_, registro.data() + de, n);
            n_ += n;
            return *this;
        }
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
