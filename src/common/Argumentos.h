// Separação da linha de comando em argumentos, com aspas agrupando brancos.
#pragma once

#include <QString>
#include <QStringList>

namespace korventa {

// Argumentos da linha de comando, de 1 a n; a posição 0 fica vazia (com nenhum argumento o
// resultado tem só ela). Para ao chegar a `maximo` argumentos.
QStringList SeparaArgumentos(const QString& linhaDeComando, int maximo = 10);

} // namespace korventa
