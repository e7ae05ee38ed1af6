// Conferência de campos em casos de arquivos reais: documentos cancelados, inscrições estaduais
// de formatos ainda não confirmados.
#include "motor_exemplos.h"

#include "core/Digitos.h"
#include "core/Mensagens.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace exemplos;
using kelvor::Gravidade;
namespace msg = kelvor::msg;

namespace {

// Documento cancelado como os sistemas o escrevem: chaves do documento e a situação, o resto
// em zeros (campos N) ou brancos (campos X).
std::string cancelado50(const std::string& data = z(8), const std::string& sit = "S") {
    auto r = reg({{1, "50"}, {3, z(14)}, {31, data}, {41, "55"}, {43, "1"}, {46, "000123"}});
    for (auto [pos, n] :
         {std::pair{52, 4}, {57, 13}, {70, 13}, {83, 13}, {96, 13}, {109, 13}, {122, 4}})
        r = com(r, pos, z(n));
    return com(r, 126, sit);
}

} // namespace

TEST(RevisaoCampos, DocumentoCanceladoAceitaCodigosEmBrancoOuZerados) {
    for (const char* sit : {"S", "X", "2", "4"})
        EXPECT_TRUE(criticasDe(cancelado50(z(8), sit)).empty()) << sit;
    // 53 sem emitente; 70 sem CIF/FOB; 76 com tipo de receita zerado.
    auto r53 = com(com(com(exemplos::r53(), 56, " "), 96, "S"), 97, " ");
    EXPECT_TRUE(criticasDe(r53).empty());
    EXPECT_TRUE(criticasDe(com(exemplos::r70(), 125, " S")).empty());
    EXPECT_TRUE(criticasDe(com(com(exemplos::r76(), 51, "0"), 126, "S")).empty());
    // Documento normal continua exigindo o código.
    auto normal = com(r50(), 56, " ");
    auto cs = criticasDe(normal);
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].mensagem, msg::CodigoInvalido);
    EXPECT_EQ(cs[0].inicio, 56);
    // Código preenchido errado num cancelado também é criticado.
    cs = criticasDe(com(cancelado50(), 56, "Q"));
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].inicio, 56);
}

TEST(RevisaoCampos, DataDeDocumentoCanceladoForaDoPeriodoERejeitada) {
    for (const char* sit : {"S", "2", "4"}) {
        auto cs = criticasDe(cancelado50("20240210", sit));
        ASSERT_EQ(cs.size(), 1u) << sit;
        EXPECT_EQ(cs[0].mensagem, msg::ForaDoPeriodo);
        EXPECT_EQ(cs[0].gravidade, Gravidade::Rejeicao);
        EXPECT_EQ(cs[0].inicio, 31);
        EXPECT_EQ(cs[0].tamanho, 8);
    }
    // Lançamento extemporâneo de cancelado: fora do período é aceito.
    EXPECT_TRUE(criticasDe(cancelado50("20231210", "X")).empty());
    EXPECT_TRUE(criticasDe(cancelado50("20240110", "S")).empty());
    // Cancelado de transporte (70) e de comunicação (76) pela mesma regra.
    auto r70 = com(com(exemplos::r70(), 31, "20231231"), 126, "S");
    ASSERT_EQ(criticasDe(r70).size(), 1u);
    EXPECT_EQ(criticasDe(r70)[0].mensagem, msg::ForaDoPeriodo);
    auto r76 = com(com(exemplos::r76(), 52, "20240201"), 126, "4");
    ASSERT_EQ(criticasDe(r76).size(), 1u);
    EXPECT_EQ(criticasDe(r76)[0].inicio, 52);
}

TEST(RevisaoCampos, DigitoDeIEEmFormatoNaoConferidoEAdvertencia) {
    struct Caso {
        const char* uf;
        const char* ie; // dígito verificador errado
        Gravidade g;
    };
    const Caso casos[] = {
        {"RO", "101625214", Gravidade::Rejeicao},         // 9 dígitos: conferido
        {"RO", "00000000625214", Gravidade::Advertencia}, // 14 dígitos: pesos não conferidos
        {"TO", "29010227837", Gravidade::Rejeicao},       // 11 dígitos com a categoria
        {"TO", "290102279", Gravidade::Advertencia},      // 9 dígitos: formato novo
        {"BA", "12345664", Gravidade::Rejeicao},          // 8 dígitos, módulo 10
        {"BA", "61234558", Gravidade::Advertencia},       // 8 dígitos, módulo 11
        {"BA", "123456749", Gravidade::Rejeicao},         // 9 dígitos
        {"MG", "0623079040082", Gravidade::Rejeicao},
        {"SP", "110042490115", Gravidade::Advertencia},
        {"MG", "12345", Gravidade::Rejeicao}, // tamanho de nenhum formato conferido
        {"TO", "1234567890", Gravidade::Advertencia},
    };
    for (const auto& c : casos) {
        std::string ie = c.ie;
        ie.resize(14, ' ');
        const char* cfop = std::string_view(c.uf) == "SP" ? "5102" : "6102";
        auto r = com(com(com(r50(), 39, c.uf), 52, cfop), 17, ie);
        auto cs = criticasDe(r);
        ASSERT_EQ(cs.size(), 1u) << c.uf << ' ' << c.ie;
        EXPECT_EQ(cs[0].mensagem,
                  std::string("Inscrição Estadual inválida para a UF ") + c.uf + ".");
        EXPECT_EQ(cs[0].gravidade, c.g) << c.uf << ' ' << c.ie;
        EXPECT_EQ(cs[0].inicio, 17);
    }
    // Os mesmos números com o dígito certo passam sem crítica.
    for (auto [uf, ie] :
         {std::pair{"RO", "00000000625213"}, {"TO", "290102278     "}, {"BA", "61234557      "}})
        EXPECT_TRUE(criticasDe(com(com(com(r50(), 39, uf), 52, "6102"), 17, ie)).empty()) << uf;
}

TEST(RevisaoCampos, Registro57TemFalhasDeCampoSoComoAdvertencia) {
    // Leiaute do 57 não conferido: o que seria Rejeição vira Advertência, na mesma posição.
    for (auto [pos, texto, mensagem] :
         {std::tuple{3, std::string("11222333000182"), msg::CnpjCpfInvalido},
          {36, std::string("00012A"), msg::NaoNumerico},
          {42, std::string("5100"), msg::CfopInvalido}}) {
        auto cs = criticasDe(com(r57(), pos, texto));
        ASSERT_EQ(cs.size(), 1u) << pos;
        EXPECT_EQ(cs[0].mensagem, mensagem);
        EXPECT_EQ(cs[0].gravidade, Gravidade::Advertencia);
        EXPECT_EQ(cs[0].inicio, pos);
    }
    // Os demais registros seguem com Rejeição.
    auto cs = criticasDe(com(r54(), 28, "5100"));
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].gravidade, Gravidade::Rejeicao);
}
