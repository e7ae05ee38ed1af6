// Arquivos inteiros pelo motor: as críticas entre registros saem iguais com qualquer fim de
// linha, e as críticas tardias movem o registro entre as colunas das contagens.
#include "GeradorExemplo.h"
#include "test_cruzado_apoio.h"

#include "core/CruzadoMensagens.h"

#include <gtest/gtest.h>

#include <atomic>
#include <tuple>

using namespace cruzado_teste;
using namespace exemplos;
namespace m = kelvor::cruzado::mensagem;
namespace ex = kelvor::exemplo;

namespace {

struct Coleta : kelvor::ObservadorCriticas {
    std::vector<kelvor::Critica> lista;
    void critica(const kelvor::Critica& c) override { lista.push_back(c); }
};

struct Saida {
    kelvor::Resultado resultado;
    std::vector<kelvor::Critica> criticas;
};

Saida valida(const std::string& bytes, int flag = 1, int versao = 3) {
    Pasta pasta;
    const auto caminho = pasta / "arquivo.txt";
    grava(caminho, bytes);
    kelvor::Parametros p;
    p.arquivo = caminho;
    p.flagLeiaute = flag;
    p.versaoConvenio = versao;
    Coleta coleta;
    kelvor::Validador v(p, &coleta);
    EXPECT_FALSE(v.prepara().has_value());
    kelvor::Progresso progresso;
    std::atomic<bool> cancelar{false};
    Saida s;
    s.resultado = v.executa(progresso, cancelar);
    s.criticas = std::move(coleta.lista);
    return s;
}

std::string junta(const std::vector<std::string>& linhas) {
    std::string s;
    for (const auto& l : linhas)
        s += l + "\r\n";
    return s;
}

using Chave = std::tuple<std::int64_t, int, int, std::string>;

std::vector<Chave> chaves(const std::vector<kelvor::Critica>& cs) {
    std::vector<Chave> r;
    for (const auto& c : cs)
        r.emplace_back(c.linha, c.inicio, c.tamanho, c.mensagem);
    return r;
}

} // namespace

TEST(CruzadoArquivo, FinsDeLinhaNaoMudamAsCriticasEntreRegistros) {
    ex::Opcoes o;
    o.registros = 2000;
    o.semente = 5;
    o.falhas = {ex::Falha::Sem50, ex::Falha::Sem75, ex::Falha::Total90, ex::Falha::Sem60M,
                ex::Falha::Ordem};
    ex::Resumo resumo;
    const auto base = ex::geraTexto(o, &resumo);
    const auto referencia = valida(base);
    ASSERT_EQ(referencia.resultado.veredito, kelvor::VereditoRejeitado);
    for (const auto& f : resumo.falhas) {
        bool achou = false;
        for (const auto& c : referencia.criticas)
            achou = achou || (c.linha == f.linha && c.inicio == f.inicio && c.tamanho == f.tamanho);
        EXPECT_TRUE(achou) << ex::nomeFalha(f.falha) << " na linha " << f.linha;
    }

    struct Variante {
        bool soLf, eof26, semQuebraFinal;
    };
    for (const auto& x : {Variante{true, false, false}, Variante{false, true, false},
                          Variante{false, false, true}, Variante{true, true, true}}) {
        auto ov = o;
        ov.soLf = x.soLf;
        ov.eof26 = x.eof26;
        ov.semQuebraFinal = x.semQuebraFinal;
        const auto bytes = ex::geraTexto(ov);
        const auto s = valida(bytes);
        EXPECT_EQ(s.resultado.veredito, referencia.resultado.veredito);
        EXPECT_EQ(s.resultado.erros, referencia.resultado.erros);
        EXPECT_EQ(s.resultado.advertencias, referencia.resultado.advertencias);
        EXPECT_EQ(chaves(s.criticas), chaves(referencia.criticas));
        // O offset aponta o começo da linha criticada neste arquivo.
        const std::size_t largura = x.soLf ? 127 : 128;
        for (const auto& c : s.criticas)
            EXPECT_EQ(c.offset, (c.linha - 1) * static_cast<std::int64_t>(largura));
    }
}

TEST(CruzadoArquivo, CriticasTardiasMovemAsContagens) {
    // 75 sem uso (advertência tardia), 54 sem nota (imediata) e com código sem 75 (tardia),
    // e um 50 sem itens (advertência tardia).
    const auto linhas = arquivo({r50(), com(r54(), 22, "000999"), com(r75(), 19, "OUTRO")});
    const auto s = valida(junta(linhas));
    EXPECT_EQ(s.resultado.veredito, kelvor::VereditoRejeitado);
    const auto& n = s.resultado.contagens;
    // Linhas: 2 = 50, 5 = 54, 14 = 75. Colunas: sem crítica, advertências, rejeitado, total.
    EXPECT_EQ(n.celula(2, 0), 0);
    EXPECT_EQ(n.celula(2, 1), 1);
    EXPECT_EQ(n.celula(5, 1), 0);
    EXPECT_EQ(n.celula(5, 2), 1);
    EXPECT_EQ(n.celula(14, 0), 0);
    EXPECT_EQ(n.celula(14, 1), 1);
    EXPECT_EQ(n.celula(20, 0), 1);
    EXPECT_EQ(s.resultado.erros, 2);
    EXPECT_EQ(s.resultado.advertencias, 2);
    // As tardias vêm depois das outras, em ordem de linha.
    ASSERT_EQ(s.criticas.size(), 4u);
    EXPECT_EQ(s.criticas[0].mensagem, m::Sem50Do54);
    EXPECT_EQ(s.criticas[1].linha, 3);
    EXPECT_EQ(s.criticas[2].linha, 4);
    EXPECT_EQ(s.criticas[3].linha, 5);
}

TEST(CruzadoArquivo, LeiauteAnteriorA2003SoVerificaAEstrutura) {
    // Um 54 sem nota e um código sem 75: no leiaute anterior a 2003 não são conferidos;
    // o registro 90 sim.
    auto linhas = arquivo({com(r54(), 22, "000999")});
    auto s = valida(junta(linhas), 0, 2);
    EXPECT_EQ(s.resultado.veredito, kelvor::VereditoAdvertencias);
    ASSERT_EQ(s.criticas.size(), 1u);
    EXPECT_EQ(s.criticas[0].linha, 1);
    EXPECT_EQ(s.criticas[0].mensagem,
              "Arquivo no leiaute anterior a 2003: somente a estrutura do arquivo foi "
              "verificada.");

    linhas.back() = r90({{54, 2}, {99, 4}});
    s = valida(junta(linhas), 0, 2);
    EXPECT_EQ(s.resultado.veredito, kelvor::VereditoRejeitado);
    ASSERT_EQ(s.criticas.size(), 2u);
    EXPECT_EQ(s.criticas[1].mensagem, m::totalDoTipo("54", 2, 1));
}
