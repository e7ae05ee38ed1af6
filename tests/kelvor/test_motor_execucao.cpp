// A validação na sua thread: andamento, cancelamento, uma de cada vez, entradas ruins.
#include "motor_exemplos.h"

#include "core/Execucao.h"
#include "core/Texto.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <thread>
#include <unistd.h>

using namespace exemplos;
using namespace std::chrono_literals;

namespace {

// Arquivo grande o bastante para a validação levar algum tempo (compartilhado pelos testes).
// Apaga o arquivo grande quando o executável de testes termina.
struct Apagar {
    std::string caminho;
    ~Apagar() {
        std::error_code ec;
        std::filesystem::remove(caminho, ec);
    }
};

const std::string& arquivoGrande() {
    static Apagar apagar;
    static const std::string caminho = [] {
        auto nome = "motor_grande_" + std::to_string(::getpid()) + ".txt";
        auto c = (std::filesystem::temp_directory_path() / nome).string();
        std::string uma = r54() + "\r\n";
        std::string tudo = r10() + "\r\n" + r11() + "\r\n";
        tudo.reserve(400000 * uma.size());
        for (int i = 0; i < 400000; ++i)
            tudo += uma;
        grava(c, tudo);
        apagar.caminho = c;
        return c;
    }();
    return caminho;
}

int esperaFim(kelvor::ExecucaoValidacao& e, int& pct, int& lidos, int& total) {
    int estado;
    while ((estado = e.estado(pct, lidos, total)) == kelvor::EstadoEmAndamento)
        std::this_thread::sleep_for(1ms);
    return estado;
}

kelvor::Parametros parametros(const Pasta& pasta, const std::string& arquivo) {
    kelvor::Parametros p;
    p.arquivo = arquivo;
    p.relatorio = pasta / "c.tmp";
    p.totaisCfop = pasta / "t.cfop";
    return p;
}

} // namespace

TEST(MotorExecucao, AndamentoAteOFimEContagensExatas) {
    Pasta pasta;
    kelvor::ExecucaoValidacao e;
    std::string m;
    ASSERT_TRUE(e.inicia(parametros(pasta, arquivoGrande()), m)) << m;
    int pct = 0, lidos = 0, total = 0, vistos = 0, ultimoLidos = 0;
    while (e.estado(pct, lidos, total) == kelvor::EstadoEmAndamento) {
        // O total mostrado ao usuário nunca muda: desconhecido (0) ou o exato.
        EXPECT_TRUE(total == 0 || total == 400002) << total;
        EXPECT_GE(pct, 0);
        EXPECT_LE(pct, 99);
        EXPECT_GE(lidos, ultimoLidos);
        ultimoLidos = lidos;
        ++vistos;
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_GT(vistos, 0);
    EXPECT_EQ(pct, 100);
    EXPECT_EQ(lidos, 400002);
    EXPECT_EQ(total, 400002);
    auto r = e.resultado();
    EXPECT_EQ(r.registros, 400002);
    EXPECT_EQ(r.contagens.celula(5, 3), 400000);
    EXPECT_EQ(r.contagens.celula(21, 3), 400002);
}

TEST(MotorExecucao, CancelamentoParaLogoEResultaMenosUm) {
    Pasta pasta;
    kelvor::ExecucaoValidacao e;
    std::string m;
    ASSERT_TRUE(e.inicia(parametros(pasta, arquivoGrande()), m)) << m;
    std::this_thread::sleep_for(20ms);
    auto antes = std::chrono::steady_clock::now();
    e.cancela();
    int pct, lidos, total;
    EXPECT_EQ(esperaFim(e, pct, lidos, total), kelvor::VereditoInterrompido);
    // Folga para máquina carregada; a bandeira é consultada a cada lote e, dentro dele, a cada
    // 256 registros nas verificações de campo e 1024 na etapa em ordem.
    EXPECT_LT(std::chrono::steady_clock::now() - antes, 1s);
    EXPECT_TRUE(e.resultado().cancelado);
    EXPECT_LT(lidos, 400002);
}

TEST(MotorExecucao, CancelarLogoDepoisDeIniciarEUmaDeCadaVez) {
    Pasta pasta;
    kelvor::ExecucaoValidacao e;
    std::string m;
    ASSERT_TRUE(e.inicia(parametros(pasta, arquivoGrande()), m));
    EXPECT_FALSE(e.inicia(parametros(pasta, arquivoGrande()), m));
    EXPECT_EQ(m, "Já existe uma validação em andamento.");
    e.cancela();
    int pct, lidos, total;
    EXPECT_EQ(esperaFim(e, pct, lidos, total), kelvor::VereditoInterrompido);
    // Terminada a anterior, outra pode começar.
    grava(pasta / "ok.txt", linhas({r10()}));
    EXPECT_TRUE(e.inicia(parametros(pasta, pasta / "ok.txt"), m)) << m;
    esperaFim(e, pct, lidos, total);
}

TEST(MotorExecucao, NaoComecaComArquivoAusentePastaOuRelatorioSemPermissao) {
    Pasta pasta;
    kelvor::ExecucaoValidacao e;
    std::string m;
    EXPECT_FALSE(e.inicia(parametros(pasta, pasta / "nada.txt"), m));
    EXPECT_EQ(m, "Arquivo não encontrado: " + (pasta / "nada.txt"));
    EXPECT_FALSE(e.inicia(parametros(pasta, pasta.p.string()), m));
    EXPECT_EQ(m, "O caminho indicado é uma pasta: " + pasta.p.string());
    grava(pasta / "f.txt", linhas({r10()}));
    auto p = parametros(pasta, pasta / "f.txt");
    p.relatorio = pasta / "sem/pasta/c.tmp";
    EXPECT_FALSE(e.inicia(p, m));
    EXPECT_EQ(m,
              "Não foi possível criar o arquivo " + p.relatorio + ": arquivo ou pasta inexistente");
    p = parametros(pasta, pasta / "f.txt");
    p.totaisCfop = pasta.p.string();
    EXPECT_FALSE(e.inicia(p, m));
    EXPECT_EQ(m.rfind("Não foi possível criar o arquivo " + pasta.p.string() + ": ", 0), 0u);
}

TEST(MotorExecucao, ArquivoBinarioViraCriticasSemQuebrar) {
    Pasta pasta;
    std::mt19937 g(42);
    std::string lixo(300000, '\0');
    for (auto& c : lixo)
        c = static_cast<char>(g());
    grava(pasta / "bin.dat", lixo);
    kelvor::ExecucaoValidacao e;
    std::string m;
    ASSERT_TRUE(e.inicia(parametros(pasta, pasta / "bin.dat"), m)) << m;
    int pct, lidos, total;
    EXPECT_EQ(esperaFim(e, pct, lidos, total), kelvor::VereditoRejeitado);
    auto rel = le(pasta / "c.tmp");
    auto corpo = rel.substr(rel.find("\r\n") + 2);
    EXPECT_EQ(corpo.size() % 218, 0u);
    EXPECT_EQ(static_cast<std::int64_t>(corpo.size() / 218),
              e.resultado().erros + e.resultado().advertencias);
}

TEST(MotorExecucao, ArquivoApagadoDuranteAValidacaoTerminaNormalmente) {
    Pasta pasta;
    auto c = pasta / "some.txt";
    std::filesystem::copy_file(arquivoGrande(), c);
    kelvor::ExecucaoValidacao e;
    std::string m;
    ASSERT_TRUE(e.inicia(parametros(pasta, c), m));
    std::filesystem::remove(c);
    int pct, lidos, total;
    EXPECT_NE(esperaFim(e, pct, lidos, total), kelvor::EstadoEmAndamento);
    EXPECT_EQ(e.resultado().registros, 400002);
}

TEST(MotorExecucao, TotaisCfopGravadosComCrLfEVaziosSemDocumentos) {
    Pasta pasta;
    grava(pasta / "f.txt", linhas({r10(), r11(), r50(), r54()}));
    kelvor::ExecucaoValidacao e;
    std::string m;
    ASSERT_TRUE(e.inicia(parametros(pasta, pasta / "f.txt"), m));
    int pct, lidos, total;
    esperaFim(e, pct, lidos, total);
    auto t = le(pasta / "t.cfop");
    ASSERT_EQ(t.size(), 2u * 148);
    EXPECT_EQ(t.substr(146, 2), "\r\n");
    EXPECT_EQ(t.substr(0, 10), "5051021800");

    grava(pasta / "g.txt", linhas({r10(), r11(), r75()}));
    ASSERT_TRUE(e.inicia(parametros(pasta, pasta / "g.txt"), m));
    esperaFim(e, pct, lidos, total);
    EXPECT_TRUE(le(pasta / "t.cfop").empty());
}
