// Vínculos das notas fiscais: 51, 53 e 54 com o 50, documento repetido, nota sem itens.
#include "test_cruzado_apoio.h"

#include "core/CruzadoMensagens.h"

#include <gtest/gtest.h>

using namespace cruzado_teste;
using namespace exemplos;
namespace m = kelvor::cruzado::mensagem;
using kelvor::Gravidade;
using kelvor::Situacao;

namespace {

// Críticas cuja mensagem é a dada.
std::vector<Gravada> com(const std::vector<Gravada>& cs, const std::string& mensagem) {
    std::vector<Gravada> r;
    for (const auto& g : cs)
        if (g.c.mensagem == mensagem) r.push_back(g);
    return r;
}

} // namespace

TEST(CruzadoDocumentos, ItensSemNotaApontamCadaRegistro) {
    // O 50 é de outro número: os dois itens ficam sem nota, cada um com a sua crítica.
    const auto a = arquivo({exemplos::com(r50(), 46, "000999"), r54("001"), r54("002"), r75()});
    const auto cs = roda(a);
    const auto sem50 = com(cs, m::Sem50Do54);
    ASSERT_EQ(sem50.size(), 2u) << descreve(cs);
    const auto& c = sem50[0].c;
    EXPECT_EQ(c.linha, 4);
    EXPECT_EQ(c.offset, 3 * 128);
    EXPECT_EQ(c.tipo, "54");
    EXPECT_EQ(c.docItem, "1-000123/001");
    EXPECT_EQ(c.campo, "Número");
    EXPECT_EQ(c.inicio, 22);
    EXPECT_EQ(c.tamanho, 6);
    EXPECT_EQ(c.conteudo, "000123");
    EXPECT_EQ(c.gravidade, Gravidade::Rejeicao);
    EXPECT_FALSE(sem50[0].tardia);
    EXPECT_EQ(sem50[1].c.docItem, "1-000123/002");
    // E o 50 sem itens.
    EXPECT_EQ(com(cs, m::sem54("55")).size(), 1u);
}

TEST(CruzadoDocumentos, TotalDoIpiESubstituicaoPrecisamDaNota) {
    // Com a nota certa, nada.
    EXPECT_TRUE(roda(arquivo({r50(), r51(), r53(), r54(), r75()})).empty());

    // 51 de outra data; 53 de outro CFOP; 51 com situação diferente da nota.
    const auto a =
        arquivo({r50(), exemplos::com(r51(), 31, "20240114"), exemplos::com(r51(), 126, "S"),
                 exemplos::com(r53(), 52, "5403"), r54(), r75()});
    const auto cs = roda(a);
    ASSERT_EQ(cs.size(), 3u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, m::Sem50Do51);
    EXPECT_EQ(cs[0].c.inicio, 44);
    EXPECT_EQ(cs[1].c.linha, 5);
    EXPECT_EQ(cs[1].c.mensagem, m::Situacao51);
    EXPECT_EQ(cs[1].c.inicio, 126);
    EXPECT_EQ(cs[1].c.conteudo, "S");
    EXPECT_EQ(cs[2].c.linha, 6);
    EXPECT_EQ(cs[2].c.mensagem, m::Sem50Do53);
    EXPECT_EQ(cs[2].c.inicio, 46);
    // O CNPJ do 53 é o do substituído: pode ser outro.
    EXPECT_TRUE(
        roda(arquivo({r50(), exemplos::com(r53(), 3, "11444777000161"), r54(), r75()})).empty());
}

TEST(CruzadoDocumentos, NotaSemItensSoQuandoDeveTer) {
    const auto so50 = [](const std::string& r) { return roda(arquivo({r})); };
    auto cs = so50(r50());
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::sem54("55"));
    EXPECT_EQ(cs[0].c.mensagem,
              "Nota fiscal modelo 55 em situação normal sem registro 54 correspondente.");
    EXPECT_EQ(cs[0].c.gravidade, Gravidade::Advertencia);
    EXPECT_EQ(cs[0].c.linha, 3);
    EXPECT_EQ(cs[0].c.inicio, 46);
    EXPECT_EQ(cs[0].c.conteudo, "000123");
    EXPECT_EQ(cs[0].c.docItem, "1-000123");
    EXPECT_TRUE(cs[0].tardia);
    EXPECT_EQ(so50(exemplos::com(r50(), 41, "01")).size(), 1u);
    // Cancelada, de energia elétrica, ou também registrada em ECF (valores zerados): não.
    EXPECT_TRUE(so50(exemplos::com(r50(), 126, "S")).empty());
    EXPECT_TRUE(so50(exemplos::com(r50(), 41, "06")).empty());
    EXPECT_TRUE(so50(exemplos::com(r50(), 57, z(69))).empty());
    // Duas alíquotas da mesma nota e CFOP: um aviso só, no primeiro 50.
    cs = roda(arquivo({r50(), exemplos::com(r50(), 122, "1200")}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 3);
}

TEST(CruzadoDocumentos, MesmoDocumentoDuasVezes) {
    const auto a = arquivo({r50(), exemplos::com(r50(), 122, "1200"), r50(), r54(), r75()});
    const auto cs = roda(a);
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 5);
    EXPECT_EQ(cs[0].c.mensagem, m::documentoRepetido(3));
    EXPECT_EQ(cs[0].c.inicio, 46);
    EXPECT_EQ(cs[0].c.gravidade, Gravidade::Rejeicao);
    // Repetido logo em seguida, sem outra alíquota no meio.
    const auto dois = roda(arquivo({r50(), r50(), r54(), r75()}));
    ASSERT_EQ(dois.size(), 1u) << descreve(dois);
    EXPECT_EQ(dois[0].c.linha, 4);
    EXPECT_EQ(dois[0].c.mensagem, m::documentoRepetido(3));
    // A mesma numeração emitida (P) e recebida (T) são documentos diferentes.
    EXPECT_TRUE(roda(arquivo({r50(), exemplos::com(r50(), 56, "T"), r54(), r75()})).empty());
}

TEST(CruzadoDocumentos, NotaDeTamanhoErradoNaoDaChaves) {
    // O 50 perdeu os brancos do fim (editor de texto): o tamanho o rejeita e o conteúdo dele
    // não conta para ninguém; o item fica sem a sua nota.
    const auto cs = roda({r10(), r11(), r50().substr(0, 100), r54(), r75(),
                          r90({{50, 1}, {54, 1}, {75, 1}, {99, 6}})});
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, m::Sem50Do54);
}

TEST(CruzadoDocumentos, SituacaoAnteriorDasCriticasTardias) {
    // O 54 sem nota (imediata) e com código sem 75 (tardia): a tardia parte de Rejeitado.
    // O 50 chega das verificações de campo com advertência.
    const auto a = arquivo({exemplos::com(r50(), 46, "000999"), r54()});
    const auto cs = roda(a, contexto(), {{3, Situacao::ComAdvertencia}});
    ASSERT_EQ(cs.size(), 3u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::Sem50Do54);
    EXPECT_EQ(cs[1].c.mensagem, m::sem54("55"));
    EXPECT_EQ(cs[1].anterior, Situacao::ComAdvertencia);
    EXPECT_EQ(cs[2].c.mensagem, m::Sem75);
    EXPECT_EQ(cs[2].anterior, Situacao::Rejeitado);
}
