// Entradas hostis ao motor: arquivo vazio ou só com a marca de fim, saídas sobre a entrada,
// FIFO e dispositivos, caminhos fora do UTF-8 no relatório.
#include "motor_biblioteca.h"
#include "motor_exemplos.h"

#include "core/Arquivo.h"
#include "core/Relatorio.h"
#include "core/Texto.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace exemplos;
using kelvor::texto::paraWindows1252;

namespace {

struct Rodada {
    std::optional<std::string> recusa;
    kelvor::Resultado r;
    std::vector<kelvor::Critica> criticas;
};

struct Guarda final : kelvor::ObservadorCriticas {
    std::vector<kelvor::Critica> lista;
    void critica(const kelvor::Critica& c) override { lista.push_back(c); }
};

Rodada valida(const std::string& arquivo, const std::string& relatorio = {},
              const std::string& totais = {}) {
    Guarda g;
    kelvor::Parametros p;
    p.arquivo = arquivo;
    p.relatorio = relatorio;
    p.totaisCfop = totais;
    kelvor::Validador v(p, &g);
    Rodada rd;
    if ((rd.recusa = v.prepara())) return rd;
    kelvor::Progresso pg;
    std::atomic<bool> cancelar{false};
    rd.r = v.executa(pg, cancelar);
    rd.criticas = g.lista;
    return rd;
}

// Roda f numa thread e espera no máximo 5 s: um open() preso num FIFO não segura o teste.
template <class F> std::optional<std::string> semTravar(F f) {
    auto tarefa = std::make_shared<std::packaged_task<std::optional<std::string>()>>(f);
    auto futuro = tarefa->get_future();
    std::thread([tarefa] { (*tarefa)(); }).detach();
    if (futuro.wait_for(std::chrono::seconds(5)) != std::future_status::ready) return "travou";
    return futuro.get();
}

} // namespace

TEST(MotorRobustez, ArquivoSemRegistrosNuncaEAceito) {
    Pasta pasta;
    for (const std::string& conteudo : {std::string(), std::string("\x1a")}) {
        SCOPED_TRACE(conteudo.size());
        grava(pasta / "f.txt", conteudo);
        auto rd = valida(pasta / "f.txt", pasta / "c.tmp");
        ASSERT_FALSE(rd.recusa);
        EXPECT_EQ(rd.r.veredito, kelvor::VereditoRejeitado);
        EXPECT_EQ(rd.r.erros, 1);
        ASSERT_EQ(rd.criticas.size(), 1u);
        EXPECT_EQ(rd.criticas[0].mensagem,
                  "Arquivo sem registros: o arquivo deve ter os registros 10, 11 e 90.");
        EXPECT_EQ(rd.criticas[0].linha, 1);
        // O relatório tem o cabeçalho e a crítica.
        auto rel = le(pasta / "c.tmp");
        EXPECT_EQ(rel.size(), rel.find("\r\n") + 2 + 218);
        // E a pré-verificação recusa os dois como vazios.
        EXPECT_EQ(kelvor::verificaArquivo(pasta / "f.txt"),
                  "O arquivo está vazio: " + (pasta / "f.txt"));
    }
    grava(pasta / "f.txt", "\x1a\x1a");
    EXPECT_EQ(kelvor::verificaArquivo(pasta / "f.txt"), std::nullopt);
}

TEST(MotorRobustez, SaidaSobreAEntradaERecusadaSemTocarNaEntrada) {
    Pasta pasta;
    const std::string f = pasta / "f.txt";
    const std::string bytes = linhas({r10(), r11()});
    grava(f, bytes);
    ::link(f.c_str(), (pasta / "ligado.txt").c_str());
    ::symlink(f.c_str(), (pasta / "atalho.txt").c_str());
    const std::string sobreRel =
        "O relatório de críticas não pode ser gravado sobre o arquivo a validar: ";
    const std::string sobreTot =
        "O arquivo de totais por CFOP não pode ser gravado sobre o arquivo a validar: ";
    struct Caso {
        std::string relatorio, totais, mensagem;
    } casos[] = {
        {f, pasta / "t.tmp", sobreRel + f},
        {pasta / "ligado.txt", {}, sobreRel + (pasta / "ligado.txt")},
        {pasta / "atalho.txt", {}, sobreRel + (pasta / "atalho.txt")},
        {pasta / "c.tmp", pasta / "../" + pasta.p.filename().string() + "/f.txt",
         sobreTot + (pasta / "../") + pasta.p.filename().string() + "/f.txt"},
        {pasta / "igual.tmp", pasta / "igual.tmp",
         "O relatório de críticas e o arquivo de totais por CFOP não podem ser o mesmo arquivo: " +
             (pasta / "igual.tmp")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mensagem);
        auto rd = valida(f, c.relatorio, c.totais);
        EXPECT_EQ(rd.recusa, c.mensagem);
        EXPECT_EQ(le(f), bytes);
    }
    EXPECT_FALSE(std::filesystem::exists(pasta / "igual.tmp")); // nada foi aberto para gravar

    // Pela interface C, como o programa chama.
    namespace a = korventa::assinaturas;
    auto inicio = biblioteca().f<a::Kelvor_InicioValidacao>("Kelvor_InicioValidacao");
    ASSERT_NE(inicio, nullptr);
    char m[1000];
    EXPECT_EQ(inicio(f.c_str(), f.c_str(), (pasta / "t.tmp").c_str(), 1, 3, m), 0);
    EXPECT_EQ(std::string(m), paraWindows1252(sobreRel + f));
    EXPECT_EQ(le(f), bytes);
}

TEST(MotorRobustez, SoArquivoComumEAceitoESemBloquear) {
    Pasta pasta;
    const std::string fifo = pasta / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string naoComum =
        "O caminho indicado não é um arquivo comum (dispositivo, FIFO ou soquete): ";
    for (const std::string& c : {fifo, std::string("/dev/zero"), std::string("/dev/null")}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(semTravar([&] { return kelvor::verificaArquivo(c); }), naoComum + c);
        EXPECT_EQ(semTravar([&] { return valida(c, pasta / "c.tmp").recusa; }), naoComum + c);
        auto verifica =
            biblioteca().f<korventa::assinaturas::Kelvor_VerificaArquivo>("Kelvor_VerificaArquivo");
        ASSERT_NE(verifica, nullptr);
        char m[2000];
        EXPECT_EQ(semTravar([&]() -> std::optional<std::string> {
                      if (verifica(c.c_str(), m, sizeof m)) return "aceito";
                      return kelvor::texto::paraUtf8(m);
                  }),
                  naoComum + c);
    }
}

TEST(MotorRobustez, CaminhoDoCabecalhoEmWindows1252) {
    std::tm q{};
    q.tm_year = 124;
    q.tm_mday = 1;
    // UTF-8 (o nome como o sistema de arquivos o dá) vira 1252; 1252 passa como está.
    auto utf8 = kelvor::formataCabecalho("/tmp/relatório ação.txt", q);
    EXPECT_NE(utf8.find("/tmp/relat\xf3rio a\xe7\xe3o.txt - 01/01/2024"), std::string::npos);
    auto latin1 = kelvor::formataCabecalho("/tmp/relat\xf3rio.txt", q);
    EXPECT_NE(latin1.find("/tmp/relat\xf3rio.txt - "), std::string::npos);
    EXPECT_EQ(utf8.rfind(paraWindows1252("KORVENTA - Relatório de Críticas - "), 0), 0u);

    // E de volta: UTF-8 válido para a saída JSON, qualquer que seja a entrada.
    using kelvor::texto::utf8Valido;
    EXPECT_EQ(utf8Valido("relatório"), "relatório");
    EXPECT_EQ(utf8Valido("relat\xf3rio"), "relatório");
    EXPECT_EQ(utf8Valido("\x80\x81"), "€\xc2\x81");
    EXPECT_EQ(utf8Valido("\xc0\xaf"), "À¯");             // forma longa demais
    EXPECT_EQ(utf8Valido("\xed\xa0\x80"), "í\xc2\xa0€"); // substituto
    EXPECT_EQ(utf8Valido("\xe2\x82"), "â‚");             // cortado no fim
}
