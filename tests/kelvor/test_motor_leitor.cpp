// Leitura em blocos: fins de linha, marca de fim, linhas vazias e gigantes, CRC do arquivo.
#include "motor_exemplos.h"

#include "core/Crc32.h"
#include "core/Leitor.h"

#include <gtest/gtest.h>
#include <zlib.h>

using namespace exemplos;

namespace {

struct Lida {
    std::string texto;
    std::int64_t tamanho, numero, offset;
};

// Lê tudo com bloco e limite pequenos, para exercitar as emendas entre blocos.
std::vector<Lida> leTudo(const std::string& bytes, std::size_t bloco = 7, std::size_t limite = 16,
                         std::uint32_t* crc = nullptr) {
    Pasta pasta;
    grava(pasta / "f.txt", bytes);
    std::FILE* f = std::fopen((pasta / "f.txt").c_str(), "rb");
    kelvor::LeitorLinhas leitor(f, bloco, limite);
    std::vector<Lida> r;
    kelvor::Linha l;
    while (leitor.proxima(l))
        r.push_back({std::string(l.texto), l.tamanho, l.numero, l.offset});
    EXPECT_EQ(leitor.erro(), 0);
    EXPECT_EQ(leitor.bytesLidos(), bytes.size());
    if (crc) *crc = leitor.crc();
    std::fclose(f);
    return r;
}

} // namespace

TEST(MotorLeitor, FinsDeLinhaLfCrLfEUltimaLinhaSemFim) {
    for (std::size_t bloco : {1, 3, 7, 4096}) {
        auto r = leTudo("abc\r\nde\nfgh", bloco);
        ASSERT_EQ(r.size(), 3u) << bloco;
        EXPECT_EQ(r[0].texto, "abc");
        EXPECT_EQ(r[0].tamanho, 3);
        EXPECT_EQ(r[1].texto, "de");
        EXPECT_EQ(r[1].offset, 5);
        EXPECT_EQ(r[2].texto, "fgh");
        EXPECT_EQ(r[2].offset, 8);
        EXPECT_EQ(r[2].numero, 3);
    }
}

TEST(MotorLeitor, MarcaDeFimSoNoFimDoArquivo) {
    EXPECT_EQ(leTudo("abc\r\n\x1a").size(), 1u);
    auto r = leTudo("abc\r\nxyz\x1a");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].texto, "xyz");
    // No meio do arquivo o 26 é um caractere como outro qualquer.
    r = leTudo("a\x1a"
               "b\n");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].tamanho, 3);
    EXPECT_TRUE(leTudo("").empty());
    EXPECT_TRUE(leTudo("\x1a").empty());
}

TEST(MotorLeitor, LinhasVaziasContam) {
    auto r = leTudo("\n\r\n\nx\n");
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].tamanho, 0);
    EXPECT_EQ(r[1].tamanho, 0);
    EXPECT_EQ(r[3].texto, "x");
    EXPECT_EQ(r[3].offset, 4);
}

TEST(MotorLeitor, LinhaMaiorQueOLimiteGuardaSoOComecoEContaTudo) {
    std::string longa(10000, 'L');
    longa[0] = 'I';
    for (std::size_t bloco : {5, 16, 100, 1 << 20}) {
        auto r = leTudo("curta\n" + longa + "\r\nfim", bloco, 16);
        ASSERT_EQ(r.size(), 3u) << bloco;
        EXPECT_EQ(r[1].tamanho, 10000);
        EXPECT_EQ(r[1].texto.size(), 16u);
        EXPECT_EQ(r[1].texto[0], 'I');
        EXPECT_EQ(r[1].offset, 6);
        EXPECT_EQ(r[2].texto, "fim");
        EXPECT_EQ(r[2].offset, 6 + 10002);
    }
    // Só uma linha gigante, sem LF no fim.
    auto r = leTudo(longa, 64, 16);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].tamanho, 10000);
}

TEST(MotorLeitor, SoCrComoFimDeLinhaViraUmaLinhaSo) {
    auto r = leTudo("abc\rdef\rghi\r");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].tamanho, 11); // o CR do fim é tirado, os do meio ficam
}

TEST(MotorLeitor, CrcDosBytesDoArquivo) {
    std::string bytes = "10abc\r\n90xyz\r\n\x1a";
    for (std::size_t bloco : {3, 8, 4096}) {
        std::uint32_t crc = 0;
        leTudo(bytes, bloco, 16, &crc);
        EXPECT_EQ(crc, crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
    }
    // Linha gigante (o CRC dela é feito pelo leitor, o dos outros lotes por quem os confere).
    bytes = "curta\r\n" + std::string(5000, 'G') + "\r\nfim\x1a";
    std::uint32_t crc = 0;
    leTudo(bytes, 64, 16, &crc);
    EXPECT_EQ(crc, crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

TEST(MotorLeitor, CrcRapidoIgualAoDaZlibEmQualquerTamanhoEAlinhamento) {
    std::string dados(70000, '\0');
    std::uint32_t x = 12345;
    for (auto& c : dados) {
        x = x * 1103515245 + 12345;
        c = static_cast<char>(x >> 16);
    }
    for (std::size_t n : {0, 1, 15, 16, 63, 64, 65, 127, 128, 1000, 4096, 65537, 69990})
        for (std::size_t inicio : {0, 1, 7}) {
            const auto* p = dados.data() + inicio;
            const auto esperado = static_cast<std::uint32_t>(
                crc32(0xDEADBEEF, reinterpret_cast<const Bytef*>(p), static_cast<uInt>(n)));
            EXPECT_EQ(kelvor::crc32Bytes(0xDEADBEEF, p, n), esperado) << n << " " << inicio;
        }
    // Juntar os CRCs de duas partes dá o CRC do todo.
    const auto a = kelvor::crc32Bytes(0, dados.data(), 1000);
    const auto b = kelvor::crc32Bytes(0, dados.data() + 1000, 69000);
    EXPECT_EQ(kelvor::crc32Junta(a, b, 69000), kelvor::crc32Bytes(0, dados.data(), 70000));
}

TEST(MotorLeitor, ContagemPreviaDaAsMesmasLinhasQueOLeitor) {
    // O total do progresso vem desta contagem: precisa bater com o que a leitura entrega.
    const std::string casos[] = {"",
                                 "\x1a",
                                 "abc",
                                 "abc\r\nde\nfgh",
                                 "abc\r\n\x1a",
                                 "abc\r\nxyz\x1a",
                                 "abc\r\nxyz\r\x1a",
                                 "a\x1a"
                                 "b\n",
                                 "\n\r\n\nx\n",
                                 "abc\rdef\rghi\r",
                                 "\r",
                                 "x\n\r",
                                 std::string(10000, 'L') + "\r\nfim"};
    Pasta pasta;
    for (const std::string& bytes : casos) {
        grava(pasta / "c.txt", bytes);
        for (std::size_t bloco : {1, 2, 3, 7, 4096}) {
            std::FILE* f = std::fopen((pasta / "c.txt").c_str(), "rb");
            ASSERT_NE(f, nullptr);
            const auto linhas = kelvor::contaLinhas(f, nullptr, bloco);
            std::fclose(f);
            ASSERT_TRUE(linhas.has_value());
            EXPECT_EQ(*linhas, static_cast<std::int64_t>(leTudo(bytes, bloco).size()))
                << "bloco " << bloco << " em " << testing::PrintToString(bytes.substr(0, 20));
        }
    }
    // A previsão dos registros 50: linhas que começam por "50" (a primeira também), não os "50"
    // do meio de uma linha.
    grava(pasta / "c.txt", "50a\r\n5\r\n50\n1050\n\n50b\r\n150\n50");
    for (std::size_t bloco : {std::size_t{4096}, std::size_t{3}}) {
        std::FILE* f = std::fopen((pasta / "c.txt").c_str(), "rb");
        std::int64_t de50 = -1;
        EXPECT_EQ(kelvor::contaLinhas(f, nullptr, bloco, &de50), 8);
        std::fclose(f);
        // Em blocos minúsculos as linhas da emenda ficam de fora: é só uma previsão.
        if (bloco == 4096) {
            EXPECT_EQ(de50, 4);
        } else {
            EXPECT_LE(de50, 4);
        }
    }
    // Cancelada antes de começar, a contagem não dá número nenhum.
    std::FILE* f = std::fopen((pasta / "c.txt").c_str(), "rb");
    std::atomic<bool> parar{true};
    EXPECT_FALSE(kelvor::contaLinhas(f, &parar).has_value());
    std::fclose(f);
}
