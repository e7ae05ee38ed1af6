#include "core/Texto.h"

#include <cerrno>
#include <cstring>

namespace kelvor::texto {

namespace {

// Windows-1252 de 0x80 a 0x9F; 0 onde a página não define caractere (fica o próprio código).
constexpr char16_t Faixa80[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char paraByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (Faixa80[i] == cp || (Faixa80[i] == 0 && cp == char32_t(0x80 + i)))
            return static_cast<char>(0x80 + i);
    return '?';
}

void acrescentaUtf8(std::string& s, char32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string paraWindows1252(std::string_view u) {
    std::string r;
    r.reserve(u.size());
    for (std::size_t i = 0; i < u.size();) {
        auto b = static_cast<unsigned char>(u[i]);
        int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        bool valido = n != 0 && i + n <= u.size();
        for (int k = 1; valido && k < n; ++k)
            valido = (static_cast<unsigned char>(u[i + k]) & 0xC0) == 0x80;
        if (!valido) {
            r += u[i]; // já vem em Windows-1252 (um caminho recebido da interface C, p. ex.)
            ++i;
            continue;
        }
        char32_t cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(u[i + k]) & 0x3F);
        r += paraByte(cp);
        i += n;
    }
    return r;
}

std::string paraUtf8(std::string_view s) {
    std::string r;
    r.reserve(s.size() + s.size() / 8);
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0 && Faixa80[b - 0x80] != 0)
            acrescentaUtf8(r, Faixa80[b - 0x80]);
        else
            acrescentaUtf8(r, b);
    }
    return r;
}

std::string utf8Valido(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        bool valido = n != 0 && i + n <= s.size();
        char32_t cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; valido && k < n; ++k) {
            auto c = static_cast<unsigned char>(s[i + k]);
            valido = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Formas longas demais, substitutos e além de U+10FFFF também não são UTF-8.
        constexpr char32_t Minimo[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (valido && n > 1)
            valido = cp >= Minimo[n] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        if (!valido) {
            r += paraUtf8(s.substr(i, 1));
            ++i;
            continue;
        }
        r.append(s.substr(i, static_cast<std::size_t>(n)));
        i += static_cast<std::size_t>(n);
    }
    return r;
}

void trocaControles(std::string& s) {
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
}

std::string motivoSistema(int erro) {
    switch (erro) {
    case ENOENT:
        return "arquivo ou pasta inexistente";
    case EACCES:
    case EPERM:
        return "permissão negada";
    case EISDIR:
        return "o caminho é uma pasta";
    case ENOTDIR:
        return "parte do caminho não é uma pasta";
    case ENOSPC:
        return "não há espaço no disco";
    case EROFS:
        return "o disco está protegido contra gravação";
    case EMFILE:
    case ENFILE:
        return "arquivos abertos demais";
    case ENAMETOOLONG:
        return "nome de arquivo longo demais";
    case EIO:
        return "erro de entrada e saída";
    case EBUSY:
        return "arquivo em uso";
    default:
        return std::strerror(erro);
    }
}

} // namespace kelvor::texto
