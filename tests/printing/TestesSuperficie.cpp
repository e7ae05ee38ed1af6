// A superfície de impressão em PDF: posições em twips no papel, fonte Arial medida como a
// impressa, página nova quando o texto passa do fim, e documento descartado sem deixar nada.
#include "printing/Ambiente.h"
#include "printing/PaginaImpressa.h"
#include "printing/SuperficieQt.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QProcess>

namespace korventa::testes {
namespace {

class Superficie : public TesteImpressao {
protected:
    std::unique_ptr<SuperficieQt> documento(const QString& nome, int orientacao = Retrato) {
        EstadoImpressora e;
        e.orientacao = orientacao;
        e.arquivoPdf = caminho(nome);
        return std::make_unique<SuperficieQt>(ImpressoraPdf, e, QStringLiteral("Teste"));
    }
};

TEST_F(Superficie, TextosNasPosicoesDaPaginaEmArial) {
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(),
              QStringLiteral("Liberation Sans"));
    auto s = documento(QStringLiteral("a.pdf"));
    // A4 (595 x 842 pontos) menos 6 mm de cada lado.
    EXPECT_NEAR(s->larguraImprimivel(), Twips(198), 10);
    EXPECT_NEAR(s->alturaImprimivel(), Twips(285), 10);
    const int w = s->larguraImprimivel();
    DefineLinha(*s, 10);
    ImprimeMargemEsquerda(*s, QStringLiteral("Esquerda"));
    DefineLinha(*s, 10);
    const int xDireita = ImprimeMargemDireita(*s, QStringLiteral("Direita"));
    DefineLinha(*s, 30);
    const int xMeio = ImprimeCentralizado(*s, QStringLiteral("Meio"));
    DefineLinha(*s, 40);
    ImprimeAlinhadoDireita(*s, QStringLiteral("Fim"), 5000);
    EXPECT_EQ(s->y(), PosicaoPapel(40) + s->alturaTexto()); // imprimir desce uma linha
    EXPECT_EQ(s->x(), 0);
    ASSERT_TRUE(s->fimDocumento());

    const auto palavras = PalavrasPdf(caminho(QStringLiteral("a.pdf")));
    const auto perto = [](double medido, double esperado) { EXPECT_NEAR(medido, esperado, 1.0); };
    const PalavraPdf* esquerda = AchaPalavra(palavras, QStringLiteral("Esquerda"));
    ASSERT_NE(esquerda, nullptr);
    perto(esquerda->xMin, PontosDoTwip(MargemTwips));
    perto(esquerda->yMin, PontosDoTwip(PosicaoPapel(10)));
    const PalavraPdf* direita = AchaPalavra(palavras, QStringLiteral("Direita"));
    ASSERT_NE(direita, nullptr);
    perto(direita->xMax, PontosDoTwip(w - MargemTwips));
    perto(direita->xMin, PontosDoTwip(xDireita));
    const PalavraPdf* meio = AchaPalavra(palavras, QStringLiteral("Meio"));
    ASSERT_NE(meio, nullptr);
    perto((meio->xMin + meio->xMax) / 2, PontosDoTwip(w / 2));
    perto(meio->xMin, PontosDoTwip(xMeio));
    const PalavraPdf* fim = AchaPalavra(palavras, QStringLiteral("Fim"));
    ASSERT_NE(fim, nullptr);
    perto(fim->xMax, PontosDoTwip(5000));

    QProcess fontes;
    fontes.start(QStringLiteral("pdffonts"), {caminho(QStringLiteral("a.pdf"))});
    fontes.waitForFinished();
    EXPECT_TRUE(fontes.readAllStandardOutput().contains("LiberationSans"));
}

TEST_F(Superficie, TextoQuePassaDoFimVaiParaAPaginaSeguinte) {
    auto s = documento(QStringLiteral("b.pdf"), Paisagem);
    EXPECT_GT(s->larguraImprimivel(), s->alturaImprimivel());
    DefineLinha(*s, 197); // a área imprimível em paisagem acaba a 204 mm da borda
    ImprimeMargemEsquerda(*s, QStringLiteral("Primeira"));
    EXPECT_EQ(s->pagina(), 1);
    ImprimeMargemEsquerda(*s, QStringLiteral("Segunda"));
    EXPECT_EQ(s->pagina(), 2);
    s->novaPagina();
    EXPECT_EQ(s->pagina(), 3);
    ImprimeMargemEsquerda(*s, QStringLiteral("Terceira"));
    ASSERT_TRUE(s->fimDocumento());

    const QString arquivo = caminho(QStringLiteral("b.pdf"));
    const InfoPdf info = LeInfoPdf(arquivo);
    EXPECT_EQ(info.paginas, 3);
    EXPECT_TRUE(info.paisagem());
    const auto palavras = PalavrasPdf(arquivo);
    ASSERT_NE(AchaPalavra(palavras, QStringLiteral("Segunda"), 2), nullptr);
    EXPECT_NEAR(AchaPalavra(palavras, QStringLiteral("Segunda"), 2)->yMin, PontosDoTwip(0), 1.0);
    EXPECT_NE(AchaPalavra(palavras, QStringLiteral("Terceira"), 3), nullptr);
}

TEST_F(Superficie, AbortarNaoDeixaArquivoNemTocaNoQueJaExistia) {
    {
        auto s = documento(QStringLiteral("novo.pdf"));
        ImprimeMargemEsquerda(*s, QStringLiteral("texto"));
        s->novaPagina();
        s->abortaDocumento();
        EXPECT_TRUE(s->fimDocumento()); // terminar depois de abortar não faz nada
    }
    EXPECT_FALSE(QFile::exists(caminho(QStringLiteral("novo.pdf"))));

    const QString antigo = caminho(QStringLiteral("antigo.pdf"));
    {
        QFile f(antigo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("conteúdo anterior");
    }
    {
        auto s = documento(QStringLiteral("antigo.pdf"));
        ImprimeMargemEsquerda(*s, QStringLiteral("texto"));
        // Largado sem fim: também descartado.
    }
    QFile f(antigo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("conteúdo anterior"));
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files).size(), 1); // nenhum temporário sobrou
}

TEST_F(Superficie, ArquivoQueNaoPodeSerCriadoEhFalhaComNumero) {
    auto s = documento(QStringLiteral("pasta-que-nao-existe/c.pdf"));
    ImprimeMargemEsquerda(*s, QStringLiteral("texto"));
    EXPECT_TRUE(s->falhou());
    EXPECT_FALSE(s->fimDocumento());
    EXPECT_EQ(s->erro().numero, ENOENT);
    EXPECT_TRUE(s->erro().descricao.contains(QStringLiteral("c.pdf")));
    EXPECT_EQ(s->erro().fonte, QStringLiteral("ValidadorKorventa2017"));
}

TEST_F(Superficie, CaminhoLongoViraSoONomeDoArquivo) {
    auto s = documento(QStringLiteral("d.pdf"));
    const QString curto = QStringLiteral("Arquivo: /dados/ARQ.TXT");
    const QString longo = QStringLiteral("Arquivo: /dados/") + QString(80, QLatin1Char('x')) +
                          QStringLiteral("\\pasta/ARQUIVO.TXT");
    const int limite = 8000;
    DefineLinha(*s, 10);
    ImprimeCaminho(*s, curto, limite);
    DefineLinha(*s, 20);
    ImprimeCaminho(*s, longo, limite);
    ASSERT_TRUE(s->fimDocumento());
    const QString texto = TextoPdf(caminho(QStringLiteral("d.pdf")));
    EXPECT_TRUE(texto.contains(curto));
    EXPECT_FALSE(texto.contains(QStringLiteral("xxxx")));
    EXPECT_TRUE(texto.contains(QStringLiteral("ARQUIVO.TXT")));
}

} // namespace
} // namespace korventa::testes
