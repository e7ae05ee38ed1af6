// Ícones pequenos da lista de mídias: a mídia comum e a já transmitida (com a marca verde).
#pragma once

#include <QIcon>

namespace korventa {

QIcon IconeMidia();
QIcon IconeMidiaTransmitida();

} // namespace korventa
