#include "common/Auxiliar.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace korventa;

TEST(Formatos, MilharAgrupaAteOsMilhoes) {
    EXPECT_EQ(FormataMilhar(999), "999");
    EXPECT_EQ(FormataMilhar(1000), "1.000");
    EXPECT_EQ(FormataMilhar(1000000), "1.000.000");
    EXPECT_EQ(FormataMilhar(1001001), "1.001.001");
    EXPECT_EQ(FormataMilhar(1234567890), "1234.567.890");
    EXPECT_EQ(FormataMilhar(INT32_MIN), "-2147.483.648");
}

TEST(Formatos, DuracaoMostraSegundosSoAbaixoDeUmaHora) {
    EXPECT_EQ(FormataDuracao(3600), "1 hora ");
    EXPECT_EQ(FormataDuracao(7200), "2 horas ");
    EXPECT_EQ(FormataDuracao(7260), "2 horas 1 min");
    EXPECT_EQ(FormataDuracao(59), "59 seg");
    EXPECT_EQ(FormataDuracao(60), "1 min");
    EXPECT_EQ(FormataDuracao(61), "1 min 1 seg");
    EXPECT_EQ(FormataDuracao(0), "0 seg");
    EXPECT_EQ(FormataDuracao(-61), "-1 min 1 seg");
}

TEST(Formatos, ValorEmCentavos) {
    EXPECT_EQ(FormataValor(""), "0,00");
    EXPECT_EQ(FormataValor("5"), "0,05");
    EXPECT_EQ(FormataValor("12345"), "123,45");
    EXPECT_EQ(FormataValor("123456"), "1.234,56");
    EXPECT_EQ(FormataValor("100000000"), "1.000.000,00");
    EXPECT_EQ(FormataValor(TiraZerosEsquerda("000000000000000")), "0,00");
}

TEST(Formatos, ZerosEsquerdaMantemUltimoCaractere) {
    EXPECT_EQ(TiraZerosEsquerda("000"), "0");
    EXPECT_EQ(TiraZerosEsquerda("0012"), "12");
    EXPECT_EQ(TiraZerosEsquerda(""), "");
}

TEST(Formatos, CNPJEDataHora) {
    EXPECT_EQ(FormataCNPJ("12345678000195"), "12.345.678/0001-95");
    EXPECT_EQ(FormataDataHora("20170315", "093005"), "15/03/2017 às 09:30:05");
}

TEST(Texto, ResultadoRegistroENulo) {
    EXPECT_EQ(TextoResultado(1), "ARQUIVO ACEITO COM ADVERTÊNCIAS");
    EXPECT_EQ(TextoResultado(-1), "");
    EXPECT_EQ(IndiceDoRegistro(57), 8);
    EXPECT_EQ(IndiceDoRegistro(90), 20);
    EXPECT_EQ(IndiceDoRegistro(99), -1);
    EXPECT_EQ(CortaNoNulo(QString::fromUtf8("abc\0def", 7)), "abc");
}

TEST(Argumentos, AspasAgrupamBrancos) {
    EXPECT_EQ(SeparaArgumentos("-l \"a b\" c"), QStringList({"", "-l", "a b", "c"}));
    EXPECT_EQ(SeparaArgumentos(" \t "), QStringList({""}));
}

TEST(Argumentos, AspasColadasSeparamOuFicam) {
    // Depois de um trecho entre aspas, o que vem colado é outro argumento.
    EXPECT_EQ(SeparaArgumentos("\"a b\"cd"), QStringList({"", "a b", "cd"}));
    // Aspas no meio de um argumento sem aspas fazem parte dele.
    EXPECT_EQ(SeparaArgumentos("ab\"cd\" e"), QStringList({"", "ab\"cd\"", "e"}));
}

TEST(Argumentos, ParaNoMaximo) {
    EXPECT_EQ(SeparaArgumentos("a b c d", 2), QStringList({"", "a", "b"}));
    EXPECT_EQ(SeparaArgumentos("a \"b c\" d", 1), QStringList({"", "a"}));
    EXPECT_EQ(SeparaArgumentos("1 2 3 4 5 6 7 8 9 10 11 12").size(), 11);
}

TEST(Caminhos, SeparaNoUltimoSeparadorDeQualquerTipo) {
    EXPECT_EQ(PastaDoArquivo("C:\\dados\\sp\\arq.txt"), "C:\\dados\\sp");
    EXPECT_EQ(NomeDoArquivo("C:\\dados\\sp\\arq.txt"), "arq.txt");
    EXPECT_EQ(PastaDoArquivo("a/b\\c"), "a/b");
    EXPECT_EQ(NomeDoArquivo("a\\b/c"), "c");
    EXPECT_EQ(PastaDoArquivo("arq.txt"), "");
    EXPECT_EQ(NomeDoArquivo("arq.txt"), "arq.txt");
}

TEST(Caminhos, JuntaComUmSoSeparador) {
    const QString sep = QDir::separator();
    EXPECT_EQ(JuntaCaminho("/tmp", "arq"), "/tmp" + sep + "arq");
    EXPECT_EQ(JuntaCaminho("C:\\tmp", "arq"), "C:\\tmp" + sep + "arq");
    EXPECT_EQ(JuntaCaminho("/tmp/", "/arq"), "/tmp/arq");
    EXPECT_EQ(JuntaCaminho("C:\\tmp\\", "/arq"), "C:\\tmp\\arq");
    EXPECT_EQ(JuntaCaminho("/tmp", "\\arq"), "/tmp\\arq");
}
