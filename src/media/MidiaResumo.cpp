#include "media/MidiaResumo.h"

#include "common/Caminhos.h"
#include "engine/Log.h"
#include "media/GeracaoMidia.h"
#include "media/ListasTotais.h"
#include "platform/Plataforma.h"
#include "validation/Arquivos.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"
#include "validation/Sessao.h"

#include <QPointer>

namespace korventa {

QString NomePropostoMidia(const Sessao& s, int indice) {
    const ArquivoAberto& e = s.arquivos[indice];
    return e.cnpj + QLatin1Char('_') +
           e.inicioValidacao.toString(QStringLiteral("ddMMyyyyHHmmss")) + QStringLiteral(".zip");
}

void BotaoResumoGerarMidia_Click(Sessao& s, PaginaResumo& resumo) {
    Log(LogOperacao, QStringLiteral("BotaoResumoGerarMidia_Click..."));
    if (!VerificaDataHoraArquivo(s, 0, true)) {
        Log(LogOperacao, QStringLiteral("Impediu BotaoResumoGerarMidia_Click..."));
        return;
    }
    DialogoArquivo d;
    d.titulo = QStringLiteral("Indique o arquivo para gravação da mídia...");
    d.filtro = QStringLiteral("Arquivos de Mídia KORVENTA (*.zip)|*.zip");
    d.pastaInicial = s.cfg.pathGeraMidia;
    d.nomeProposto = NomePropostoMidia(s, 0);
    d.confirmaSobrescrever = true;
    const auto escolhido = s.plataforma.salvarArquivo(d);
    if (!escolhido) {
        Log(LogOperacao, QStringLiteral("Cancelou BotaoResumoGerarMidia_Click..."));
        return;
    }
    // A pasta escolhida é a "última pasta de mídias" (também a do Resumo de vários arquivos).
    s.cfg.pathGeraMidia = PastaDoArquivo(*escolhido);
    s.ultimaPastaMidia = s.cfg.pathGeraMidia;
    if (!VerificaDataHoraArquivo(s, 0, true)) return;

    GeraArquivoMidia(s, 0, *escolhido);
    const QString mensagem = s.arquivos[0].mensagem;
    if (!mensagem.isEmpty()) {
        s.plataforma.mensagem(mensagem, Icone::Critico);
    } else {
        resumo.botaoGerarMidia()->permite(false);
        resumo.botaoRecibo()->permite(true);
        resumo.botaoTransmitir()->permite(true);
        const Resposta r = s.plataforma.mensagem(
            QStringLiteral("Mídia gerada com sucesso. Deseja transmitir agora?"), Icone::Pergunta,
            Botoes::SimNao);
        if (r == Resposta::Sim) {
            // A transmissão do Resumo é a ação do botão "Transmitir...".
            if (resumo.botaoTransmitir()->isEnabled()) resumo.botaoTransmitir()->click();
        } else {
            resumo.botaoRecibo()->setFocus();
        }
    }
    Log(LogOperacao, QStringLiteral("Fim BotaoResumoGerarMidia_Click."));
}

void LigaMidiasResumo(Sessao& s, PaginaResumo& resumo) {
    QPointer<PaginaResumo> r(&resumo);
    resumo.botaoGerarMidia()->defineAcao([&s, r] {
        if (r) BotaoResumoGerarMidia_Click(s, *r);
    });
    s.preencheTotaisResumo = [&s, r](int n) {
        if (r && n >= 0 && n < s.arquivos.size()) PreencheTotaisResumo(*r, s.arquivos[n]);
    };
}

} // namespace korventa
