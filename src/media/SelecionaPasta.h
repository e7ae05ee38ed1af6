// Escolha de uma pasta pelo diálogo de pastas da plataforma, com a recusa do que não é pasta.
#pragma once

#include <QString>

namespace korventa {

class Plataforma;

// Pasta escolhida, ou vazio quando o usuário cancela ou escolhe algo que não é pasta. A pasta
// inicial só é usada se existir ("X:" ganha a barra; A: e B: não são consultados).
QString SelecionaPasta(Plataforma& p, const QString& pastaInicial, const QString& titulo);

} // namespace korventa
