// O arquivo parece um arquivo Convênio 57/95? Só olha o começo: serve para avisar quem abriu
// outra coisa, não para validar.
#pragma once

#include <QString>
#include <string_view>

namespace tramil {

// Vazio quando parece; senão, o motivo (para completar "O arquivo ... não parece ser um arquivo
// Convênio 57/95: ").
QString MotivoNaoConvenio(std::string_view dados);

} // namespace tramil
