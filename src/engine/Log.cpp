#include "engine/Log.h"

#include "common/Windows1252.h"
#include "engine/Bibliotecas.h"

namespace korventa {

void Log(int nivel, const QString& texto) {
    // Sem o motor não há log: a falha de carga é tratada por quem precisa dele (início).
    auto* evento = KORVENTA_FUNCAO("Kelvor", EventoLog);
    if (evento)
        evento(nivel, ParaWindows1252(texto).constData());
}

} // namespace korventa
