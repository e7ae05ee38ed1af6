// Validação em lotes e em várias threads: o relatório de críticas, os totais por CFOP, as
// contagens e o CRC saem iguais, byte a byte, com qualquer número de threads e qualquer tamanho
// de lote, em todas as formas do gerador e com falhas; e o que as verificações de campo acham de
// cada registro chega à etapa em ordem.
#include "motor_exemplos.h"

#include "GeradorExemplo.h"
#include "core/EtapaCampos.h"
#include "core/Execucao.h"
#include "core/LeitorLotes.h"
#include "core/Totais.h"
#include "core/Verificacao.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>

using namespace exemplos;
namespace ex = kelvor::exemplo;

namespace {

struct Saida {
    kelvor::Resultado r;
    std::string criticas, totais;
};

Saida valida(const Pasta& pasta, const std::string& arquivo, int threads, std::size_t bloco = 0) {
    kelvor::Parametros p;
    p.arquivo = arquivo;
    p.relatorio = pasta / "c.tmp";
    p.totaisCfop = pasta / "t.cfop";
    p.threads = threads;
    p.bloco = bloco;
    kelvor::ExecucaoValidacao e;
    std::string m;
    EXPECT_TRUE(e.inicia(p, m)) << m;
    e.espera();
    int pct, lidos, total;
    while (e.estado(pct, lidos, total) == kelvor::EstadoEmAndamento)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    Saida s;
    s.r = e.resultado();
    s.criticas = le(p.relatorio);
    s.criticas.erase(0, s.criticas.find('\n') + 1); // o cabeçalho tem a hora
    s.totais = le(p.totaisCfop);
    return s;
}

void esperaIgual(const Saida& a, const Saida& b, const std::string& onde) {
    EXPECT_EQ(a.criticas, b.criticas) << onde;
    EXPECT_EQ(a.totais, b.totais) << onde;
    EXPECT_EQ(a.r.veredito, b.r.veredito) << onde;
    EXPECT_EQ(a.r.erros, b.r.erros) << onde;
    EXPECT_EQ(a.r.advertencias, b.r.advertencias) << onde;
    EXPECT_EQ(a.r.registros, b.r.registros) << onde;
    EXPECT_EQ(a.r.crc, b.r.crc) << onde;
    EXPECT_EQ(a.r.totaisPorRegistro, b.r.totaisPorRegistro) << onde;
    for (int l = 0; l <= 21; ++l)
        for (int c = 0; c <= 3; ++c)
            EXPECT_EQ(a.r.contagens.celula(l, c), b.r.contagens.celula(l, c))
                << onde << " contagem " << l << "," << c;
}

} // namespace

TEST(MotorParalelo, MesmasSaidasComUmaDuasEQuatroThreadsEmTodasAsFormasComFalhas) {
    for (int f = 0; f < ex::quantidadeFormas; ++f) {
        Pasta pasta;
        ex::Opcoes o;
        o.forma = static_cast<ex::Forma>(f);
        o.registros = 6000; // uns três lotes do tamanho normal
        o.semente = 5;
        for (int k = 0; k < ex::quantidadeFalhas; ++k)
            o.falhas.push_back(static_cast<ex::Falha>(k));
        ex::Resumo resumo;
        std::string erro;
        ASSERT_TRUE(ex::geraArquivo(o, pasta / "f.txt", resumo, erro)) << erro;
        const auto base = valida(pasta, pasta / "f.txt", 1);
        const std::string nome(ex::nomeForma(o.forma));
        ASSERT_GT(base.r.erros, 0) << nome;
        EXPECT_EQ(base.r.registros, resumo.linhas) << nome;
        for (int j : {2, 4})
            esperaIgual(base, valida(pasta, pasta / "f.txt", j), nome + " -j " + std::to_string(j));
        // Lotes de poucas linhas: muitas emendas, e o registro 10 num lote e o resto nos outros.
        esperaIgual(base, valida(pasta, pasta / "f.txt", 3, 1000), nome + " lotes de 1000 bytes");
    }
}

namespace {
std::size_t ocorrencias(const std::string& texto, const std::string& parte) {
    std::size_t n = 0;
    for (auto p = texto.find(parte); p != std::string::npos; p = texto.find(parte, p + 1))
        ++n;
    return n;
}
} // namespace

// As críticas da segunda passada (cada registro sem o seu 75 ou 60M, achadas só no fim) saem
// nas mesmas linhas e na mesma ordem, intercaladas com as tardias, com qualquer número de threads.
TEST(MotorParalelo, SegundaPassadaIgualComQualquerNumeroDeThreads) {
    for (auto forma : {ex::Forma::Padrao, ex::Forma::Itens, ex::Forma::Ecf}) {
        Pasta pasta;
        ex::Opcoes o;
        o.forma = forma;
        o.registros = 8000;
        o.semente = 11;
        o.porcentoSem75 = 7;
        o.notaSemItens = true;
        o.falhas = {ex::Falha::Sem60M, ex::Falha::Sem75, ex::Falha::Data, ex::Falha::Tamanho};
        ex::Resumo resumo;
        std::string erro;
        ASSERT_TRUE(ex::geraArquivo(o, pasta / "f.txt", resumo, erro)) << erro;
        const std::string nome(ex::nomeForma(forma));
        const auto base = valida(pasta, pasta / "f.txt", 1);
        EXPECT_GT(ocorrencias(base.criticas, "sem registro 60M"), 0u) << nome;
        EXPECT_EQ(ocorrencias(base.criticas, "sem registro 54 correspondente"), 1u) << nome;
        if (forma != ex::Forma::Ecf) {
            EXPECT_GT(ocorrencias(base.criticas, "sem registro 75 correspondente"), 20u) << nome;
        }
        for (int j : {2, 4})
            esperaIgual(base, valida(pasta, pasta / "f.txt", j), nome + " -j " + std::to_string(j));
        esperaIgual(base, valida(pasta, pasta / "f.txt", 2, 700), nome + " lotes de 700 bytes");
    }
}

TEST(MotorParalelo, EmendasDeLoteComFinsDeLinhaMarcaDeFimELinhasRuins) {
    Pasta pasta;
    // Linhas curtas, vazias, gigantes e o registro 10 só depois delas: o contexto das
    // verificações de campo (período, UF) vale a partir dele em qualquer lote.
    std::string gigante(5000, 'X');
    std::string texto = linhas({"lixo", "", gigante, r10(), r11(), r50(), r54(), r60M(),
                                com(r60A(), 4, "20230101"), r70(), r75()},
                               "\n");
    texto += "90" + std::string(124, ' ') + "\r\n\x1a";
    grava(pasta / "f.txt", texto);
    const auto base = valida(pasta, pasta / "f.txt", 1);
    EXPECT_EQ(base.r.registros, 12);
    for (std::size_t bloco : {1, 7, 130, 4096})
        for (int j : {1, 2, 4})
            esperaIgual(base, valida(pasta, pasta / "f.txt", j, bloco),
                        "bloco " + std::to_string(bloco) + " -j " + std::to_string(j));
}

TEST(MotorParalelo, CamposQueFalharamChegamAEtapaEmOrdem) {
    // Data inválida (campo 4) e CFOP inexistente (campo 10) num 50; tamanho errado noutro.
    const auto ruim = com(com(r50(), 31, "20240132"), 52, "5999");
    Pasta pasta;
    grava(pasta / "f.txt", linhas({r10(), ruim, r50().substr(0, 120)}));
    std::FILE* f = std::fopen((pasta / "f.txt").c_str(), "rb");
    kelvor::LeitorLotes leitor(f);
    kelvor::Lote l;
    ASSERT_TRUE(leitor.proximo(l));
    std::fclose(f);
    const auto ctx = contexto();
    l.contexto = l.contexto10 = &ctx;
    kelvor::EtapaCampos etapa(ctx, ctx, leitor.limiteLinha());
    const std::atomic<bool> cancelar{false};
    etapa.confere(l, cancelar);
    ASSERT_EQ(l.registros.size(), 3u);
    const auto& r = l.registros[1];
    const auto* lei = kelvor::leiautePara(ruim);
    ASSERT_EQ(r.leiaute, lei);
    kelvor::CamposFalhos esperado = 0;
    for (std::size_t i = 0; i < lei->campos.size(); ++i)
        if (lei->campos[i].inicio == 31 || lei->campos[i].inicio == 52) esperado |= 1u << i;
    EXPECT_EQ(r.camposFalhos, esperado);
    EXPECT_EQ(r.situacao, kelvor::Situacao::Rejeitado);
    EXPECT_EQ(r.criticas, 2u);
    EXPECT_EQ(l.registros[0].camposFalhos, 0u);
    // O de tamanho errado não tem leiaute nem campos conferidos, só a crítica do tamanho.
    EXPECT_EQ(l.registros[2].leiaute, nullptr);
    EXPECT_EQ(l.registros[2].tamanho, 120);
    EXPECT_EQ(l.registros[2].criticas, 1u);
}

TEST(MotorParalelo, LinhaDeComandoComMenosJ) {
    Pasta pasta;
    ex::Opcoes o;
    o.forma = ex::Forma::Atacadista;
    o.registros = 6000;
    for (int k = 0; k < ex::quantidadeFalhas; ++k)
        o.falhas.push_back(static_cast<ex::Falha>(k));
    ex::Resumo resumo;
    std::string erro;
    ASSERT_TRUE(ex::geraArquivo(o, pasta / "f.txt", resumo, erro)) << erro;
    const std::string cmd = KORVENTA_BIN_DIR "/korventa-validar";
    const auto roda = [&](const std::string& opcoes) {
        const int st = std::system((cmd + " " + opcoes + " 2>/dev/null").c_str());
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    };
    std::string criticas, totais, saida;
    for (const char* j : {"1", "2", "4"}) {
        const std::string sufixo = j;
        ASSERT_EQ(roda("-j " + sufixo + " --max 0 -c " + (pasta / ("c" + sufixo)) + " -t " +
                       (pasta / ("t" + sufixo)) + " " + (pasta / "f.txt") + " > " +
                       (pasta / ("s" + sufixo))),
                  2);
        auto c = le(pasta / ("c" + sufixo));
        c.erase(0, c.find('\n') + 1);
        if (criticas.empty()) {
            criticas = c;
            totais = le(pasta / ("t" + sufixo));
            saida = le(pasta / ("s" + sufixo));
            EXPECT_FALSE(criticas.empty());
        } else {
            EXPECT_EQ(c, criticas) << "-j " << j;
            EXPECT_EQ(le(pasta / ("t" + sufixo)), totais) << "-j " << j;
            EXPECT_EQ(le(pasta / ("s" + sufixo)), saida) << "-j " << j;
        }
    }
    EXPECT_EQ(roda("-j 0 " + (pasta / "f.txt")), 3);
    EXPECT_EQ(roda("-j x " + (pasta / "f.txt")), 3);
    EXPECT_EQ(roda((pasta / "f.txt") + " -j"), 3);
}

// Os totais somados lote a lote (cada lote à parte, os itens de documento cancelado tirados
// depois, na ordem) dão o mesmo que somar registro a registro.
TEST(MotorParalelo, TotaisDosLotesIguaisAosDaSomaEmOrdem) {
    const auto cancelado = com(r50(), 126, "S");
    const auto outro = com(com(r50(), 46, "000124"), 52, "5101");
    const auto itemOutro = com(com(r54(), 22, "000124"), 28, "5101");
    // O 54 antes do seu 50 cancelado soma (o cancelamento só vale para os de depois).
    const std::vector<std::string> registros = {r10(), r11(),      r54(), cancelado,
                                                r54(), r54("991"), outro, itemOutro,
                                                r54(), r60A(),     r61(), com(r70(), 126, "S"),
                                                r70()};
    std::string texto;
    kelvor::TotaisCfop esperado;
    for (const auto& r : registros) {
        texto += r + "\r\n";
        if (const auto* l = kelvor::leiautePara(r); l && r.size() == 126) esperado.acumula(*l, r);
    }
    std::string linhasEsperadas;
    for (const auto& l : esperado.linhas())
        linhasEsperadas += l + "\r\n";
    Pasta pasta;
    grava(pasta / "f.txt", texto);
    for (int j : {1, 2})
        for (std::size_t bloco : {std::size_t{0}, std::size_t{300}})
            EXPECT_EQ(valida(pasta, pasta / "f.txt", j, bloco).totais, linhasEsperadas)
                << "-j " << j << " bloco " << bloco;
}
