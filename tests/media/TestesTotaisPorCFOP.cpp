// Totais por CFOP e por registro a partir das linhas do arquivo de totais: corte das linhas,
// entradas e saídas, somas exatas e as três listas.
#include "media/TotaisCFOPRegistro.h"
#include "validation/ArquivoAberto.h"

#include <gtest/gtest.h>

using namespace korventa;

namespace {

// Linha de 146 caracteres: tipo, CFOP de 4, alíquota e os nove valores (em centavos).
QString Linha(const char* tipo, const char* cfop, const char* aliquota,
              std::array<long long, 9> valores) {
    QString l = QString::fromLatin1(tipo) + QString::fromLatin1(cfop).leftJustified(4) +
                QString::fromLatin1(aliquota).leftJustified(4);
    for (long long v : valores)
        l += QStringLiteral("%1").arg(v, 15, 10, QLatin1Char('0'));
    return l + QLatin1Char(' ');
}

} // namespace

TEST(TotaisPorCFOP, ValoresSomasExatasEFormato) {
    SomaDecimal s;
    EXPECT_EQ(s.texto(), QStringLiteral("0,00"));
    s.soma(QStringLiteral("000000000012345"));
    EXPECT_EQ(s.texto(), QStringLiteral("123,45"));
    // 20 mil campos no máximo passam do que cabe em 64 bits.
    SomaDecimal grande;
    for (int i = 0; i < 20000; ++i)
        grande.soma(QStringLiteral("999999999999999"));
    EXPECT_EQ(grande.texto(), QStringLiteral("199.999.999.999.999.800,00"));
    SomaDecimal ruim;
    ruim.soma(QStringLiteral("12a"));
    EXPECT_EQ(ruim.texto(), QStringLiteral("0,00"));
}

TEST(TotaisPorCFOP, EntradasESaidasPorCFOP) {
    EXPECT_TRUE(CfopDeEntrada(QStringLiteral("1102")));
    EXPECT_TRUE(CfopDeSaida(QStringLiteral("5102")));
    for (const char* fora : {"4999", "999", "8000", "0999"}) {
        EXPECT_FALSE(CfopDeEntrada(QString::fromLatin1(fora))) << fora;
        EXPECT_FALSE(CfopDeSaida(QString::fromLatin1(fora))) << fora;
    }
    ArquivoAberto e;
    e.totaisCFOP = {Linha("54", "1102", "1800", {100, 200, 0, 0, 0, 300, 0, 0, 400}) + "\r",
                    Linha("54", "4999", "1800", {7, 7, 7, 7, 7, 7, 7, 7, 7}) + "\r",
                    Linha("54", "5102", "1800", {1, 2, 0, 0, 0, 3, 0, 0, 4}) + "\r",
                    Linha("53", "5102", "0000", {0, 0, 55, 0, 0, 66, 77, 0, 0}) + "\r", QString()};
    CalculaSomas(e);
    // 54: campos 3, 8, 11, 4.
    EXPECT_EQ(e.soma54Entrada,
              (std::array<QString, 4>{QStringLiteral("1,00"), QStringLiteral("3,00"),
                                      QStringLiteral("4,00"), QStringLiteral("2,00")}));
    EXPECT_EQ(e.soma54Saida,
              (std::array<QString, 4>{QStringLiteral("0,01"), QStringLiteral("0,03"),
                                      QStringLiteral("0,04"), QStringLiteral("0,02")}));
    // 53: campos 5, 8, 9.
    EXPECT_EQ(e.soma53Saida, (std::array<QString, 3>{QStringLiteral("0,55"), QStringLiteral("0,66"),
                                                     QStringLiteral("0,77")}));
    EXPECT_EQ(e.soma53Entrada[0], QStringLiteral("0,00"));
}

TEST(TotaisPorCFOP, ListaPorCFOPERegistro) {
    const QString l146 = Linha("50", "1102", "1800", {123456, 100, 18, 0, 0, 0, 0, 0, 0});
    // A mesma linha no leiaute antigo: CFOP de 3 e tudo uma posição antes.
    const QString l145 = QStringLiteral("50112") + l146.mid(6);
    ASSERT_EQ(l145.size(), 145);
    const auto linhas = LinhasTotaisRegCFOP(
        {l146, l145, Linha("60", "", "I", {500, 0, 0, 500, 0, 0, 0, 0, 0}), QStringLiteral(" ")});
    ASSERT_EQ(linhas.size(), 3); // a linha só de brancos não vira linha da lista
    EXPECT_EQ(linhas[0], (QStringList{"50", "1102", "1.234,56", "1,00", "18,00", "0,18", "0,00",
                                      "0,00", " ", " ", " ", " ", " "}));
    EXPECT_EQ(linhas[1].mid(2), linhas[0].mid(2));
    EXPECT_EQ(linhas[1][1], QStringLiteral("112"));
    // 60 aparece como 60A, com a situação tributária como está e sem valor total.
    EXPECT_EQ(linhas[2][0], QStringLiteral("60A"));
    EXPECT_EQ(linhas[2][4], QStringLiteral("I"));
    EXPECT_EQ(linhas[2][2], QStringLiteral(" "));
    EXPECT_EQ(linhas[2][6], QStringLiteral("5,00"));
}

TEST(TotaisPorCFOP, ListaPorCFOPSomaSoOsTiposDeCadaColuna) {
    const auto linhas = LinhasTotaisPorCFOP({
        Linha("51", "1556", "0000", {900, 0, 0, 0, 0, 0, 0, 800, 0}),
        Linha("50", "5102", "1800", {1000, 800, 144, 100, 100, 0, 0, 0, 0}),
        Linha("70", "5102", "1200", {10, 10, 1, 0, 0, 0, 0, 0, 0}),
        Linha("54", "5102", "1800", {999, 999, 0, 0, 0, 5, 0, 33, 7}),
        Linha("53", "5102", "0000", {0, 0, 40, 0, 0, 0, 300, 0, 0}),
        Linha("60", "", "1800", {70, 70, 12, 0, 0, 0, 0, 0, 0}),
    });
    ASSERT_EQ(linhas.size(), 2); // ordem da primeira aparição; o 60 não entra
    // Um CFOP só de registro 51 aparece com tudo zerado.
    EXPECT_EQ(linhas[0], (QStringList{"1556", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00",
                                      "0,00", "0,00", "0,00", "0,00"}));
    EXPECT_EQ(linhas[1], (QStringList{"5102", "10,10", "8,10", "1,45", "1,00", "1,00", "0,33",
                                      "3,00", "0,40", "0,07", "0,05"}));
}

TEST(TotaisPorCFOP, ListaPorRegistroComSecoesNaOrdem) {
    const auto linhas = LinhasTotaisPorRegistro({
        Linha("50", "1102", "1800", {1000, 800, 144, 0, 0, 0, 0, 0, 0}),
        Linha("50", "5102", "1800", {20, 0, 0, 0, 0, 0, 0, 0, 0}),
        Linha("50", "4999", "1800", {99999, 0, 0, 0, 0, 0, 0, 0, 0}),
        Linha("60", "", "1800", {300, 300, 54, 0, 0, 0, 0, 0, 0}),
    });
    QStringList titulos;
    for (const auto& l : linhas)
        if (l.titulo) titulos << l.textos[0];
    EXPECT_EQ(titulos, (QStringList{"Registro 50", "Registro 51", "Registro 53", "Registro 54",
                                    "Registro 60A", "Registro 61", "Registro 70"}));
    ASSERT_EQ(linhas.size(), 5 * 4 + 2 * 3);
    EXPECT_EQ(linhas[0].textos, (std::array<QString, 5>{"Registro 50", "Valor Contábil",
                                                        "Base de Cálculo", "ICMS", ""}));
    EXPECT_EQ(linhas[1].textos, (std::array<QString, 5>{"Entrada", "10,00", "8,00", "1,44", ""}));
    EXPECT_EQ(linhas[2].textos, (std::array<QString, 5>{"Saída", "0,20", "0,00", "0,00", ""}));
    EXPECT_EQ(linhas[3].textos, (std::array<QString, 5>{}));
    EXPECT_EQ(linhas[12].textos,
              (std::array<QString, 5>{"Registro 54", "Valor Total", "Base de Cálculo", "Desconto",
                                      "Desp.Acessórias"}));
    EXPECT_EQ(linhas[17].textos, (std::array<QString, 5>{"", "3,00", "3,00", "0,54", ""}));
}
