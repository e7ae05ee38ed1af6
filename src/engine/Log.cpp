#include "engine/Log.h"

#include "engine/Bibliotecas.h"

namespace korventa {

void Log(int nivel, const QString& texto) {
    // Sem o motor não há log: a falha de carga é tratada por quem precisa dele (início).
    auto* evento = KORVENTA_FUNCAO("Kelvor", EventoLog);
    if (evento)
        evento(nivel, texto.toLatin1().constData());
}

} // namespace korventa
