// Veredictos de campo revistos em arquivos reais: modelos em uso depois de 2003 e os que um
// registro não pode ter, CNPJ zerado, data de antes de 1900, alíquota 0000 nos registros 60,
// posse do inventário (74), reservado do 85, e os campos que falharam na própria conferência.
#include "motor_exemplos.h"

#include "core/Mensagens.h"

#include <gtest/gtest.h>

using namespace exemplos;
using kelvor::Gravidade;
namespace msg = kelvor::msg;

namespace {

constexpr auto Rej = Gravidade::Rejeicao;
constexpr auto Adv = Gravidade::Advertencia;

// A única crítica do registro: mensagem, coluna e gravidade.
void umaCritica(const std::string& r, const std::string& mensagem, int inicio, Gravidade g) {
    const auto cs = criticasDe(r);
    ASSERT_EQ(cs.size(), 1u) << r << '\n' << (cs.empty() ? "(nenhuma)" : cs[0].mensagem);
    EXPECT_EQ(cs[0].mensagem, mensagem) << r;
    EXPECT_EQ(cs[0].inicio, inicio) << r;
    EXPECT_EQ(cs[0].gravidade, g) << r;
}

kelvor::CamposFalhos falhosDe(const std::string& r) {
    Coletor col;
    const auto ctx = contexto();
    kelvor::VerificadorCampos v(ctx, col);
    kelvor::RegistroLido lido;
    lido.texto = r;
    return v.confere(*kelvor::leiautePara(r), lido);
}

} // namespace

TEST(MotorVeredictos, ModelosEmUsoDepoisDe2003EOsQueORegistroNaoPodeTer) {
    // Conhecidos, em registro que não os prevê: advertência, nunca rejeição.
    for (const char* m : {"55", "57", "59", "60", "63", "65", "66", "67"})
        umaCritica(com(r61(), 39, m), msg::ModeloNaoPrevisto, 39, Adv);
    EXPECT_TRUE(criticasDe(com(r70(), 41, "57")).empty());
    umaCritica(com(r61(), 39, "99"), msg::ModeloInvalido, 39, Rej);
    // Venda a consumidor vai no 61; energia e telecomunicações não têm itens nem ST.
    umaCritica(com(r50(), 41, "02"), msg::ModeloProibido, 41, Rej);
    umaCritica(com(r54(), 17, "06"), msg::ModeloProibido, 17, Rej);
    umaCritica(com(r53(), 41, "22"), msg::ModeloProibido, 41, Rej);
    EXPECT_TRUE(criticasDe(com(r50(), 41, "06")).empty());
}

TEST(MotorVeredictos, CnpjZeradoForaDoExteriorEAdvertencia) {
    // Pessoa física sem CPF também vai zerada: o arquivo não mostra, então só advertência.
    umaCritica(com(r50(), 3, z(14)), msg::CnpjZerado, 3, Adv);
    const auto ex = com(com(com(com(r50(), 3, z(14)), 17, "ISENTO        "), 39, "EX"), 52, "7102");
    EXPECT_TRUE(criticasDe(ex).empty());
    EXPECT_TRUE(criticasDe(com(com(r50(), 3, z(14)), 17, "ISENTO        ")).empty());
}

TEST(MotorVeredictos, DataDeAntesDe1900DizOQueEstaErrado) {
    umaCritica(com(r50(), 31, "18991231"), msg::DataAnoAnterior1900, 31, Rej);
    EXPECT_EQ(std::string(msg::DataAnoAnterior1900), "Data inválida: ano anterior a 1900.");
    umaCritica(com(r60R(), 4, "011899"), msg::DataAnoAnterior1900, 4, Rej);
    // Data que não existe em ano nenhum, ou em branco de zeros: a crítica de sempre.
    umaCritica(com(r50(), 31, "18990230"), msg::DataInvalida, 31, Rej);
    umaCritica(com(r50(), 31, z(8)), msg::DataInvalida, 31, Rej);
    umaCritica(com(r60R(), 4, "131899"), msg::DataInvalida, 4, Rej);
}

TEST(MotorVeredictos, AliquotaZeroNosRegistros60EAdvertencia) {
    umaCritica(r60A("0000"), msg::AliquotaZero, 32, Adv);
    umaCritica(com(r60R(), 69, "0000"), msg::AliquotaZero, 69, Adv);
    EXPECT_TRUE(criticasDe(r60A("0700")).empty());
    EXPECT_TRUE(criticasDe(r60A("I   ")).empty());
}

TEST(MotorVeredictos, PosseDoInventario) {
    const auto posse = [](char p, const std::string& cnpj, const std::string& ie,
                          const std::string& uf) {
        return com(com(com(com(r74(), 51, std::string(1, p)), 52, cnpj), 66, ie), 80, uf);
    };
    const std::string branco14(14, ' '), ie = "110042490114  ";
    // Posse 1: sem possuidor.
    EXPECT_TRUE(criticasDe(posse('1', z(14), branco14, "  ")).empty());
    umaCritica(posse('1', Cnpj, branco14, "  "), msg::Posse1Cnpj, 52, Rej);
    umaCritica(posse('1', z(14), ie, "  "), msg::Posse1IE, 66, Rej);
    umaCritica(posse('1', z(14), branco14, "SP"), msg::Posse1UF, 80, Adv);
    // Posse 2 e 3: os dados de quem tem a mercadoria, ou de quem é dono dela.
    EXPECT_TRUE(criticasDe(posse('2', Cnpj, ie, "SP")).empty());
    EXPECT_TRUE(criticasDe(posse('3', Cnpj, "ISENTO        ", "SP")).empty());
    umaCritica(posse('2', z(14), ie, "SP"), "Código de posse 2: CNPJ do possuidor não informado.",
               52, Rej);
    umaCritica(posse('3', Cnpj, branco14, "SP"),
               "Código de posse 3: Inscrição Estadual do proprietário não informada.", 66, Rej);
    umaCritica(posse('2', Cnpj, "ISENTO        ", "  "),
               "Código de posse 2: UF do possuidor não informada.", 80, Rej);
    // Código de posse inválido: só a crítica do código.
    umaCritica(posse('4', Cnpj, ie, "SP"), msg::CodigoInvalido, 51, Rej);
}

TEST(MotorVeredictos, ReservadoDoRegistro85TemDeSerZeros) {
    umaCritica(com(r85(), 73, "00000001"), msg::Zeros, 73, Adv);
    umaCritica(com(r85(), 73, "0000000A"), msg::NaoNumerico, 73, Rej);
}

TEST(MotorVeredictos, CamposQueFalharamNaPropriaConferencia) {
    EXPECT_EQ(falhosDe(r50()), 0u);
    // Data inexistente (campo 3) e modelo desconhecido (campo 5).
    EXPECT_EQ(falhosDe(com(com(r50(), 31, "20240132"), 41, "12")), (1u << 3) | (1u << 5));
    // Regras do registro como um todo não marcam campo: data fora do período, ICMS.
    EXPECT_EQ(falhosDe(com(r50(), 31, "20240215")), 0u);
    EXPECT_EQ(falhosDe(com(r50(), 83, "0000000001000")), 0u);
}
