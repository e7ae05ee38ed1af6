// Arquivos inteiros pelo motor: as críticas entre registros saem iguais com qualquer fim de
// linha, e as críticas tardias movem o registro entre as colunas das contagens.
#include "GeradorExemplo.h"
#include "test_cruzado_apoio.h"

#include "core/CruzadoMensagens.h"
#include "core/Mensagens.h"

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

namespace {

// Contagens de uma linha de Kelvor_Totalizador: sem crítica, advertências, rejeitados.
std::vector<std::int64_t> colunas(const kelvor::Contagens& n, int linha) {
    return {n.celula(linha, 0), n.celula(linha, 1), n.celula(linha, 2)};
}

constexpr int Linha60 = 9, LinhaTotal = 21;

} // namespace

TEST(CruzadoArquivo, CadaRegistroSemSeu75ERejeitadoEContado) {
    const auto prod9 = [](std::string r, int inicio) { return com(r, inicio, "PROD9"); };
    const auto linhas =
        arquivo({r60M(), r60D(), prod9(r60D(), 32), prod9(r60I(), 43), prod9(r60R(), 10), r75()});
    const auto s = valida(junta(linhas));
    EXPECT_EQ(s.resultado.veredito, kelvor::VereditoRejeitado);
    ASSERT_EQ(s.criticas.size(), 3u);
    const int inicios[] = {32, 43, 10};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.criticas[i].linha, 5 + i);
        EXPECT_EQ(s.criticas[i].mensagem, m::Sem75);
        EXPECT_EQ(s.criticas[i].inicio, inicios[i]);
        EXPECT_EQ(s.criticas[i].tamanho, 14);
        EXPECT_EQ(s.criticas[i].conteudo, "PROD9         ");
    }
    EXPECT_EQ(s.resultado.erros, 3);
    const auto& n = s.resultado.contagens;
    EXPECT_EQ(colunas(n, Linha60), (std::vector<std::int64_t>{2, 0, 3}));
    // Os totais das contagens batem com as linhas do arquivo.
    EXPECT_EQ(n.celula(LinhaTotal, 3), static_cast<std::int64_t>(linhas.size()));
    EXPECT_EQ(n.celula(LinhaTotal, 2), 3);
}

TEST(CruzadoArquivo, GrupoSem60MTemCadaRegistroRejeitado) {
    // O 60M com data impossível não dá a chave do dia: os cinco do grupo ficam sem ele. A
    // data que falhou também não entra na ordem (seria um aviso de ordem no 60A seguinte).
    const auto linhas = arquivo(
        {com(r60M(), 4, "20240132"), r60A(), r60A("1200"), r60A("F   "), r60D(), r60I(), r75()});
    const auto s = valida(junta(linhas));
    ASSERT_EQ(s.criticas.size(), 6u);
    EXPECT_EQ(s.criticas[0].linha, 3);
    EXPECT_EQ(s.criticas[0].mensagem, "Data inválida.");
    const char subtipos[] = {'A', 'A', 'A', 'D', 'I'};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.criticas[1 + i].linha, 4 + i);
        EXPECT_EQ(s.criticas[1 + i].mensagem, m::sem60M(subtipos[i]));
        EXPECT_EQ(s.criticas[1 + i].inicio, 12);
    }
    EXPECT_EQ(s.resultado.erros, 6);
    EXPECT_EQ(colunas(s.resultado.contagens, Linha60), (std::vector<std::int64_t>{0, 0, 6}));
    EXPECT_EQ(s.resultado.contagens.celula(LinhaTotal, 3),
              static_cast<std::int64_t>(linhas.size()));
}

TEST(CruzadoArquivo, SegundaPassadaPartedaSituacaoDaPrimeira) {
    // Linha 4: 54 sem nota (rejeitado na hora) e sem 75 (continua um rejeitado);
    // linha 6: 60D com advertência de campo e sem 75 (sai das advertências);
    // linha 7: 60D sem 60M e sem 75 (duas críticas, um registro rejeitado);
    // linhas 3 e 8: 50 sem itens e 75 sem uso (advertências tardias, na ordem de linha).
    const auto icmsErrado = com(com(r60D(), 32, "PROD9"), 95, "0000000001000");
    const auto outroDia = com(com(r60D(), 4, "20240116"), 32, "PROD9");
    const auto linhas = arquivo({r50(), com(com(r54(), 22, "000999"), 38, "PROD9"), r60M(),
                                 icmsErrado, outroDia, com(r75(), 19, "OUTRO")});
    const auto s = valida(junta(linhas));
    std::vector<std::pair<std::int64_t, std::string>> vistas;
    for (const auto& c : s.criticas)
        vistas.emplace_back(c.linha, c.mensagem);
    const std::vector<std::pair<std::int64_t, std::string>> esperadas = {
        {4, m::Sem50Do54},   {6, kelvor::msg::IcmsDivergente},
        {3, m::sem54("55")}, {4, m::Sem75},
        {6, m::Sem75},       {7, m::sem60M('D')},
        {7, m::Sem75},       {8, m::Nao75Referenciado}};
    EXPECT_EQ(vistas, esperadas);
    const auto& n = s.resultado.contagens;
    EXPECT_EQ(colunas(n, Linha60), (std::vector<std::int64_t>{1, 0, 2}));
    EXPECT_EQ(colunas(n, 5), (std::vector<std::int64_t>{0, 0, 1}));
    EXPECT_EQ(n.celula(LinhaTotal, 3), static_cast<std::int64_t>(linhas.size()));
    EXPECT_EQ(s.resultado.erros, 5);
    EXPECT_EQ(s.resultado.advertencias, 3);
}

TEST(CruzadoArquivo, CampoQueFalhouNaoEntraNaOrdem) {
    // Notas sem valores (nenhum item exigido), números diferentes.
    int numero = 0;
    const auto data = [&](const char* d) {
        return com(com(com(r50(), 31, d), 57, z(69)), 48, std::to_string(++numero * 100));
    };
    auto s = valida(junta(arquivo({data("20240115"), data("20240132"), data("20240116")})));
    ASSERT_EQ(s.criticas.size(), 1u);
    EXPECT_EQ(s.criticas[0].mensagem, "Data inválida.");
    // Sem a data inválida no meio, a volta na ordem continua avisada.
    s = valida(junta(arquivo({data("20240117"), data("20240116")})));
    ASSERT_EQ(s.criticas.size(), 1u);
    EXPECT_EQ(s.criticas[0].mensagem, m::ordemDentroDoTipo("50", "data"));
}
