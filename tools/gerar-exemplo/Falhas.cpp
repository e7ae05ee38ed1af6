#include "GeradorExemplo.h"

#include <algorithm>
#include <cstdio>

namespace kelvor::exemplo {

namespace {

constexpr std::string_view nomesFalhas[quantidadeFalhas] = {
    "tamanho", "tipo", "numerico", "data",  "periodo", "cnpj",  "ie",    "cfop",
    "uf",      "icms", "total90",  "sem50", "sem75",   "ordem", "sem60m"};
constexpr std::string_view nomesFormas[quantidadeFormas] = {"padrao", "atacadista", "itens", "ecf"};

// O valor da enumeração cujo nome é nome (na ordem da lista de nomes).
template <class E, std::size_t N>
std::optional<E> porNome(const std::string_view (&nomes)[N], std::string_view nome) {
    for (std::size_t i = 0; i < N; ++i)
        if (nomes[i] == nome) return static_cast<E>(i);
    return std::nullopt;
}

} // namespace

std::string_view nomeFalha(Falha f) {
    return nomesFalhas[static_cast<int>(f)];
}

std::optional<Falha> falhaPorNome(std::string_view nome) {
    return porNome<Falha>(nomesFalhas, nome);
}

std::string_view nomeForma(Forma f) {
    return nomesFormas[static_cast<int>(f)];
}

std::optional<Forma> formaPorNome(std::string_view nome) {
    return porNome<Forma>(nomesFormas, nome);
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
