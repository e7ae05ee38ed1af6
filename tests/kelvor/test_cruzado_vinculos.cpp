// Vínculos de transporte (71 -> 70), de cupom (60A/D/I -> 60M) e de código de produto ou
// serviço (54, 60D, 60I, 60R, 61R, 74, 77 -> 75).
#include "test_cruzado_apoio.h"

#include "core/CruzadoMensagens.h"

#include <gtest/gtest.h>

using namespace cruzado_teste;
using namespace exemplos;
namespace m = kelvor::cruzado::mensagem;
using kelvor::Gravidade;

TEST(CruzadoVinculos, CargaSemConhecimento) {
    EXPECT_TRUE(roda(arquivo({r70(), r71()})).empty());
    const auto cs = roda(arquivo({r70(), com(r71(), 46, "000124")}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, m::Sem70);
    EXPECT_EQ(cs[0].c.inicio, 46);
    EXPECT_EQ(cs[0].c.conteudo, "000124");
    EXPECT_EQ(cs[0].c.docItem, "1-000124");
    // Os dados do tomador não entram na chave (vendas em bolsa trazem o remetente).
    EXPECT_TRUE(roda(arquivo({r70(), com(r71(), 3, "11444777000161")})).empty());
}

TEST(CruzadoVinculos, CupomSemMestreCriticaCadaRegistroComOProprioSubtipo) {
    const auto outroDia = [](const std::string& r) { return com(r, 4, "20240116"); };
    const auto a = arquivo({r60M(), r60A(), outroDia(r60A()), outroDia(r60A("0700")),
                            outroDia(r60D()), outroDia(com(r60I(), 12, "ECF0002")), r75()});
    int releituras = 0;
    const auto cs = roda(a, contexto(), {}, &releituras);
    EXPECT_EQ(releituras, 1);
    ASSERT_EQ(cs.size(), 4u) << descreve(cs);
    const char subtipos[] = {'A', 'A', 'D', 'I'};
    for (std::size_t i = 0; i < cs.size(); ++i) {
        EXPECT_EQ(cs[i].c.linha, static_cast<std::int64_t>(i) + 5);
        EXPECT_EQ(cs[i].c.mensagem, m::sem60M(subtipos[i]));
        EXPECT_EQ(cs[i].c.inicio, 12);
        EXPECT_EQ(cs[i].c.tamanho, 20);
        EXPECT_EQ(cs[i].c.gravidade, Gravidade::Rejeicao);
        EXPECT_TRUE(cs[i].tardia);
    }
    EXPECT_EQ(cs[2].c.mensagem, "Registro 60D sem registro 60M da mesma data e equipamento.");
    EXPECT_EQ(cs[0].c.conteudo, "ECF0001             ");
    EXPECT_EQ(cs[3].c.conteudo, "ECF0002             ");
    EXPECT_EQ(cs[3].c.docItem, "000001/001"); // o 60I é um item de cupom
}

TEST(CruzadoVinculos, CodigoSemRegistro75EmCadaTipoQueOUsa) {
    struct Caso {
        std::string registro;
        int inicio, tamanho;
    };
    const std::vector<Caso> casos = {
        {r54(), 38, 14},  {r60D(), 32, 14}, {r60I(), 43, 14}, {r60R(), 10, 14},
        {r61R(), 10, 14}, {r74(), 11, 14},  {r77(), 41, 11},
    };
    for (const auto& caso : casos) {
        std::vector<std::string> miolo{r50(), r60M(), caso.registro};
        if (caso.registro[0] == '5') miolo = {r50(), caso.registro};
        if (caso.registro[0] == '7') miolo = {caso.registro};
        // O 75 existe, mas de outro código.
        miolo.push_back(com(r75(), 19, "OUTRO         "));
        if (caso.registro.substr(0, 2) == "77") std::swap(miolo[0], miolo[1]);
        const auto cs = roda(arquivo(miolo));
        std::vector<Gravada> sem;
        for (const auto& g : cs)
            if (g.c.mensagem == m::Sem75) sem.push_back(g);
        ASSERT_EQ(sem.size(), 1u) << caso.registro << '\n' << descreve(cs);
        EXPECT_EQ(sem[0].c.tipo, caso.registro.substr(0, 2));
        EXPECT_EQ(sem[0].c.inicio, caso.inicio) << caso.registro;
        EXPECT_EQ(sem[0].c.tamanho, caso.tamanho) << caso.registro;
        EXPECT_EQ(sem[0].c.gravidade, Gravidade::Rejeicao);
        EXPECT_EQ(sem[0].c.conteudo.substr(0, 5),
                  caso.registro[0] == '7' && caso.registro[1] == '7' ? "SERV1" : "PROD1");
    }
}

TEST(CruzadoVinculos, CodigoUsadoVariasVezesCriticaEmCadaRegistro) {
    const auto a = arquivo({r50(), r54("001"), r54("002"), r60M(), r60D(), r74()});
    const auto cs = roda(a);
    ASSERT_EQ(cs.size(), 4u) << descreve(cs);
    const std::int64_t linhas[] = {4, 5, 7, 8};
    for (std::size_t i = 0; i < cs.size(); ++i) {
        EXPECT_EQ(cs[i].c.linha, linhas[i]);
        EXPECT_EQ(cs[i].c.mensagem, m::Sem75);
    }
    EXPECT_EQ(cs[0].c.mensagem, "Código do produto ou serviço sem registro 75 correspondente.");
    EXPECT_EQ(cs[1].c.docItem, "1-000123/002");
    // Itens 991 a 999 não têm código.
    EXPECT_TRUE(
        roda(arquivo({r50(), r54(), com(com(r54(), 35, "991"), 38, std::string(14, ' ')), r75()}))
            .empty());
}

TEST(CruzadoVinculos, ValidadeDoRegistro75) {
    const auto fevereiro = com(com(r75(), 3, "20240201"), 11, "20240229");
    // A data do 54 é a do seu 50 (15/01): fora da validade.
    auto cs = roda(arquivo({r50(), r54(), fevereiro}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.gravidade, Gravidade::Advertencia);
    EXPECT_EQ(cs[0].c.mensagem, "Data 15/01/2024 fora da validade do registro 75 do código "
                                "(01/02/2024 a 29/02/2024).");
    EXPECT_EQ(cs[0].c.inicio, 38);

    // O mais antigo e o mais novo que escapam: um aviso por código.
    cs = roda(arquivo({r60M(), r60D(), com(r60M(), 4, "20240120"), com(r60D(), 4, "20240120"),
                       com(com(r75(), 3, "20240116"), 11, "20240119")}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, m::foraDaValidade75(20240115, false, 20240116, 20240119));

    // Mês: basta um dia do mês na validade; dois 75 do código somam as validades.
    EXPECT_TRUE(roda(arquivo({r60R(), com(r75(), 3, "20240131")})).empty());
    cs = roda(arquivo({r60R(), fevereiro}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, "Mês 01/2024 fora da validade do registro 75 do código "
                                "(01/02/2024 a 29/02/2024).");
    EXPECT_TRUE(roda(arquivo({r50(), r54(), r75(), fevereiro})).empty());

    // O inventário é de outra data por natureza: não é comparado.
    EXPECT_TRUE(roda(arquivo({r74(), r75()})).empty());
}

TEST(CruzadoVinculos, Registro75SemUso) {
    const auto cs = roda(arquivo({r75()}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 3);
    EXPECT_EQ(cs[0].c.mensagem, m::Nao75Referenciado);
    EXPECT_EQ(cs[0].c.gravidade, Gravidade::Advertencia);
    EXPECT_EQ(cs[0].c.inicio, 19);
    EXPECT_EQ(cs[0].c.conteudo, "PROD1         ");
    // Usado só por um 77, que vem depois dos 75.
    EXPECT_TRUE(roda(arquivo({com(r75(), 19, "SERV1"), r77()})).empty());
}
