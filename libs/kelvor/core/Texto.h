// Utilitários de texto do motor: conversão Windows-1252 <-> UTF-8, recortes e números dos
// campos de largura fixa. Nenhuma função aloca, exceto as conversões.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kelvor::texto {

// Textos do código (UTF-8) para os bytes dos arquivos (Windows-1252); fora da página: '?'.
// Bytes que não formam UTF-8 passam como estão (já são Windows-1252).
std::string paraWindows1252(std::string_view utf8);
// Bytes lidos dos arquivos (Windows-1252) para UTF-8.
std::string paraUtf8(std::string_view cp1252);

// Texto de fora (um nome de arquivo, p. ex.) para UTF-8 válido: o que já é UTF-8 fica; cada
// byte que não forma UTF-8 é lido como Windows-1252.
std::string utf8Valido(std::string_view bytes);

// Bytes de controle (abaixo de 32, e 127) viram '?': o relatório é lido por linhas.
void trocaControles(std::string& s);

namespace detalhe {

// Oito bytes de uma vez: os campos numéricos têm de 2 a 14 posições e são conferidos em todo
// registro, então o laço byte a byte pesava.
inline std::uint64_t oito(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}
constexpr std::uint64_t Repete(unsigned char c) {
    return 0x0101010101010101ULL * c;
}
// Os oito bytes são dígitos ASCII (nenhum vai-um passa de um byte a outro sem que o byte de
// origem já falhe).
inline bool oitoDigitos(std::uint64_t v) {
    return ((v & Repete(0xF0)) | (((v + Repete(0x06)) & Repete(0xF0)) >> 4)) == Repete(0x33);
}
// Valor de oito dígitos ASCII já conferidos, o primeiro byte o mais significativo.
inline std::uint64_t valorOito(std::uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) {
        v = (v & Repete(0x0F)) * 2561 >> 8;
        v = (v & 0x00FF00FF00FF00FFULL) * 6553601 >> 16;
        return (v & 0x0000FFFF0000FFFFULL) * 42949672960001ULL >> 32;
    } else {
        std::uint64_t r = 0;
        for (int i = 7; i >= 0; --i)
            r = r * 10 + (v >> (8 * i) & 0x0F);
        return r;
    }
}
// Todos os bytes iguais a c. A partir de 8 bytes o resto é conferido nos 8 últimos, que
// repetem parte do bloco anterior.
inline bool todos(std::string_view s, char c) {
    const auto r = Repete(static_cast<unsigned char>(c));
    if (s.size() < 8) {
        for (char x : s)
            if (x != c) return false;
        return true;
    }
    for (std::size_t i = 0; i + 8 <= s.size(); i += 8)
        if (oito(s.data() + i) != r) return false;
    return oito(s.data() + s.size() - 8) == r;
}

} // namespace detalhe

inline bool emBranco(std::string_view s) {
    return detalhe::todos(s, ' ');
}

inline bool soDigitos(std::string_view s) {
    if (s.size() < 8) {
        for (char c : s)
            if (c < '0' || c > '9') return false;
        return true;
    }
    for (std::size_t i = 0; i + 8 <= s.size(); i += 8)
        if (!detalhe::oitoDigitos(detalhe::oito(s.data() + i))) return false;
    return detalhe::oitoDigitos(detalhe::oito(s.data() + s.size() - 8));
}

inline bool soZeros(std::string_view s) {
    return detalhe::todos(s, '0');
}

inline std::string_view semBrancosDireita(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

inline std::string_view semBrancos(std::string_view s) {
    s = semBrancosDireita(s);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

// Valor de um campo numérico; -1 quando há algo além de dígitos (ou o campo é vazio).
inline std::int64_t numero(std::string_view s) {
    if (s.empty()) return -1;
    std::uint64_t v = 0;
    std::size_t i = 0;
    const std::size_t resto = s.size() % 8;
    if constexpr (std::endian::native == std::endian::little) {
        // Campo de 8 ou mais: os primeiros (tamanho % 8) dígitos numa palavra completada com
        // zeros à esquerda, e daí em blocos inteiros.
        if (s.size() > 8 && resto) {
            const auto w =
                detalhe::oito(s.data()) << (8 * (8 - resto)) | detalhe::Repete('0') >> (8 * resto);
            if (!detalhe::oitoDigitos(w)) return -1;
            v = detalhe::valorOito(w);
            i = resto;
        }
    }
    for (; i + 8 <= s.size(); i += 8) {
        const auto w = detalhe::oito(s.data() + i);
        if (!detalhe::oitoDigitos(w)) return -1;
        v = v * 100000000 + detalhe::valorOito(w);
    }
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c < '0' || c > '9') return -1;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return static_cast<std::int64_t>(v);
}

// Motivo de um erro do sistema (errno) em português, para as mensagens ao usuário.
std::string motivoSistema(int erro);

} // namespace kelvor::texto
