#include "core/Crc32.h"

#include <zlib.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KELVOR_CRC_CLMUL 1
#endif

namespace kelvor {

namespace {

std::uint32_t crcZlib(std::uint32_t crc, const char* p, std::size_t n) {
    // A zlib conta em uInt: blocos de até 1 GB por vez.
    while (n > 0) {
        const auto parte = static_cast<uInt>(n < (1u << 30) ? n : (1u << 30));
        crc = static_cast<std::uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(p), parte));
        p += parte;
        n -= parte;
    }
    return crc;
}

#if KELVOR_CRC_CLMUL
// Dobra de 64 bytes por vez com multiplicação sem vai-um: as constantes são potências de x
// módulo o polinômio do CRC-32, em bits refletidos (x^(4*128+32), x^(4*128-32), x^(128+32),
// x^(128-32), x^64 e, por fim, a redução de Barrett). O resto de menos de 16 bytes fica com
// a zlib.
__attribute__((target("sse2"))) inline __m128i le16(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i dobra(__m128i x, __m128i k, __m128i dado) {
    const __m128i a = _mm_clmulepi64_si128(x, k, 0x00);
    const __m128i b = _mm_clmulepi64_si128(x, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(a, b), dado);
}

__attribute__((target("pclmul,sse4.1"))) std::uint32_t crcClmul(std::uint32_t crc, const char* p,
                                                                std::size_t n) {
    if (n < 64) return crcZlib(crc, p, n);
    const __m128i r2r1 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
    const __m128i r4r3 = _mm_set_epi64x(0xccaa009e, 0x1751997d0);
    const __m128i r5 = _mm_set_epi64x(0, 0x163cd6124);
    const __m128i mascara32 = _mm_set_epi32(0, 0, 0, -1);
    const __m128i polinomio = _mm_set_epi64x(0x1F7011641, 0x1DB710641);
    __m128i x1 = le16(p), x2 = le16(p + 16), x3 = le16(p + 32), x4 = le16(p + 48);
    x1 = _mm_xor_si128(x1, _mm_cvtsi32_si128(static_cast<int>(~crc)));
    p += 64;
    n -= 64;
    while (n >= 64) {
        x1 = dobra(x1, r2r1, le16(p));
        x2 = dobra(x2, r2r1, le16(p + 16));
        x3 = dobra(x3, r2r1, le16(p + 32));
        x4 = dobra(x4, r2r1, le16(p + 48));
        p += 64;
        n -= 64;
    }
    x1 = dobra(x1, r4r3, x2);
    x1 = dobra(x1, r4r3, x3);
    x1 = dobra(x1, r4r3, x4);
    while (n >= 16) {
        x1 = dobra(x1, r4r3, le16(p));
        p += 16;
        n -= 16;
    }
    // 128 -> 64 -> 32 bits.
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(r4r3, x1, 0x01));
    __m128i alto = _mm_srli_si128(x1, 4);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, mascara32), r5, 0x00), alto);
    alto = x1;
    x1 = _mm_and_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, mascara32), polinomio, 0x10),
                       mascara32);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, polinomio, 0x00), alto);
    const auto c = ~static_cast<std::uint32_t>(_mm_extract_epi32(x1, 1));
    return crcZlib(c, p, n);
}
#endif

} // namespace

std::uint32_t crc32Bytes(std::uint32_t crc, const char* p, std::size_t n) {
#if KELVOR_CRC_CLMUL
    static const bool clmul = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    if (clmul) return crcClmul(crc, p, n);
#endif
    return crcZlib(crc, p, n);
}

std::uint32_t crc32Junta(std::uint32_t a, std::uint32_t b, std::uint64_t tamanhoB) {
    // crc32_combine recebe z_off_t (32 bits em alguns sistemas): o CRC de a é deslocado de
    // 1 GB por vez (juntar com o CRC 0 só desloca), o que dá o mesmo que de uma vez.
    while (tamanhoB > (1ull << 30)) {
        a = static_cast<std::uint32_t>(crc32_combine(a, 0, static_cast<z_off_t>(1ull << 30)));
        tamanhoB -= 1ull << 30;
    }
    return static_cast<std::uint32_t>(crc32_combine(a, b, static_cast<z_off_t>(tamanhoB)));
}

} // namespace kelvor
