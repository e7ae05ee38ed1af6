// Os campos que identificam o documento de um registro (CNPJ, modelo, série, número, data, UF,
// CFOP, situação), achados pela tabela de leiaute: pelo papel que as regras dão ao campo, pela
// identificação documento-item do relatório de críticas e pela espécie do campo. Serve para
// qualquer registro de documento, com ou sem o seu principal.
#pragma once

#include <string_view>

namespace tramil {

struct Identificacao {
    std::string_view cnpj, modelo, serie, numero, data, uf, cfop, situacao;
};

Identificacao Identifica(std::string_view registro);

} // namespace tramil
