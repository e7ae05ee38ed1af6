// Botão "Imprimir..." do Resumo com o resumo da validação: o relatório em PDF com os textos no
// lugar, o cancelamento, a folha pequena que não comporta a página, a impressora que sumiu, a
// falha ao gravar e a visualização.
#include "printing/Ambiente.h"
#include "printing/ImpressoraAtual.h"
#include "printing/ImprimirResumo.h"
#include "printing/PaginaImpressa.h"

#include <QDir>
#include <QFile>

namespace korventa::testes {
namespace {

class ResumoImpresso : public TesteImpressao {
protected:
    ResumoImpresso() {
        sessao.indicaImpressao = [this](const QString& r) { indicador << r; };
    }
    QStringList indicador;
};

TEST_F(ResumoImpresso, PaginaUnicaEmRetratoComOsTextosNoLugar) {
    const QString pdf = caminho(QStringLiteral("resumo.pdf"));
    sessao.impressora.orientacao = Paisagem; // o relatório pede retrato antes do diálogo
    confirmaPdf(pdf);
    plataforma.respondeMensagem(Resposta::Ok);
    ImprimirResumo(sessao, ResumoValidacao, 0);

    ASSERT_EQ(plataforma.dialogosImpressao().size(), 1);
    const DialogoImpressao& d = plataforma.dialogosImpressao()[0];
    EXPECT_EQ(d.estado.orientacao, Retrato);
    EXPECT_EQ(d.minimo, 1);
    EXPECT_EQ(d.maximo, 1);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto, QStringLiteral("Resumo de Validação impresso."));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Informacao);
    EXPECT_EQ(indicador, (QStringList{QStringLiteral("Imprimindo resultados da verificação de "
                                                     "validade..."),
                                      QString()}));
    EXPECT_FALSE(plataforma.ocupado());
    EXPECT_TRUE(sessao.impressora.arquivoPdf.isEmpty()); // o próximo PDF pergunta de novo

    const InfoPdf info = LeInfoPdf(pdf);
    EXPECT_EQ(info.paginas, 1);
    EXPECT_FALSE(info.paisagem());
    // O pdftotext junta os brancos seguidos: compara-se com os brancos simplificados.
    const QString texto = TextoPdf(pdf).simplified();
    for (const char* esperado :
         {"KORVENTA", "Resultado da verificação de validade", "05/03/2024  14:07:09",
          "Período: 01/01/2024 a 31/01/2024",
          "Contribuinte: 12.345.678/0001-95 COMERCIAL "
          "EXEMPLO LTDA",
          "ARQUIVO ACEITO COM ADVERTÊNCIAS", "Início da validação: 01/02/2024  23:59:30",
          "da validação: 02/02/2024  00:01:31       Duração: 2 min 1 seg", "Aceitos s/",
          "Rejeitados", "Registro Tipo 10", "Registro Tipo 90", "Totais"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado).simplified())) << esperado;
    EXPECT_TRUE(texto.contains(QStringLiteral("Arquivo: ") + sessao.arquivos[0].caminho));

    // Linha do registro 88 (posição 19): contagens em decimal simples, à direita das colunas.
    const auto palavras = PalavrasPdf(pdf);
    const PalavraPdf* tipo88 = nullptr;
    for (const PalavraPdf& p : palavras)
        if (p.texto == QStringLiteral("88")) tipo88 = &p;
    ASSERT_NE(tipo88, nullptr);
    EXPECT_NEAR(tipo88->yMin, PontosDoTwip(PosicaoPapel(69 + 5 * 19)), 1.5);
    const PalavraPdf* total = AchaPalavra(palavras, QStringLiteral("4021")); // total, posição 21
    ASSERT_NE(total, nullptr);
    const int w = LarguraImprimivelAtual(sessao);
    const int l = qRound((w - Twips(145) - 100) / 2.0) + MargemTwips;
    EXPECT_NEAR(total->xMax, PontosDoTwip(l + Twips(145)), 1.0);
    EXPECT_NEAR(total->yMin, PontosDoTwip(PosicaoPapel(177)), 1.5);
    EXPECT_NE(AchaPalavra(palavras, QStringLiteral("1019")), nullptr); // sem ponto de milhar
}

TEST_F(ResumoImpresso, CancelarNaoImprimeNada) {
    plataforma.cancelaImpressao();
    ImprimirResumo(sessao, ResumoValidacao, 0);
    EXPECT_TRUE(plataforma.caixas().isEmpty());
    EXPECT_TRUE(indicador.isEmpty());
    EXPECT_FALSE(plataforma.ocupado());
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::Files).isEmpty());

    // PDF escolhido sem arquivo: cancelar a pergunta do arquivo também cancela.
    plataforma.respondeImpressao([](DialogoImpressao& d) {
        d.impressora = ImpressoraPdf;
        d.estado.arquivoPdf.clear();
        return true;
    });
    plataforma.respondeSalvar(std::nullopt);
    ImprimirResumo(sessao, ResumoValidacao, 0);
    EXPECT_TRUE(plataforma.caixas().isEmpty());
}

TEST_F(ResumoImpresso, FolhaPequenaDescartaODocumentoEAconselhaPelaOrientacao) {
    const QString pdf = caminho(QStringLiteral("pequeno.pdf"));
    confirmaPdf(pdf, Retrato, QPageSize(QPageSize::A6));
    plataforma.respondeMensagem(Resposta::Ok);
    ImprimirResumo(sessao, ResumoValidacao, 0);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Não conseguiu imprimir o relatório de Resumo de Validação.\r"
                             "Altere o tamanho do papel nas configurações de impressão\r"
                             "e tente novamente imprimir."));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Critico);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(indicador.last(), QString());

    // Em paisagem o conselho é voltar ao retrato.
    plataforma.limpaCaixas();
    confirmaPdf(pdf, Paisagem, QPageSize(QPageSize::A5));
    plataforma.respondeMensagem(Resposta::Ok);
    ImprimirResumo(sessao, ResumoValidacao, 0);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Não conseguiu imprimir o relatório de Resumo de Validação.\r"
                             "A impressora está configurada para imprimir no modo Paisagem.\r"
                             "Altere as configurações de impressão para o modo Retrato\r"
                             "e tente novamente imprimir."));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ResumoImpresso, ImpressoraQueSumiuAvisaEVoltaParaAPadrao) {
    sessao.cfg.ultimaImpressora = QStringLiteral("IMPRESSORA DESLIGADA");
    plataforma.respondeMensagem(Resposta::Ok);
    ImprimirResumo(sessao, ResumoValidacao, 0);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Não conseguiu obter informações sobre a impressora.\r"
                             "Verifique se existe alguma impressora instalada no sistema."));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Critico);
    EXPECT_TRUE(plataforma.dialogosImpressao().isEmpty());
    EXPECT_TRUE(sessao.cfg.ultimaImpressora.isEmpty());
}

TEST_F(ResumoImpresso, FalhaAoGravarEhErro14) {
    confirmaPdf(caminho(QStringLiteral("nao-existe/resumo.pdf")));
    plataforma.respondeMensagem(Resposta::Ok);
    ImprimirResumo(sessao, ResumoValidacao, 0);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    const QString texto = plataforma.caixas()[0].texto;
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Erro14 %1: ").arg(ENOENT))) << texto.toStdString();
    EXPECT_TRUE(texto.endsWith(QStringLiteral("\r fonte: ValidadorKorventa2017")));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Critico);
}

TEST_F(ResumoImpresso, VisualizarMostraAsPaginasAntesDeImprimir) {
    plataforma.respondeImpressao([](DialogoImpressao& d) {
        d.visualizar = true;
        return true;
    });
    const QString vista = caminho(QStringLiteral("vista.pdf"));
    plataforma.respondeVisualizacao(false, vista);
    ImprimirResumo(sessao, ResumoValidacao, 0);
    // Fechou sem imprimir: nenhuma mensagem de impresso, nenhum arquivo pedido.
    EXPECT_TRUE(plataforma.caixas().isEmpty());
    EXPECT_TRUE(plataforma.dialogos().isEmpty());
    EXPECT_TRUE(TextoPdf(vista).contains(QStringLiteral("ARQUIVO ACEITO COM ADVERTÊNCIAS")));

    plataforma.respondeImpressao([](DialogoImpressao& d) {
        d.visualizar = true;
        return true;
    });
    plataforma.respondeVisualizacao(true);
    plataforma.respondeMensagem(Resposta::Ok);
    ImprimirResumo(sessao, ResumoValidacao, 0);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto, QStringLiteral("Resumo de Validação impresso."));
}

} // namespace
} // namespace korventa::testes
