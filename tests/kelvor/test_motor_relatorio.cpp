// Relatório de críticas: cabeçalho, registros de 216 + CR LF, colunas e Windows-1252.
#include "motor_exemplos.h"

#include "core/Mensagens.h"
#include "core/Relatorio.h"
#include "core/Texto.h"

#include <gtest/gtest.h>

using namespace exemplos;
using kelvor::texto::paraWindows1252;

namespace {

std::string coluna(const std::string& r, int inicio, int fim) {
    return r.substr(inicio - 1, fim - inicio + 1);
}

std::string cp(const char* utf8, std::size_t largura) {
    auto s = paraWindows1252(utf8);
    s.resize(largura, ' ');
    return s;
}

} // namespace

TEST(MotorRelatorio, ColunasDeUmaCriticaDeCampo) {
    kelvor::Critica c;
    c.linha = 3;
    c.offset = 254;
    c.tipo = "50";
    c.campo = "Número";
    c.docItem = "1-00A123";
    c.conteudo = "00A123";
    c.mensagem = kelvor::msg::NaoNumerico;
    c.inicio = 46;
    c.tamanho = 6;
    auto r = kelvor::formataCritica(c, 12);
    ASSERT_EQ(r.size(), 216u);
    EXPECT_EQ(coluna(r, 1, 10), "        12");
    EXPECT_EQ(coluna(r, 11, 20), "         3");
    EXPECT_EQ(coluna(r, 21, 22), "50");
    EXPECT_EQ(coluna(r, 23, 47), cp("Número", 25));
    EXPECT_EQ(coluna(r, 48, 62), cp("1-00A123", 15));
    EXPECT_EQ(coluna(r, 63, 87), cp("00A123", 25));
    EXPECT_EQ(coluna(r, 88, 187), cp(kelvor::msg::NaoNumerico, 100));
    EXPECT_EQ(coluna(r, 188, 198), cp("Rejeição", 11));
    EXPECT_EQ(coluna(r, 199, 201), " 46");
    EXPECT_EQ(coluna(r, 202, 204), "  6");
    EXPECT_EQ(coluna(r, 205, 214), "       254");
    EXPECT_EQ(coluna(r, 215, 216), "  ");
    // Windows-1252: um byte por letra acentuada.
    EXPECT_EQ(coluna(r, 188, 195), "Rejei\xE7\xE3o");
}

TEST(MotorRelatorio, CriticaDoRegistroTodoDeixaInicioELarguraEmBrancoECortaTextosLongos) {
    kelvor::Critica c;
    c.linha = 1234567;
    c.offset = 9876543210;
    c.tipo = "9\x01";
    c.conteudo = std::string(40, 'x');
    c.mensagem = std::string(150, 'm');
    c.gravidade = kelvor::Gravidade::Advertencia;
    auto r = kelvor::formataCritica(c, 1);
    ASSERT_EQ(r.size(), 216u);
    EXPECT_EQ(coluna(r, 21, 22), "9?"); // controles não quebram a leitura por linhas
    EXPECT_EQ(coluna(r, 63, 87), std::string(25, 'x'));
    EXPECT_EQ(coluna(r, 88, 187), std::string(100, 'm'));
    EXPECT_EQ(coluna(r, 188, 198), paraWindows1252("Advertência"));
    EXPECT_EQ(coluna(r, 199, 204), "      ");
    EXPECT_EQ(coluna(r, 205, 214), "9876543210");
}

TEST(MotorRelatorio, ArquivoDeUmaValidacaoTemCabecalhoERegistrosDe218Bytes) {
    Pasta pasta;
    auto arq = pasta / "fiscal.txt";
    auto ruim = com(r50(), 46, "00A123");
    grava(arq, linhas({r10(), r11(), ruim, "xx", std::string(10000, '9'), "", r75()}));
    kelvor::Parametros p;
    p.arquivo = arq;
    p.relatorio = pasta / "Criticas.tmp. 0";
    p.totaisCfop = pasta / "Totais.CFOP. 0";
    kelvor::Validador v(p);
    ASSERT_FALSE(v.prepara());
    kelvor::Progresso pg;
    std::atomic<bool> cancelar{false};
    auto res = v.executa(pg, cancelar);
    EXPECT_EQ(res.veredito, kelvor::VereditoRejeitado);

    auto bytes = le(p.relatorio);
    auto fimCab = bytes.find("\r\n");
    ASSERT_NE(fimCab, std::string::npos);
    auto cab = bytes.substr(0, fimCab);
    EXPECT_EQ(cab.rfind(paraWindows1252("KORVENTA - Relatório de Críticas - ") + arq + " - ", 0),
              0u);
    EXPECT_EQ(cab.size(), paraWindows1252("KORVENTA - Relatório de Críticas - ").size() +
                              arq.size() + 3 + 19); // dd/mm/aaaa hh:mm:ss
    auto corpo = bytes.substr(fimCab + 2);
    ASSERT_EQ(corpo.size() % 218, 0u);
    ASSERT_EQ(static_cast<std::int64_t>(corpo.size() / 218), res.erros + res.advertencias);

    // As críticas de estrutura e de campo das linhas 3 a 6, na ordem do arquivo.
    std::vector<std::string> registros;
    for (std::size_t i = 0; i < corpo.size(); i += 218) {
        auto r = corpo.substr(i, 218);
        EXPECT_EQ(r.substr(216), "\r\n");
        EXPECT_EQ(r.substr(0, 216).find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(std::stoll(coluna(r, 1, 10)), static_cast<long long>(i / 218 + 1));
        registros.push_back(r);
    }
    auto daLinha = [&](int linha) {
        for (const auto& r : registros)
            if (std::stoi(coluna(r, 11, 20)) == linha) return r;
        return std::string();
    };
    auto r3 = daLinha(3);
    ASSERT_FALSE(r3.empty());
    EXPECT_EQ(coluna(r3, 199, 204), " 46  6");
    EXPECT_EQ(std::stoll(coluna(r3, 205, 214)), 256); // 2 registros de 126 + CR LF
    auto r4 = daLinha(4);
    EXPECT_EQ(coluna(r4, 88, 187),
              cp("Tamanho do registro inválido: 2 posições (deve ter 126).", 100));
    EXPECT_EQ(coluna(r4, 199, 204), "      ");
    EXPECT_EQ(coluna(daLinha(5), 88, 187),
              cp("Tamanho do registro inválido: 10000 posições (deve ter 126).", 100));
    EXPECT_EQ(coluna(daLinha(6), 88, 187),
              cp("Tamanho do registro inválido: 0 posições (deve ter 126).", 100));
}

TEST(MotorRelatorio, TipoDesconhecidoSaiComOTipoLido) {
    Pasta pasta;
    grava(pasta / "f.txt", linhas({r10(), com(r60A(), 3, "Z"), com(r50(), 1, "52")}));
    kelvor::Parametros p;
    p.arquivo = pasta / "f.txt";
    p.relatorio = pasta / "c.tmp";
    kelvor::Validador v(p);
    ASSERT_FALSE(v.prepara());
    kelvor::Progresso pg;
    std::atomic<bool> cancelar{false};
    auto res = v.executa(pg, cancelar);
    auto rel = le(p.relatorio);
    EXPECT_NE(rel.find(paraWindows1252("Tipo de registro inválido: 60Z.")), std::string::npos);
    EXPECT_NE(rel.find(paraWindows1252("Tipo de registro inválido: 52.")), std::string::npos);
    // Tipo desconhecido não entra em linha nenhuma da tabela de totais.
    EXPECT_EQ(res.contagens.celula(9, 3), 0);
    EXPECT_EQ(res.contagens.celula(21, 3), 1);
}
