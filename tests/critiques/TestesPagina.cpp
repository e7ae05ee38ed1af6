#include "critiques/Ambiente.h"
#include "critiques/ModeloCriticas.h"
#include "critiques/PaginaCriticas.h"
#include "platform/Colunas.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

namespace korventa::testes {
namespace {

class Pagina : public TesteCriticas {
protected:
    template <typename T> T* controle(const char* nome) {
        T* c = pagina.findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(c, nullptr) << nome;
        return c;
    }
    QStringList linhas() {
        QStringList l;
        for (int i = 0; i < pagina.modelo().rowCount(); ++i)
            l << pagina.modelo().index(i, 0).data().toString();
        return l;
    }
    // Controles ligados a "tem críticas" (visíveis sem mostrar a janela: isHidden).
    void esperaComCriticas(bool com) {
        EXPECT_EQ(controle<QTreeView>("ListaCriticas")->isHidden(), !com);
        EXPECT_EQ(controle<QGroupBox>("FrameDetalhe")->isHidden(), !com);
        EXPECT_EQ(controle<QPushButton>("BotaoCriticasExportar")->isEnabled(), com);
        for (const char* o : {"OptionListar_0", "OptionListar_1", "OptionListar_2"})
            EXPECT_EQ(controle<QRadioButton>(o)->isEnabled(), com);
        EXPECT_EQ(controle<QPushButton>("BotaoCriticasImprimir")->isEnabled(), com);
    }

    PaginaCriticas pagina{sessao};
};

TEST_F(Pagina, LigaOsGanchosDaSessao) {
    EXPECT_TRUE(sessao.preencheArquivosCriticas);
    EXPECT_TRUE(sessao.listaCriticas);
    EXPECT_TRUE(sessao.limpaCriticas);
    EXPECT_TRUE(sessao.avisoCriticas);
    EXPECT_EQ(controle<QLabel>("LabelAvisoCriticas")->text(),
              QStringLiteral("Nenhum arquivo aberto!"));
    esperaComCriticas(false);
}

TEST_F(Pagina, ArquivoSemCriticasSoMostraOAviso) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 0, 0, 0);
    // Nenhum relatório existe: abrir um daria caixa de erro, que falharia o teste.
    sessao.listaCriticas();
    EXPECT_EQ(controle<QLabel>("LabelAvisoCriticas")->text(),
              QStringLiteral("Este arquivo não possui erros ou advertências."));
    esperaComCriticas(false);
    EXPECT_FALSE(plataforma.ocupado());
}

TEST_F(Pagina, ListaComAmpulhetaEAvisaDoLimite) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 2, 1);
    CriticaTeste c;
    GravaArquivo(relatorio(0), RelatorioCriticas({c, c, [] {
                                                      CriticaTeste a;
                                                      a.tipo = TextoAdvertencia;
                                                      return a;
                                                  }()}));
    sessao.cfg.maxCriticas = 2;
    plataforma.respondeMensagem(Resposta::Ok);
    sessao.listaCriticas();
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Somente as primeiras 2 críticas foram listadas do total de 3.\r"
                             "Para listar mais, deve-se aumentar o limite na página Configurar."));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Informacao);
    EXPECT_EQ(pagina.modelo().rowCount(), 2);
    EXPECT_GT(plataforma.eventosProcessados(), 0);
    EXPECT_FALSE(plataforma.ocupado());
    esperaComCriticas(true);
    EXPECT_TRUE(controle<QLabel>("LabelAvisoCriticas")->text().isEmpty());
    EXPECT_EQ(controle<QLabel>("LabelInfoDetalhe")->text(),
              QStringLiteral("Selecione um erro ou advertência..."));
    EXPECT_TRUE(controle<QWidget>("RTFRegistro")->isHidden());

    // Colunas, ícones e Tag.
    ModeloCriticas& m = pagina.modelo();
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Mensagem de Erro"));
    EXPECT_EQ(m.index(1, 0).data(ModeloCriticas::RoleTag).toInt(), 1);
    EXPECT_FALSE(m.index(0, 0).data(Qt::DecorationRole).isNull());
    EXPECT_EQ(m.index(0, 2).data().toString(), QStringLiteral("50"));
}

TEST_F(Pagina, AchadosDaPBListadosDepoisDasCriticasDoMotor) {
    abreArquivo(0, QStringLiteral("pb.txt"), "10", 1, 1);
    sessao.arquivos[0].uf = QStringLiteral("PB");
    sessao.arquivos[0].temCriticasPB = true;
    CriticaTeste motor;
    motor.tipo = TextoAdvertencia;
    motor.mensagem = QStringLiteral("Nota fiscal modelo 55 em situação normal sem registro 54.");
    CriticaTeste pb;
    pb.mensagem = QStringLiteral("Na PB, nota fiscal modelo 55 em situação normal exige "
                                 "registros 54 (itens).");
    GravaArquivo(relatorio(0), RelatorioCriticas({motor}));
    GravaArquivo(caminho(QStringLiteral("reexame.res")), RelatorioCriticas({pb}));
    sessao.listaCriticas();
    ASSERT_EQ(pagina.modelo().rowCount(), 2);
    EXPECT_EQ(pagina.modelo().index(0, 1).data().toString(), motor.mensagem);
    EXPECT_EQ(pagina.modelo().index(1, 1).data().toString(), pb.mensagem);
    EXPECT_TRUE(plataforma.caixas().isEmpty());
}

TEST_F(Pagina, FiltroEscolhidoListaDeNovoEGuardaAEscolha) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 1, 1);
    CriticaTeste erro, advertencia;
    erro.linha = 10;
    advertencia.linha = 20;
    advertencia.tipo = TextoAdvertencia;
    GravaArquivo(relatorio(0), RelatorioCriticas({erro, advertencia}));
    sessao.listaCriticas();
    EXPECT_EQ(linhas(), (QStringList{"10", "20"}));

    controle<QRadioButton>("OptionListar_1")->click();
    EXPECT_EQ(sessao.cfg.filtroCriticas, 1);
    EXPECT_EQ(linhas(), (QStringList{"20"}));

    // Pela ação "Toggle" do leitor de tela (sem clique) a lista também acompanha.
    QAccessibleInterface* opcao =
        QAccessible::queryAccessibleInterface(controle<QRadioButton>("OptionListar_0"));
    ASSERT_NE(opcao, nullptr);
    opcao->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(linhas(), (QStringList{"10"}));
    EXPECT_EQ(sessao.cfg.filtroCriticas, 0);

    // Durante o carregamento da janela o clique não lista.
    sessao.carregando = true;
    controle<QRadioButton>("OptionListar_1")->click();
    EXPECT_EQ(linhas(), (QStringList{"10"}));
}

TEST_F(Pagina, DoisArquivosNoComboListamCadaUmOSeuRelatorio) {
    abreArquivo(0, QStringLiteral("primeiro.txt"), "10", 0, 1, 1);
    abreArquivo(1, QStringLiteral("segundo.txt"), "10", 1, 0, 2);
    abreArquivo(2, QStringLiteral("cancelado.txt"), "10", 0, 0, -1);
    CriticaTeste a, b;
    a.linha = 11;
    a.tipo = TextoAdvertencia;
    b.linha = 22;
    GravaArquivo(relatorio(0), RelatorioCriticas({a}));
    GravaArquivo(relatorio(1), RelatorioCriticas({b}));

    sessao.preencheArquivosCriticas();
    auto* combo = controle<QComboBox>("ComboArquivoCriticas");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("primeiro.txt"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("segundo.txt ( REJEITADO )"));
    EXPECT_EQ(combo->itemData(1).toInt(), 1);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_FALSE(combo->isHidden());

    // Nada escolhido: a listagem escolhe o primeiro, que lista pelo tratador do combo.
    sessao.listaCriticas();
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(linhas(), (QStringList{"11"}));

    combo->setCurrentIndex(1);
    EXPECT_EQ(linhas(), (QStringList{"22"}));
    pagina.selecionaArquivo(0);
    EXPECT_EQ(linhas(), (QStringList{"11"}));
    EXPECT_FALSE(plataforma.ocupado());
}

TEST_F(Pagina, ListaDesatualizadaRecarregaAoMostrarAPagina) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 1, 0);
    GravaArquivo(relatorio(0), RelatorioCriticas({CriticaTeste{}}));
    pagina.aoMostrarPagina();
    EXPECT_EQ(pagina.modelo().rowCount(), 0);
    sessao.listaCriticasDesatualizada = true;
    pagina.aoMostrarPagina();
    EXPECT_EQ(pagina.modelo().rowCount(), 1);
    EXPECT_FALSE(sessao.listaCriticasDesatualizada);
}

TEST_F(Pagina, FalhaNaListagemMostraErroCriticoEMantemAsLinhasLidas) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 3, 0);
    CriticaTeste bom, ruim;
    ruim.tipo = QStringLiteral("Erro");
    GravaArquivo(relatorio(0), RelatorioCriticas({bom, bom, ruim}));
    plataforma.respondeMensagem(Resposta::Ok);
    sessao.listaCriticas();
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Critico);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Arquivo de críticas com problemas. Tipo de erro não identificado "
                             "(Erro). Interrompendo listagem."));
    EXPECT_EQ(pagina.modelo().rowCount(), 2);
    EXPECT_FALSE(plataforma.ocupado());
}

TEST_F(Pagina, GanchosDaValidacao) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 1, 0);
    sessao.tituloDetalheCriticas(QStringLiteral(" Arquivo /x/a.txt "));
    EXPECT_EQ(controle<QGroupBox>("FrameDetalhe")->title(), QStringLiteral(" Arquivo /x/a.txt "));
    sessao.mostraCriticas();
    EXPECT_FALSE(controle<QTreeView>("ListaCriticas")->isHidden());
    EXPECT_TRUE(controle<QPushButton>("BotaoCriticasExportar")->isEnabled());
    EXPECT_TRUE(controle<QRadioButton>("OptionListar_2")->isEnabled());
    EXPECT_TRUE(controle<QComboBox>("ComboArquivoCriticas")->isHidden());

    sessao.limpaCriticas();
    abreArquivo(1, QStringLiteral("b.txt"), "10", 1, 0);
    sessao.preencheArquivosCriticas();
    sessao.mostraCriticas();
    EXPECT_FALSE(controle<QComboBox>("ComboArquivoCriticas")->isHidden());
    EXPECT_TRUE(controle<QTreeView>("ListaCriticas")->isHidden());
}

TEST_F(Pagina, ConfiguracoesDeFiltroELargurasIdaEVolta) {
    sessao.cfg.filtroCriticas = 1;
    sessao.cfg.colunasCriticas = {3000, 6000, 1500, 3000};
    pagina.aplicaConfiguracoes();
    EXPECT_TRUE(controle<QRadioButton>("OptionListar_1")->isChecked());
    // Aplicar não regrava as larguras.
    EXPECT_EQ(sessao.cfg.colunasCriticas, (QVector<double>{3000, 6000, 1500, 3000}));
    auto* cabecalho = controle<QTreeView>("ListaCriticas")->header();
    const double pixelsPorTwip = pagina.logicalDpiX() / 1440.0;
    EXPECT_EQ(cabecalho->sectionSize(1), qRound(6000 * pixelsPorTwip));
    // O usuário muda a coluna: ao fechar, a largura volta às configurações em twips.
    cabecalho->resizeSection(1, 300);
    LeLargurasColunas(&pagina, QStringLiteral("ListaCriticas"), sessao.cfg.colunasCriticas);
    EXPECT_NEAR(sessao.cfg.colunasCriticas[1], 300 / pixelsPorTwip, 0.5);
    EXPECT_EQ(sessao.cfg.colunasCriticas[2], 1500);
}

TEST_F(Pagina, LimpaVoltaAoEstadoSemArquivo) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 1, 0);
    GravaArquivo(relatorio(0), RelatorioCriticas({CriticaTeste{}}));
    sessao.listaCriticas();
    sessao.avisoCriticas(QStringLiteral("Arquivo ainda não validado!"));
    EXPECT_EQ(controle<QLabel>("LabelAvisoCriticas")->text(),
              QStringLiteral("Arquivo ainda não validado!"));
    sessao.limpaCriticas();
    EXPECT_EQ(pagina.modelo().rowCount(), 0);
    esperaComCriticas(false);
    EXPECT_TRUE(controle<QComboBox>("ComboArquivoCriticas")->isHidden());
}

TEST_F(Pagina, TecladoTabDaOpcaoMarcadaAteODetalheEMnemonicosLivres) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 2, 0);
    GravaArquivo(relatorio(0), RelatorioCriticas({CriticaTeste{}, CriticaTeste{}}));
    sessao.listaCriticas();
    pagina.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pagina));
    // Ordem da cadeia de foco (na janela principal, depois da última opção vem o resto da
    // janela: a ordem precisa pôr as três opções antes dos botões). Das opções, o Tab só para
    // na marcada.
    const QStringList esperada{
        "ComboArquivoCriticas", "OptionListar_0",        "OptionListar_1",
        "OptionListar_2",       "BotaoCriticasExportar", "BotaoCriticasImprimir",
        "BotaoCriticasAjuda",   "ListaCriticas",         "RTFRegistro"};
    QStringList ordem;
    QWidget* w = controle<QWidget>("ComboArquivoCriticas");
    do {
        if (esperada.contains(w->objectName())) ordem << w->objectName();
        w = w->nextInFocusChain();
    } while (ordem.size() < esperada.size());
    EXPECT_EQ(ordem, esperada);
    auto* botao = controle<QPushButton>("BotaoCriticasExportar");
    for (const char* nome : {"OptionListar_0", "OptionListar_1", "OptionListar_2"}) {
        auto* opcao = controle<QRadioButton>(nome);
        opcao->setChecked(true);
        opcao->setFocus();
        QTest::keyClick(opcao, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), botao) << nome;
    }
    // Do Exportar o Tab vai ao Imprimir e à Ajuda, à lista e dela ao registro.
    QTest::keyClick(botao, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controle<QWidget>("BotaoCriticasImprimir"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controle<QWidget>("BotaoCriticasAjuda"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* lista = controle<QTreeView>("ListaCriticas");
    EXPECT_EQ(QApplication::focusWidget(), lista);
    // A seta muda a linha e mostra o detalhe.
    QTest::keyClick(lista, Qt::Key_Down);
    EXPECT_EQ(controle<QLabel>("LabelInfoDetalhe")->text(), QString());
    QTest::keyClick(lista, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controle<QWidget>("RTFRegistro"));

    // As letras sublinhadas não repetem as das abas nem a do Encerrar da janela principal.
    QString letras = QStringLiteral("cvrtmuse");
    for (const QAbstractButton* b : pagina.findChildren<QAbstractButton*>()) {
        const qsizetype e = b->text().indexOf(QLatin1Char('&'));
        ASSERT_GE(e, 0) << b->objectName().toStdString();
        const QChar letra = b->text().at(e + 1).toLower();
        EXPECT_FALSE(letras.contains(letra)) << b->text().toStdString();
        letras += letra;
    }
}

TEST_F(Pagina, OTipoDaCriticaEDitoEmTextoAoLeitorDeTela) {
    abreArquivo(0, QStringLiteral("a.txt"), "10", 1, 1);
    CriticaTeste erro, advertencia;
    erro.linha = 10;
    erro.mensagem = QStringLiteral("Valor <b>inválido</b>");
    advertencia.linha = 20;
    advertencia.tipo = TextoAdvertencia;
    GravaArquivo(relatorio(0), RelatorioCriticas({erro, advertencia}));
    sessao.listaCriticas();

    pagina.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pagina));
    // Pelo caminho do leitor de tela: a tabela acessível da lista, célula a célula.
    auto* lista = controle<QTreeView>("ListaCriticas");
    QAccessibleInterface* tabela = QAccessible::queryAccessibleInterface(lista);
    ASSERT_NE(tabela, nullptr);
    EXPECT_EQ(tabela->text(QAccessible::Name), QString::fromUtf8("Críticas"));
    ASSERT_NE(tabela->tableInterface(), nullptr);
    QAccessibleInterface* primeira = tabela->tableInterface()->cellAt(0, 0);
    QAccessibleInterface* segunda = tabela->tableInterface()->cellAt(1, 0);
    ASSERT_NE(primeira, nullptr);
    ASSERT_NE(segunda, nullptr);
    EXPECT_EQ(primeira->text(QAccessible::Name), QString::fromUtf8("Rejeição, linha 10"));
    EXPECT_EQ(segunda->text(QAccessible::Name), QString::fromUtf8("Advertência, linha 20"));
    QAccessibleInterface* mensagem = tabela->tableInterface()->cellAt(1, 1);
    ASSERT_NE(mensagem, nullptr);
    EXPECT_EQ(mensagem->text(QAccessible::Description), QString::fromUtf8("Advertência"));
    // A dica da mensagem mostra o texto como está, sem interpretar "<b>".
    const QString dica = pagina.modelo().index(0, 1).data(Qt::ToolTipRole).toString();
    EXPECT_TRUE(dica.contains(QStringLiteral("&lt;b&gt;"))) << dica.toStdString();
}

TEST_F(Pagina, ArquivoSemVeredictoNaoListaNemExportaOQueSobrou) {
    // Validação cancelada ou que falhou: contagens ou relatório que tenham sobrado não aparecem.
    abreArquivo(0, QStringLiteral("a.txt"), "10", 3, 1, -1);
    GravaArquivo(relatorio(0), RelatorioCriticas({CriticaTeste{}}));
    sessao.avisoCriticas(QString::fromUtf8("Arquivo ainda não validado!"));
    sessao.listaCriticas();
    EXPECT_EQ(pagina.modelo().rowCount(), 0);
    esperaComCriticas(false);
    EXPECT_EQ(controle<QLabel>("LabelAvisoCriticas")->text(),
              QString::fromUtf8("Arquivo ainda não validado!"));
}

TEST_F(Pagina, LeiauteNaoPulaQuandoOArquivoNaoTemCriticas) {
    abreArquivo(0, QStringLiteral("com.txt"), "10", 1, 0, 2);
    abreArquivo(1, QStringLiteral("sem.txt"), "10", 0, 0, 0);
    GravaArquivo(relatorio(0), RelatorioCriticas({CriticaTeste{}}));
    sessao.preencheArquivosCriticas();
    pagina.resize(900, 600);
    pagina.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pagina));
    auto* combo = controle<QComboBox>("ComboArquivoCriticas");
    const auto geometrias = [&] {
        QApplication::processEvents();
        return QList<QRect>{combo->geometry(),
                            controle<QRadioButton>("OptionListar_0")->parentWidget()->geometry(),
                            controle<QPushButton>("BotaoCriticasExportar")->geometry(),
                            controle<QLabel>("LabelAvisoCriticas")->geometry()};
    };
    combo->setCurrentIndex(0);
    ASSERT_FALSE(controle<QTreeView>("ListaCriticas")->isHidden());
    const QList<QRect> comCriticas = geometrias();
    combo->setCurrentIndex(1);
    ASSERT_TRUE(controle<QTreeView>("ListaCriticas")->isHidden());
    EXPECT_EQ(geometrias(), comCriticas);
}

TEST_F(Pagina, AjudaDaPaginaComUmOuVariosArquivos) {
    auto* ajuda = controle<QPushButton>("BotaoCriticasAjuda");
    EXPECT_EQ(ajuda->text(), QStringLiteral("&Ajuda"));
    ajuda->click();
    abreArquivo(1, QStringLiteral("b.txt"), "10", 0, 0, 0);
    ajuda->click();
    EXPECT_EQ(plataforma.topicosAjuda(), (QVector<int>{4, 104}));
}

} // namespace
} // namespace korventa::testes
