// Conferência de campos de cada tipo de registro: registro válido sem críticas, e as falhas
// que importam com a posição e a largura do campo que o relatório aponta.
#include "motor_exemplos.h"

#include "core/Digitos.h"
#include "core/Mensagens.h"
#include "core/Texto.h"

#include <gtest/gtest.h>

using namespace exemplos;
using kelvor::Gravidade;
namespace msg = kelvor::msg;

namespace {

const std::vector<std::pair<const char*, std::string>>& validos() {
    static const std::vector<std::pair<const char*, std::string>> v = {
        {"10", r10()},   {"11", r11()},   {"50", r50()},   {"51", r51()},   {"53", r53()},
        {"54", r54()},   {"55", r55()},   {"56", r56()},   {"57", r57()},   {"60M", r60M()},
        {"60A", r60A()}, {"60D", r60D()}, {"60I", r60I()}, {"60R", r60R()}, {"61", r61()},
        {"61R", r61R()}, {"70", r70()},   {"71", r71()},   {"74", r74()},   {"75", r75()},
        {"76", r76()},   {"77", r77()},   {"85", r85()},   {"86", r86()}};
    return v;
}

struct Falha {
    std::string registro;
    int inicio, tamanho;
    std::string mensagem;
    Gravidade gravidade = Gravidade::Rejeicao;
};

void confere(const Falha& f, const kelvor::Contexto& ctx = contexto()) {
    auto cs = criticasDe(f.registro, ctx);
    ASSERT_EQ(cs.size(), 1u) << f.registro << "\n"
                             << (cs.empty() ? std::string("(nenhuma)") : cs[0].mensagem);
    EXPECT_EQ(cs[0].inicio, f.inicio) << f.mensagem;
    EXPECT_EQ(cs[0].tamanho, f.tamanho) << f.mensagem;
    EXPECT_EQ(cs[0].mensagem, f.mensagem);
    EXPECT_EQ(cs[0].gravidade, f.gravidade) << f.mensagem;
    EXPECT_EQ(cs[0].conteudo, f.registro.substr(f.inicio - 1, std::min(f.tamanho, 25)));
    EXPECT_EQ(cs[0].linha, 7);
    EXPECT_EQ(cs[0].offset, 700);
}

constexpr auto Adv = Gravidade::Advertencia;

} // namespace

TEST(MotorCampos, ExemplosValidosDeTodosOsTiposNaoTemCriticas) {
    for (const auto& [codigo, r] : validos()) {
        ASSERT_EQ(r.size(), 126u) << codigo;
        auto* l = kelvor::leiautePara(r);
        ASSERT_NE(l, nullptr) << codigo;
        EXPECT_EQ(l->codigo, codigo);
        auto cs = criticasDe(r);
        EXPECT_TRUE(cs.empty()) << codigo << ": " << cs[0].campo << " - " << cs[0].mensagem;
    }
}

TEST(MotorCampos, LeiautesCobremAs126PosicoesComNomesQueCabemNoRelatorio) {
    for (const char* codigo :
         {"10",  "11",  "50",  "51",  "53", "54", "55", "56", "57", "60M", "60A", "60D",
          "60I", "60R", "61 ", "61R", "70", "71", "74", "75", "76", "77",  "85",  "86"}) {
        auto* l = kelvor::leiautePara(codigo);
        ASSERT_NE(l, nullptr) << codigo;
        int proxima = 1;
        for (const auto& c : l->campos) {
            EXPECT_EQ(c.inicio, proxima) << codigo << " " << c.nome;
            proxima = c.inicio + c.tamanho;
            EXPECT_LE(kelvor::texto::paraWindows1252(c.nome).size(), 25u) << c.nome;
        }
        EXPECT_EQ(proxima, 127) << codigo;
    }
    EXPECT_EQ(kelvor::leiautePara("60X"), nullptr);
    EXPECT_EQ(kelvor::leiautePara("61A"), nullptr);
    EXPECT_EQ(kelvor::leiautePara("52"), nullptr);
}

TEST(MotorCampos, Registro10) {
    auto r = r10();
    confere({com(r, 16, "2"), 3, 14, msg::CnpjInvalido});
    confere({com(r, 17, "ISENTO        "), 17, 14, msg::IEIsentoInformante, Adv});
    confere({com(r, 96, "XX"), 96, 2, msg::UFInvalida});
    confere({com(r, 31, std::string(35, ' ')), 31, 35, msg::Obrigatorio});
    confere({com(r, 116, "20240230"), 116, 8, msg::DataInvalida});
    confere({com(r, 108, "20240201"), 116, 8, msg::DataInicialPosterior});
    confere({com(r, 116, "20240115"), 108, 8, msg::PeriodoNaoMensal, Adv});
    confere({com(r, 126, "4"), 126, 1, msg::CodigoInvalido});
    // CPF no lugar do CNPJ do informante.
    EXPECT_TRUE(criticasDe(com(r, 3, "00011144477735")).empty());
}

TEST(MotorCampos, Registro10NoLeiauteAnteriorA2003TemAdvertenciaDoRegistroTodo) {
    auto cs = criticasDe(r10(), contexto(0, 2));
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].mensagem, msg::LeiauteAnterior2003);
    EXPECT_EQ(cs[0].gravidade, Adv);
    EXPECT_EQ(cs[0].inicio, 0);
    EXPECT_TRUE(cs[0].campo.empty());
}

TEST(MotorCampos, Registro11) {
    confere({com(r11(), 37, "00000"), 37, 5, msg::NumeroOuComplemento});
    EXPECT_TRUE(criticasDe(com(com(r11(), 37, "00000"), 42, "S/N")).empty());
    confere({com(r11(), 115, z(12)), 115, 12, msg::TelefoneZerado, Adv});
    confere({com(r11(), 79, "0100100A"), 79, 8, msg::NaoNumerico});
}

TEST(MotorCampos, Registro50ContraparteCnpjIeUf) {
    auto r = r50();
    confere({com(r, 3, z(14)), 3, 14, msg::CnpjZerado, Adv});
    confere({com(r, 3, "11222333000182"), 3, 14, msg::CnpjCpfInvalido});
    EXPECT_TRUE(criticasDe(com(r, 3, "00011144477735")).empty()); // CPF
    // Exterior: CNPJ zerado, ISENTO, EX e CFOP de exportação.
    auto ex = com(com(com(com(r, 3, z(14)), 17, "ISENTO        "), 39, "EX"), 52, "7102");
    EXPECT_TRUE(criticasDe(ex).empty());
    confere({com(r, 17, "12A           "), 17, 14, msg::IECaracteres});
    confere({com(r, 17, "              "), 17, 14, msg::IENaoInformada});
    // Dígito errado: advertência em UF de algoritmo não confirmado, rejeição nas confirmadas.
    ASSERT_FALSE(kelvor::digitos::algoritmoIEConfirmado("SP"));
    confere(
        {com(r, 17, "110042490115  "), 17, 14, "Inscrição Estadual inválida para a UF SP.", Adv});
    ASSERT_TRUE(kelvor::digitos::algoritmoIEConfirmado("MG"));
    auto mg = com(com(com(r, 39, "MG"), 52, "6102"), 17, "0623079040082 ");
    confere({mg, 17, 14, "Inscrição Estadual inválida para a UF MG."});
    confere({com(r, 39, "XY"), 39, 2, msg::UFInvalida});
}

TEST(MotorCampos, Registro50DocumentoCodigosEValores) {
    auto r = r50();
    confere({com(r, 31, "20240215"), 31, 8, msg::ForaDoPeriodo});
    EXPECT_TRUE(criticasDe(com(com(r, 31, "20231215"), 126, "E")).empty()); // extemporâneo
    confere({com(r, 31, "20240132"), 31, 8, msg::DataInvalida});
    confere({com(r, 52, "5100"), 52, 4, msg::CfopInvalido});
    confere({com(r, 52, "6102"), 52, 4, msg::CfopUF, Adv});
    confere({com(r, 41, "99"), 41, 2, msg::ModeloInvalido});
    confere({com(r, 41, "57"), 41, 2, msg::ModeloNaoPrevisto, Adv});
    confere({com(r, 56, "X"), 56, 1, msg::CodigoInvalido});
    confere({com(r, 126, "Z"), 126, 1, msg::CodigoInvalido});
    confere({com(r, 83, "0000000001700"), 83, 13, msg::IcmsDivergente, Adv});
    confere({com(r, 83, "0000000001802"), 83, 13, msg::IcmsDivergente, Adv});
    EXPECT_TRUE(criticasDe(com(r, 83, "0000000001801")).empty()); // um centavo é tolerado
    confere({com(r, 57, "000000001O000"), 57, 13, msg::NaoNumerico});
}

TEST(MotorCampos, Registro50CanceladoDispensaDadosDaContraparte) {
    auto r = com(com(com(com(com(r50(), 3, z(14)), 17, std::string(14, ' ')), 31, z(8)), 39, "  "),
                 126, "S");
    r = com(com(com(com(r, 52, "0000"), 57, z(13)), 70, z(13)), 83, z(13));
    EXPECT_TRUE(criticasDe(r).empty());
    // O que vier preenchido continua conferido.
    confere({com(r, 3, "11222333000182"), 3, 14, msg::CnpjCpfInvalido});
}

TEST(MotorCampos, Registros51E53) {
    confere({com(r51(), 106, "X"), 106, 20, msg::Brancos, Adv});
    confere({com(r51(), 50, "2102"), 50, 4, msg::CfopUF, Adv});
    confere({com(r53(), 97, "9"), 97, 1, msg::CodigoInvalido, Adv});
    // Versão 2 do convênio: 97 a 126 só brancos, mesmo com código de antecipação válido.
    confere({com(r53(), 97, "1"), 97, 30, msg::Brancos53Versao2}, contexto(1, 2));
    EXPECT_TRUE(criticasDe(r53(), contexto(1, 2)).empty());
}

TEST(MotorCampos, Registro54Itens) {
    confere({r54("000"), 35, 3, msg::ItemInvalido});
    confere({r54("995"), 35, 3, msg::ItemInvalido});
    confere({r54("99A"), 35, 3, msg::NaoNumerico});
    // Frete: sem produto, CST ou quantidade.
    auto frete = com(com(com(r54("991"), 38, std::string(14, ' ')), 32, "   "), 52, z(11));
    EXPECT_TRUE(criticasDe(frete).empty());
    confere({com(com(r54("991"), 32, "   "), 52, z(11)), 38, 14, msg::ItemDespesa, Adv});
    confere({com(com(frete, 32, "000"), 52, z(11)), 32, 3, msg::ItemDespesa, Adv});
    confere({com(frete, 52, "00000001000"), 52, 11, msg::ItemDespesa, Adv});
    confere({com(r54(), 52, "0000000100 "), 52, 11, msg::NaoNumerico});
}

TEST(MotorCampos, DemaisRegistros) {
    EXPECT_TRUE(criticasDe(com(r55(), 17, "INEXISTENTE   ")).empty());
    confere({com(r55(), 91, "132024"), 91, 6, msg::DataInvalida});
    confere({com(r56(), 52, "5"), 52, 1, msg::CodigoInvalido});
    confere({com(r57(), 86, "LIXO"), 86, 41, msg::Brancos, Adv});
    confere({com(r60M(), 35, "2A"), 35, 2, msg::CodigoInvalido});
    confere({com(r60M(), 4, "20240201"), 4, 8, msg::ForaDoPeriodo});
    confere({r60A("XX  "), 32, 4, msg::SituacaoTributaria});
    EXPECT_TRUE(criticasDe(r60A("CANC")).empty());
    EXPECT_TRUE(criticasDe(r60A("F   ")).empty());
    confere({com(r60D(), 95, "0000000001000"), 95, 13, msg::IcmsDivergente, Adv});
    // Base de 16 dígitos: a conta não cabe em 64 bits e vai pelo caminho largo, com a mesma
    // tolerância de um centavo.
    const auto grande = com(com(r60D(), 75, "1000000000000000"), 91, "0001");
    EXPECT_TRUE(criticasDe(com(grande, 95, "0100000000001")).empty());
    confere({com(grande, 95, "0100000000002"), 95, 13, msg::IcmsDivergente, Adv});
    confere({com(r60I(), 95, "17A "), 95, 4, msg::SituacaoTributaria});
    confere({com(r60R(), 4, "002024"), 4, 6, msg::DataInvalida});
    confere({com(r61(), 5, "X"), 3, 14, msg::Brancos, Adv});
    confere({com(r61R(), 69, "18,0"), 69, 4, msg::NaoNumerico});
    confere({com(r70(), 125, "3"), 125, 1, msg::CodigoInvalido});
    confere({com(r71(), 54, "11222333000182"), 54, 14, msg::CnpjCpfInvalido});
    confere({com(r71(), 54, z(14)), 54, 14, msg::CnpjZerado, Adv});
    confere({com(r74(), 51, "4"), 51, 1, msg::CodigoInvalido});
    confere({com(r75(), 19, std::string(14, ' ')), 19, 14, msg::Obrigatorio});
    confere({com(r75(), 11, "20240000"), 11, 8, msg::DataInvalida});
    confere({com(r76(), 88, "000000001700"), 88, 12, msg::IcmsDivergente, Adv});
    confere({com(r77(), 37, "3"), 37, 1, msg::CodigoInvalido});
    confere({com(r85(), 67, "05"), 67, 2, msg::CodigoInvalido});
    EXPECT_TRUE(criticasDe(com(r85(), 59, z(8))).empty()); // embarque próprio: sem data
    confere({com(r86(), 121, "4"), 121, 1, msg::CodigoInvalido});
}

TEST(MotorCampos, IdentificacaoDocumentoItem) {
    auto doc = [](const std::string& r) {
        return kelvor::documentoItem(*kelvor::leiautePara(r), r);
    };
    EXPECT_EQ(doc(r54()), "1-000123/001");
    EXPECT_EQ(doc(r50()), "1-000123");
    EXPECT_EQ(doc(r76()), "1-0000000123");
    EXPECT_EQ(doc(r10()), "");
    EXPECT_EQ(criticasDe(r54("000"))[0].docItem, "1-000123/000");
}
