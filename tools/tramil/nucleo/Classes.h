// Classes de registro que o visualizador distingue: os tipos do leiaute, com os subtipos de 60
// e 61 separados, e "outros" para o que não tem leiaute.
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace tramil {

// "10", "11", "50", ..., "60M", "60A", "60D", "60I", "60R", "61", "61R", ..., "90".
const QStringList& CodigosClasses();
// Índice da classe "outros" (o último).
int ClasseOutros();
// Classe do registro pelas suas primeiras posições.
int ClasseDe(std::string_view registro);

} // namespace tramil
