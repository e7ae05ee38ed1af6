#include "printing/RelatorioTotais.h"

#include "common/Numeros.h"
#include "engine/Log.h"
#include "media/TotaisCFOPRegistro.h"
#include "printing/CabecalhoRelatorio.h"
#include "printing/PaginaImpressa.h"
#include "printing/SuperficieImpressao.h"
#include "validation/ArquivoAberto.h"

#include <algorithm>
#include <array>

namespace korventa {

namespace {

const QColor Faixa(200, 200, 200);

void Etapa(int n) {
    Log(LogImpressao, QLatin1Char(' ') + QString::number(n));
}

void Fonte(SuperficieImpressao& s, double pontos, bool negrito) {
    FonteImpressao f;
    f.pontos = pontos;
    f.negrito = negrito;
    s.defineFonte(f);
}

// Tabela de linhas em páginas: colunas de texto à esquerda (x de cada uma) e colunas de valores
// alinhadas à direita, depois de `inicioValores` twips.
struct TabelaPaginada {
    const char* titulo;
    const char* logNovaPagina;
    QStringList cabecasTexto;
    std::array<double, 2> xTexto; // mm a partir de 50 twips
    double inicioValores;         // mm antes dos 50 twips da margem
    QStringList cabecasValores;
    // Largura relativa de cada coluna de valores; vazio: todas iguais.
    QVector<double> pesos = {};
};

// Borda direita de cada coluna de valores. Iguais: a largura arredondada vezes j, como a
// tabela por CFOP sempre foi; com pesos, a largura que sobra repartida por eles.
QVector<int> FinsDasColunas(int inicio, int disponivel, const TabelaPaginada& t) {
    const int colunas = t.cabecasValores.size();
    QVector<int> fins(colunas);
    if (t.pesos.size() != colunas) {
        const int largura = ArredondaPar(double(disponivel) / colunas);
        for (int j = 0; j < colunas; ++j)
            fins[j] = inicio + (j + 1) * largura;
        return fins;
    }
    double total = 0;
    for (double p : t.pesos)
        total += p;
    double acumulado = 0;
    for (int j = 0; j < colunas; ++j) {
        acumulado += t.pesos[j];
        fins[j] = inicio + ArredondaPar(disponivel * acumulado / total);
    }
    return fins;
}

int ImprimeTabela(SuperficieImpressao& s, const ArquivoAberto& a, const QDateTime& agora,
                  const TabelaPaginada& t, const QVector<QStringList>& linhas) {
    if (linhas.isEmpty()) return -1;
    const int w = s.larguraImprimivel();
    const int inicio = Twips(t.inicioValores) + MargemTwips;
    const int colunas = t.cabecasValores.size();
    const QVector<int> fins = FinsDasColunas(inicio, w - inicio - MargemTwips, t);
    const auto fim = [&](int j) { return fins[j]; };
    const auto largura = [&](int j) { return fins[j] - (j == 0 ? inicio : fins[j - 1]); };
    const int porPagina = std::max(1, ArredondaPar(s.alturaImprimivel() - Twips(32)) / Twips(4));
    const int paginas = (int(linhas.size()) + porPagina - 1) / porPagina;
    Etapa(2);

    DadosCabecalho cabecalho = CabecalhoDoArquivo(a, QString::fromUtf8(t.titulo), agora);
    const int textos = t.cabecasTexto.size();
    for (int n = 1; n <= paginas; ++n) {
        if (n > 1) {
            Log(LogImpressao, QString::fromUtf8(t.logNovaPagina));
            s.novaPagina();
        }
        Fonte(s, 10, true);
        cabecalho.contador = QStringLiteral("Página ") + QString::number(n) +
                             QStringLiteral(" de ") + QString::number(paginas);
        ImprimeCabecalho(s, CabecalhoCFOP, cabecalho);

        Fonte(s, 8, false);
        for (int c = 0; c < textos; ++c) {
            DefineLinha(s, 28);
            ImprimeEm(s, t.cabecasTexto[c], MargemTwips + Twips(t.xTexto[c]));
        }
        for (int j = 0; j < colunas; ++j) {
            DefineLinha(s, 28);
            ImprimeAjustadoDireita(s, t.cabecasValores[j], fim(j), largura(j) - Twips(1));
        }
        const int primeira = (n - 1) * porPagina;
        const int ultima = std::min(int(linhas.size()), primeira + porPagina);
        for (int k = primeira; k < ultima; ++k) {
            const int i = k - primeira + 1;
            const double y = 32 + 4 * i;
            // Faixa cinza atrás das linhas ímpares, antes do texto.
            if (i % 2 == 1)
                s.caixaCheia(MargemTwips, PosicaoPapel(31.5 + 4 * i), w - MargemTwips,
                             PosicaoPapel(35.5 + 4 * i), Faixa);
            const QStringList& linha = linhas[k];
            for (int c = 0; c < textos; ++c) {
                DefineLinha(s, y);
                ImprimeEm(s, linha.value(c).trimmed(), MargemTwips + Twips(t.xTexto[c]));
            }
            for (int j = 0; j < colunas; ++j) {
                DefineLinha(s, y);
                ImprimeAjustadoDireita(s, linha.value(textos + j).trimmed(), fim(j),
                                       largura(j) - Twips(1));
            }
        }
    }
    Etapa(3);
    return paginas;
}

} // namespace

bool SeparadorDeSecao(const LinhaTotaisRegistro& linha) {
    return std::all_of(linha.textos.begin(), linha.textos.end(),
                       [](const QString& t) { return t.isEmpty(); });
}

void ImprimirTotaisPorRegistro(SuperficieImpressao& s, const ArquivoAberto& a,
                               const QDateTime& agora) {
    Log(LogImpressao, QStringLiteral(" ImprimirTotaisPorRegistro..."));
    Fonte(s, 10, true);
    ImprimeCabecalho(
        s, CabecalhoResumo,
        CabecalhoDoArquivo(a, QStringLiteral("Relatório dos Totais por Registro"), agora));
    Etapa(1);

    const int l = ArredondaPar((s.larguraImprimivel() - Twips(185) - 100) / 2.0) + MargemTwips;
    const auto fim = [&](int c) { return l + Twips(65) + c * Twips(40); };
    double y = 30;
    for (const LinhaTotaisRegistro& linha : LinhasTotaisPorRegistro(a.totaisCFOP)) {
        if (SeparadorDeSecao(linha)) continue; // o relatório não separa as seções
        Fonte(s, 8, linha.titulo);
        DefineLinha(s, y);
        ImprimeEm(s, linha.textos[0], l);
        for (int c = 0; c < 4; ++c) {
            if (linha.textos[c + 1].isEmpty()) continue;
            DefineLinha(s, y);
            ImprimeAlinhadoDireita(s, linha.textos[c + 1], fim(c));
        }
        y += 4;
    }
    Etapa(2);
}

int ImprimirTotaisPorCFOP(SuperficieImpressao& s, const ArquivoAberto& a, const QDateTime& agora) {
    Log(LogImpressao, QStringLiteral(" ImprimirTotaisPorCFOP..."));
    Etapa(1);
    const TabelaPaginada t{"Relatório dos Totais por CFOP",
                           " Nova pagina...",
                           {QStringLiteral("CFOP")},
                           {0, 0},
                           15,
                           {QStringLiteral("Valor Total"), QStringLiteral("Base Calc."),
                            QStringLiteral("Valor ICMS"), QStringLiteral("Valor Isentas"),
                            QStringLiteral("Valor Outras"), QStringLiteral("Valor IPI"),
                            QStringLiteral("Valor Base Calc ST"),
                            QStringLiteral("Valor ICMS Retido"), QStringLiteral("Desconto"),
                            QStringLiteral("Desp. Acessórias")}};
    return ImprimeTabela(s, a, agora, t, LinhasTotaisPorCFOP(a.totaisCFOP));
}

int ImprimirTotaisPorRegistro_CFOP(SuperficieImpressao& s, const ArquivoAberto& a,
                                   const QDateTime& agora) {
    Log(LogImpressao, QStringLiteral(" ImprimirTotaisPorRegistro_CFOP..."));
    Etapa(1);
    QVector<QStringList> linhas = LinhasTotaisRegCFOP(a.totaisCFOP);
    // 61 e 60A não têm CFOP: a coluna fica em branco.
    for (QStringList& linha : linhas)
        if (linha.value(0) == QLatin1String("61") || linha.value(0) == QLatin1String("60A"))
            linha[1] = QString();
    const TabelaPaginada t{"Relatório dos Totais por Registro e CFOP",
                           " nova pagina",
                           {QStringLiteral("Registro"), QStringLiteral("CFOP")},
                           {0, 15},
                           28,
                           {QStringLiteral("Valor Total"), QStringLiteral("Base Calc."),
                            QStringLiteral("Alíquota"), QStringLiteral("Valor ICMS"),
                            QStringLiteral("Valor Isentas"), QStringLiteral("Valor Outras"),
                            QStringLiteral("Valor IPI"), QStringLiteral("Valor Base Calc ST"),
                            QStringLiteral("Valor ICMS Retido"), QStringLiteral("Desconto"),
                            QStringLiteral("Desp. Acessórias")},
                           // A alíquota ("12,00", "F") pede metade; as cabeças longas da
                           // substituição tributária ficam com o resto.
                           {1, 1, 0.6, 1, 1, 1, 1, 1.15, 1.15, 1, 1}};
    return ImprimeTabela(s, a, agora, t, linhas);
}

} // namespace korventa
