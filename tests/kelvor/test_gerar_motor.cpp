// Arquivos do gerador passados pelo motor: o limpo é aceito sem críticas em todas as variantes
// de fim de linha, e cada falha injetada é criticada na linha e no campo que o mapa indica.
#include "GeradorExemplo.h"
#include "core/Validador.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

using namespace kelvor::exemplo;
namespace fs = std::filesystem;

namespace {

class Coleta : public kelvor::ObservadorCriticas {
public:
    void critica(const kelvor::Critica& c) override { criticas.push_back(c); }
    std::vector<kelvor::Critica> criticas;
};

struct Validacao {
    kelvor::Resultado resultado;
    std::vector<kelvor::Critica> criticas;
    Resumo resumo;
};

// Gera num arquivo temporário e valida com o núcleo do motor.
Validacao valida(const Opcoes& o) {
    const fs::path caminho =
        fs::temp_directory_path() / ("gerar-motor-" + std::to_string(getpid()) + ".txt");
    Validacao v;
    std::string erro;
    EXPECT_TRUE(geraArquivo(o, caminho.string(), v.resumo, erro)) << erro;
    kelvor::Parametros p;
    p.arquivo = caminho.string();
    Coleta coleta;
    kelvor::Validador validador(p, &coleta);
    const auto problema = validador.prepara();
    EXPECT_FALSE(problema.has_value()) << *problema;
    kelvor::Progresso progresso;
    const std::atomic<bool> cancelar{false};
    v.resultado = validador.executa(progresso, cancelar);
    v.criticas = std::move(coleta.criticas);
    std::error_code ec;
    fs::remove(caminho, ec);
    return v;
}

std::string descreve(const std::vector<kelvor::Critica>& cs) {
    std::string s;
    for (const auto& c : cs)
        s += std::to_string(c.linha) + " " + std::to_string(c.inicio) + "/" +
             std::to_string(c.tamanho) + " " + c.mensagem + "\n";
    return s;
}

bool achou(const std::vector<kelvor::Critica>& cs, const FalhaInjetada& f) {
    for (const auto& c : cs)
        if (c.linha == f.linha && c.inicio == f.inicio && c.tamanho == f.tamanho) return true;
    return false;
}

} // namespace

TEST(GerarExemploNoMotor, ArquivoLimpoAceitoSemCriticasEmTodasAsVariantes) {
    struct Variante {
        const char* uf;
        bool soLf, eof26, semQuebraFinal;
    };
    for (const Variante& x :
         {Variante{"SP", false, false, false}, Variante{"MG", true, false, false},
          Variante{"BA", false, true, false}, Variante{"PE", true, true, true},
          Variante{"RS", false, false, true}}) {
        Opcoes o;
        o.registros = 4000;
        o.semente = 11;
        o.uf = x.uf;
        o.soLf = x.soLf;
        o.eof26 = x.eof26;
        o.semQuebraFinal = x.semQuebraFinal;
        const Validacao v = valida(o);
        EXPECT_EQ(v.resultado.veredito, kelvor::VereditoAceito) << x.uf;
        EXPECT_TRUE(v.resultado.falha.empty()) << v.resultado.falha;
        EXPECT_EQ(v.resultado.registros, v.resumo.linhas) << x.uf;
        EXPECT_TRUE(v.criticas.empty()) << x.uf << '\n' << descreve(v.criticas);
    }
}

// Uma falha por arquivo: a crítica sai onde o mapa diz, e nenhuma Rejeição sai em outra linha.
TEST(GerarExemploNoMotor, CadaFalhaCriticadaNaLinhaENoCampoDoMapa) {
    for (int k = 0; k < quantidadeFalhas; ++k) {
        const auto f = static_cast<Falha>(k);
        Opcoes o;
        o.registros = 1500;
        o.falhas = {f};
        const Validacao v = valida(o);
        ASSERT_FALSE(v.resumo.falhas.empty());
        for (const FalhaInjetada& fi : v.resumo.falhas)
            EXPECT_TRUE(achou(v.criticas, fi)) << nomeFalha(f) << " na linha " << fi.linha << '\n'
                                               << descreve(v.criticas);
        for (const auto& c : v.criticas) {
            if (c.gravidade != kelvor::Gravidade::Rejeicao) continue;
            bool mapeada = false;
            for (const FalhaInjetada& fi : v.resumo.falhas)
                mapeada = mapeada || fi.linha == c.linha;
            EXPECT_TRUE(mapeada) << nomeFalha(f) << ": Rejeição fora do mapa\n"
                                 << descreve(v.criticas);
        }
        // ICMS é Advertência; a IE de SP também, enquanto o algoritmo não é confirmado.
        const bool soAdvertencia = f == Falha::Icms || f == Falha::Ie;
        EXPECT_EQ(v.resultado.veredito,
                  soAdvertencia ? kelvor::VereditoAdvertencias : kelvor::VereditoRejeitado)
            << nomeFalha(f);
    }
}

TEST(GerarExemploNoMotor, TodasAsFalhasJuntasCriticadas) {
    Opcoes o;
    o.registros = 2500;
    o.uf = "GO";
    for (int k = 0; k < quantidadeFalhas; ++k)
        o.falhas.push_back(static_cast<Falha>(k));
    const Validacao v = valida(o);
    EXPECT_EQ(v.resultado.veredito, kelvor::VereditoRejeitado);
    for (const FalhaInjetada& fi : v.resumo.falhas)
        EXPECT_TRUE(achou(v.criticas, fi))
            << nomeFalha(fi.falha) << " na linha " << fi.linha << '\n'
            << descreve(v.criticas);
}

// As outras formas (as das medições) também são válidas por construção, e as falhas caem no
// lugar do mapa nelas.
TEST(GerarExemploNoMotor, FormasLimpasAceitasEComFalhasCriticadasNoLugar) {
    for (Forma forma : {Forma::Atacadista, Forma::Itens, Forma::Ecf}) {
        Opcoes o;
        o.forma = forma;
        o.registros = 3000;
        const Validacao limpa = valida(o);
        EXPECT_EQ(limpa.resultado.veredito, kelvor::VereditoAceito) << nomeForma(forma);
        EXPECT_TRUE(limpa.criticas.empty()) << nomeForma(forma) << '\n' << descreve(limpa.criticas);
        for (int k = 0; k < quantidadeFalhas; ++k)
            o.falhas.push_back(static_cast<Falha>(k));
        const Validacao v = valida(o);
        for (const FalhaInjetada& fi : v.resumo.falhas)
            EXPECT_TRUE(achou(v.criticas, fi))
                << nomeForma(forma) << ": " << nomeFalha(fi.falha) << " na linha " << fi.linha;
    }
}

// Códigos sem 75 em massa: cada 54 e 74 que os usa é rejeitado na sua linha (conferido contra
// o texto gerado), conta como rejeitado, e as contagens fecham com as linhas do arquivo.
TEST(GerarExemploNoMotor, CodigosSem75EmMassaCriticadosEmCadaRegistro) {
    Opcoes o;
    o.registros = 6000;
    o.porcentoSem75 = 10;
    const std::string texto = geraTexto(o);
    std::vector<std::string_view> linhas;
    for (std::size_t p = 0; p < texto.size();) {
        const auto fim = texto.find('\n', p);
        linhas.push_back(std::string_view(texto).substr(p, fim - p - 1));
        p = fim + 1;
    }
    std::set<std::string_view> com75;
    for (const auto l : linhas)
        if (l.substr(0, 2) == "75") com75.insert(l.substr(18, 14));
    std::vector<std::int64_t> esperadas;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const auto l = linhas[i];
        const bool usa =
            (l.substr(0, 2) == "54" && l.substr(34, 3) < "991") || l.substr(0, 2) == "74";
        const auto codigo = l.substr(0, 2) == "54" ? l.substr(37, 14) : l.substr(10, 14);
        if (usa && !com75.count(codigo)) esperadas.push_back(static_cast<std::int64_t>(i) + 1);
    }
    ASSERT_GT(esperadas.size(), 50u);

    const Validacao v = valida(o);
    std::vector<std::int64_t> criticadas;
    for (const auto& c : v.criticas) {
        EXPECT_EQ(c.mensagem, "Código do produto ou serviço sem registro 75 correspondente.");
        criticadas.push_back(c.linha);
    }
    EXPECT_EQ(criticadas, esperadas);
    const auto& n = v.resultado.contagens;
    EXPECT_EQ(n.celula(5, 2) + n.celula(13, 2), static_cast<std::int64_t>(esperadas.size()));
    EXPECT_EQ(n.celula(21, 2), static_cast<std::int64_t>(esperadas.size()));
    EXPECT_EQ(n.celula(21, 3), v.resumo.linhas);
    EXPECT_EQ(v.resultado.erros, static_cast<std::int64_t>(esperadas.size()));
}
