#include "printing/RecibosVariosArquivos.h"

#include "common/Numeros.h"
#include "engine/Log.h"
#include "media/ComandosMidia.h"
#include "platform/Plataforma.h"
#include "printing/DadosRecibo.h"
#include "printing/ImprimirRecibo.h"
#include "validation/PaginaResumoArquivos.h"
#include "validation/Sessao.h"

namespace korventa {

void BotaoResumoXRecibos_Click(Sessao& s, EstadoMidias& estado, PaginaResumoArquivos& pagina) {
    Log(LogOperacao, QStringLiteral("BotaoResumoXRecibos_Click..."));
    int impressos = 0;
    for (int n : pagina.entradasSelecionadas()) {
        if (n < 0 || n >= s.arquivos.size()) continue;
        // Uma mídia trocada encerra o comando inteiro, sem a contagem.
        if (!MesmaMidia(s, n,
                        QStringLiteral("O arquivo de mídia foi alterado! Impressão dos recibos "
                                       "cancelada.")))
            return;
        ArquivoAberto& e = s.arquivos[n];
        Log(LogOperacao, QStringLiteral("ImprimirReciboKorventa..."));
        const std::optional<const Recibo*> recibo = PreparaRecibo(s, estado, e);
        if (!recibo || !ImprimirReciboKorventa(s, DadosReciboDaMidia(e, *recibo), false)) break;
        ++impressos;
    }
    if (impressos == 1)
        s.plataforma.mensagem(QStringLiteral("Recibo impresso."), Icone::Informacao);
    else if (impressos > 1)
        s.plataforma.mensagem(QStringLiteral("Foram impressos") +
                                  NumeroComBrancoInicial(impressos) + QStringLiteral(" recibos."),
                              Icone::Informacao);
    Log(LogOperacao, QStringLiteral("Fim BotaoResumoXRecibos_Click."));
}

} // namespace korventa
