// Chaves das mídias: a de cada UF (cifra o arquivo fiscal), a comum das naturezas de operação
// diferentes de "3" e as duas das variantes do convênio (selo da mídia).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korventa::midia {

// Chave da UF já em maiúsculas; nada para uma sigla fora das 27.
std::optional<std::string> ChaveDaUF(std::string_view uf);
// Chave dos arquivos cuja natureza das operações não é "3".
std::string ChaveComum();
// Chave de 11 caracteres da variante: especial (GIM da PB) ou padrão.
std::string ChaveVariante(bool especial);

} // namespace korventa::midia
