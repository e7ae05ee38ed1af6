// Opções regionais, linha de comando e versões: as conferências que decidem se o programa abre.
#include "Ambiente.h"
#include "apoio/PlataformaRoteirizada.h"

#include "app/FormatoRegional.h"
#include "app/LinhaDeComando.h"
#include "app/Versoes.h"
#include "engine/Bibliotecas.h"

#include <gtest/gtest.h>

using namespace korventa;
using korventa::testes::PlataformaRoteirizada;

namespace {
FormatoNumerico formato(const char* decimal, const char* agrupamento) {
    return {QString::fromUtf8(decimal), QString::fromUtf8(agrupamento)};
}
} // namespace

TEST(FormatoRegional, FormataComOsSimbolosDoUsuario) {
    const auto br = formato(",", ".");
    EXPECT_EQ(FormataComPadrao(1.123, QStringLiteral("##,##0.000"), br), QStringLiteral("1,123"));
    EXPECT_EQ(FormataComPadrao(12123, QStringLiteral("##,##0"), br), QStringLiteral("12.123"));
    EXPECT_EQ(FormataComPadrao(1234567.5, QStringLiteral("##,##0.000"), br),
              QStringLiteral("1.234.567,500"));
    EXPECT_EQ(FormataComPadrao(0.25, QStringLiteral("##,##0.000"), br), QStringLiteral("0,250"));
    EXPECT_EQ(FormataComPadrao(-12123, QStringLiteral("##,##0"), formato(".", ",")),
              QStringLiteral("-12,123"));
}

TEST(FormatoRegional, AgrupamentoEmBrancoImpedeOInicio) {
    PlataformaRoteirizada p;
    p.defineFormato(formato(",", " "));
    EXPECT_TRUE(ConfereSimboloDecimal(p));
    p.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(ConfereAgrupamentoDigitos(p));
    ASSERT_EQ(p.caixas().size(), 1);
    EXPECT_EQ(p.caixas()[0].icone, Icone::Critico);
    EXPECT_EQ(p.caixas()[0].texto,
              QStringLiteral(
                  "O símbolo de agrupamento de dígitos de números está configurado de forma "
                  "incorreta.\rCorrija o símbolo de agrupamento de dígitos nas Opções Regionais de "
                  "Números desta máquina.\rO símbolo decimal deve ser diferente do símbolo de "
                  "agrupamento de dígitos.\r\rNúmero com símbolo de agrupamento de dígitos atual: "
                  "12 123\rNúmero com símbolo de agrupamento de dígitos válido: 12.123 ou 12,123"));
}

TEST(FormatoRegional, SimboloDecimalErradoMostraONumeroComNulosEmBranco) {
    PlataformaRoteirizada p;
    p.defineFormato({QString(QChar(u'\0')), QStringLiteral(".")});
    p.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(ConfereSimboloDecimal(p));
    ASSERT_EQ(p.caixas().size(), 1);
    EXPECT_EQ(p.caixas()[0].texto,
              QStringLiteral("O símbolo decimal de números está configurado de forma incorreta.\r"
                             "Corrija o símbolo decimal nas Opções Regionais de Números desta "
                             "máquina.\rO símbolo decimal deve ser diferente do símbolo de "
                             "agrupamento de dígitos.\r\rNúmero com símbolo decimal atual: 1 123\r"
                             "Número com símbolo decimal válido: 1,123 ou 1.123"));
}

TEST(FormatoRegional, VirgulaNosDoisSimbolosPassa) {
    PlataformaRoteirizada p;
    p.defineFormato(formato(",", ","));
    EXPECT_TRUE(ConfereSimboloDecimal(p));
    EXPECT_TRUE(ConfereAgrupamentoDigitos(p));
    // Sem agrupamento o número sai "12123": recusado também.
    p.defineFormato(formato(",", ""));
    p.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(ConfereAgrupamentoDigitos(p));
}

TEST(LinhaDeComando, NivelDeLog) {
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-L 3")).nivelLog, 3);
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-l")).nivelLog, 0);
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("x -l")).nivelLog, 0);
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-l nada")).nivelLog, 0);
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-l 7abc")).nivelLog, 7);
    // Metades para o par; o último par vale.
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-l 2.5")).nivelLog, 2);
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-l 3.5")).nivelLog, 4);
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-l 3 arquivo -L 5")).nivelLog, 5);
    // "-l" seguido de "-l": o segundo é o valor (não é número) e é pulado.
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("-l -l 4")).nivelLog, 0);
    // Só os dez primeiros argumentos contam.
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("a b c d e f g h i -l 6")).nivelLog, 0);
    EXPECT_EQ(InterpretaLinhaDeComando(QStringLiteral("a b c d e f g h -l 6")).nivelLog, 6);
}

TEST(LinhaDeComando, SintaxeSoNoPrimeiroArgumento) {
    EXPECT_TRUE(InterpretaLinhaDeComando(QStringLiteral("-? -l 3")).pedeSintaxe);
    EXPECT_FALSE(InterpretaLinhaDeComando(QStringLiteral("-l 3 -?")).pedeSintaxe);
    EXPECT_FALSE(InterpretaLinhaDeComando(QString()).pedeSintaxe);
    EXPECT_EQ(TextoSintaxe(QStringLiteral("ValidadorKorventa2017")),
              QStringLiteral("Sintaxe: ValidadorKorventa2017 [-l <nível de LOG>]"));
}

TEST(LinhaDeComando, ArgumentosDoSistemaComBrancosChegamInteiros) {
    const QString linha = MontaLinhaDeComando(
        {QStringLiteral("/tmp/meus arquivos/a.txt"), QStringLiteral("-l"), QStringLiteral("4")});
    EXPECT_EQ(linha, QStringLiteral("\"/tmp/meus arquivos/a.txt\" -l 4"));
    EXPECT_EQ(InterpretaLinhaDeComando(linha).nivelLog, 4);
}

TEST(LinhaDeComando, ArquivosSaoOsArgumentosQueNaoSaoOpcoes) {
    const QString pasta = QStringLiteral("/home/contador");
    const auto arquivos = [&](const QStringList& a) { return ArquivosDaLinhaDeComando(a, pasta); };
    EXPECT_EQ(arquivos({QStringLiteral("-l"), QStringLiteral("3"), QStringLiteral("/d/a.txt"),
                        QStringLiteral("-x"), QStringLiteral("b c.txt"), QStringLiteral("-L"),
                        QStringLiteral("9")}),
              (QStringList{QStringLiteral("/d/a.txt"), QStringLiteral("/home/contador/b c.txt")}));
    // Relativos viram absolutos a partir da pasta de onde o programa foi iniciado.
    EXPECT_EQ(arquivos({QStringLiteral("../outro/./x.txt")}),
              QStringList{QStringLiteral("/home/outro/x.txt")});
    // "-?" primeiro só pede a sintaxe; "-l" no fim não consome nada.
    EXPECT_TRUE(arquivos({QStringLiteral("-?"), QStringLiteral("a.txt")}).isEmpty());
    EXPECT_EQ(arquivos({QStringLiteral("a.txt"), QStringLiteral("-l")}),
              QStringList{QStringLiteral("/home/contador/a.txt")});
    EXPECT_TRUE(arquivos({}).isEmpty());
}

TEST(Versoes, ConfereVersaoComparaOTextoExato) {
    PlataformaRoteirizada p;
    EXPECT_TRUE(ConfereVersao(p, QStringLiteral("Kelvor"), QStringLiteral("5.2.0.0"),
                              QStringLiteral("5.2.0.0")));
    p.respondeMensagem(Resposta::Ok);
    p.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(ConfereVersao(p, QStringLiteral("Kelvor"), QStringLiteral("5.2.0.0"),
                               QStringLiteral("5.2.0")));
    EXPECT_FALSE(ConfereVersao(p, QStringLiteral("valkora3"), QStringLiteral("1.8.2"),
                               QStringLiteral("1.8.2  ")));
    ASSERT_EQ(p.caixas().size(), 2);
    EXPECT_EQ(p.caixas()[0].icone, Icone::Critico);
    EXPECT_EQ(p.caixas()[0].texto,
              QStringLiteral("A DLL Kelvor é da versão 5.2.0 e deveria ser da versão 5.2.0.0.\r"
                             "O Validador KORVENTA não pode ser executado.\r"
                             "Reinstale este programa."));
    EXPECT_EQ(p.caixas()[1].texto,
              QStringLiteral("A DLL valkora3 é da versão 1.8.2   e deveria ser da versão 1.8.2.\r"
                             "O Validador KORVENTA não pode ser executado.\r"
                             "Reinstale este programa."));
}

TEST(Versoes, CompararVersoesEmOrdemNumerica) {
    EXPECT_EQ(CompararVersoes(QStringLiteral("3.4.0"), QStringLiteral("3.10.0")), -1);
    EXPECT_EQ(CompararVersoes(QStringLiteral("3.10.0"), QStringLiteral("3.4.0")), 1);
    EXPECT_EQ(CompararVersoes(QStringLiteral("3.4.0.9"), QStringLiteral("3.4.0.1")), 0);
    EXPECT_EQ(CompararVersoes(QStringLiteral("5.2.0"), QStringLiteral("5.2.0.0")), 0);
    EXPECT_EQ(CompararVersoes(QStringLiteral("4.9.9"), QStringLiteral("5.0.0")), -1);
    EXPECT_EQ(CompararVersoes(QStringLiteral("5.0.10"), QStringLiteral("5.0.9")), 1);
}

TEST(Versoes, VersaoInvalidaValeIgualERegistraNoLog) {
    testes::apagaLog();
    auto* ligarLog = KORVENTA_FUNCAO("Kelvor", LigarLog);
    ASSERT_NE(ligarLog, nullptr);
    ligarLog("Korventa", 9);
    EXPECT_EQ(CompararVersoes(QStringLiteral("3.4"), QStringLiteral("1.0.0")), 0);
    EXPECT_EQ(CompararVersoes(QStringLiteral("1.0.0"), QStringLiteral("1.x.0")), 0);
    EXPECT_EQ(CompararVersoes(QStringLiteral("2.0.0"), QStringLiteral("1.0.0")), 1);
    EXPECT_EQ(testes::linhasDoLog(), (QStringList{QStringLiteral("CompararVersoes(3.4, 1.0.0)"),
                                                  QStringLiteral("Versao v1 invalida! (3.4)"),
                                                  QStringLiteral("CompararVersoes(1.0.0, 1.x.0)"),
                                                  QStringLiteral("Versao v2 invalida! (1.x.0)"),
                                                  QStringLiteral("CompararVersoes(2.0.0, 1.0.0)"),
                                                  QStringLiteral("retorno CompararVersoes = 1")}));
    ligarLog("Korventa", 0);
}
