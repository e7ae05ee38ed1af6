// Totais por CFOP (linhas de 146 caracteres), totais por registro e contagens por tipo.
#include "motor_exemplos.h"

#include "core/Texto.h"
#include "core/Totais.h"
#include "core/Validador.h"

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

// 92.234 registros 70 com valores de 14 noves passam do maior int64 (e de 15 dígitos já no 11º):
// cada linha de totais fica com 146 posições, sem número negativo, e cada soma que não cabe na
// coluna é criticada uma vez, no registro em que passou.
TEST(MotorTotais, SomasQueNaoCabemEm15DigitosViramCriticaSemQuebrarALinha) {
    Pasta pasta;
    const auto noves = [](int n) { return std::string(static_cast<std::size_t>(n), '9'); };
    const auto grande =
        com(com(com(com(com(r70(), 56, noves(13)), 69, noves(14)), 83, noves(14)), 97, noves(14)),
            111, noves(14));
    std::string texto = r10() + "\r\n" + r11() + "\r\n";
    texto.reserve(92234 * 128 + 256);
    for (int i = 0; i < 92234; ++i)
        texto += grande + "\r\n";
    grava(pasta / "f.txt", texto);

    std::string antes;
    for (int threads : {1, 2})
        for (std::size_t bloco : {std::size_t{0}, std::size_t{1000}}) {
            kelvor::Parametros p;
            p.arquivo = pasta / "f.txt";
            p.relatorio = pasta / "c.tmp";
            p.totaisCfop = pasta / "t.cfop";
            p.threads = threads;
            p.bloco = bloco;
            kelvor::Validador v(p);
            ASSERT_FALSE(v.prepara());
            kelvor::Progresso pg;
            const std::atomic<bool> cancelar{false};
            const auto r = v.executa(pg, cancelar);
            EXPECT_EQ(r.veredito, kelvor::VereditoRejeitado);

            const auto t = le(p.totaisCfop);
            ASSERT_EQ(t.size(), 148u);
            EXPECT_EQ(t, linha("7053520000", {999999999999999, 999999999999999, 999999999999999,
                                              999999999999999, 999999999999999, 0, 0, 0, 0}) +
                             "\r\n");
            // Por registro, sem coluna fixa: exato até 18 dígitos (92.234 × 13 noves cabe), e
            // parado em 18 noves além disso, para caber no texto de Kelvor_TotalizadorRegistro.
            EXPECT_EQ(r.totaisPorRegistro[11],
                      "70S:922339999999907766:999999999999999999:999999999999999999:0");

            // As críticas da soma, fora as de estrutura (sem registro 90).
            auto rel = le(p.relatorio);
            rel.erase(0, rel.find("\r\n") + 2);
            std::vector<std::string> somas;
            for (std::size_t i = 0; i + 218 <= rel.size(); i += 218)
                if (rel.compare(i + 87, 8, "Soma de ") == 0) somas.push_back(rel.substr(i, 216));
            ASSERT_EQ(somas.size(), 5u);
            // O 11º registro 70 (linha 13) passa nos campos de 14 dígitos; o 101º (linha 103),
            // no valor total, de 13.
            const char* esperadas[] = {"Base de cálculo", "ICMS", "Isentas", "Outras",
                                       "Valor total"};
            const int linhas[] = {13, 13, 13, 13, 103};
            const int inicios[] = {69, 83, 97, 111, 56};
            for (int k = 0; k < 5; ++k) {
                const auto& c = somas[static_cast<std::size_t>(k)];
                EXPECT_EQ(std::stoi(c.substr(10, 10)), linhas[k]) << k;
                EXPECT_EQ(std::stoi(c.substr(198, 3)), inicios[k]) << k;
                EXPECT_EQ(kelvor::texto::semBrancosDireita(c.substr(87, 100)),
                          kelvor::texto::paraWindows1252(
                              std::string("Soma de ") + esperadas[k] +
                              " do registro 70, CFOP 5352, alíquota 0000, passa de 15 dígitos."))
                    << k;
                EXPECT_EQ(c.substr(187, 8), "Rejei\xe7\xe3o");
            }
            // Com qualquer número de threads e tamanho de lote, o mesmo relatório.
            if (antes.empty())
                antes = rel;
            else
                EXPECT_EQ(rel, antes) << threads << " " << bloco;
        }
}
