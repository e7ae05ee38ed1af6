// Dígitos verificadores: exemplos publicados nos roteiros de crítica de cada Estado e da
// Receita Federal, e os mesmos números com o último dígito trocado.
#include "core/Digitos.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelvor::digitos;

namespace {

// O campo como vem no registro: X(14), brancos à direita.
std::string campo(std::string ie) {
    ie.resize(14, ' ');
    return ie;
}

// Troca o dígito da posição dada (0-based) por outro.
std::string troca(std::string s, std::size_t pos) {
    s[pos] = s[pos] == '9' ? '0' : static_cast<char>(s[pos] + 1);
    return s;
}

struct Exemplo {
    const char* uf;
    const char* ie;
};

// Um exemplo (ou mais) por formato em uso em cada Estado.
const Exemplo exemplos[] = {
    {"AC", "0100482300112"},  {"AL", "240000048"},      {"AP", "030123459"},
    {"AM", "999999990"},      {"BA", "12345663"},       {"BA", "61234557"},
    {"BA", "123456748"},      {"BA", "162345651"},      {"CE", "060000015"},
    {"DF", "0730000100109"},  {"ES", "999999990"},      {"GO", "109876547"},
    {"MA", "120000385"},      {"MT", "00130000019"},    {"MS", "283115947"},
    {"MG", "0623079040081"},  {"PA", "159999995"},      {"PB", "060000015"},
    {"PB", "161306306"},      {"PR", "1234567850"},     {"PE", "032141840"},
    {"PE", "18100100000049"}, {"PI", "012345679"},      {"RJ", "99999993"},
    {"RN", "200400401"},      {"RN", "2000400400"},     {"RS", "2243658792"},
    {"RO", "101625213"},      {"RO", "00000000625213"}, {"RR", "240066281"},
    {"SC", "251040852"},      {"SP", "110042490114"},   {"SE", "271234563"},
    {"TO", "29010227836"},
};

} // namespace

TEST(Digitos, CnpjECpfDaReceita) {
    EXPECT_TRUE(cnpjValido("11222333000181"));
    EXPECT_FALSE(cnpjValido("11222333000180"));
    EXPECT_FALSE(cnpjValido("11222333000191")); // primeiro dígito trocado
    EXPECT_TRUE(cpfValido("11144477735"));
    EXPECT_FALSE(cpfValido("11144477734"));
    EXPECT_FALSE(cpfValido("11144477725"));
}

TEST(Digitos, RejeitaTodosIguaisTamanhoErradoENaoDigitos) {
    for (char c = '0'; c <= '9'; ++c) {
        EXPECT_FALSE(cnpjValido(std::string(14, c))) << c;
        EXPECT_FALSE(cpfValido(std::string(11, c))) << c;
    }
    EXPECT_FALSE(cnpjValido("1122233300018"));
    EXPECT_FALSE(cnpjValido("112223330001811"));
    EXPECT_FALSE(cnpjValido("11222333 00181"));
    EXPECT_FALSE(cpfValido("1114447773"));
    EXPECT_FALSE(cpfValido("111444777-5"));
}

TEST(Digitos, CompletaCnpjECpfGeraOsDigitosDaReceita) {
    char cnpj[] = "112223330001__";
    completaCnpj(cnpj);
    EXPECT_EQ(std::string(cnpj, 14), "11222333000181");
    char cpf[] = "111444777__";
    completaCpf(cpf);
    EXPECT_EQ(std::string(cpf, 11), "11144477735");
}

TEST(Digitos, IeExemplosPublicadosPassamEComDigitoTrocadoNao) {
    for (const Exemplo& e : exemplos) {
        const std::string ie = e.ie;
        EXPECT_TRUE(ieValida(campo(ie), e.uf)) << e.uf << ' ' << ie;
        EXPECT_FALSE(ieValida(campo(troca(ie, ie.size() - 1)), e.uf)) << e.uf << ' ' << ie;
    }
}

TEST(Digitos, IeComDoisDigitosConfereTambemOPrimeiro) {
    // Troca o penúltimo dígito dos formatos com dois verificadores.
    for (const Exemplo e : {Exemplo{"AC", "0100482300112"}, Exemplo{"BA", "123456748"},
                            Exemplo{"DF", "0730000100109"}, Exemplo{"MG", "0623079040081"},
                            Exemplo{"PR", "1234567850"}, Exemplo{"PE", "032141840"}}) {
        const std::string ie = e.ie;
        EXPECT_FALSE(ieValida(campo(troca(ie, ie.size() - 2)), e.uf)) << e.uf << ' ' << ie;
    }
    // SP: o primeiro verificador é o nono dígito.
    EXPECT_FALSE(ieValida(campo(troca("110042490114", 8)), "SP"));
}

TEST(Digitos, IeProdutorRuralDeSaoPaulo) {
    EXPECT_TRUE(ieValida(campo("P011004243002"), "SP"));
    EXPECT_FALSE(ieValida(campo("P011004244002"), "SP")); // nono dígito trocado
    EXPECT_TRUE(ieValida(campo("P011004243009"), "SP"));  // os três últimos não têm dígito
    EXPECT_FALSE(ieValida(campo("P01100424300"), "SP"));  // curta
    EXPECT_FALSE(ieValida(campo("P011004243002"), "MG")); // só SP tem o "P"
}

TEST(Digitos, IeRegrasDeFormato) {
    // Prefixo do Estado.
    EXPECT_FALSE(ieValida(campo("250000048"), "AL"));
    EXPECT_FALSE(ieValida(campo("130000385"), "MA"));
    // Dígitos 3 e 4 de TO só podem ser 01, 02, 03 ou 99.
    EXPECT_FALSE(ieValida(campo("29040227836"), "TO"));
    // Zeros à esquerda a mais são aceitos; outros caracteres não.
    EXPECT_TRUE(ieValida(campo("099999993"), "RJ"));
    EXPECT_FALSE(ieValida(campo("199999993"), "RJ"));
    EXPECT_FALSE(ieValida(campo("999 99993"), "RJ"));
    EXPECT_FALSE(ieValida(campo("99.999.99-3"), "RJ"));
    EXPECT_FALSE(ieValida(" 99999993     ", "RJ"));
    // MT aceita número curto completado com zeros; os demais Estados não.
    EXPECT_TRUE(ieValida(campo("130000019"), "MT"));
    EXPECT_FALSE(ieValida(campo("9999993"), "RJ"));
    // Vazio, ISENTO e UF desconhecida.
    EXPECT_FALSE(ieValida(campo(""), "SP"));
    EXPECT_FALSE(ieValida(campo("ISENTO"), "SP"));
    EXPECT_FALSE(ieValida(campo("110042490114"), "EX"));
    EXPECT_FALSE(ieValida(campo("110042490114"), "S"));
}

TEST(Digitos, IeUfsConfirmadas) {
    const std::string confirmadas = "BA GO MG MS PE RO TO";
    for (const char* uf :
         {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
          "PB", "PR", "PE", "PI", "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"}) {
        EXPECT_TRUE(ufConhecida(uf)) << uf;
        EXPECT_EQ(algoritmoIEConfirmado(uf), confirmadas.find(uf) != std::string::npos) << uf;
    }
    EXPECT_FALSE(ufConhecida("EX"));
    EXPECT_FALSE(algoritmoIEConfirmado("EX"));
}

TEST(Digitos, GeraIeValidaEDeterministaEmTodasAsUfs) {
    for (const Exemplo& e : exemplos) {
        for (std::uint64_t semente = 0; semente < 200; ++semente) {
            char a[14], b[14];
            const int n = geraIE(e.uf, semente, a);
            ASSERT_GT(n, 0) << e.uf;
            ASSERT_EQ(geraIE(e.uf, semente, b), n);
            const std::string ie(a, 14);
            EXPECT_EQ(ie, std::string(b, 14));
            EXPECT_TRUE(ieValida(ie, e.uf)) << e.uf << ' ' << ie;
            EXPECT_EQ(ie.find_first_of(' '),
                      static_cast<std::size_t>(n == 14 ? std::string::npos : n));
        }
    }
    char saida[14];
    EXPECT_EQ(geraIE("EX", 1, saida), 0);
}
