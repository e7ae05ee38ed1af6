// korventa-validar como um escritório o usa: recusas da abertura iguais às do programa, lote com
// -j na ordem dos argumentos, saídas que não podem cair sobre as entradas, JSON sempre UTF-8.
#include "Divisao.h"
#include "motor_exemplos.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace exemplos;

namespace {

const std::string Cmd = KORVENTA_BIN_DIR "/korventa-validar";

// Arquivo válido do gerador.
std::string gera(const Pasta& pasta, const std::string& nome, const std::string& opcoes = {}) {
    const auto c = pasta / nome;
    EXPECT_EQ(executa(KORVENTA_BIN_DIR "/gerar-exemplo --registros 200 " + opcoes + " -o '" + c +
                      "' 2>/dev/null")
                  .second,
              0);
    return c;
}

std::size_t conta(const std::string& texto, const std::string& trecho) {
    std::size_t n = 0;
    for (auto p = texto.find(trecho); p != std::string::npos; p = texto.find(trecho, p + 1))
        ++n;
    return n;
}

} // namespace

TEST(LinhaDeComando, RecusaNaAberturaComAMensagemDoPrograma) {
    Pasta pasta;
    const std::string bom = le(gera(pasta, "bom.txt"));
    const auto l1 = bom.find("\r\n");
    const std::string r10 = bom.substr(0, l1), resto = bom.substr(l1);
    auto comConvenio = [&](const char* fim, char codigo) {
        std::string r = r10;
        r.replace(115, 8, fim);
        r[123] = codigo;
        return r + resto;
    };
    grava(pasta / "curta.txt", r10.substr(0, 125) + resto);
    grava(pasta / "uma.txt", r10 + "\r\n");
    grava(pasta / "conv.txt", comConvenio("20040131", '1'));
    grava(pasta / "conv2002.txt", comConvenio("20021231", '1'));
    struct Caso {
        std::string arquivo, mensagem;
    } casos[] = {
        {pasta / "curta.txt", "O tamanho do registro da primeira linha é inválido: 125!"},
        {pasta / "uma.txt", "Erro lendo do arquivo " + (pasta / "uma.txt")},
        {pasta / "conv.txt",
         "Período de referência inválido para código de identificação de estrutura do "
         "Convênio.\nInformar código 3 no campo 10 do registro 10 para fatos geradores "
         "ocorridos a partir de 01/01/2004."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.arquivo);
        auto [texto, rc] = executa(Cmd + " '" + c.arquivo + "'");
        EXPECT_EQ(rc, 3);
        auto m = c.mensagem;
        for (auto p = m.find('\n'); p != std::string::npos; p = m.find('\n', p + 3))
            m.insert(p + 1, "  ");
        EXPECT_EQ(texto, c.arquivo + ": ARQUIVO NÃO VALIDADO\n  " + m + "\n");
        auto [json, rcj] = executa(Cmd + " --json '" + c.arquivo + "'");
        EXPECT_EQ(rcj, 3);
        auto esperado = c.mensagem;
        for (auto p = esperado.find('\n'); p != std::string::npos; p = esperado.find('\n', p))
            esperado.replace(p, 1, "\\n");
        EXPECT_NE(json.find("\"resultado\":-1,\"erro\":\"" + esperado + "\"}"), std::string::npos)
            << json;
    }
    // Código 1 com período de 2002 passa e é validado (o motor diz o resto).
    EXPECT_NE(executa(Cmd + " '" + (pasta / "conv2002.txt") + "'").second, 3);
}

TEST(LinhaDeComando, LoteEmParaleloNaOrdemDosArgumentosComResumo) {
    Pasta pasta;
    const auto bom = gera(pasta, "bom.txt");
    const auto ruim = gera(pasta, "ruim.txt", "--falha todas");
    const auto adv = gera(pasta, "adv.txt", "--falha icms");
    grava(pasta / "vazio.txt", "");
    const std::string args =
        " '" + ruim + "' '" + bom + "' '" + (pasta / "vazio.txt") + "' '" + adv + "'";
    auto [saida1, rc1] = executa(Cmd + " -j 1 --max 0" + args);
    auto [saida4, rc4] = executa(Cmd + " -j4 --max 0" + args);
    EXPECT_EQ(rc1, 3); // o pior: um arquivo não validado
    EXPECT_EQ(rc4, 3);
    EXPECT_EQ(saida1, saida4);
    const auto p1 = saida4.find(ruim + ": ARQUIVO REJEITADO"),
               p2 = saida4.find(bom + ": ARQUIVO ACEITO\n"),
               p3 = saida4.find((pasta / "vazio.txt") + ": ARQUIVO NÃO VALIDADO"),
               p4 = saida4.find(adv + ": ARQUIVO ACEITO COM ADVERTÊNCIAS");
    ASSERT_NE(p4, std::string::npos) << saida4;
    EXPECT_TRUE(p1 < p2 && p2 < p3 && p3 < p4) << saida4;
    EXPECT_NE(saida4.find("\nResumo: 4 arquivo(s): 1 aceito(s), 1 aceito(s) com advertências, 1 "
                          "rejeitado(s), 1 não validado(s).\n"),
              std::string::npos);
    EXPECT_EQ(saida4.find("... e mais"), std::string::npos); // --max 0: todas

    // Sem o arquivo vazio o pior é o rejeitado.
    EXPECT_EQ(executa(Cmd + " -j 2 '" + bom + "' '" + ruim + "' '" + adv + "'").second, 2);

    // JSON: uma linha por arquivo, todas as críticas com --max 0, o resumo na saída de erros.
    auto [json, rcj] = executa(Cmd + " --json --max 0 '" + ruim + "' 2>/dev/null");
    EXPECT_EQ(rcj, 2);
    EXPECT_EQ(conta(json, "\n"), 1u);
    const auto erros = json.substr(json.find("\"erros\":") + 8);
    const auto adverts = json.substr(json.find("\"advertencias\":") + 15);
    EXPECT_EQ(conta(json, "{\"linha\":"), std::stoul(erros.substr(0, erros.find(','))) +
                                              std::stoul(adverts.substr(0, adverts.find(','))));
}

TEST(LinhaDeComando, SaidaNuncaGravadaSobreUmaEntrada) {
    Pasta pasta;
    const auto f = gera(pasta, "f.txt");
    const auto bytes = le(f);
    for (const char* op : {" -c ", " -t "}) {
        auto [saida, rc] = executa(Cmd + op + "'" + f + "' '" + f + "' 2>&1");
        EXPECT_EQ(rc, 3);
        EXPECT_NE(saida.find("não pode ser gravado sobre o arquivo a validar: " + f),
                  std::string::npos)
            << saida;
        EXPECT_EQ(le(f), bytes);
    }
    // Num lote, a saída numerada de um arquivo cairia sobre outro arquivo do lote.
    const auto a2 = gera(pasta, "a.2");
    const auto a2bytes = le(a2);
    auto [saida, rc] = executa(Cmd + " -c '" + (pasta / "a") + "' '" + a2 + "' '" + f + "' 2>&1");
    EXPECT_EQ(rc, 3);
    EXPECT_NE(saida.find("sobre o arquivo a validar: " + a2), std::string::npos) << saida;
    EXPECT_EQ(le(a2), a2bytes);
    EXPECT_FALSE(std::filesystem::exists(pasta / "a.1")); // nada gravado antes da recusa
    EXPECT_EQ(executa(Cmd + " -c '" + (pasta / "x") + "' -t '" + (pasta / "x") + "' '" + f +
                      "' 2>/dev/null")
                  .second,
              3);
}

TEST(LinhaDeComando, SaidaQueJaExistiaSoETrocadaNoFimDaValidacao) {
    Pasta pasta;
    const auto f = gera(pasta, "f.txt");
    const auto rel = pasta / "rel.txt";
    grava(rel, "relatorio anterior");
    // A segunda saída não pode ser criada: o relatório que já existia continua como estava.
    const auto semPasta = pasta / "nao-existe/tot.txt";
    auto [saida, rc] = executa(Cmd + " -c '" + rel + "' -t '" + semPasta + "' '" + f + "' 2>&1");
    EXPECT_EQ(rc, 3);
    EXPECT_NE(saida.find("Não foi possível criar o arquivo " + semPasta), std::string::npos)
        << saida;
    EXPECT_EQ(le(rel), "relatorio anterior");

    // Validado: as duas saídas no lugar, com a permissão de um arquivo novo e sem temporários.
    EXPECT_EQ(executa("umask 022; " + Cmd + " -c '" + rel + "' -t '" + (pasta / "tot.txt") + "' '" +
                      f + "' >/dev/null")
                  .second,
              0);
    EXPECT_EQ(le(rel).rfind("KORVENTA - Relat", 0), 0u);
    EXPECT_FALSE(le(pasta / "tot.txt").empty());
    EXPECT_EQ(std::filesystem::status(rel).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0644));
    std::size_t arquivos = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(pasta.p))
        ++arquivos;
    EXPECT_EQ(arquivos, 3u); // f.txt, rel.txt, tot.txt
}

TEST(LinhaDeComando, NomeForaDoUtf8ViraUtf8NoJsonE1252NoRelatorio) {
    Pasta pasta;
    const auto f = gera(pasta, "relat\xf3rio.txt"); // nome gravado em Latin-1
    auto [json, rc] = executa(Cmd + " --json -c '" + (pasta / "c.tmp") + "' '" + f + "'");
    EXPECT_EQ(rc, 0) << json;
    EXPECT_NE(json.find("relatório.txt\""), std::string::npos) << json;
    EXPECT_EQ(json.find('\xf3'), std::string::npos);
    const auto rel = le(pasta / "c.tmp");
    EXPECT_NE(rel.substr(0, rel.find("\r\n")).find("relat\xf3rio.txt - "), std::string::npos);

    // A mídia também: o caminho de uma mídia que não abre volta em UTF-8.
    grava(pasta / "m\xed"
                  "dia.zip",
          "nada");
    auto [midia, rcm] = executa(Cmd + " --json --midia '" +
                                (pasta / "m\xed"
                                         "dia.zip") +
                                "'");
    EXPECT_EQ(rcm, 2);
    EXPECT_NE(midia.find("mídia.zip\""), std::string::npos) << midia;
    EXPECT_EQ(midia.find('\xed'), std::string::npos);

    const auto u = gera(pasta, "ação.txt"); // nome em UTF-8
    EXPECT_EQ(executa(Cmd + " -c '" + (pasta / "u.tmp") + "' '" + u + "'").second, 0);
    const auto relU = le(pasta / "u.tmp");
    EXPECT_NE(relU.substr(0, relU.find("\r\n")).find("a\xe7\xe3o.txt - "), std::string::npos);
}

// -j N: as N threads repartidas entre os arquivos ao mesmo tempo, sem perder nenhuma e sem
// deixar arquivo sem thread.
TEST(LinhaDeComando, ThreadsDoMenosJRepartidasEntreOsArquivos) {
    struct Caso {
        int j;
        std::size_t arquivos;
        std::size_t simultaneos;
        std::vector<int> porVaga;
    };
    const Caso casos[] = {
        {4, 1, 1, {4}},       // um arquivo: todas para o motor
        {4, 2, 2, {2, 2}},    // dois arquivos: metade para cada
        {3, 2, 2, {2, 1}},    // a que sobra da divisão não se perde
        {5, 3, 3, {2, 2, 1}}, // as que sobram para as primeiras vagas
        {2, 10, 2, {1, 1}},   // mais arquivos que threads: uma cada
        {1, 1, 1, {1}},
    };
    for (const auto& c : casos) {
        const auto simultaneos = arquivosAoMesmoTempo(c.j, c.arquivos);
        EXPECT_EQ(simultaneos, c.simultaneos) << "-j " << c.j << " com " << c.arquivos;
        std::vector<int> porVaga;
        for (std::size_t v = 0; v < simultaneos; ++v)
            porVaga.push_back(threadsDaVaga(c.j, simultaneos, v));
        EXPECT_EQ(porVaga, c.porVaga) << "-j " << c.j << " com " << c.arquivos;
    }
    // Sem -j: uma por núcleo ao todo, e nunca zero.
    const auto nucleos = static_cast<int>(threadsAoTodo(0));
    EXPECT_GE(nucleos, 1);
    EXPECT_EQ(threadsDaVaga(0, 1, 0), nucleos);
    EXPECT_GE(threadsDaVaga(0, 64, 63), 1);
}
