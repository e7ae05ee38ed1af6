// Ordem do arquivo: 10 primeiro, 11 segundo, 90 no fim, tipos em ordem crescente (Rejeição)
// e a ordem dentro de cada tipo (só Advertência, uma vez por tipo).
#include "test_cruzado_apoio.h"

#include "core/CruzadoMensagens.h"

#include <gtest/gtest.h>

using namespace cruzado_teste;
using namespace exemplos;
namespace m = kelvor::cruzado::mensagem;
using kelvor::Gravidade;

namespace {

// Um registro de cada tipo, na ordem e com as chaves certas: nenhuma crítica.
std::vector<std::string> mioloCompleto() {
    return {r50(),
            r51(),
            r53(),
            r54(),
            r55(),
            r56(),
            r57(),
            r60M(),
            r60A(),
            r60D(),
            r60I(),
            r60R(),
            r61(),
            r61R(),
            r70(),
            r71(),
            r74(),
            r75(),
            com(r75(), 19, "SERV1         "),
            r76(),
            r77(),
            r85(),
            r86()};
}

// Nota de serviço de comunicação (modelo 21): não pede registros 54.
std::string r50SemItens() {
    return com(r50(), 41, "21");
}

} // namespace

TEST(EstruturaOrdem, ArquivoCompletoEmOrdemNaoTemCriticas) {
    const auto a = arquivo(mioloCompleto());
    ASSERT_EQ(a.size(), 27u); // 17 tipos + 99: dois registros 90
    const auto cs = roda(a);
    EXPECT_TRUE(cs.empty()) << descreve(cs);
    // Só 10, 11 e 90 também é um arquivo certo (sem movimento).
    EXPECT_TRUE(roda(arquivo({})).empty());
}

TEST(EstruturaOrdem, RegistrosDezEOnzeForaDoLugar) {
    // Falta o 10: só a primeira linha é apontada (o 11 ali não é criticado de novo).
    auto cs = roda({r11(), r50SemItens(), r90({{50, 1}, {99, 3}})});
    ASSERT_FALSE(cs.empty());
    EXPECT_EQ(cs[0].c.mensagem, m::Primeiro10);
    EXPECT_EQ(cs[0].c.linha, 1);
    EXPECT_EQ(cs[0].c.campo, "Tipo");
    EXPECT_EQ(cs[0].c.inicio, 1);
    EXPECT_EQ(cs[0].c.tamanho, 2);
    EXPECT_EQ(cs[0].c.conteudo, "11");
    EXPECT_EQ(cs.size(), 1u) << descreve(cs);

    // O 11 depois de outro registro: a segunda linha e o 11 fora do lugar.
    cs = roda({r10(), r50SemItens(), r11(), r90({{50, 1}, {99, 4}})});
    ASSERT_EQ(cs.size(), 2u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 2);
    EXPECT_EQ(cs[0].c.mensagem, m::Segundo11);
    EXPECT_EQ(cs[1].c.linha, 3);
    EXPECT_EQ(cs[1].c.mensagem, m::Fora11);
    EXPECT_EQ(cs[1].c.offset, 2 * 128);

    // Repetidos.
    cs = roda({r10(), r11(), r10(), r11(), r90({{99, 5}})});
    ASSERT_EQ(cs.size(), 2u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 3);
    EXPECT_EQ(cs[0].c.mensagem, m::Repetido10);
    EXPECT_EQ(cs[1].c.linha, 4);
    EXPECT_EQ(cs[1].c.mensagem, m::Repetido11);
    EXPECT_EQ(cs[1].c.gravidade, Gravidade::Rejeicao);
}

TEST(EstruturaOrdem, RegistrosNoventaNoFim) {
    // Registro depois de um 90: apontado uma vez por trecho, não por linha.
    auto cs = roda({r10(), r11(), r90({{50, 2}}, 2), r50SemItens(),
                    com(r50SemItens(), 46, "000124"), r90({{99, 6}}, 2)});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, m::DepoisDo90);

    // Sem nenhum 90: crítica no último registro, achada no fim.
    cs = roda({r10(), r11(), r50SemItens()});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 3);
    EXPECT_TRUE(cs[0].tardia);
    EXPECT_EQ(cs[0].c.mensagem, m::Sem90);
    EXPECT_EQ(cs[0].c.tipo, "50");
    EXPECT_EQ(cs[0].c.docItem, "1-000123");
    EXPECT_EQ(cs[0].c.inicio, 0);

    // O último registro é de subtipo desconhecido: não está em nenhuma linha das contagens,
    // então a crítica tardia não o move de coluna.
    cs = roda({r10(), r11(), com(r60M(), 3, "X")});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.tipo, "60");
    EXPECT_EQ(cs[0].anterior, kelvor::Situacao::Rejeitado);

    // Arquivo de uma linha só.
    cs = roda({r10()});
    EXPECT_EQ(mensagens(cs), (std::vector<std::string>{m::Sem11, m::Sem90}));
}

TEST(EstruturaOrdem, TiposForaDaOrdemUmaVezPorTroca) {
    const auto a = arquivo({r50(), r54(), r51(), r51(), r54(), r75(), r60M()});
    auto cs = roda(a);
    std::vector<Gravada> ordem;
    for (const auto& g : cs)
        if (g.c.mensagem.rfind("Registro fora da ordem crescente dos tipos", 0) == 0)
            ordem.push_back(g);
    ASSERT_EQ(ordem.size(), 2u) << descreve(cs);
    EXPECT_EQ(ordem[0].c.linha, 5);
    EXPECT_EQ(ordem[0].c.mensagem, m::ordemDosTipos("51", "54"));
    EXPECT_EQ(ordem[0].c.gravidade, Gravidade::Rejeicao);
    EXPECT_EQ(ordem[1].c.linha, 9);
    EXPECT_EQ(ordem[1].c.mensagem, m::ordemDosTipos("60", "75"));
}

TEST(EstruturaOrdem, OrdemDentroDoTipoSoAdvertenciaUmaVezPorTipo) {
    const auto dia = [](const std::string& r, const char* d) { return com(r, 31, d); };
    const auto n = [](const std::string& r, const char* num) { return com(r, 46, num); };
    const auto a = arquivo({
        n(dia(r50(), "20240120"), "000001"), n(dia(r50(), "20240110"), "000002"),
        n(dia(r50(), "20240105"), "000003"), // 50: duas voltas, um aviso
        com(com(r54(), 22, "000003"), 35, "002"), com(com(r54(), 22, "000003"), 35, "001"), // 54
        com(r75(), 19, "B"), com(r75(), 19, "A"), // 75 por código
    });
    const auto cs = roda(a);
    std::vector<Gravada> avisos;
    for (const auto& g : cs)
        if (g.c.mensagem.find("(só o primeiro é apontado)") != std::string::npos)
            avisos.push_back(g);
    ASSERT_EQ(avisos.size(), 3u) << descreve(cs);
    for (const auto& g : avisos)
        EXPECT_EQ(g.c.gravidade, Gravidade::Advertencia);
    EXPECT_EQ(avisos[0].c.linha, 4);
    EXPECT_EQ(avisos[0].c.mensagem, m::ordemDentroDoTipo("50", "data"));
    EXPECT_EQ(avisos[0].c.inicio, 31);
    EXPECT_EQ(avisos[0].c.conteudo, "20240110");
    EXPECT_EQ(avisos[1].c.linha, 7);
    EXPECT_EQ(avisos[1].c.mensagem, m::ordemDentroDoTipo("54", "CNPJ, série, número e item"));
    EXPECT_EQ(avisos[2].c.linha, 9);
    EXPECT_EQ(avisos[2].c.inicio, 19);
}

TEST(EstruturaOrdem, CupomAnaliticoAntesDoMestreEAvisoENaoErro) {
    // Sistemas que classificam o 60 pelo subtipo põem o 60A antes do 60M: só advertência.
    const auto cs = roda(arquivo({r60A(), r60M()}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.gravidade, Gravidade::Advertencia);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, m::ordemDentroDoTipo("60", "data e equipamento"));
}

TEST(EstruturaOrdem, LeiauteAnteriorA2003SoEstrutura) {
    // Flag 0: sem vínculos (54 sem 50, código sem 75) e sem a ordem do 54, que mudou de
    // posições; a ordem dos tipos e o registro 90 continuam.
    const auto a = arquivo({com(r54(), 35, "002"), r54(), r50()});
    const auto cs = roda(a, contexto(0, 2));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 5);
    EXPECT_EQ(cs[0].c.mensagem, m::ordemDosTipos("50", "54"));
}
