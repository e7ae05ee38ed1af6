// A janela inteira como um leitor de tela e o teclado a encontram: nomes, texto simples, ordem
// do Tab, atalhos, troca de páginas, a página Utilitários, o Sobre alinhado e a janela guardada.
#include "JanelaDeTeste.h"

#include "app/PaginaUtilitarios.h"
#include "validation/BotaoComAcao.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextEdit>

namespace korventa {
namespace {

using testes::JanelaDeTeste;

QString NomeAcessivel(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

// Controles internos de outros controles (cabeçalhos, botão do canto da grade, listas dos
// combos) têm o nome do controle a que pertencem.
bool Interno(const QWidget* w) {
    for (const QObject* p = w->parent(); p; p = p->parent())
        if (qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QTabBar*>(p))
            return true;
    return qobject_cast<const QHeaderView*>(w) != nullptr;
}

class Acessibilidade : public JanelaDeTeste {
protected:
    // Caminho do programa de transmissão salvo vazio: começa na Validar e sair da Configurar
    // não pede nada.
    void preparaConfiguracoes() override { salva(QStringLiteral("Config/PathQiv"), QString()); }
    void mostraGrande() {
        janela_.resize(1180, 760);
        janela_.show();
        janela_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela_));
    }
    void selecionaAbaEspera(int aba) {
        janela_.selecionaAba(aba);
        QApplication::processEvents();
    }
    // Caminho do Tab a partir da faixa de abas até voltar a ela (ou 60 passos).
    QList<QWidget*> caminhoDoTab() {
        abas()->setFocus();
        QList<QWidget*> caminho;
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            if (w == abas() || !w) break;
            // O texto de um combo editável é o próprio combo.
            if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget())) w = combo;
            caminho << w;
        }
        return caminho;
    }
};

TEST_F(Acessibilidade, TodoControleTemNomeETextoDeArquivoNuncaViraHtml) {
    QStringList semNome;
    for (QWidget* w : janela_.findChildren<QWidget*>()) {
        const bool controle = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                              qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                              qobject_cast<QTextEdit*>(w) || qobject_cast<QTabBar*>(w);
        if (controle && !Interno(w) && NomeAcessivel(w).trimmed().isEmpty())
            semNome << w->objectName() + QLatin1Char('(') + w->metaObject()->className() +
                           QLatin1Char(')');
    }
    EXPECT_TRUE(semNome.isEmpty()) << semNome.join(QStringLiteral(", ")).toStdString();

    QStringList html;
    for (QLabel* l : janela_.findChildren<QLabel*>())
        if (l->textFormat() != Qt::PlainText)
            html << l->objectName() + QLatin1Char('=') + l->text();
    EXPECT_TRUE(html.isEmpty()) << html.join(QStringLiteral(", ")).toStdString();

    // Os dois "Abrir..." dos utilitários dizem o que abrem; a grade tem títulos de verdade.
    EXPECT_EQ(NomeAcessivel(janela_.findChild<QWidget*>(QStringLiteral("BotaoUtilNotasFiscais"))),
              QStringLiteral("Consulta Nota Fiscal: abrir"));
    auto* grade = janela_.findChild<QAbstractItemView*>(QStringLiteral("GradeTotalizadores"));
    QAccessibleInterface* tabela = QAccessible::queryAccessibleInterface(grade);
    ASSERT_NE(tabela, nullptr);
    ASSERT_NE(tabela->tableInterface(), nullptr);
    EXPECT_EQ(tabela->tableInterface()->columnDescription(1),
              QString::fromUtf8("Aceitos s/ Advertência"));
    EXPECT_EQ(tabela->tableInterface()->rowCount(), 22);
}

TEST_F(Acessibilidade, TabDeCimaParaBaixoEmCadaPaginaComEncerrarNoFim) {
    mostraGrande();
    for (int aba = 1; aba <= 7; ++aba) {
        selecionaAbaEspera(aba);
        const QList<QWidget*> caminho = caminhoDoTab();
        ASSERT_FALSE(caminho.isEmpty()) << aba;
        EXPECT_EQ(caminho.last()->objectName(), QStringLiteral("OKButton")) << aba;
        QWidget* moldura = janela_.moldura(sessao_.paginaAtual);
        // Nunca volta para cima, a não ser para começar uma coluna mais à direita.
        for (int i = 1; i + 1 < caminho.size(); ++i) {
            QWidget* a = caminho[i - 1];
            QWidget* b = caminho[i];
            EXPECT_TRUE(moldura->isAncestorOf(b)) << aba << " " << b->objectName().toStdString();
            const QRect ra(a->mapTo(&janela_, QPoint()), a->size());
            const QRect rb(b->mapTo(&janela_, QPoint()), b->size());
            EXPECT_FALSE(rb.top() < ra.top() - 4 && rb.left() < ra.right())
                << "aba " << aba << ": " << a->objectName().toStdString() << " -> "
                << b->objectName().toStdString();
        }
    }
}

TEST_F(Acessibilidade, ProcurarVemLogoDepoisDaSuaCaixa) {
    mostraGrande();
    selecionaAbaEspera(2);
    QWidget* combo = janela_.findChild<QWidget*>(QStringLiteral("ComboArquivo"));
    combo->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("BrowseArquivo"));
    selecionaAbaEspera(1);
    janela_.findChild<QWidget*>(QStringLiteral("EditLocalQIV"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("BrowseQIV"));
}

TEST_F(Acessibilidade, CtrlTabTrocaDePaginaDeQualquerControle) {
    mostraGrande();
    selecionaAbaEspera(2);
    janela_.findChild<QWidget*>(QStringLiteral("ComboArquivo"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(sessao_.paginaAtual, MolduraResumo);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(sessao_.paginaAtual, MolduraValidar);
    // Dá a volta: da última para a primeira e de volta.
    selecionaAbaEspera(7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(abas()->currentIndex(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(abas()->currentIndex(), 6);
}

TEST_F(Acessibilidade, CadaPaginaTemSeusAtalhosSemRepetirOsDaJanela) {
    // Toda "Ajuda" e todo "..." têm letra sublinhada; numa página nenhuma letra se repete nem
    // repete as das abas e do Encerrar.
    for (int m = 0; m < QuantidadeMolduras; ++m) {
        QString letras = QStringLiteral("cvrtmuse");
        for (QAbstractButton* b : janela_.moldura(m)->findChildren<QAbstractButton*>()) {
            if (Interno(b)) continue;
            const QString texto = b->text();
            const qsizetype e = texto.indexOf(QLatin1Char('&'));
            ASSERT_GE(e, 0) << m << " " << texto.toStdString();
            const QChar letra = texto.at(e + 1).toLower();
            EXPECT_FALSE(letras.contains(letra)) << m << " " << texto.toStdString();
            letras += letra;
        }
    }
}

TEST_F(Acessibilidade, PaginaUtilitariosComOsDoisQuadrosEAjuda) {
    clicaAba(6);
    QWidget* pagina = janela_.moldura(MolduraUtilitarios);
    auto* notas = pagina->findChild<QGroupBox*>(QStringLiteral("FrameUtilNotasFiscais"));
    auto* arquivo = pagina->findChild<QGroupBox*>(QStringLiteral("FrameUtilArquivoTexto"));
    ASSERT_NE(notas, nullptr);
    ASSERT_NE(arquivo, nullptr);
    EXPECT_EQ(notas->title(), QStringLiteral(" Consulta Nota Fiscal "));
    EXPECT_EQ(arquivo->title(), QStringLiteral(" Visualizar Arquivo "));
    EXPECT_TRUE(notas->findChild<QLabel*>()->text().startsWith(
        QString::fromUtf8("Este programa é um visualizador das notas fiscais")));
    EXPECT_TRUE(arquivo->findChild<QLabel*>()->text().startsWith(
        QString::fromUtf8("Este programa é um visualizador de arquivos Convênio 57/95.")));
    EXPECT_EQ(janela_.paginaUtilitarios()->botaoNotasFiscais()->parentWidget(), notas);

    QTest::mouseClick(pagina->findChild<QPushButton*>(QStringLiteral("BotaoUtilitariosAjuda")),
                      Qt::LeftButton);
    EXPECT_EQ(plataforma_.topicosAjuda(), QVector<int>{6});
}

TEST_F(Acessibilidade, SobreComLegendasEVersoesEmDuasColunas) {
    mostraGrande();
    selecionaAbaEspera(7);
    const auto x = [&](const char* nome) {
        return janela_.findChild<QLabel*>(QLatin1String(nome))->mapTo(&janela_, QPoint()).x();
    };
    EXPECT_EQ(x("LabelVersaoTramil"), x("LabelVersaoKelvor"));
    EXPECT_EQ(x("LabelVersaoValidador"), x("LabelVersaoKelvor"));
}

TEST_F(Acessibilidade, TamanhoEPosicaoDaJanelaVoltamNoProximoInicio) {
    janela_.show();
    janela_.setGeometry(60, 50, 1010, 690);
    QApplication::processEvents();
    const QSize tamanho = janela_.size();
    QTest::mouseClick(janela_.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QSettings s(QSettings::NativeFormat, QSettings::UserScope,
                QStringLiteral("ValidadorKorventaV2"));
    EXPECT_FALSE(s.value(QStringLiteral("Interface/Janela")).toString().isEmpty());

    Sessao outra(plataforma_);
    outra.pastaPrograma = testes::pastaBibliotecas();
    Principal nova(outra);
    Inicializacao inicio(outra, nova, parametros());
    ASSERT_TRUE(inicio.executa());
    EXPECT_EQ(nova.size(), tamanho);
}

} // namespace
} // namespace korventa
