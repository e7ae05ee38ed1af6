// O log do Tramil é o mesmo do validador: o do motor (LigarLog/EventoLog da biblioteca Kelvor),
// no arquivo do programa na pasta temporária.
#pragma once

#include "engine/Log.h"

namespace tramil {

// Com -Log registra as operações (até o nível 4); sem ele, só os erros, como o validador no
// nível 0. Sem a biblioteca do motor não há log, e o Tramil funciona do mesmo jeito.
bool LigaLog(bool detalhado);

} // namespace tramil
