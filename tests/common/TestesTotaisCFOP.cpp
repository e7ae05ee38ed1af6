#include "common/TotaisCFOP.h"

#include <gtest/gtest.h>
#include <utility>

using namespace korventa;

namespace {

// Linha do arquivo de totais: tipo, CFOP (4 dígitos; 3 no leiaute antigo), alíquota, nove
// valores de 15 dígitos (o campo da coluna c vale c * 111111 centavos) e um branco.
QString Linha(const QString& tipo, const QString& cfop, const QString& aliquota) {
    QString linha = tipo + cfop + aliquota;
    for (int c = 3; c <= 11; ++c)
        linha += QStringLiteral("%1").arg(c * 111111, 15, 10, QChar(u'0'));
    return linha + u' ';
}

// Texto da célula e índice de origem.
using Celula = std::pair<QString, int>;

Celula Le(int coluna, const QString& linha) {
    int fonte = -99;
    QString texto = CelulaTotalRegCFOP(coluna, linha, fonte);
    return {texto, fonte};
}

} // namespace

TEST(TotaisCFOP, CamposNosDoisLeiautes) {
    const QString nova = Linha("54", "5102", "1800");
    const QString antiga = Linha("54", "512", "1800");
    ASSERT_EQ(nova.size(), 146);
    ASSERT_EQ(antiga.size(), 145);
    EXPECT_EQ(CampoTotalCFOP(1, nova), "5102");
    EXPECT_EQ(CampoTotalCFOP(1, antiga), "512");
    EXPECT_EQ(CampoTotalCFOP(3, antiga), "000000000333333");
    EXPECT_EQ(CampoTotalCFOP(11, nova), "000000001222221");
    EXPECT_EQ(CampoTotalCFOP(11, nova.left(130)), "0");
}

TEST(TotaisCFOP, CelulasDoRegistro54) {
    const QString linha = Linha("54", "5102", "1800");
    EXPECT_EQ(Le(2, linha), Celula("18,00", 4)); // alíquota com duas decimais
    EXPECT_EQ(Le(5, linha), Celula(" ", 5));
    EXPECT_EQ(Le(8, linha), Celula("8.888,88", 12));
    EXPECT_EQ(Le(11, linha).first, "12.222,21");
}

TEST(TotaisCFOP, CelulasDosOutrosTipos) {
    const QString r53 = Linha("53", "5403", "0000");
    EXPECT_EQ(Le(2, r53).first, " ");
    EXPECT_EQ(Le(5, r53), Celula("5.555,55", 10));
    const QString r60 = Linha("60", "    ", "T17 ");
    EXPECT_EQ(Le(0, r60).first, "60A");
    EXPECT_EQ(Le(9, r60).first, "9.999,99");
    const QString r51 = Linha("51", "610", "0000"); // leiaute antigo
    ASSERT_EQ(r51.size(), 145);
    EXPECT_EQ(Le(1, r51).first, "610");
    EXPECT_EQ(Le(4, r51).first, " ");
    EXPECT_EQ(Le(10, r51), Celula("11.111,10", 8));
}

TEST(TotaisCFOP, ColunaForaDaFaixaMantemIndiceFonte) {
    const QString linha = Linha("50", "5102", "1800");
    int fonte = 7;
    EXPECT_EQ(CelulaTotalRegCFOP(12, linha, fonte), " ");
    EXPECT_EQ(CelulaTotalRegCFOP(-1, linha, fonte), " ");
    EXPECT_EQ(fonte, 7);
}
