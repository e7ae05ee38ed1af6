#include "nucleo/Identificacao.h"

#include "core/Leiaute.h"

#include <cstring>

namespace tramil {

namespace {

using kelvor::Especie;

std::string_view Trecho(std::string_view r, int inicio, int tamanho) {
    const auto i = static_cast<std::size_t>(inicio - 1);
    if (inicio <= 0 || i >= r.size()) return {};
    return r.substr(i, static_cast<std::size_t>(tamanho));
}

std::string_view PorPapel(std::string_view r, const kelvor::LeiauteRegistro& l, std::int8_t papel) {
    if (papel < 0) return {};
    const auto& c = l.campos[static_cast<std::size_t>(papel)];
    return Trecho(r, c.inicio, c.tamanho);
}

template <typename Teste>
std::string_view Primeiro(std::string_view r, const kelvor::LeiauteRegistro& l, Teste teste) {
    for (const auto& c : l.campos)
        if (teste(c)) return Trecho(r, c.inicio, c.tamanho);
    return {};
}

bool EhCnpj(const kelvor::Campo& c) {
    return c.especie == Especie::CnpjContraparte || c.especie == Especie::CnpjInformante ||
           c.especie == Especie::CnpjOpcional;
}

bool EhUf(const kelvor::Campo& c) {
    return c.especie == Especie::UF || c.especie == Especie::UFouEX;
}

bool EhModelo(const kelvor::Campo& c) {
    return c.especie == Especie::Modelo ||
           (c.especie == Especie::Codigo2 && std::strncmp(c.nome, "Modelo", 6) == 0);
}

} // namespace

Identificacao Identifica(std::string_view r) {
    Identificacao id;
    const kelvor::LeiauteRegistro* l = kelvor::leiautePara(r);
    if (!l) return id;
    id.cnpj = Primeiro(r, *l, EhCnpj);
    id.modelo = Primeiro(r, *l, EhModelo);
    id.serie = Trecho(r, l->serie.inicio, l->serie.tamanho);
    id.numero = Trecho(r, l->numero.inicio, l->numero.tamanho);
    id.data = PorPapel(r, *l, l->papeis.data);
    id.uf = l->papeis.uf >= 0 ? PorPapel(r, *l, l->papeis.uf) : Primeiro(r, *l, EhUf);
    id.cfop = PorPapel(r, *l, l->papeis.cfop);
    id.situacao = PorPapel(r, *l, l->papeis.situacao);
    return id;
}

} // namespace tramil
