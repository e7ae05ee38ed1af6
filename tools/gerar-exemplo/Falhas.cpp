#include "GeradorExemplo.h"

#include <algorithm>
#include <cstdio>

namespace kelvor::exemplo {

namespace {
constexpr std::string_view nomes[quantidadeFalhas] = {
    "tamanho", "tipo", "numerico", "data",  "periodo", "cnpj",  "ie",    "cfop",
    "uf",      "icms", "total90",  "sem50", "sem75",   "ordem", "sem60m"};
}

std::string_view nomeFalha(Falha f) {
    return nomes[static_cast<int>(f)];
}

std::optional<Falha> falhaPorNome(std::string_view nome) {
    for (int i = 0; i < quantidadeFalhas; ++i)
        if (nomes[i] == nome) return static_cast<Falha>(i);
    return std::nullopt;
}

std::string textoMapa(const Resumo& resumo) {
    std::string s = "# linha\tinicio\tlargura\tfalha\n";
    char buf[64];
    for (const FalhaInjetada& f : resumo.falhas) {
        std::snprintf(buf, sizeof buf, "%lld\t%d\t%d\t", static_cast<long long>(f.linha), f.inicio,
                      f.tamanho);
        s += buf;
        s += nomeFalha(f.falha);
        s += '\n';
    }
    return s;
}

} // namespace kelvor::exemplo
