#include "telas/Cores.h"

#include "nucleo/Classes.h"

namespace tramil {

QColor CorDaClasse(int classe) {
    if (classe >= ClasseOutros()) return QColor(255, 190, 190); // desconhecido: rosa
    // Matizes espalhados pelo círculo, claros o bastante para o texto preto.
    const int h = (classe * 137) % 360;
    return QColor::fromHsl(h, 170, 205);
}

} // namespace tramil
