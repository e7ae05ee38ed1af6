#include "app/ProgramaQIV.h"

#include "engine/Log.h"

#include <QFileInfo>

namespace korventa {

void VerificaQIV(Sessao& sessao) {
    Log(LogOperacao, QStringLiteral("VerificaQIV..."));
    const QFileInfo info(sessao.cfg.pathQiv);
    if (!sessao.cfg.pathQiv.isEmpty() && info.exists()) {
        sessao.qivEncontrado = !info.isDir();
        return;
    }
    sessao.qivEncontrado = false;
    Log(LogOperacao, QStringLiteral("Fim VerificaQIV."));
}

} // namespace korventa
