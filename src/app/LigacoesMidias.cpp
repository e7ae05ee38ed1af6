#include "app/LigacoesMidias.h"

#include "app/ConfiguracoesUsuario.h"
#include "media/ComandosMidia.h"
#include "media/DlgInfoMidia.h"
#include "media/EstadoMidias.h"
#include "validation/PaginaValidar.h"
#include "validation/Sessao.h"

#include <QFileInfo>
#include <QPointer>

namespace korventa {

void MostraInfoEntrada(Sessao& s, EstadoMidias& estado, int n) {
    if (n < 0 || n >= s.arquivos.size()) return;
    ArquivoAberto& e = s.arquivos[n];
    // O programa de transmissão pode ter enviado a mídia depois que ela foi gerada; uma mídia
    // que não se lê mais fica com a transmissão que já se sabia.
    QString ignorada;
    if (!e.caminhoMidia.isEmpty() && QFileInfo(e.caminhoMidia).isFile())
        AtualizaTransmissao(estado, e, ignorada);
    if (estado.mostraInfo) estado.mostraInfo(e);
}

void LigaMidias(Sessao& s, EstadoMidias& estado, QWidget* janela, PaginaValidar& validar) {
    estado.pastaComprovantes = [&s] {
        LePastaComprovantesQIV(s);
        return s.cfg.pastaComprovantesQIV;
    };
    QPointer<QWidget> dono(janela);
    estado.mostraInfo = [&s, &estado, dono](const ArquivoAberto& e) {
        DlgInfoMidia dlg(s, estado, dono);
        dlg.preenche(e);
        dlg.exec();
    };
    validar.defineAcaoInfo([&s, &estado](int n) { MostraInfoEntrada(s, estado, n); });
}

} // namespace korventa
