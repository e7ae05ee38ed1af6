#include "common/Numeros.h"
#include "common/Windows1252.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace korventa;

TEST(Numeros, ArredondaMetadesParaOPar) {
    EXPECT_EQ(ArredondaPar(2.5), 2);
    EXPECT_EQ(ArredondaPar(3.5), 4);
    EXPECT_EQ(ArredondaPar(-2.5), -2);
    EXPECT_EQ(ArredondaPar(-0.6), -1);
    EXPECT_EQ(ArredondaPar(1e12), INT32_MAX);
    EXPECT_EQ(ArredondaPar(NAN), 0);
    EXPECT_EQ(ArredondaPar16(40000.0), INT16_MAX);
    EXPECT_EQ(ArredondaPar16(-6.5), -6);
    EXPECT_EQ(ArredondaPar(MilimetrosParaTwips(10)), 567);
    EXPECT_DOUBLE_EQ(TwipsParaMilimetros(567), 10.0);
}

TEST(Numeros, TextoDosNumeros) {
    EXPECT_EQ(NumeroComBrancoInicial(0), " 0");
    EXPECT_EQ(NumeroComBrancoInicial(-3), "-3");
    EXPECT_DOUBLE_EQ(ValorInicialNumerico("3.5"), 3.5);
    EXPECT_DOUBLE_EQ(ValorInicialNumerico("  7x"), 7.0);
    EXPECT_DOUBLE_EQ(ValorInicialNumerico("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(ValorInicialNumerico("2e"), 2.0);
    EXPECT_DOUBLE_EQ(ValorInicialNumerico("3,5"), 3.0);
    EXPECT_DOUBLE_EQ(ValorInicialNumerico("x7"), 0.0);
}

TEST(Windows1252, IdaEVoltaComAcentosEEuro) {
    for (const QString texto : {"Rejeição", "Advertência", "€ 10"}) {
        const QByteArray bytes = ParaWindows1252(texto);
        EXPECT_EQ(bytes.size(), texto.size());
        EXPECT_EQ(DeWindows1252(bytes), texto);
    }
    EXPECT_EQ(ParaWindows1252(QStringLiteral("ção€")), QByteArray("\xE7\xE3o\x80"));
    EXPECT_EQ(DeWindows1252("\x93x\x94\x81"), QString(QStringLiteral("\u201Cx\u201D\u0081")));
    // Sem representação vira "?"; um par substituto vira um só "?".
    EXPECT_EQ(ParaWindows1252(QStringLiteral("a\u4E2Db")), "a?b");
    EXPECT_EQ(ParaWindows1252(QStringLiteral("a\U0001F600b")), "a?b");
}
