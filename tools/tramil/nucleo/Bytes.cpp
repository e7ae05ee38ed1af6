#include "nucleo/Bytes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tramil {

std::int64_t ContaQuebras(const char* p, std::size_t n) {
    std::int64_t total = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // 64 bytes por volta: comparação de 16 em 16 e a contagem dos bits da máscara.
    const __m128i quebra = _mm_set1_epi8('\n');
    for (; i + 64 <= n; i += 64) {
        const auto m = [&](std::size_t k) {
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + k)), quebra)));
        };
        total += std::popcount(m(0) | m(16) << 16) + std::popcount(m(32) | m(48) << 16);
    }
#endif
    return total + ContaQuebrasPalavras(p + i, n - i);
}

std::int64_t ContaQuebrasPalavras(const char* p, std::size_t n) {
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

void MinusculasAscii(const char* de, std::size_t n, char* para) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // 'A'..'Z' são os bytes que, deslocados, caem abaixo de -128 + 26 (com sinal).
    const __m128i desloca = _mm_set1_epi8(static_cast<char>('A' + 128));
    const __m128i limite = _mm_set1_epi8(static_cast<char>(-128 + 26));
    const __m128i diferenca = _mm_set1_epi8(0x20);
    for (; i + 16 <= n; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(de + i));
        const __m128i letra = _mm_cmplt_epi8(_mm_sub_epi8(x, desloca), limite);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(para + i),
                         _mm_or_si128(x, _mm_and_si128(letra, diferenca)));
    }
#endif
    for (; i < n; ++i) {
        const char c = de[i];
        para[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
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
