// Cores fixas da tela: uma por classe de registro (o tipo em destaque) e as marcas.
#pragma once

#include <QColor>

namespace tramil {

// Fundo claro do tipo de registro, o mesmo em todas as telas; texto preto sobre ele.
QColor CorDaClasse(int classe);

inline QColor CorLinhaCursor() {
    return QColor(255, 248, 200);
}
inline QColor CorCampoCursor() {
    return QColor(150, 200, 255);
}
inline QColor CorOcorrencia() {
    return QColor(255, 170, 0);
}
inline QColor CorNaoConfere() {
    return QColor(190, 0, 0);
}
inline QColor CorConfere() {
    return QColor(0, 120, 0);
}

} // namespace tramil
