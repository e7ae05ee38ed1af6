// Utilitários de texto do motor: conversão Windows-1252 <-> UTF-8, recortes e números dos
// campos de largura fixa. Nenhuma função aloca, exceto as conversões.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvor::texto {

// Textos do código (UTF-8) para os bytes dos arquivos (Windows-1252); fora da página: '?'.
// Bytes que não formam UTF-8 passam como estão (já são Windows-1252).
std::string paraWindows1252(std::string_view utf8);
// Bytes lidos dos arquivos (Windows-1252) para UTF-8.
std::string paraUtf8(std::string_view cp1252);

// Bytes de controle (abaixo de 32, e 127) viram '?': o relatório é lido por linhas.
void trocaControles(std::string& s);

inline bool emBranco(std::string_view s) {
    for (char c : s)
        if (c != ' ') return false;
    return true;
}

inline bool soDigitos(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

inline bool soZeros(std::string_view s) {
    for (char c : s)
        if (c != '0') return false;
    return true;
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
    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// Motivo de um erro do sistema (errno) em português, para as mensagens ao usuário.
std::string motivoSistema(int erro);

} // namespace kelvor::texto
