// Totais por CFOP (linhas de 146 caracteres), totais por registro e contagens por tipo.
#include "motor_exemplos.h"

#include "core/Totais.h"

#include <gtest/gtest.h>

using namespace exemplos;

namespace {

// Linha esperada: tipo, CFOP, alíquota e os campos 3 a 11 (valores em centavos).
std::string linha(const std::string& inicio, std::array<long long, 9> v) {
    std::string s = inicio;
    for (auto x : v) {
        char d[20];
        std::snprintf(d, sizeof d, "%015lld", x);
        s += d;
    }
    return s + " ";
}

std::vector<std::string> totais(std::initializer_list<std::string> registros) {
    kelvor::TotaisCfop t;
    for (const auto& r : registros)
        t.acumula(*kelvor::leiautePara(r), r);
    return t.linhas();
}

} // namespace

TEST(MotorTotais, LinhaDeCadaTipoNosCamposCertos) {
    auto ls = totais({r50(), r51(), r53(), r54(), r60A(), r61(), r70()});
    ASSERT_EQ(ls.size(), 7u);
    for (const auto& l : ls)
        EXPECT_EQ(l.size(), 146u);
    // 50, 61, 70: total, base, ICMS, isentas, outras.
    EXPECT_EQ(ls[0], linha("5051021800", {10000, 10000, 1800, 0, 0, 0, 0, 0, 0}));
    // 51: total, isentas, outras, IPI.
    EXPECT_EQ(ls[1], linha("5151020000", {10000, 0, 0, 0, 0, 0, 0, 500, 0}));
    // 53: ICMS retido (5), despesas acessórias (8), base ST (9).
    EXPECT_EQ(ls[2], linha("5351020000", {0, 0, 360, 0, 0, 200, 12000, 0, 0}));
    // 54: produto (3), base (4), base ST (9), IPI (10), desconto dos itens comuns (11).
    EXPECT_EQ(ls[3], linha("5451021800", {10000, 10000, 0, 0, 0, 0, 0, 500, 100}));
    // 60A numérico: base e ICMS calculado; o total fica no campo 3.
    EXPECT_EQ(ls[4], linha("60    1800", {10000, 10000, 1800, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ls[5], linha("61    1800", {10000, 10000, 1800, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ls[6], linha("7053520000", {10000, 10000, 1200, 0, 0, 0, 0, 0, 0}));
}

TEST(MotorTotais, SituacaoTributariaDo60AEDespesasDo54) {
    auto ls = totais({r60A("I   "), r60A("N   "), r60A("F   "), r60A("CANC"), r60A("DESC"),
                      r60A("ISS "), r54("991"), r54("993")});
    ASSERT_EQ(ls.size(), 4u);
    // Frete (991) vai para despesas acessórias; 993 não soma desconto nem despesa.
    EXPECT_EQ(ls[0], linha("5451021800", {20000, 20000, 0, 0, 0, 100, 0, 1000, 0}));
    EXPECT_EQ(ls[1], linha("60    F   ", {10000, 0, 0, 0, 0, 0, 10000, 0, 0}));
    EXPECT_EQ(ls[2], linha("60    I   ", {10000, 0, 0, 10000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ls[3], linha("60    N   ", {10000, 0, 0, 0, 10000, 0, 0, 0, 0}));
}

TEST(MotorTotais, DocumentoCanceladoNaoSomaNemOsItensDele) {
    auto cancelado = com(r50(), 126, "S");
    auto ls = totais({cancelado, r54(), com(r51(), 126, "2"), com(r70(), 126, "E")});
    ASSERT_EQ(ls.size(), 1u);
    EXPECT_EQ(ls[0].substr(0, 6), "705352"); // extemporâneo soma
    // Um 54 de outro documento (número diferente) soma normalmente.
    EXPECT_EQ(totais({cancelado, com(r54(), 22, "000124")}).size(), 1u);
}

TEST(MotorTotais, SomaEOrdenaPorTipoCfopEAliquota) {
    auto ls = totais({com(r50(), 122, "1200"), r50(), com(r50(), 52, "5101"), r50()});
    ASSERT_EQ(ls.size(), 3u);
    EXPECT_EQ(ls[0].substr(0, 10), "5051011800");
    EXPECT_EQ(ls[1].substr(0, 10), "5051021200");
    EXPECT_EQ(ls[2], linha("5051021800", {20000, 20000, 3600, 0, 0, 0, 0, 0, 0}));
}

TEST(MotorTotais, LinhasPorRegistroSeparamEntradasESaidas) {
    kelvor::TotaisCfop t;
    auto entrada = com(com(r50(), 52, "1102"), 57, "0000000005000");
    for (const auto& r : {r50(), entrada, r53(), r54(), r60A(), r61(), r70()})
        t.acumula(*kelvor::leiautePara(r), r);
    auto ls = t.linhasPorRegistro();
    ASSERT_EQ(ls.size(), 31u);
    EXPECT_EQ(ls[0], "50E:5000:10000:1800:0");
    EXPECT_EQ(ls[1], "50S:10000:10000:1800:0");
    EXPECT_EQ(ls[2], "51E:0:0:0:0");
    EXPECT_EQ(ls[5], "53S:200:12000:360:0");
    EXPECT_EQ(ls[7], "54S:10000:10000:100:0");
    EXPECT_EQ(ls[8], "60A:10000:10000:1800:0");
    EXPECT_EQ(ls[9], "61:10000:10000:1800:0");
    EXPECT_EQ(ls[11], "70S:10000:10000:1200:0");
    for (int i = 12; i <= 30; ++i)
        EXPECT_TRUE(ls[i].empty());
}

TEST(MotorTotais, ContagensPorTipoComCriticaTardia) {
    kelvor::Contagens c;
    c.conta(2, kelvor::Situacao::SemCritica);
    c.conta(2, kelvor::Situacao::SemCritica);
    c.conta(5, kelvor::Situacao::ComAdvertencia);
    c.conta(-1, kelvor::Situacao::Rejeitado); // tipo desconhecido: sem linha
    c.muda(2, kelvor::Situacao::SemCritica, kelvor::Situacao::Rejeitado);
    EXPECT_EQ(c.celula(2, 0), 1);
    EXPECT_EQ(c.celula(2, 2), 1);
    EXPECT_EQ(c.celula(2, 3), 2);
    EXPECT_EQ(c.celula(5, 1), 1);
    EXPECT_EQ(c.celula(21, 0), 1);
    EXPECT_EQ(c.celula(21, 1), 1);
    EXPECT_EQ(c.celula(21, 2), 1);
    EXPECT_EQ(c.celula(21, 3), 3);
    EXPECT_EQ(c.celula(22, 0), 0);
    EXPECT_EQ(c.celula(0, 4), 0);
}
