#include "apoio/PlataformaRoteirizada.h"
#include "platform/PlataformaQt.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace korventa;
using korventa::testes::PlataformaRoteirizada;

TEST(PlataformaRoteirizada, RegistraCaixasERespondeNaOrdemDoRoteiro) {
    PlataformaRoteirizada roteiro;
    Plataforma& p = roteiro;
    roteiro.respondeMensagem(Resposta::Sim);
    roteiro.respondeMensagem(Resposta::Ok);
    EXPECT_EQ(p.mensagem(QStringLiteral("Linha 1\rLinha 2"), Icone::Pergunta, Botoes::SimNao,
                         QStringLiteral("Título")),
              Resposta::Sim);
    EXPECT_EQ(p.mensagem(QStringLiteral("Pronto."), Icone::Informacao), Resposta::Ok);
    ASSERT_EQ(roteiro.caixas().size(), 2);
    EXPECT_EQ(roteiro.caixas()[0].texto, QStringLiteral("Linha 1\rLinha 2"));
    EXPECT_EQ(roteiro.caixas()[0].icone, Icone::Pergunta);
    EXPECT_EQ(roteiro.caixas()[0].botoes, Botoes::SimNao);
    EXPECT_EQ(roteiro.caixas()[0].titulo, QStringLiteral("Título"));

    roteiro.respondeAbrir(QStringList{QStringLiteral("/tmp/a.txt")});
    roteiro.respondeAbrir(std::nullopt);
    EXPECT_EQ(p.abrirArquivos({QStringLiteral("Abrir"), {}, {}, {}, true, false})->size(), 1);
    EXPECT_FALSE(p.abrirArquivos({}).has_value());
    EXPECT_TRUE(roteiro.dialogos()[0].varios);
}

TEST(PlataformaRoteirizada, CaixaNaoRoteirizadaFalhaOTeste) {
    EXPECT_NONFATAL_FAILURE(
        {
            PlataformaRoteirizada p;
            static_cast<Plataforma&>(p).mensagem(QStringLiteral("inesperada"), Icone::Critico);
        },
        "inesperada");
    EXPECT_NONFATAL_FAILURE(
        {
            PlataformaRoteirizada p;
            p.salvarArquivo({QStringLiteral("Salvar como"), {}, {}, {}, false, true});
        },
        "Salvar como");
}

TEST(PlataformaRoteirizada, RoteiroQueSobraFalhaOTeste) {
    EXPECT_NONFATAL_FAILURE(
        {
            PlataformaRoteirizada p;
            p.respondeMensagem(Resposta::Ok);
        },
        "sem uso");
}

TEST(PlataformaQt, FiltroDoProgramaViraFiltroDoQt) {
    EXPECT_EQ(FiltroParaQt(QStringLiteral("Arquivos de Mídia KORVENTA (*.zip)|*.zip")),
              QStringLiteral("Arquivos de Mídia KORVENTA (*.zip)"));
    EXPECT_EQ(FiltroParaQt(QStringLiteral("Texto|*.txt;*.TXT|Todos|*.*")),
              QStringLiteral("Texto (*.txt *.TXT);;Todos (*.*)"));
}
