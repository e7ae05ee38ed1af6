#include "printing/TrabalhoImpressao.h"

#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "printing/ImpressoraAtual.h"
#include "printing/SuperficieQt.h"
#include "printing/clsPrintDialog.h"
#include "validation/Sessao.h"

#include <QPagedPaintDevice>

namespace korventa {

bool ConfirmaImpressora(Sessao& s, clsPrintDialog& dialogo, const ConfirmacaoImpressora& c) {
    Plataforma& p = s.plataforma;
    for (;;) {
        dialogo.defineMin(1);
        dialogo.defineFromPage(1);
        dialogo.defineToPage(1);
        dialogo.defineMax(1);
        Log(LogImpressao, c.logChamada);
        p.cursorOcupado(false);
        const bool confirmou = dialogo.ShowPrinter(s, c.documento) &&
                               (dialogo.visualizar() || EscolheArquivoPdf(s, c.documento));
        if (!confirmou) {
            Log(LogOperacao, c.logCancelou);
            EsqueceArquivoPdf(s);
            return false;
        }
        Log(LogImpressao, c.logVerifica);
        if (c.exigida == 0 || s.impressora.orientacao == c.exigida) return true;
        if (!c.logErrada.isEmpty()) Log(LogImpressao, c.logErrada);
        p.mensagem(c.mensagemErrada, Icone::Exclamacao);
    }
}

namespace {
ResultadoTrabalho Executa(Sessao& s, const QString& documento, bool visualizar,
                          const std::function<int(SuperficieImpressao&)>& desenha,
                          const std::function<bool(int previstas, int pagina)>& coube) {
    ResultadoTrabalho r;
    std::unique_ptr<SuperficieQt> superficie =
        visualizar ? SuperficieQt::ParaMedir(NomeImpressoraAtual(s), s.impressora)
                   : AbreDocumento(s, documento);
    const int previstas = desenha(*superficie);
    r.orientacao = superficie->orientacao();
    if (superficie->falhou()) {
        r.fim = FimTrabalho::Falhou;
        r.erro = superficie->erro();
        superficie->abortaDocumento();
        return r;
    }
    if (previstas == -1) {
        r.fim = FimTrabalho::NadaImpresso;
        return r;
    }
    if (!coube(previstas, superficie->pagina())) {
        r.fim = FimTrabalho::NaoCoube;
        superficie->abortaDocumento();
        superficie->fimDocumento();
        return r;
    }
    if (!visualizar) {
        if (!superficie->fimDocumento()) {
            r.fim = FimTrabalho::Falhou;
            r.erro = superficie->erro();
        }
        return r;
    }
    superficie->abortaDocumento(); // a passagem de medida não vai a lugar nenhum
    const QString nome = NomeImpressoraAtual(s);
    const bool imprimiu = s.plataforma.visualizaImpressao(
        RegistroImpressoraAtual(s, documento), [&](QPagedPaintDevice& dispositivo) {
            SuperficieQt pagina(dispositivo, nome);
            desenha(pagina);
            pagina.fimDocumento();
        });
    r.fim = imprimiu ? FimTrabalho::Impresso : FimTrabalho::NaoImpresso;
    return r;
}
} // namespace

ResultadoTrabalho ExecutaTrabalho(Sessao& s, const QString& rotulo, const QString& documento,
                                  bool visualizar,
                                  const std::function<int(SuperficieImpressao&)>& desenha,
                                  const std::function<bool(int previstas, int pagina)>& coube) {
    s.plataforma.cursorOcupado(true);
    if (s.indicaImpressao) s.indicaImpressao(rotulo);
    s.plataforma.processarEventos();
    const ResultadoTrabalho r = Executa(s, documento, visualizar, desenha, coube);
    EsqueceArquivoPdf(s);
    s.plataforma.cursorOcupado(false);
    if (s.indicaImpressao) s.indicaImpressao(QString());
    return r;
}

} // namespace korventa
