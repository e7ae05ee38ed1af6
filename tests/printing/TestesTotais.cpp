// Relatórios dos totais: por registro numa página em retrato; por CFOP e por registro e CFOP em
// paisagem, com as páginas previstas iguais às impressas, faixas cinza nas linhas ímpares e a
// pergunta de novo enquanto a impressora estiver em retrato.
#include "printing/Ambiente.h"
#include "printing/ImprimirResumo.h"
#include "printing/PaginaImpressa.h"

#include <QFile>

namespace korventa::testes {
namespace {

// Linha do arquivo de totais por CFOP: tipo, CFOP de 4, alíquota e nove valores em centavos,
// completada até os 146 caracteres (com 145 seria o leiaute antigo, de CFOP com 3).
QString LinhaCFOP(const char* tipo, const QString& cfop, const QList<qint64>& valores,
                  const char* aliquota = "1800") {
    QString l = QString::fromLatin1(tipo) + cfop + QString::fromLatin1(aliquota);
    for (int i = 0; i < 9; ++i)
        l += QStringLiteral("%1").arg(valores.value(i), 15, 10, QLatin1Char('0'));
    return l + QLatin1Char(' ');
}

// `quantos` CFOPs distintos de saída do registro 50, do 5101 em diante.
QStringList Cfops(int quantos) {
    QStringList linhas;
    for (int i = 0; i < quantos; ++i)
        linhas << LinhaCFOP("50", QString::number(5101 + i), {100000 + i, 90000, 16200});
    return linhas;
}

class Totais : public TesteImpressao {
protected:
    QString imprime(int tipo, const QString& nome) {
        const QString pdf = caminho(nome);
        confirmaPdf(pdf, tipo >= ResumoTotaisCFOP ? Paisagem : Retrato);
        plataforma.respondeMensagem(Resposta::Ok);
        ImprimirResumo(sessao, tipo, 0);
        return pdf;
    }
};

TEST_F(Totais, PorRegistroNumaPaginaComAsSecoesEmSequencia) {
    sessao.arquivos[0].totaisCFOP = {
        LinhaCFOP("50", QStringLiteral("1102"), {123456, 100000, 18000}),
        LinhaCFOP("50", QStringLiteral("5102"), {500000, 400000, 72000}),
        LinhaCFOP("54", QStringLiteral("5102"), {200000, 150000, 0, 0, 0, 1234, 0, 0, 500}),
        LinhaCFOP("60", QStringLiteral("0000"), {77700, 77700, 13986}, "1700")};
    const QString pdf = imprime(ResumoTotaisRegistro, QStringLiteral("registro.pdf"));
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Relatório dos totais por registro impresso."));
    const InfoPdf info = LeInfoPdf(pdf);
    EXPECT_EQ(info.paginas, 1);
    EXPECT_FALSE(info.paisagem());
    const QString texto = TextoPdf(pdf).simplified();
    for (const char* esperado :
         {"KORVENTA", "Relatório dos Totais por Registro", "05/03/2024 14:07:09",
          "Período: 01/01/2024 a 31/01/2024", "Registro 50 Valor Contábil Base de Cálculo ICMS",
          "Entrada 1.234,56 1.000,00 180,00", "Saída 5.000,00 4.000,00 720,00",
          "Registro 54 Valor Total Base de Cálculo Desconto Desp.Acessórias",
          "Saída 2.000,00 1.500,00 5,00 12,34", "Registro 60A", "777,00 777,00 139,86",
          "Registro 61", "Registro 70"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
    // Linhas a cada 4 mm desde 30 mm, sem linha em branco entre as seções.
    const auto palavras = PalavrasPdf(pdf);
    const PalavraPdf* r50 = AchaPalavra(palavras, QStringLiteral("50"));
    const PalavraPdf* r51 = AchaPalavra(palavras, QStringLiteral("51"));
    ASSERT_NE(r50, nullptr);
    ASSERT_NE(r51, nullptr);
    EXPECT_NEAR(r50->yMin, PontosDoTwip(PosicaoPapel(30)), 1.5);
    EXPECT_NEAR(r51->yMin, PontosDoTwip(PosicaoPapel(42)), 1.5);
}

TEST_F(Totais, PorCFOPPrevistoIgualAoImpressoComFaixasNasLinhasImpares) {
    // A4 em paisagem: 41 linhas por página.
    sessao.arquivos[0].totaisCFOP = Cfops(41);
    const QString uma = imprime(ResumoTotaisCFOP, QStringLiteral("cfop41.pdf"));
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Relatório dos totais por CFOP impresso."));
    EXPECT_EQ(LeInfoPdf(uma).paginas, 1);
    EXPECT_TRUE(LeInfoPdf(uma).paisagem());

    sessao.arquivos[0].totaisCFOP = Cfops(42);
    const QString duas = imprime(ResumoTotaisCFOP, QStringLiteral("cfop42.pdf"));
    EXPECT_EQ(LeInfoPdf(duas).paginas, 2);
    const QString primeira = TextoPdf(duas, 1).simplified();
    EXPECT_TRUE(primeira.contains(QStringLiteral("Relatório dos Totais por CFOP")));
    EXPECT_TRUE(primeira.contains(QStringLiteral("Página 1 de 2")));
    EXPECT_TRUE(primeira.contains(QStringLiteral("CFOP Valor Total Base Calc. Valor ICMS")));
    EXPECT_TRUE(primeira.contains(QStringLiteral("5101 1.000,00 900,00 162,00")));
    const QString segunda = TextoPdf(duas, 2).simplified();
    EXPECT_TRUE(segunda.contains(QStringLiteral("Página 2 de 2")));
    EXPECT_TRUE(segunda.contains(QStringLiteral("5142 1.000,41")));
    EXPECT_FALSE(segunda.contains(QStringLiteral("5141 ")));

    // Faixa cinza atrás da linha 1 (de 35,5 a 39,5 mm do papel), nenhuma atrás da linha 2.
    EXPECT_EQ(CorNoPapel(duas, 1, 60, 36), QColor(200, 200, 200));
    EXPECT_EQ(CorNoPapel(duas, 1, 60, 40.2), QColor(Qt::white));
    EXPECT_EQ(CorNoPapel(duas, 1, 60, 44), QColor(200, 200, 200));
}

TEST_F(Totais, PorCFOPPerguntaAteOUsuarioEscolherPaisagemOuDesistir) {
    sessao.arquivos[0].totaisCFOP = Cfops(3);
    const QString aviso = QStringLiteral(
        "A impressora está configurada para imprimir no modo retrato.\rNo entanto é necessário "
        "imprimir este relatório no modo paisagem.\rAltere as configurações de impressão e tente "
        "novamente.");
    confirmaPdf(caminho(QStringLiteral("r1.pdf")), Retrato);
    plataforma.respondeMensagem(Resposta::Ok);
    confirmaPdf(caminho(QStringLiteral("r2.pdf")), Retrato);
    plataforma.respondeMensagem(Resposta::Ok);
    plataforma.cancelaImpressao();
    ImprimirResumo(sessao, ResumoTotaisCFOP, 0);
    ASSERT_EQ(plataforma.caixas().size(), 2);
    EXPECT_EQ(plataforma.caixas()[0].texto, aviso);
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Exclamacao);
    // O diálogo volta já em paisagem, proposto pelo relatório só na primeira vez.
    EXPECT_EQ(plataforma.dialogosImpressao()[0].estado.orientacao, Paisagem);
    EXPECT_EQ(plataforma.dialogosImpressao().size(), 3);
    EXPECT_TRUE(QDir(pasta.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
}

TEST_F(Totais, RegistroECFOPComCFOPEmBrancoNo60AEno61) {
    sessao.arquivos[0].totaisCFOP = {
        LinhaCFOP("50", QStringLiteral("5102"), {500000, 400000, 72000}),
        LinhaCFOP("60", QStringLiteral("0000"), {77700, 77700, 13986}, "1700"),
        LinhaCFOP("61", QStringLiteral("0000"), {33300, 33300, 5994})};
    const QString pdf = imprime(ResumoTotaisRegistroCFOP, QStringLiteral("regcfop.pdf"));
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Relatório dos totais por CFOP e registro impresso."));
    const QString texto = TextoPdf(pdf).simplified();
    for (const char* esperado : {"Relatório dos Totais por Registro e CFOP", "Página 1 de 1",
                                 "Registro CFOP Valor Total Base Calc. Alíquota Valor ICMS",
                                 "50 5102 5.000,00 4.000,00", "60A 777,00", "61 333,00"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_FALSE(texto.contains(QStringLiteral(" 0000 ")));

    // Onze colunas de valores na paisagem A4: as cabeças longas da substituição tributária
    // cabem na fonte da tabela, sem diminuir, e sem encostar na cabeça vizinha.
    const auto palavras = PalavrasPdf(pdf);
    const PalavraPdf* total = AchaPalavra(palavras, QStringLiteral("Total")); // "Valor Total"
    ASSERT_NE(total, nullptr);
    const double altura = total->yMax - total->yMin;
    for (const char* cabeca : {"Alíquota", "ST", "Retido", "Acessórias"}) {
        const PalavraPdf* p = AchaPalavra(palavras, QString::fromUtf8(cabeca));
        ASSERT_NE(p, nullptr) << cabeca;
        EXPECT_NEAR(p->yMax - p->yMin, altura, 0.2) << cabeca;
    }
    const PalavraPdf* st = AchaPalavra(palavras, QStringLiteral("ST"));
    const PalavraPdf* calc = nullptr;
    for (const PalavraPdf& p : palavras)
        if (p.texto == QLatin1String("Valor") && p.xMin > st->xMax &&
            (!calc || p.xMin < calc->xMin))
            calc = &p;
    ASSERT_NE(calc, nullptr);
    EXPECT_GT(calc->xMin - st->xMax, 3.0);
}

TEST_F(Totais, SemLinhasNadaEhImpressoENaoSeDizImpresso) {
    sessao.arquivos[0].totaisCFOP = {QString()};
    const QString pdf = imprime(ResumoTotaisCFOP, QStringLiteral("vazio.pdf"));
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("O arquivo não tem totais por CFOP para imprimir."));
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
} // namespace korventa::testes
