// Conferência de campos oito bytes por vez: o mesmo resultado que byte a byte, em todo tamanho
// de campo e com bytes vizinhos dos dígitos (inclusive os altos, que somados passariam de um
// byte para o outro).
#include "core/Texto.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace t = kelvor::texto;

namespace {

std::int64_t numeroSimples(const std::string& s) {
    if (s.empty()) return -1;
    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

bool todos(const std::string& s, char c) {
    return s.find_first_not_of(c) == std::string::npos;
}

} // namespace

TEST(MotorTexto, CamposOitoBytesPorVezComoByteAByte) {
    const char bytes[] = {'0',    '1',    '5',    '9',    '/',    ':',    ' ',    'A',    '\0',
                          '\x06', '\x2a', '\x39', '\x3a', '\x7f', '\x80', '\xf9', '\xfa', '\xff'};
    std::mt19937 g(7);
    for (int n = 0; n <= 18; ++n) {
        for (int k = 0; k < 400; ++k) {
            std::string s(static_cast<std::size_t>(n), '0');
            for (auto& c : s)
                c = g() % 3 ? static_cast<char>('0' + g() % 10) : bytes[g() % sizeof bytes];
            // Às vezes só dígitos, brancos ou zeros, com um intruso numa posição qualquer.
            if (k % 4 == 1) s.assign(static_cast<std::size_t>(n), "0 9"[k % 3]);
            if (k % 8 == 1 && n > 0) s[g() % static_cast<unsigned>(n)] = bytes[g() % sizeof bytes];
            const std::string_view v(s);
            EXPECT_EQ(t::numero(v), numeroSimples(s)) << n << " [" << s << "]";
            EXPECT_EQ(t::soDigitos(v), s.find_first_not_of("0123456789") == std::string::npos);
            EXPECT_EQ(t::emBranco(v), todos(s, ' '));
            EXPECT_EQ(t::soZeros(v), todos(s, '0'));
        }
    }
    EXPECT_EQ(t::numero("999999999999999999"), 999999999999999999LL);
    EXPECT_EQ(t::numero("00000001234567890"), 1234567890);
}
