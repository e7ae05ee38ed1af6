#include "apoio/PlataformaRoteirizada.h"
#include "platform/DialogoArquivoPtBr.h"
#include "platform/PlataformaQt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

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

namespace {

// Uma QApplication para os testes que mostram diálogos de verdade (fora da tela).
QApplication& Aplicacao() {
    static int argc = 1;
    static char nome[] = "testes_platform";
    static char* argv[] = {nome, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace

TEST(PlataformaQt, CaixaDeMensagemMostraCaminhosComMarcacaoComoTexto) {
    Aplicacao();
    PlataformaQt plataforma;
    QString mostrado;
    Qt::TextFormat formato = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caixa, nullptr);
        mostrado = caixa->text();
        formato = caixa->textFormat();
        caixa->accept();
    });
    static_cast<Plataforma&>(plataforma)
        .mensagem(QStringLiteral("Arquivo não encontrado:\r/tmp/<b>x<i>y.txt"), Icone::Critico);
    EXPECT_EQ(formato, Qt::PlainText);
    EXPECT_EQ(mostrado, QStringLiteral("Arquivo não encontrado:\n/tmp/<b>x<i>y.txt"));
}

TEST(PlataformaQt, DialogoDeArquivoEmPortuguesComColunasQueCabem) {
    Aplicacao();
    QTemporaryDir pasta;
    ASSERT_TRUE(QDir(pasta.path()).mkdir(QStringLiteral("sub")));
    QFile f(pasta.filePath(QStringLiteral("a.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2437, 'x'));
    f.close();

    QFileDialog dialogo(nullptr, QStringLiteral("Teste"), pasta.path());
    PreparaDialogoArquivo(dialogo);
    auto* detalhe = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(detalhe, nullptr);
    QAbstractItemModel* modelo = detalhe->model();
    QModelIndex raiz = detalhe->rootIndex();
    for (int i = 0; i < 200 && modelo->rowCount(raiz) < 2; ++i) {
        QTest::qWait(10);
        raiz = detalhe->rootIndex();
    }
    ASSERT_EQ(modelo->rowCount(raiz), 2);
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    for (int r = 0; r < 2; ++r) {
        const QString nome = modelo->index(r, 0, raiz).data().toString();
        const QString tamanho = modelo->index(r, 1, raiz).data().toString();
        const QString tipo = modelo->index(r, 2, raiz).data().toString();
        const QString data = modelo->index(r, 3, raiz).data().toString();
        if (nome == QStringLiteral("sub")) {
            EXPECT_EQ(tipo, QStringLiteral("Pasta"));
        } else {
            EXPECT_EQ(tamanho, QStringLiteral("2,38 KiB"));
        }
        EXPECT_EQ(data, brasil.toString(QFileInfo(pasta.filePath(nome)).lastModified(),
                                        QLocale::ShortFormat));
    }
    const QFontMetrics medida(detalhe->header()->font());
    for (int c = 1; c < 4; ++c)
        EXPECT_GE(detalhe->header()->sectionSize(c),
                  medida.horizontalAdvance(modelo->headerData(c, Qt::Horizontal).toString()))
            << c;
}
