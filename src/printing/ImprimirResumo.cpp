#include "printing/ImprimirResumo.h"

#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "printing/ImpressoraAtual.h"
#include "printing/RelatorioResumoValidacao.h"
#include "printing/RelatorioTotais.h"
#include "printing/TrabalhoImpressao.h"
#include "printing/clsPrintDialog.h"
#include "validation/Sessao.h"

#include <functional>

namespace korventa {

namespace {

struct RelatorioDoResumo {
    const char* documento;
    const char* rotulo;
    const char* concluido;
    const char* falha;
    const char* nada; // sem linhas para imprimir
    int orientacao;
    // Páginas previstas (0: página única) ou -1 quando não desenhou nada.
    std::function<int(SuperficieImpressao&, const ArquivoAberto&, const QDateTime&)> desenha;
};

int ResumoDeValidacao(SuperficieImpressao& s, const ArquivoAberto& a, const QDateTime& agora) {
    ImprimirResumoValidacao(s, a, agora);
    return 0;
}

int TotaisDeRegistro(SuperficieImpressao& s, const ArquivoAberto& a, const QDateTime& agora) {
    ImprimirTotaisPorRegistro(s, a, agora);
    return 0;
}

RelatorioDoResumo Relatorio(int tipo) {
    switch (tipo) {
    case ResumoTotaisRegistro:
        return {"Totais por Registro",
                "Imprimindo totais por registro...",
                "Relatório dos totais por registro impresso.",
                "Não conseguiu imprimir o relatório de Totais por Registro.",
                nullptr,
                Retrato,
                TotaisDeRegistro};
    case ResumoTotaisCFOP:
        return {"Totais por CFOP",
                "Imprimindo totais por CFOP...",
                "Relatório dos totais por CFOP impresso.",
                "Não conseguiu imprimir o relatório de Totais por CFOP.",
                "O arquivo não tem totais por CFOP para imprimir.",
                Paisagem,
                ImprimirTotaisPorCFOP};
    case ResumoTotaisRegistroCFOP:
        return {"Totais por CFOP e Registro",
                "Imprimindo totais por CFOP e registro...",
                "Relatório dos totais por CFOP e registro impresso.",
                "Não conseguiu imprimir o relatório de Totais por CFOP e Registro.",
                "O arquivo não tem totais por CFOP e registro para imprimir.",
                Paisagem,
                ImprimirTotaisPorRegistro_CFOP};
    default:
        break;
    }
    return {"Resumo de Validação",
            "Imprimindo resultados da verificação de validade...",
            "Resumo de Validação impresso.",
            "Não conseguiu imprimir o relatório de Resumo de Validação.",
            nullptr,
            Retrato,
            ResumoDeValidacao};
}

// Conselho da mensagem de relatório que não coube, pela orientação em que ele foi desenhado.
QString ConselhoNaoCoube(int propria, int atual) {
    if (atual == propria)
        return QStringLiteral("Altere o tamanho do papel nas configurações de impressão\r"
                              "e tente novamente imprimir.");
    if (atual == Paisagem)
        return QStringLiteral("A impressora está configurada para imprimir no modo Paisagem.\r"
                              "Altere as configurações de impressão para o modo Retrato\r"
                              "e tente novamente imprimir.");
    return QStringLiteral("A impressora está configurada para imprimir no modo Retrato.\r"
                          "Altere as configurações de impressão para o modo Paisagem\r"
                          "e tente novamente imprimir.");
}

} // namespace

void ImprimirResumo(Sessao& s, int tipo, int arquivo) {
    if (arquivo < 0 || arquivo >= s.arquivos.size()) return;
    ImprimirResumo(s, tipo, s.arquivos.at(arquivo));
}

void ImprimirResumo(Sessao& s, int tipo, const ArquivoAberto& dados) {
    Plataforma& p = s.plataforma;
    Log(LogOperacao, QStringLiteral("ImprimirResumo..."));
    p.cursorOcupado(true);
    p.processarEventos();
    const RelatorioDoResumo relatorio = Relatorio(tipo);
    const QString documento = QString::fromUtf8(relatorio.documento);

    if (!ImpressoraPronta(s, QStringLiteral("Erro13 "))) return;
    Log(LogImpressao, QStringLiteral(" Impressora: ") + NomeImpressoraAtual(s));
    Log(LogImpressao, QStringLiteral(" Vai mudar orientacao. qual = ") + QString::number(tipo));
    s.impressora.orientacao = relatorio.orientacao;
    Log(LogImpressao, QStringLiteral(" mudou."));

    clsPrintDialog dialogo;
    ConfirmacaoImpressora confirmacao;
    confirmacao.documento = documento;
    // Os relatórios em retrato só são conferidos depois, pelo tamanho.
    confirmacao.exigida = relatorio.orientacao == Paisagem ? Paisagem : 0;
    confirmacao.logChamada = QStringLiteral(" Vai chamar ShowPrinter...");
    confirmacao.logVerifica = QStringLiteral(" Verifica orientacao...");
    confirmacao.logCancelou = QStringLiteral("Cancelou BotaoResumoImprimir_Click...");
    confirmacao.mensagemErrada =
        QStringLiteral("A impressora está configurada para imprimir no modo retrato.\rNo entanto "
                       "é necessário imprimir este relatório no modo paisagem.\rAltere as "
                       "configurações de impressão e tente novamente.");
    if (!ConfirmaImpressora(s, dialogo, confirmacao)) return;
    Log(LogImpressao, QStringLiteral(" ok"));

    const QDateTime agora = p.agora();
    const bool umaPagina = tipo == ResumoValidacao || tipo == ResumoTotaisRegistro;
    const ResultadoTrabalho r = ExecutaTrabalho(
        s, QString::fromUtf8(relatorio.rotulo), documento, dialogo.visualizar(),
        [&](SuperficieImpressao& sup) { return relatorio.desenha(sup, dados, agora); },
        [umaPagina](int previstas, int pagina) {
            return umaPagina ? pagina < 2 : pagina <= previstas;
        });
    QString falha;
    if (r.fim == FimTrabalho::NaoCoube)
        falha = QString::fromUtf8(relatorio.falha) + QLatin1Char('\r') +
                ConselhoNaoCoube(relatorio.orientacao, r.orientacao);
    else if (r.fim == FimTrabalho::Falhou)
        falha = MensagemErroNumerado(QStringLiteral("Erro14 "), r.erro);
    if (!falha.isEmpty()) {
        Log(LogDetalhe, falha);
        p.mensagem(falha, Icone::Critico);
        return;
    }
    if (r.fim == FimTrabalho::Impresso)
        p.mensagem(QString::fromUtf8(relatorio.concluido), Icone::Informacao);
    // Sem nenhuma linha não houve impressão: dizer "impresso" seria falso.
    if (r.fim == FimTrabalho::NadaImpresso && relatorio.nada)
        p.mensagem(QString::fromUtf8(relatorio.nada), Icone::Informacao);
    Log(LogOperacao, QStringLiteral("Fim ImprimirResumo."));
}

} // namespace korventa
