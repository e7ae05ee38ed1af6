#include "common/Windows1252.h"

#include <array>

namespace korventa {

namespace {

// Caracteres dos bytes 0x80 a 0x9F. Os cinco bytes sem caractere definido (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) ficam com o controle de mesmo código, para que a ida e volta não perca bytes.
constexpr std::array<char16_t, 32> Faixa80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteDe(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < Faixa80.size(); ++i) {
        if (Faixa80[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QString DeWindows1252(const QByteArray& bytes) {
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar* destino = texto.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *destino++ = QChar(u >= 0x80 && u <= 0x9F ? Faixa80[u - 0x80] : char16_t(u));
    }
    return texto;
}

QByteArray ParaWindows1252(const QString& texto) {
    QByteArray bytes;
    bytes.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        // Um caractere fora do plano básico ocupa dois QChar e vira um só "?".
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate()) ++i;
        bytes.append(ByteDe(c.unicode()));
    }
    return bytes;
}

} // namespace korventa
