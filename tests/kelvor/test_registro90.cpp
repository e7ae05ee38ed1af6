// Registro 90: pares contra as contagens reais, total geral, posição 126, informante, e os
// casos de vários registros 90 e de registros 88.
#include "test_cruzado_apoio.h"

#include "core/CruzadoMensagens.h"

#include <gtest/gtest.h>

using namespace cruzado_teste;
using namespace exemplos;
namespace m = kelvor::cruzado::mensagem;
using kelvor::Gravidade;
using kelvor::Situacao;

namespace {

// Registro sem vínculos com outros (GNRE).
const std::string G = r55();

std::vector<Gravada> doRegistro90(const std::vector<Gravada>& cs) {
    std::vector<Gravada> r;
    for (const auto& g : cs)
        if (g.c.tipo == "90") r.push_back(g);
    return r;
}

} // namespace

TEST(Registro90, TotalDiferenteApontaOCampoDoPar) {
    const auto cs = roda({r10(), r11(), G, G, r90({{55, 3}, {99, 5}})});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    const auto& c = cs[0].c;
    EXPECT_EQ(c.linha, 5);
    EXPECT_EQ(c.mensagem, m::totalDoTipo("55", 3, 2));
    EXPECT_EQ(c.mensagem,
              "Total do tipo 55 no registro 90 (3) diferente da quantidade de registros 55 do "
              "arquivo (2).");
    EXPECT_EQ(c.campo, "Total de registros");
    EXPECT_EQ(c.inicio, 33);
    EXPECT_EQ(c.tamanho, 8);
    EXPECT_EQ(c.conteudo, "00000003");
    EXPECT_EQ(c.gravidade, Gravidade::Rejeicao);
    EXPECT_TRUE(cs[0].tardia);
    EXPECT_EQ(cs[0].anterior, Situacao::SemCritica);
}

TEST(Registro90, TotalGeralContaTodasAsLinhas) {
    // 99 errado, no segundo par.
    auto cs = roda({r10(), r11(), G, r90({{55, 1}, {99, 3}})});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::totalGeral(3, 4));
    EXPECT_EQ(cs[0].c.inicio, 43);

    // Sem 99.
    cs = roda({r10(), r11(), G, r90({{55, 1}})});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::SemTotalGeral);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.inicio, 0);

    // 99 num 90 que não é o último.
    cs = roda({r10(), r11(), G, r90({{99, 5}}, 2), r90({{55, 1}}, 2)});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::TotalGeralForaDoUltimo);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.inicio, 31);
}

TEST(Registro90, ParesQueFaltamOuSobram) {
    // Tipo presente sem par: no último 90, registro todo.
    auto cs = roda({r10(), r11(), G, r70(), r90({{55, 1}, {99, 5}})});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::semTotalDoTipo("70", 1));
    EXPECT_EQ(cs[0].c.mensagem, "Registro 90 sem o total do tipo 70 (1 registro no arquivo).");
    EXPECT_EQ(cs[0].c.linha, 5);
    EXPECT_EQ(cs[0].c.inicio, 0);

    // Par de total zero para tipo ausente: só advertência (sistemas o escrevem); par de
    // 10/11/90 com o total certo também; com total diferente, Rejeição.
    cs = roda({r10(), r11(), r90({{56, 0}, {11, 1}, {57, 2}, {99, 3}})});
    ASSERT_EQ(cs.size(), 3u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::tipoNaoTotalizado("11"));
    EXPECT_EQ(cs[0].c.gravidade, Gravidade::Advertencia);
    EXPECT_EQ(cs[0].c.inicio, 41);
    EXPECT_EQ(cs[1].c.mensagem, m::totalDeTipoAusente("56"));
    EXPECT_EQ(cs[1].c.gravidade, Gravidade::Advertencia);
    EXPECT_EQ(cs[2].c.mensagem, m::totalDoTipo("57", 2, 0));
    EXPECT_EQ(cs[2].c.gravidade, Gravidade::Rejeicao);
    // Críticas tardias no mesmo registro encadeiam a situação.
    EXPECT_EQ(cs[0].anterior, Situacao::SemCritica);
    EXPECT_EQ(cs[1].anterior, Situacao::ComAdvertencia);
    EXPECT_EQ(cs[2].anterior, Situacao::ComAdvertencia);
}

TEST(Registro90, ParesMalFormados) {
    auto r = r90({{55, 1}, {55, 1}, {33, 0}, {99, 4}});
    r.replace(70, 2, "5X");          // quinto par: tipo inválido
    r.replace(80, 10, "541A200000"); // sexto par: total não numérico
    r.replace(120, 1, "*");
    const auto cs = roda({r10(), r11(), G, r});
    const auto noventa = doRegistro90(cs);
    std::vector<std::string> esperadas = {m::Brancos90, m::tipoRepetido90("55"),
                                          m::tipoInexistente90("33"), m::TipoInvalido90,
                                          m::NaoNumerico};
    EXPECT_EQ(mensagens(noventa), esperadas) << descreve(cs);
    EXPECT_EQ(noventa[0].c.inicio, 121);
    EXPECT_EQ(noventa[1].c.inicio, 41);
    EXPECT_EQ(noventa[2].c.inicio, 51);
    EXPECT_EQ(noventa[3].c.inicio, 71);
    EXPECT_EQ(noventa[4].c.inicio, 83);
    EXPECT_EQ(noventa[4].c.tamanho, 8);
}

TEST(Registro90, InformanteIgualAoDoRegistro10) {
    const auto cs = roda({r10(), r11(), r90({{99, 3}}, 1, "11222333000262", "110042490114")});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::Cnpj90);
    EXPECT_EQ(cs[0].c.inicio, 3);
    EXPECT_EQ(cs[0].c.conteudo, "11222333000262");

    const auto ie = roda({r10(), r11(), r90({{99, 3}}, 1, Cnpj, "110042490122")});
    ASSERT_EQ(ie.size(), 1u) << descreve(ie);
    EXPECT_EQ(ie[0].c.mensagem, m::Ie90);
    EXPECT_EQ(ie[0].c.inicio, 17);
    EXPECT_EQ(ie[0].c.tamanho, 14);
}

TEST(Registro90, VariosRegistros90EPosicao126) {
    // Dois 90 certos.
    auto cs = roda({r10(), r11(), G, r70(), r90({{55, 1}}, 2), r90({{70, 1}, {99, 6}}, 2)});
    EXPECT_TRUE(cs.empty()) << descreve(cs);

    // Posição 126 errada no primeiro: a crítica é dele, achada no fim.
    cs = roda({r10(), r11(), G, r90({{55, 1}}, 1), r90({{99, 5}}, 2)});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, m::quantidade90(2));
    EXPECT_EQ(cs[0].c.inicio, 126);
    EXPECT_EQ(cs[0].c.conteudo, "1");

    // Dez registros 90: nenhum dígito pode estar certo; do décimo em diante na hora.
    std::vector<std::string> a{r10(), r11()};
    for (int i = 0; i < 9; ++i)
        a.push_back(r90({}, 9));
    a.push_back(r90({{99, 12}}, 9));
    cs = roda(a);
    ASSERT_EQ(cs.size(), 10u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 12);
    EXPECT_FALSE(cs[0].tardia);
    EXPECT_EQ(cs[0].c.mensagem, m::quantidade90(-1));
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(cs[i].c.linha, i + 2);
        EXPECT_EQ(cs[i].c.mensagem, m::quantidade90(10));
    }
}

TEST(Registro90, SubtiposContamNoTipoDeDuasPosicoes) {
    const auto a = arquivo({r60M(), r60A(), r60D(), r60I(), r60R(), r61(), r61R(), r75()});
    EXPECT_EQ(a.back().substr(30, 10), "6000000005");
    EXPECT_EQ(a.back().substr(40, 10), "6100000002");
    const auto cs = roda(a);
    EXPECT_TRUE(cs.empty()) << descreve(cs);
}

TEST(Registro90, ArquivoComRegistros88) {
    // Registros 88 de UF: contados no 88, sem conferência de campos aqui.
    const auto sme = reg({{1, "88SME"}, {6, Cnpj}, {20, "Sem Movimento de Entradas"}});
    const auto sms = reg({{1, "88SMS"}, {6, Cnpj}, {20, "Sem Movimento de Saidas"}});
    auto cs = roda(arquivo({sme, sms}));
    EXPECT_TRUE(cs.empty()) << descreve(cs);
    // Um 88 mais longo que 126 posições também é uma linha do tipo 88.
    cs = roda({r10(), r11(), sme, sms + std::string(23, ' '), r90({{88, 2}, {99, 5}})});
    EXPECT_TRUE(cs.empty()) << descreve(cs);
}

TEST(Registro90, RegistroDeTamanhoErradoContaEDesligaAsFaltas) {
    // Linha curta conta no seu tipo; um 90 curto não traz pares legíveis: sem críticas de
    // falta por causa dele (o tamanho já rejeita o arquivo).
    auto cs = roda({r10(), r11(), G.substr(0, 120), r90({{55, 1}, {99, 4}})});
    EXPECT_TRUE(cs.empty()) << descreve(cs);
    cs = roda({r10(), r11(), G, r90({{55, 1}}, 2), r90({{99, 5}}, 2).substr(0, 125)});
    EXPECT_TRUE(cs.empty()) << descreve(cs);
}
