// Impressão do Relatório de Críticas: o diálogo de configuração (tipo, intervalo, impressora em
// paisagem) e a impressão em PDF lida de volta, com intervalo, cancelamento e os relatórios
// lidos direto, sem o limite da lista.
#include "apoio/LeituraPdf.h"
#include "critiques/Ambiente.h"
#include "critiques/DlgPrintCriticas.h"
#include "critiques/DlgSetupCriticas.h"
#include "critiques/PaginaCriticas.h"
#include "printing/ImpressoraAtual.h"
#include "printing/PaginaImpressa.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace korventa::testes {
namespace {

// Críticas numeradas: a linha do arquivo fiscal é `primeira` + i e a mensagem diz o número.
QList<CriticaTeste> Numeradas(int quantas, const QString& tipo, int primeira) {
    QList<CriticaTeste> lista;
    for (int i = 0; i < quantas; ++i) {
        CriticaTeste c;
        c.linha = primeira + i;
        c.tipo = tipo;
        c.documentoItem = QStringLiteral("NF%1").arg(primeira + i);
        c.conteudo = QStringLiteral("X%1").arg(primeira + i);
        c.mensagem = QStringLiteral("Mensagem %1").arg(primeira + i);
        lista << c;
    }
    return lista;
}

// Papel em que cabem 20 linhas por página em paisagem (151 mm de altura imprimível), estreito
// demais para as colunas largas.
QPageSize Papel20Linhas() {
    return QPageSize(QSizeF(163, 230), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

class ImpressaoCriticas : public TesteCriticas {
protected:
    ImpressaoCriticas() {
        sessao.cfg.ultimaImpressora = ImpressoraPdf;
        sessao.pastaUltimoPdf = pasta.path();
        plataforma.defineAgora(QDateTime(QDate(2024, 3, 5), QTime(9, 8, 7)));
    }
    template <typename T> T* controle(QWidget* raiz, const char* nome) {
        T* c = raiz->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(c, nullptr) << nome;
        return c;
    }
    std::unique_ptr<DlgSetupCriticas> carrega(FiltroCriticas filtro = FiltroCriticas::Tudo) {
        return DlgSetupCriticas::Carrega(sessao, 0, filtro);
    }
    // Imprime o pedido do diálogo em `nome` com DlgPrintCriticas, sem mostrá-lo.
    bool imprime(DlgSetupCriticas& setup, const QString& nome) {
        const std::optional<PedidoCriticas> pedido = setup.conferePedido();
        if (!pedido) return false;
        sessao.impressora.arquivoPdf = caminho(nome);
        DlgPrintCriticas dlg(sessao, *pedido);
        return dlg.ImprimeCriticas();
    }
    void intervalo(DlgSetupCriticas& setup, const QString& de, const QString& ate) {
        controle<QRadioButton>(&setup, "OptionIntervalo")->setChecked(true);
        controle<QLineEdit>(&setup, "TextInicio")->setText(de);
        controle<QLineEdit>(&setup, "TextFim")->setText(ate);
    }
};

TEST_F(ImpressaoCriticas, CarregarConfereOArquivoEEscolheOTipo) {
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_EQ(DlgSetupCriticas::Carrega(sessao, std::nullopt, FiltroCriticas::Tudo), nullptr);
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Aviso: Nenhum arquivo selecionado!"));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Exclamacao);

    abreArquivo(0, QStringLiteral("a.txt"), "10", 0, 0, 0);
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_EQ(carrega(), nullptr);
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("O arquivo não contém erros ou advertências."));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Informacao);

    // Só advertências: "Erros" fica desabilitado e "Advertências" escolhido, qualquer que seja o
    // filtro da página; a impressora vai para paisagem.
    sessao.impressora.orientacao = Retrato;
    abreArquivo(0, QStringLiteral("a.txt"), "10", 0, 45, 1);
    auto dlg = carrega(FiltroCriticas::Erros);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Impressão do Relatório de Críticas"));
    EXPECT_FALSE(controle<QRadioButton>(dlg.get(), "OptionErros")->isEnabled());
    EXPECT_TRUE(controle<QRadioButton>(dlg.get(), "OptionAdvertencias")->isChecked());
    EXPECT_EQ(sessao.impressora.orientacao, Paisagem);
    EXPECT_EQ(controle<QLabel>(dlg.get(), "LabelImpressora")->text(), ImpressoraPdf);
    EXPECT_EQ(controle<QLabel>(dlg.get(), "LabelOrientacao")->text(), QStringLiteral("Paisagem"));
    EXPECT_EQ(controle<QLabel>(dlg.get(), "LabelPapel")->text(),
              QStringLiteral("A4, 210 x 297 mm"));
    // A4 em paisagem: 28 linhas por página.
    EXPECT_EQ(dlg->linhasPorPagina(), 28);
    EXPECT_EQ(dlg->paginas(), 2);
    EXPECT_TRUE(controle<QRadioButton>(dlg.get(), "OptionTodas")->isChecked());
    EXPECT_EQ(controle<QLineEdit>(dlg.get(), "TextInicio")->text(), QStringLiteral("1"));
    EXPECT_EQ(controle<QLineEdit>(dlg.get(), "TextFim")->text(), QStringLiteral("2"));

    // Os dois tipos: vale o filtro da página; trocar a opção recalcula as páginas.
    abreArquivo(0, QStringLiteral("a.txt"), "10", 30, 45, 2);
    dlg = carrega(FiltroCriticas::Erros);
    EXPECT_TRUE(controle<QRadioButton>(dlg.get(), "OptionErros")->isChecked());
    EXPECT_EQ(dlg->paginas(), 2);
    intervalo(*dlg, QStringLiteral("2"), QStringLiteral("2"));
    QTest::mouseClick(controle<QRadioButton>(dlg.get(), "OptionAmbos"), Qt::LeftButton);
    EXPECT_EQ(dlg->paginas(), 3);
    EXPECT_TRUE(controle<QRadioButton>(dlg.get(), "OptionTodas")->isChecked());
    EXPECT_EQ(controle<QLineEdit>(dlg.get(), "TextFim")->text(), QStringLiteral("3"));
}

TEST_F(ImpressaoCriticas, IntervaloSoComDigitosEConferido) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 100, 0);
    auto dlg = carrega();
    ASSERT_EQ(dlg->paginas(), 4);
    auto* inicio = controle<QLineEdit>(dlg.get(), "TextInicio");
    inicio->clear();
    inicio->setFocus();
    QTest::keyClicks(inicio, QStringLiteral("1x2"));
    EXPECT_EQ(inicio->text(), QStringLiteral("12"));
    inicio->setCursorPosition(1);
    QTest::keyClicks(inicio, QStringLiteral("a"));
    EXPECT_EQ(inicio->text(), QStringLiteral("12"));
    EXPECT_EQ(inicio->cursorPosition(), 1); // o cursor fica onde estava
    EXPECT_TRUE(controle<QRadioButton>(dlg.get(), "OptionIntervalo")->isChecked());

    const auto recusa = [&](const QString& de, const QString& ate, const QString& mensagem) {
        intervalo(*dlg, de, ate);
        plataforma.respondeMensagem(Resposta::Ok);
        EXPECT_FALSE(dlg->conferePedido().has_value()) << de.toStdString();
        EXPECT_EQ(plataforma.caixas().last().texto, mensagem);
        EXPECT_EQ(plataforma.caixas().last().icone, Icone::Exclamacao);
    };
    recusa(QStringLiteral("5"), QStringLiteral("6"),
           QStringLiteral("O intervalo de impressão deve ser de 1 a4."));
    recusa(QStringLiteral("0"), QStringLiteral("0"),
           QStringLiteral("O intervalo de impressão deve ser de 1 a4."));
    recusa(QStringLiteral("3"), QStringLiteral("2"),
           QStringLiteral("Intervalo de páginas inválido!"));
    // Um intervalo que só cruza 1..4 vale.
    intervalo(*dlg, QStringLiteral("2"), QStringLiteral("99"));
    const auto pedido = dlg->conferePedido();
    ASSERT_TRUE(pedido.has_value());
    EXPECT_EQ(pedido->paginaInicial, 2);
    EXPECT_EQ(pedido->paginaFinal, 99);
    EXPECT_EQ(pedido->ultimaPagina, 4);

    // Impressora em retrato não imprime o relatório.
    sessao.impressora.orientacao = Retrato;
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(dlg->conferePedido().has_value());
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("A impressora está configurada para imprimir no modo Retrato.\r"
                             "A impressão do Relatório de Críticas precisa ser feita no modo "
                             "Paisagem.\rAltere as configurações de impressão para o modo "
                             "Paisagem\re tente novamente imprimir."));
}

TEST_F(ImpressaoCriticas, ImpressoraEmRetratoPerguntaAteOUsuarioDesistir) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 3, 0);
    auto dlg = carrega();
    const auto retrato = [](DialogoImpressao& d) {
        d.estado.orientacao = Retrato;
        d.estado.papel = QPageSize(QPageSize::A5);
        return true;
    };
    plataforma.respondeImpressao(retrato);
    plataforma.respondeMensagem(Resposta::Sim); // quer alterar: o diálogo volta
    plataforma.respondeImpressao(retrato);
    plataforma.respondeMensagem(Resposta::Nao);
    dlg->AbrePrintSetup();
    ASSERT_EQ(plataforma.caixas().size(), 2);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("A impressora está configurada para imprimir no modo Retrato.\r"
                             "A impressão do Relatório de Críticas deve ser feita no modo "
                             "Paisagem.\rDeseja alterar a configuração da impressora?"));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Pergunta);
    EXPECT_EQ(plataforma.caixas()[0].botoes, Botoes::SimNao);
    // A escolha fica na impressora atual e nos rótulos.
    EXPECT_EQ(controle<QLabel>(dlg.get(), "LabelOrientacao")->text(), QStringLiteral("Retrato"));
    EXPECT_EQ(controle<QLabel>(dlg.get(), "LabelPapel")->text(),
              QStringLiteral("A5, 148 x 210 mm"));
    EXPECT_EQ(dlg->linhasPorPagina(), LinhasPorPaginaCriticas(AlturaImprimivelAtual(sessao)));

    plataforma.cancelaImpressao();
    dlg->AbrePrintSetup();
    EXPECT_EQ(plataforma.caixas().size(), 2);
}

TEST_F(ImpressaoCriticas, SomenteErrosNoIntervaloRepetindoAIdentificacaoNoAltoDaPagina) {
    // 41 erros entre advertências; com 20 linhas por página são 3 páginas.
    QList<CriticaTeste> erros = Numeradas(41, TextoRejeicao, 1);
    // O 21º erro continua o documento do 20º; o 23º o do 22º.
    for (int i : {20, 22}) {
        erros[i].linha = erros[i - 1].linha;
        erros[i].documentoItem = erros[i - 1].documentoItem;
    }
    QList<CriticaTeste> criticas;
    for (int i = 0; i < erros.size(); ++i) {
        criticas << erros[i];
        if (i % 3 == 0) criticas << Numeradas(1, TextoAdvertencia, 500 + i);
    }
    abreArquivo(0, QStringLiteral("a.txt"), "10", 41, 14);
    GravaArquivo(relatorio(0), RelatorioCriticas(criticas));
    sessao.impressora.papel = Papel20Linhas();
    auto dlg = carrega(FiltroCriticas::Erros);
    ASSERT_EQ(dlg->linhasPorPagina(), 20);
    ASSERT_EQ(dlg->paginas(), 3);
    intervalo(*dlg, QStringLiteral("2"), QStringLiteral("3"));
    plataforma.respondeMensagem(Resposta::Ok);
    ASSERT_TRUE(imprime(*dlg, QStringLiteral("erros.pdf")));
    EXPECT_EQ(plataforma.caixas().last().texto, QStringLiteral("Relatório de Críticas impresso."));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Informacao);

    const QString pdf = caminho(QStringLiteral("erros.pdf"));
    const InfoPdf info = LeInfoPdf(pdf);
    EXPECT_EQ(info.paginas, 2);
    EXPECT_TRUE(info.paisagem());
    const QString pagina1 = TextoPdf(pdf, 1).simplified();
    for (const char* esperado :
         {"KORVENTA - Módulo Contribuinte", "Relatório de Críticas (somente erros)",
          "Página: 2 de 3", "05/03/2024 09:08:07", "Reg. No", "Tipo", "Doc-Item", "Campo",
          "Conteúdo Lido", "Mensagem", "Advertência/Rejeição", "Mensagem 21", "Mensagem 40"})
        EXPECT_TRUE(pagina1.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_FALSE(pagina1.contains(QStringLiteral("Mensagem 20 ")));
    EXPECT_FALSE(pagina1.contains(QStringLiteral("Mensagem 41")));
    EXPECT_FALSE(pagina1.contains(QStringLiteral("Advertência ")));
    EXPECT_FALSE(pagina1.contains(QStringLiteral("Mensagem 50")));
    const QString pagina2 = TextoPdf(pdf, 2).simplified();
    EXPECT_TRUE(pagina2.contains(QStringLiteral("Página: 3 de 3")));
    EXPECT_TRUE(pagina2.contains(QStringLiteral("Mensagem 41")));

    // O documento do 20º erro volta no alto da página; o do 22º não se repete no 23º.
    const auto palavras = PalavrasPdf(pdf);
    const PalavraPdf* primeira = AchaPalavra(palavras, QStringLiteral("NF20"), 1);
    ASSERT_NE(primeira, nullptr);
    EXPECT_NEAR(primeira->yMin, PontosDoTwip(PosicaoPapel(33)), 1.5);
    int vezes22 = 0;
    for (const PalavraPdf& p : palavras)
        vezes22 += p.texto == QStringLiteral("NF22");
    EXPECT_EQ(vezes22, 1);
    const PalavraPdf* conteudo = AchaPalavra(palavras, QStringLiteral("X21"), 1);
    ASSERT_NE(conteudo, nullptr);
    EXPECT_NEAR(conteudo->yMin, primeira->yMin, 0.5);
}

TEST_F(ImpressaoCriticas, AdvertenciasETudoComAColunaEstreitaNaFolhaPequena) {
    QList<CriticaTeste> criticas = Numeradas(3, TextoRejeicao, 1);
    criticas << Numeradas(2, TextoAdvertencia, 10);
    abreArquivo(0, QStringLiteral("a.txt"), "10", 3, 2);
    GravaArquivo(relatorio(0), RelatorioCriticas(criticas));

    auto dlg = carrega(FiltroCriticas::Advertencias);
    plataforma.respondeMensagem(Resposta::Ok);
    ASSERT_TRUE(imprime(*dlg, QStringLiteral("advertencias.pdf")));
    const QString advertencias = TextoPdf(caminho(QStringLiteral("advertencias.pdf"))).simplified();
    EXPECT_TRUE(
        advertencias.contains(QStringLiteral("Relatório de Críticas (somente advertências)")));
    EXPECT_TRUE(advertencias.contains(QStringLiteral("Mensagem 11 Advertência")));
    EXPECT_TRUE(advertencias.contains(QStringLiteral("Documento-Item"))); // A4
    EXPECT_FALSE(advertencias.contains(QStringLiteral(" Rejeição")));

    sessao.impressora.papel = QPageSize(QPageSize::A5);
    dlg = carrega(FiltroCriticas::Tudo);
    plataforma.respondeMensagem(Resposta::Ok);
    ASSERT_TRUE(imprime(*dlg, QStringLiteral("tudo.pdf")));
    const QString tudo = TextoPdf(caminho(QStringLiteral("tudo.pdf"))).simplified();
    EXPECT_TRUE(tudo.contains(QStringLiteral("Doc-Item")));
    EXPECT_FALSE(tudo.contains(QStringLiteral("Documento-Item")));
    EXPECT_TRUE(tudo.contains(QStringLiteral("Mensagem 1 Rejeição")));
    EXPECT_TRUE(tudo.contains(QStringLiteral("Mensagem 10 Advertência")));
    // O tipo da crítica termina na margem direita.
    const auto palavras = PalavrasPdf(caminho(QStringLiteral("tudo.pdf")));
    const PalavraPdf* tipo = AchaPalavra(palavras, QStringLiteral("Advertência"));
    ASSERT_NE(tipo, nullptr);
    EXPECT_NEAR(tipo->xMax, PontosDoTwip(LarguraImprimivelAtual(sessao) - MargemTwips), 1.0);
}

TEST_F(ImpressaoCriticas, TextoLongoDiminuiOuECortadoSemCobrirAColunaSeguinte) {
    QList<CriticaTeste> criticas = Numeradas(2, TextoRejeicao, 1);
    criticas[0].mensagem = QStringLiteral("Registro 60A sem registro 60M da mesma data e "
                                          "equipamento (4 registros com esta data) final");
    criticas[0].campo = QStringLiteral("Nº de série de fabricação");
    criticas[0].conteudo = QStringLiteral("ECF000001ECF000001ECF0001");
    criticas[1].mensagem = QString(100, QLatin1Char('W'));
    abreArquivo(0, QStringLiteral("a.txt"), "10", 2, 0);
    GravaArquivo(relatorio(0), RelatorioCriticas(criticas));
    auto dlg = carrega();
    plataforma.respondeMensagem(Resposta::Ok);
    ASSERT_TRUE(imprime(*dlg, QStringLiteral("longo.pdf")));
    const auto palavras = PalavrasPdf(caminho(QStringLiteral("longo.pdf")));
    // A mensagem inteira, numa fonte menor, termina antes do tipo da crítica.
    const PalavraPdf* fim = AchaPalavra(palavras, QStringLiteral("final"));
    ASSERT_NE(fim, nullptr);
    double tipo = 1e9;
    for (const PalavraPdf& p : palavras)
        if (p.texto == QStringLiteral("Rejeição")) tipo = std::min(tipo, p.xMin);
    EXPECT_LT(fim->xMax, tipo);
    EXPECT_LT(fim->yMax - fim->yMin, AchaPalavra(palavras, QStringLiteral("Mensagem"))->yMax -
                                         AchaPalavra(palavras, QStringLiteral("Mensagem"))->yMin);
    // Campo e conteúdo lido dividem o espaço sem se cobrir.
    const PalavraPdf* campo = AchaPalavra(palavras, QStringLiteral("fabricação"));
    const PalavraPdf* conteudo = nullptr;
    for (const PalavraPdf& p : palavras)
        if (p.texto.startsWith(QStringLiteral("ECF"))) conteudo = &p;
    ASSERT_NE(campo, nullptr);
    ASSERT_NE(conteudo, nullptr);
    EXPECT_LT(campo->xMax, conteudo->xMin);
    // Longa demais mesmo em 6 pontos: cortada com reticências.
    const PalavraPdf* cortada = nullptr;
    for (const PalavraPdf& p : palavras)
        if (p.texto.startsWith(QStringLiteral("WWW"))) cortada = &p;
    ASSERT_NE(cortada, nullptr);
    EXPECT_TRUE(cortada->texto.endsWith(QStringLiteral("…")));
    EXPECT_LT(cortada->xMax, tipo);
}

TEST_F(ImpressaoCriticas, LeOsRelatoriosDiretoSemOLimiteDaLista) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 5, 0);
    sessao.arquivos[0].temCriticas88 = true;
    GravaArquivo(relatorio(0), RelatorioCriticas(Numeradas(3, TextoRejeicao, 1)));
    GravaArquivo(relatorioPos(0), RelatorioCriticas(Numeradas(2, TextoRejeicao, 100)));
    sessao.cfg.maxCriticas = 1;
    auto dlg = carrega();
    plataforma.respondeMensagem(Resposta::Ok);
    ASSERT_TRUE(imprime(*dlg, QStringLiteral("todas.pdf")));
    const QString texto = TextoPdf(caminho(QStringLiteral("todas.pdf")));
    for (const char* m : {"Mensagem 1", "Mensagem 3", "Mensagem 100", "Mensagem 101"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(m))) << m;
}

TEST_F(ImpressaoCriticas, RelatorioQueFaltaMostraAMensagemESemDocumento) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 2, 0);
    auto dlg = carrega();
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(imprime(*dlg, QStringLiteral("falta.pdf")));
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Erro tentando abrir o arquivo ") + relatorio(0));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Critico);
    EXPECT_FALSE(QFile::exists(caminho(QStringLiteral("falta.pdf"))));
}

TEST_F(ImpressaoCriticas, CancelarNoMeioNaoDeixaDocumentoPelaMetade) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 300, 0);
    GravaArquivo(relatorio(0), RelatorioCriticas(Numeradas(300, TextoRejeicao, 1)));
    const QString pdf = caminho(QStringLiteral("cancelado.pdf"));
    GravaArquivo(pdf, "anterior");
    auto dlg = carrega();
    const auto pedido = dlg->conferePedido();
    ASSERT_TRUE(pedido.has_value());
    sessao.impressora.arquivoPdf = pdf;
    DlgPrintCriticas impressao(sessao, *pedido);
    // O usuário aperta "Cancelar" no meio da terceira página.
    plataforma.aoProcessarEventos([&](int vezes) {
        if (vezes == 70)
            QTest::mouseClick(controle<QPushButton>(&impressao, "CancelButton"), Qt::LeftButton);
    });
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(impressao.ImprimeCriticas());
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Impressão do Relatório de Críticas cancelada."));
    EXPECT_EQ(plataforma.eventosProcessados(), 70);
    EXPECT_EQ(impressao.progresso()->value(), 3);
    EXPECT_EQ(impressao.progresso()->maximum(), 11);
    EXPECT_EQ(impressao.labelIntervalo()->text(), QStringLiteral("Imprimindo a página 3 de 11"));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("anterior"));
    EXPECT_TRUE(sessao.impressora.arquivoPdf.isEmpty());
}

TEST_F(ImpressaoCriticas, BotaoDaPaginaImprimeComOsDoisDialogos) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 2, 1);
    QList<CriticaTeste> criticas = Numeradas(2, TextoRejeicao, 1);
    criticas << Numeradas(1, TextoAdvertencia, 7);
    GravaArquivo(relatorio(0), RelatorioCriticas(criticas));
    PaginaCriticas pagina(sessao);
    sessao.listaCriticas();
    auto* botao = pagina.findChild<QPushButton*>(QStringLiteral("BotaoCriticasImprimir"));
    ASSERT_TRUE(botao->isEnabled());

    // O usuário aperta "Imprimir" na configuração; a impressão corre e fecha sozinha.
    const QString pdf = caminho(QStringLiteral("pagina.pdf"));
    plataforma.respondeSalvar(pdf);
    plataforma.respondeMensagem(Resposta::Ok);
    QTimer::singleShot(0, [] {
        auto* setup = qobject_cast<DlgSetupCriticas*>(QApplication::activeModalWidget());
        ASSERT_NE(setup, nullptr);
        setup->findChild<QPushButton*>(QStringLiteral("CommandImprimir"))->click();
    });
    botao->click();
    EXPECT_EQ(plataforma.caixas().last().texto, QStringLiteral("Relatório de Críticas impresso."));
    EXPECT_EQ(LeInfoPdf(pdf).paginas, 1);
    EXPECT_TRUE(TextoPdf(pdf).contains(QStringLiteral("Mensagem 7")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace korventa::testes
