// A interface C de libKelvor, carregada como o programa a carrega, e o korventa-validar.
#include "motor_biblioteca.h"
#include "motor_exemplos.h"

#include "core/Texto.h"
#include "engine/Cabecalhos.h"

#include <chrono>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <zlib.h>

using namespace exemplos;
using kelvor::texto::paraWindows1252;
namespace a = korventa::assinaturas;

namespace {


} // namespace

TEST(MotorApi, VerificaArquivoComAsMensagensDoPrograma) {
    auto verifica = biblioteca().f<a::Kelvor_VerificaArquivo>("Kelvor_VerificaArquivo");
    ASSERT_NE(verifica, nullptr) << dlerror();
    Pasta pasta;
    char m[2000];
    auto texto = [&](const std::string& c) {
        std::memset(m, 'x', sizeof m);
        return verifica(c.c_str(), m, sizeof m) ? std::string("ok:") + m : std::string(m);
    };
    EXPECT_EQ(texto(pasta / "nada"),
              paraWindows1252("Arquivo não encontrado: ") + (pasta / "nada"));
    EXPECT_EQ(texto(pasta.p.string()),
              paraWindows1252("O caminho indicado é uma pasta: ") + pasta.p.string());
    grava(pasta / "vazio", "");
    EXPECT_EQ(texto(pasta / "vazio"),
              paraWindows1252("O arquivo está vazio: ") + (pasta / "vazio"));
    grava(pasta / "bin", std::string("10abc\0def", 9));
    EXPECT_EQ(texto(pasta / "bin"),
              paraWindows1252("O arquivo não é um arquivo texto: ") + (pasta / "bin"));
    grava(pasta / "ok", linhas({r10()}));
    EXPECT_EQ(texto(pasta / "ok"), "ok:");
    char curta[10];
    grava(pasta / "x", "");
    verifica((pasta / "x").c_str(), curta, sizeof curta);
    EXPECT_EQ(std::strlen(curta), 9u); // cortada no tamanho do buffer
}

TEST(MotorApi, VersoesDasCompanheirasEConferenciaDeBibliotecas) {
    auto versoes = biblioteca().f<a::Kelvor_VersoesEx>("Kelvor_VersoesEx");
    auto aux = biblioteca().f<a::Kelvor_Aux>("Kelvor_Aux");
    ASSERT_TRUE(versoes && aux);
    char v2[100], v3[100], vk[100];
    ASSERT_NE(versoes(v2, 100, v3, 100, vk, 100, 0), 0);
    EXPECT_STREQ(v2, "1.7.8.9");
    EXPECT_STREQ(v3, "1.8.2");
    EXPECT_STREQ(vk, "5.2.0.0");

    char saida[20], m[1000];
    EXPECT_NE(aux(KORVENTA_BIN_DIR "/libValkora3.so", saida, m), 0);
    EXPECT_STREQ(saida, "1.8.2");
    EXPECT_EQ(aux(KORVENTA_BIN_DIR "/libNaoExiste.so", saida, m), 0);
    EXPECT_EQ(std::string(m),
              paraWindows1252("Arquivo não encontrado: ") + KORVENTA_BIN_DIR "/libNaoExiste.so");
    Pasta pasta;
    grava(pasta / "libFalsa.so", "isto não é uma biblioteca");
    EXPECT_EQ(aux((pasta / "libFalsa.so").c_str(), saida, m), 0);
    EXPECT_EQ(std::string(m),
              paraWindows1252("Arquivo danificado ou de outra versão: ") + (pasta / "libFalsa.so"));
}

TEST(MotorApi, ValidacaoPelaInterfaceC) {
    auto inicio = biblioteca().f<a::Kelvor_InicioValidacao>("Kelvor_InicioValidacao");
    auto estado = biblioteca().f<a::Kelvor_EstadoValidacao>("Kelvor_EstadoValidacao");
    auto resultado = biblioteca().f<a::Kelvor_ResultadoValidacao>("Kelvor_ResultadoValidacao");
    auto totalizador = biblioteca().f<a::Kelvor_Totalizador>("Kelvor_Totalizador");
    auto porRegistro = biblioteca().f<a::Kelvor_TotalizadorRegistro>("Kelvor_TotalizadorRegistro");
    auto crc = biblioteca().f<a::Kelvor_CRC32>("Kelvor_CRC32");
    ASSERT_TRUE(inicio && estado && resultado && totalizador && porRegistro && crc);

    Pasta pasta;
    auto arq = pasta / "f.txt";
    std::string bytes = linhas({r10(), r11(), com(r50(), 46, "00A123"), r54(), r75()});
    grava(arq, bytes);
    char m[1000];
    auto crit = pasta / "Criticas.tmp. 0", tot = pasta / "Totais.CFOP. 0";
    ASSERT_NE(inicio(arq.c_str(), crit.c_str(), tot.c_str(), 1, 3, m), 0) << m;
    int32 p = 0, l = 0, t = 0, e;
    while ((e = estado(&p, &l, &t)) == -2)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(e, 2);
    EXPECT_EQ(p, 100);
    EXPECT_EQ(l, 5);
    EXPECT_EQ(t, 5);
    int32 erros = -1, advertencias = -1;
    char msg[100];
    EXPECT_EQ(resultado(msg, &erros, &advertencias), 2);
    char hexa[16];
    std::snprintf(hexa, sizeof hexa, "%08X",
                  static_cast<unsigned>(
                      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size())));
    EXPECT_STREQ(msg, hexa);
    EXPECT_GE(erros, 1);
    EXPECT_EQ(totalizador(0, 3), 1);  // um registro 10
    EXPECT_EQ(totalizador(2, 2), 1);  // o 50 rejeitado
    EXPECT_EQ(totalizador(21, 3), 5); // todos
    EXPECT_EQ(totalizador(22, 0), 0);
    char linha[100];
    EXPECT_NE(porRegistro(1, linha), 0);
    EXPECT_STREQ(linha, "50S:10000:10000:1800:0");
    EXPECT_NE(porRegistro(30, linha), 0);
    EXPECT_STREQ(linha, "");
    EXPECT_EQ(porRegistro(31, linha), 0);

    // Relatório sem permissão: não começa, e a mensagem diz o caminho e o motivo.
    auto ruim = pasta / "nao/existe/c.tmp";
    EXPECT_EQ(inicio(arq.c_str(), ruim.c_str(), tot.c_str(), 1, 3, m), 0);
    EXPECT_EQ(std::string(m), paraWindows1252("Não foi possível criar o arquivo ") + ruim +
                                  ": arquivo ou pasta inexistente");

    char d[100];
    crc("123456789", d);
    EXPECT_STREQ(d, "3421780262");
    crc("", d);
    EXPECT_STREQ(d, "0");
}

TEST(MotorApi, LogNaPastaTemporariaComNivel) {
    auto ligar = biblioteca().f<a::LigarLog>("LigarLog");
    auto evento = biblioteca().f<a::EventoLog>("EventoLog");
    ASSERT_TRUE(ligar && evento);
    auto caminho = std::filesystem::temp_directory_path() / "KorventaTesteMotor.log";
    std::filesystem::remove(caminho);
    ligar("KorventaTesteMotor", 3);
    evento(3, "entrou");
    evento(4, "detalhe demais");
    std::thread outra([&] { evento(0, "erro da outra thread"); });
    outra.join();
    auto log = le(caminho.string());
    EXPECT_NE(log.find(" [3] entrou\n"), std::string::npos);
    EXPECT_NE(log.find(" [0] erro da outra thread\n"), std::string::npos);
    EXPECT_EQ(log.find("detalhe demais"), std::string::npos);
    ASSERT_GE(log.size(), 24u);
    EXPECT_EQ(log[4], '-');
    EXPECT_EQ(log[10], ' ');
    EXPECT_EQ(log[19], '.');
    EXPECT_EQ(log.substr(23, 2), " [");
    std::filesystem::remove(caminho);
}

TEST(MotorApi, LinhaDeComandoCodigosDeSaidaEJson) {
    const std::string cmd = KORVENTA_BIN_DIR "/korventa-validar";
    Pasta pasta;
    grava(pasta / "ruim.txt", linhas({r10(), r11(), "curto"}));
    auto [texto, rc] = executa(cmd + " --max 1 " + (pasta / "ruim.txt") + " 2>/dev/null");
    EXPECT_EQ(rc, 2);
    EXPECT_NE(texto.find("ARQUIVO REJEITADO"), std::string::npos);
    EXPECT_NE(texto.find("Tamanho do registro inválido: 5 posições (deve ter 126). [Rejeição]"),
              std::string::npos);

    auto [json, rcj] = executa(cmd + " --json " + (pasta / "ruim.txt") + " 2>/dev/null");
    EXPECT_EQ(rcj, 2);
    EXPECT_EQ(json.rfind("{\"arquivo\":", 0), 0u);
    EXPECT_NE(json.find("\"resultado\":2"), std::string::npos);
    EXPECT_NE(json.find("\"tipo\":\"Rejeição\""), std::string::npos);

    auto [erro, rce] = executa(cmd + " " + (pasta / "nada.txt") + " 2>&1");
    EXPECT_EQ(rce, 3);
    EXPECT_NE(erro.find("Arquivo não encontrado: "), std::string::npos);

    auto [ajuda, rca] = executa(cmd + " --help");
    EXPECT_EQ(rca, 0);
    EXPECT_NE(ajuda.find("Uso: korventa-validar [opções] ARQUIVO..."), std::string::npos);
    EXPECT_EQ(executa(cmd + " --max x a.txt 2>/dev/null").second, 3);
}

TEST(MotorApi, FalhasInjetadasPeloGeradorSaoApontadasNaLinhaCampoELarguraCertos) {
    Pasta pasta;
    auto arq = pasta / "f.txt", mapa = pasta / "mapa.txt", crit = pasta / "c.tmp";
    ASSERT_EQ(executa(KORVENTA_BIN_DIR "/gerar-exemplo --registros 3000 --falha todas --mapa " +
                      mapa + " -o " + arq + " 2>/dev/null")
                  .second,
              0);
    auto [saida, rc] = executa(KORVENTA_BIN_DIR "/korventa-validar -c " + crit + " " + arq);
    EXPECT_EQ(rc, 2) << saida;
    auto rel = le(crit);
    auto corpo = rel.substr(rel.find("\r\n") + 2);
    std::istringstream m(le(mapa));
    std::string l;
    int falhas = 0;
    while (std::getline(m, l)) {
        if (l.empty() || l[0] == '#') continue;
        std::istringstream campos(l);
        int linha, inicio, largura;
        std::string tipo;
        campos >> linha >> inicio >> largura >> tipo;
        ++falhas;
        bool achou = false;
        for (std::size_t i = 0; i + 218 <= corpo.size() && !achou; i += 218) {
            auto r = corpo.substr(i, 216);
            auto n = [&](int c, int w) {
                auto s = kelvor::texto::semBrancos(std::string_view(r).substr(c - 1, w));
                return s.empty() ? 0 : std::stoi(std::string(s));
            };
            achou = n(11, 10) == linha && n(199, 3) == inicio && n(202, 3) == largura;
        }
        EXPECT_TRUE(achou) << tipo << " na linha " << linha;
    }
    EXPECT_GE(falhas, 10);
}
