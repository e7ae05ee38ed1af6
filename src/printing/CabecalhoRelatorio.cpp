#include "printing/CabecalhoRelatorio.h"

#include "common/Formatos.h"
#include "printing/PaginaImpressa.h"
#include "printing/SuperficieImpressao.h"
#include "validation/ArquivoAberto.h"

namespace korventa {

QString DataHoraRelatorio(const QDateTime& quando) {
    return quando.toString(QStringLiteral("dd/MM/yyyy  HH:mm:ss"));
}

DadosCabecalho CabecalhoDoArquivo(const ArquivoAberto& a, const QString& titulo,
                                  const QDateTime& quando) {
    DadosCabecalho d;
    d.titulo = titulo;
    d.dataHora = DataHoraRelatorio(quando);
    d.arquivo = QStringLiteral("Arquivo: ") + a.caminho;
    d.contribuinte =
        QStringLiteral("Contribuinte: ") + FormataCNPJ(a.cnpj) + QLatin1Char(' ') + a.razaoSocial;
    d.periodo = QStringLiteral("Período: ") + a.dataInicial + QStringLiteral(" a ") + a.dataFinal;
    return d;
}

void ImprimeCabecalho(SuperficieImpressao& s, const LeiauteCabecalho& l, const DadosCabecalho& d) {
    DefineLinha(s, l.linhaTitulo);
    ImprimeMargemEsquerda(s, QString::fromUtf8(l.sistema));
    DefineLinha(s, l.linhaTitulo);
    ImprimeCentralizado(s, d.titulo);

    // O que fica à direita na linha do arquivo limita o caminho: imprime-se antes dele.
    int limiteArquivo = s.larguraImprimivel();
    const auto direita = [&](double linha, const QString& texto) {
        DefineLinha(s, linha);
        const int x = ImprimeMargemDireita(s, texto);
        if (linha == l.linhaArquivo) limiteArquivo = x;
    };
    if (l.linhaContador >= 0) direita(l.linhaContador, d.contador);
    direita(l.linhaDataHora, d.dataHora);
    direita(l.linhaPeriodo, d.periodo);

    DefineLinha(s, l.linhaArquivo);
    ImprimeCaminho(s, d.arquivo, limiteArquivo);
    DefineLinha(s, l.linhaContribuinte);
    ImprimeMargemEsquerda(s, d.contribuinte);

    const int regua = PosicaoPapel(l.linhaRegua);
    s.linha(MargemTwips, regua, s.larguraImprimivel() - MargemTwips, regua);
}

} // namespace korventa
