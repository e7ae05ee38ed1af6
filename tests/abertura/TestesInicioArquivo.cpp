// Recusas da abertura sem Qt: as duas primeiras linhas montadas de blocos quaisquer, tamanho e
// tipo, e o convênio pelo ano do período.
#include "abertura/InicioArquivo.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace korventa::abertura;

namespace {

std::string Registro(const char* tipo, std::size_t tamanho = 126) {
    std::string r(tamanho, ' ');
    r.replace(0, 2, tipo);
    return r;
}

// Registro 10 com fim de período e código de convênio dados.
std::string R10(const char* fimPeriodo, char codigo) {
    std::string r = Registro("10");
    r.replace(115, 8, fimPeriodo);
    r[123] = codigo;
    return r;
}

// Entrega o texto em blocos do tamanho dado, como uma leitura do arquivo.
LinhasIniciais Le(const std::string& texto, std::size_t bloco) {
    LinhasIniciais l;
    for (std::size_t i = 0; i < texto.size() && !l.completas(); i += bloco)
        l.acrescenta(std::string_view(texto).substr(i, bloco));
    l.terminaArquivo();
    return l;
}

std::optional<std::string> Mensagem(const std::string& texto) {
    auto r = ConfereInicio(Le(texto, 4096), "/tmp/a.txt");
    return r ? std::optional(r->mensagem) : std::nullopt;
}

} // namespace

TEST(InicioArquivo, LinhasIguaisEmQualquerDivisaoDosBlocos) {
    // CR LF, LF só, marca de fim, última linha sem quebra: blocos de 1 byte em diante dão o
    // mesmo resultado (o CR pode chegar num bloco e o LF no seguinte).
    struct Caso {
        std::string texto;
        int quantas;
        std::int64_t tamanho1, tamanho2;
    } casos[] = {
        {Registro("10") + "\r\n" + Registro("11") + "\r\nresto", 2, 126, 126},
        {Registro("10") + "\n" + Registro("11") + "\n", 2, 126, 126},
        {Registro("10") + "\r\n" + Registro("11") + "\r\x1a", 2, 126, 126},
        {Registro("10") + "\r\n" + Registro("11", 125), 2, 126, 125},
        {Registro("10") + "\r\n\x1a", 1, 126, 0},
        {Registro("10") + "\r\r\n" + Registro("11"), 2, 127, 126}, // só um CR sai
        {"\x1a", 0, 0, 0},
        {"", 0, 0, 0},
    };
    for (const auto& c : casos) {
        for (std::size_t bloco : {1u, 2u, 127u, 128u, 4096u}) {
            SCOPED_TRACE(testing::Message() << c.texto.size() << " bytes em blocos de " << bloco);
            const auto l = Le(c.texto, bloco);
            ASSERT_EQ(l.quantas(), c.quantas);
            if (c.quantas > 0) {
                EXPECT_EQ(l.linha(0).tamanho, c.tamanho1);
                EXPECT_EQ(l.linha(0).texto.size(), static_cast<std::size_t>(c.tamanho1));
            }
            if (c.quantas > 1) {
                EXPECT_EQ(l.linha(1).tamanho, c.tamanho2);
            }
        }
    }
}

TEST(InicioArquivo, LinhaEnormeGuardaSoOComecoMasContaTudo) {
    const std::string longa = "10" + std::string(3 * LimiteLinha, 'x');
    const auto l = Le(longa + "\r\n" + Registro("11") + "\r\n", 1000);
    ASSERT_TRUE(l.completas());
    EXPECT_EQ(l.linha(0).tamanho, static_cast<std::int64_t>(longa.size()));
    EXPECT_EQ(l.linha(0).texto.size(), LimiteLinha);
    EXPECT_EQ(l.linha(1).tamanho, 126);
    EXPECT_EQ(Mensagem(longa + "\r\n" + Registro("11")), std::nullopt); // mais longa passa
}

TEST(InicioArquivo, MensagensDeTamanhoTipoELeitura) {
    const std::string r11 = "\r\n" + Registro("11");
    EXPECT_EQ(Mensagem(Registro("10", 125) + r11),
              "O tamanho do registro da primeira linha é inválido: 125!");
    EXPECT_EQ(Mensagem(Registro("10", 128) + r11), std::nullopt);
    EXPECT_EQ(Mensagem(Registro("11") + r11), "A primeira linha não é um registro tipo 10!");
    EXPECT_EQ(Mensagem(Registro("10") + "\r\n" + Registro("11", 3)),
              "O tamanho do registro da segunda linha é inválido: 3!");
    EXPECT_EQ(Mensagem(Registro("10") + "\r\n" + Registro("10")),
              "A segunda linha não é um registro tipo 11!");
    EXPECT_EQ(Mensagem(Registro("10") + "\r\n"), "Erro lendo do arquivo /tmp/a.txt");
    EXPECT_EQ(Mensagem(""), "Erro lendo do arquivo /tmp/a.txt");

    // O detalhe do log mostra o tipo lido sem controles.
    auto r = ConfereInicio(Le("\x01\xe9" + Registro("10").substr(2) + r11, 64), "x");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->detalhe, "O registro da primeira não é do tipo 10! Tipo: ??");
    r = ConfereInicio(Le(Registro("10", 20) + r11, 64), "x");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->detalhe, "O tamanho do registro da primeira linha é inválido! Tamanho: 20");
}

TEST(InicioArquivo, ConvenioConformeOAnoDoFimDoPeriodo) {
    const std::string periodo = "Período de referência inválido para código de identificação de "
                                "estrutura do Convênio.\r";
    const std::string pede2 = periodo + "Informar código 2 ou superior no campo 10 do registro "
                                        "10 para fatos geradores ocorridos a partir de 01/01/2003.";
    const std::string pede3 = periodo + "Informar código 3 no campo 10 do registro 10 para fatos "
                                        "geradores ocorridos a partir de 01/01/2004.";
    struct Caso {
        const char* fim;
        char codigo;
        std::optional<std::string> mensagem;
    } casos[] = {{"20021231", '1', std::nullopt}, {"20030131", '1', pede2},
                 {"20040131", '1', pede3},        {"20030131", '2', std::nullopt},
                 {"20230531", '2', pede3},        {"20230531", '3', std::nullopt},
                 {"20230531", ' ', std::nullopt}, {"2O230531", '1', std::nullopt}};
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.fim) + " " + c.codigo);
        EXPECT_EQ(ConfereConvenio(R10(c.fim, c.codigo)), c.mensagem);
        // A sequência inteira chega ao convênio depois das linhas.
        EXPECT_EQ(Mensagem(R10(c.fim, c.codigo) + "\r\n" + Registro("11")), c.mensagem);
    }
}
