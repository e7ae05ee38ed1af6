#include "printing/ImprimirRecibo.h"

#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "printing/DadosRecibo.h"
#include "printing/ImpressoraAtual.h"
#include "printing/RelatorioRecibo.h"
#include "printing/TrabalhoImpressao.h"
#include "printing/clsPrintDialog.h"
#include "validation/Sessao.h"

namespace korventa {

bool ImprimirReciboKorventa(Sessao& s, const DadosRecibo& dados, bool avisaImpresso) {
    Plataforma& p = s.plataforma;
    const QString documento = QStringLiteral("Recibo");
    if (!ImpressoraPronta(s, QStringLiteral("Erro10 "))) return false;
    Log(LogImpressao, QStringLiteral(" Impressora: ") + NomeImpressoraAtual(s));
    Log(LogImpressao, QStringLiteral(" Configurando para Portrait..."));
    s.impressora.orientacao = Retrato;
    Log(LogImpressao, QStringLiteral(" ok"));

    clsPrintDialog dialogo;
    ConfirmacaoImpressora confirmacao;
    confirmacao.documento = documento;
    confirmacao.exigida = Retrato;
    confirmacao.logChamada = QStringLiteral(" Chamando ShowPrinter...");
    confirmacao.logVerifica = QStringLiteral(" Verificando orientacao...");
    confirmacao.logCancelou = QStringLiteral("Cancelou ImprimirReciboKorventa...");
    confirmacao.logErrada = QStringLiteral(" orientação errada!");
    confirmacao.mensagemErrada =
        QStringLiteral("A impressora está configurada para imprimir no modo Paisagem.\rNo entanto "
                       "é necessário imprimir o Recibo no modo Retrato.\rAltere as configurações "
                       "de impressão e tente novamente.");
    if (!ConfirmaImpressora(s, dialogo, confirmacao)) return false;
    Log(LogImpressao, QStringLiteral(" Impressora selecionada: ") + NomeImpressoraAtual(s));

    const ResultadoTrabalho r = ExecutaTrabalho(
        s, QStringLiteral("Imprimindo Recibo..."), documento, dialogo.visualizar(),
        [&](SuperficieImpressao& sup) {
            ImprimirReciboLayoutNovo(sup, dados);
            return 0;
        },
        [](int, int pagina) { return pagina <= 1; });

    QString falha;
    if (r.fim == FimTrabalho::NaoCoube)
        falha = r.orientacao == Paisagem
                    ? QStringLiteral("A impressora continua configurada para imprimir no modo "
                                     "Paisagem.\rNo entanto é necessário imprimir o Recibo no "
                                     "modo Retrato.\rAltere as configurações de impressão e "
                                     "tente novamente.")
                    : QStringLiteral("O tamanho do Recibo a ser impresso é maior que o tamanho "
                                     "do papel\rconfigurado na impressora.\rAltere o papel nas "
                                     "configurações de impressão e tente novamente.");
    else if (r.fim == FimTrabalho::Falhou)
        falha = MensagemErroNumerado(QStringLiteral("Erro11 "), r.erro);
    if (!falha.isEmpty()) {
        Log(LogDetalhe, falha);
        p.mensagem(falha, Icone::Critico);
        return false;
    }
    const bool impresso = r.fim == FimTrabalho::Impresso;
    if (impresso && avisaImpresso)
        p.mensagem(QStringLiteral("Recibo impresso."), Icone::Informacao);
    Log(LogOperacao, QStringLiteral("Fim ."));
    return impresso;
}

} // namespace korventa
