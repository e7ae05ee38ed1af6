// Conversões da página, nomes de papel e orientação e as regras de páginas do diálogo de
// impressão, com a impressora escolhida voltando para a atual.
#include "printing/Ambiente.h"
#include "printing/ImpressoraAtual.h"
#include "printing/NomesImpressao.h"
#include "printing/PaginaImpressa.h"
#include "printing/clsPrintDialog.h"

namespace korventa::testes {
namespace {

TEST(Pagina, MilimetrosParaTwipsArredondaMetadesParaOPar) {
    EXPECT_EQ(Twips(5), 284);   // 283,5
    EXPECT_EQ(Twips(15), 850);  // 850,5
    EXPECT_EQ(Twips(25), 1418); // 1417,5
    EXPECT_EQ(Twips(1), 57);
    EXPECT_EQ(Twips(3.25), 184); // 184,275
    EXPECT_EQ(PosicaoPapel(6), 0);
    EXPECT_EQ(PosicaoPapel(10), Twips(4));
    EXPECT_EQ(PosicaoPapel(31.5), Twips(25.5));
}

TEST(Pagina, NomesDeOrientacaoEPapel) {
    EXPECT_EQ(NomeOrientacao(1), QStringLiteral("Retrato"));
    EXPECT_EQ(NomeOrientacao(2), QStringLiteral("Paisagem"));
    EXPECT_EQ(NomeOrientacao(0), QString());
    EXPECT_EQ(NomePapel(QPageSize(QPageSize::A4).windowsId()), QStringLiteral("A4, 210 x 297 mm"));
    EXPECT_EQ(NomePapel(QPageSize(QPageSize::Letter).windowsId()),
              QStringLiteral("Carta, 8 1/2 x 11 in"));
    EXPECT_EQ(NomePapel(41), QStringLiteral("German Legal Fanfold, 8 1/2 x 13 in"));
    EXPECT_EQ(NomePapel(245), QStringLiteral("Tipo do usuário"));
    EXPECT_EQ(NomePapel(42), QStringLiteral("Desconhecido"));
    EXPECT_EQ(NomePapel(0), QStringLiteral("Desconhecido"));
}

TEST(DialogoImpressao, PaginasSeEmpurramParaFicarEmOrdem) {
    clsPrintDialog d;
    EXPECT_EQ(d.min() + d.Max() + d.FromPage() + d.ToPage(), 0);
    EXPECT_FALSE(d.CancelError);

    d.defineMin(-5); // negativo vale 0
    EXPECT_EQ(d.min(), 0);
    d.defineMin(3);
    EXPECT_EQ(d.FromPage(), 3);
    EXPECT_EQ(d.ToPage(), 3);
    EXPECT_EQ(d.Max(), 3);

    d.defineMax(10);
    d.defineToPage(8);
    d.defineFromPage(6);
    d.defineToPage(4); // abaixo do início: puxa o início (o mínimo 3 fica)
    EXPECT_EQ(d.FromPage(), 4);
    EXPECT_EQ(d.min(), 3);
    d.defineToPage(2); // abaixo do mínimo também
    EXPECT_EQ(d.FromPage(), 2);
    EXPECT_EQ(d.min(), 2);
    EXPECT_EQ(d.Max(), 10);

    d.defineFromPage(12); // acima do fim e do máximo: empurra os dois
    EXPECT_EQ(d.ToPage(), 12);
    EXPECT_EQ(d.Max(), 12);
    d.defineMax(1);
    EXPECT_EQ(d.min(), 1);
    EXPECT_EQ(d.FromPage(), 1);
    EXPECT_EQ(d.ToPage(), 1);
}

class Dialogo : public TesteImpressao {};

TEST_F(Dialogo, CancelarNaoMudaAImpressoraEComCancelErrorDaOErro) {
    sessao.impressora.orientacao = Paisagem;
    clsPrintDialog d;
    plataforma.respondeImpressao([](DialogoImpressao& r) {
        r.estado.orientacao = Retrato;
        r.impressora = QStringLiteral("OUTRA");
        return false;
    });
    EXPECT_FALSE(d.ShowPrinter(sessao, QStringLiteral("Teste")));
    EXPECT_FALSE(d.erro().has_value());
    EXPECT_EQ(sessao.impressora.orientacao, Paisagem);
    EXPECT_EQ(sessao.cfg.ultimaImpressora, ImpressoraPdf);

    d.CancelError = true;
    plataforma.cancelaImpressao();
    EXPECT_FALSE(d.ShowPrinter(sessao, QStringLiteral("Teste")));
    ASSERT_TRUE(d.erro().has_value());
    EXPECT_EQ(d.erro()->numero, 32755);
    EXPECT_EQ(d.erro()->descricao, QStringLiteral("Cancel."));
    EXPECT_EQ(d.erro()->fonte, QStringLiteral("LM PrintDialog"));
}

TEST_F(Dialogo, ConfirmarLevaAEscolhaParaAImpressoraAtual) {
    clsPrintDialog d;
    d.defineMax(5);
    d.defineToPage(5);
    d.defineFromPage(2);
    // Nome que não é de nenhuma impressora instalada: a atual fica, o resto vem.
    sessao.cfg.ultimaImpressora.clear();
    plataforma.respondeImpressao([](DialogoImpressao& r) {
        EXPECT_EQ(r.maximo, 5);
        EXPECT_EQ(r.dePagina, 2);
        EXPECT_EQ(r.documento, QStringLiteral("Teste"));
        r.impressora = QStringLiteral("IMPRESSORA QUE NAO EXISTE");
        r.estado.orientacao = Paisagem;
        r.estado.copias = 3;
        r.estado.duplex = 2;
        r.estado.papel = QPageSize(QPageSize::A5);
        r.dePagina = 3;
        r.atePagina = 4;
        return true;
    });
    ASSERT_TRUE(d.ShowPrinter(sessao, QStringLiteral("Teste")));
    EXPECT_TRUE(sessao.cfg.ultimaImpressora.isEmpty());
    EXPECT_EQ(sessao.impressora.orientacao, Paisagem);
    EXPECT_EQ(sessao.impressora.copias, 3);
    EXPECT_EQ(sessao.impressora.duplex, 2);
    EXPECT_EQ(sessao.impressora.papel.id(), QPageSize::A5);
    EXPECT_EQ(d.FromPage(), 3);
    EXPECT_EQ(d.ToPage(), 4);

    // O nome é comparado em maiúsculas e fica como a impressora instalada o escreve.
    plataforma.respondeImpressao([this](DialogoImpressao& r) {
        r.impressora = QStringLiteral("pdf");
        r.estado.arquivoPdf = caminho(QStringLiteral("x.pdf"));
        return true;
    });
    ASSERT_TRUE(d.ShowPrinter(sessao, QStringLiteral("Teste")));
    EXPECT_EQ(sessao.cfg.ultimaImpressora, ImpressoraPdf);
    EXPECT_EQ(sessao.impressora.arquivoPdf, caminho(QStringLiteral("x.pdf")));
}

TEST_F(Dialogo, PdfSemArquivoPerguntaOndeGravar) {
    // O diálogo propõe o nome do documento na pasta do último PDF.
    const DialogoImpressao r = RegistroImpressoraAtual(sessao, QStringLiteral("Críticas"));
    EXPECT_EQ(r.estado.arquivoPdf, caminho(QStringLiteral("Críticas.pdf")));

    plataforma.respondeSalvar(std::nullopt);
    EXPECT_FALSE(EscolheArquivoPdf(sessao, QStringLiteral("Críticas")));
    plataforma.respondeSalvar(caminho(QStringLiteral("sem extensao")));
    EXPECT_TRUE(EscolheArquivoPdf(sessao, QStringLiteral("Críticas")));
    EXPECT_EQ(sessao.impressora.arquivoPdf, caminho(QStringLiteral("sem extensao.pdf")));
    EXPECT_TRUE(plataforma.dialogos().last().confirmaSobrescrever);
    // Já escolhido para este trabalho: não pergunta de novo.
    EXPECT_TRUE(EscolheArquivoPdf(sessao, QStringLiteral("Críticas")));
    EsqueceArquivoPdf(sessao);
    EXPECT_TRUE(sessao.impressora.arquivoPdf.isEmpty());
}

} // namespace
} // namespace korventa::testes
