#include "printing/RelatorioResumoValidacao.h"

#include "common/Formatos.h"
#include "common/Numeros.h"
#include "common/Texto.h"
#include "engine/Log.h"
#include "printing/CabecalhoRelatorio.h"
#include "printing/PaginaImpressa.h"
#include "printing/SuperficieImpressao.h"
#include "validation/ArquivoAberto.h"

#include <array>

namespace korventa {

namespace {

void Etapa(int n) {
    Log(LogImpressao, QLatin1Char(' ') + QString::number(n));
}

// As células da grade trazem o ponto de milhar; no relatório vão em decimal simples.
QString Contador(const QString& celula) {
    QString n = celula;
    n.remove(QLatin1Char('.'));
    n = n.trimmed();
    return n.isEmpty() ? QStringLiteral("0") : n;
}

} // namespace

void ImprimirResumoValidacao(SuperficieImpressao& s, const ArquivoAberto& a,
                             const QDateTime& agora) {
    Log(LogImpressao, QStringLiteral(" ImprimirResumoValidacao"));
    FonteImpressao fonte;
    fonte.negrito = true;
    s.defineFonte(fonte);
    Etapa(1);

    ImprimeCabecalho(
        s, CabecalhoResumo,
        CabecalhoDoArquivo(a, QStringLiteral("Resultado da verificação de validade"), agora));
    Etapa(2);

    const int w = s.larguraImprimivel();
    fonte.pontos = 15;
    fonte.negrito = false;
    s.defineFonte(fonte);
    DefineLinha(s, 28);
    ImprimeCentralizado(s, TextoResultado(a.resultado));
    Etapa(3);

    fonte.pontos = 11;
    s.defineFonte(fonte);
    s.caixa(MargemTwips, PosicaoPapel(35), w - MargemTwips, PosicaoPapel(52));
    const int x = Twips(2) + MargemTwips;
    const QString inicio =
        QStringLiteral("Início da validação: ") + DataHoraRelatorio(a.inicioValidacao);
    DefineLinha(s, 38);
    ImprimeEm(s, inicio, x);
    // "da validação:" das duas linhas fica uma sobre a outra.
    const int x2 = x + s.larguraTexto(inicio.left(7));
    const std::int32_t segundos =
        ArredondaPar(double(a.inicioValidacao.msecsTo(a.fimValidacao)) / 1000.0);
    DefineLinha(s, 45);
    ImprimeEm(s, QStringLiteral("Fim"), x);
    DefineLinha(s, 45);
    ImprimeEm(s,
              QStringLiteral("da validação: ") + DataHoraRelatorio(a.fimValidacao) +
                  QStringLiteral("       Duração: ") + FormataDuracao(segundos),
              x2);
    Etapa(4);

    const int larguraTabela = Twips(145);
    const int l = ArredondaPar((w - larguraTabela - 100) / 2.0) + MargemTwips;
    const std::array<int, 4> colunas{l + Twips(63), l + Twips(90), l + Twips(118), l + Twips(145)};
    const auto cabeca = [&](double linha, int coluna, const char* texto) {
        DefineLinha(s, linha);
        ImprimeAlinhadoDireita(s, QString::fromUtf8(texto), colunas[coluna]);
    };
    cabeca(58, 0, "Aceitos s/");
    cabeca(63, 0, "Advertência");
    cabeca(58, 1, "Aceitos c/");
    cabeca(63, 1, "Advertência");
    cabeca(63, 2, "Rejeitados");
    cabeca(63, 3, "Total");
    Etapa(5);

    const auto linhaContadores = [&](double linha, int posicao) {
        for (int c = 0; c < 4; ++c) {
            DefineLinha(s, linha);
            ImprimeAlinhadoDireita(s, Contador(a.totalizadores[c][posicao]), colunas[c]);
        }
    };
    for (int i = 0; i <= 20; ++i) {
        const double linha = 69 + 5 * i;
        DefineLinha(s, linha);
        ImprimeEm(s, QStringLiteral("Registro Tipo ") + QString::number(TiposRegistro[i]), l);
        linhaContadores(linha, i);
    }
    Etapa(6);

    const int regua = PosicaoPapel(175);
    s.linha(l, regua, colunas[3], regua);
    DefineLinha(s, 177);
    ImprimeEm(s, QStringLiteral("Totais"), l);
    linhaContadores(177, 21);
    Etapa(7);
    Log(LogImpressao, QStringLiteral(" Fim ImprimirResumoValidacao"));
}

} // namespace korventa
