#include "nucleo/Bytes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <string.h>

namespace tramil {

std::int64_t ContaQuebras(const char* p, std::size_t n) {
    constexpr std::uint64_t Uns = 0x0101010101010101ULL;
    constexpr std::uint64_t Sete = 0x7F7F7F7F7F7F7F7FULL;
    std::int64_t total = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t x = w ^ (Uns * '\n'); // byte zero onde havia '\n'
        const std::uint64_t t = ((x & Sete) + Sete) | x;
        total += std::popcount(~t & ~Sete);
    }
    for (; i < n; ++i)
        total += p[i] == '\n';
    return total;
}

const char* ProcuraBytes(const char* p, std::size_t n, const char* agulha, std::size_t tamanho) {
    if (tamanho == 0 || n < tamanho) return nullptr;
#if defined(__GLIBC__)
    return static_cast<const char*>(memmem(p, n, agulha, tamanho));
#else
    const auto* fim = p + n;
    const auto* r =
        std::search(p, fim, std::boyer_moore_horspool_searcher(agulha, agulha + tamanho));
    return r == fim ? nullptr : r;
#endif
}

const unsigned char* TabelaMinusculas() {
    static const auto tabela = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
        for (int c = 'A'; c <= 'Z'; ++c)
            t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
        // Letras acentuadas: À-Þ (menos ×) e as quatro da faixa 0x80-0x9F.
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
        t[0x8A] = 0x9A;
        t[0x8C] = 0x9C;
        t[0x8E] = 0x9E;
        t[0x9F] = 0xFF;
        return t;
    }();
    return tabela.data();
}

} // namespace tramil
