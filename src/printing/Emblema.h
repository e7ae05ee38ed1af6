// Emblema do programa no alto do recibo impresso.
#pragma once

#include <QImage>

namespace korventa {

// Imagem quadrada, desenhada uma vez e guardada.
const QImage& EmblemaRecibo();

} // namespace korventa
