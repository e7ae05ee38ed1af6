// As duas janelas em modo offscreen: o que aparece depois de cada ação (não os pixels), com as
// capturas gravadas em TRAMIL_CAPTURAS (ou na pasta temporária) para quem quiser olhar; e o
// programa de verdade iniciado como o validador o inicia.
#include "ArquivoNotas.h"
#include "Registros.h"

#include "GeradorExemplo.h"
#include "nucleo/ArquivoMapeado.h"
#include "nucleo/DescricaoRegistro.h"
#include "nucleo/Formato.h"
#include "nucleo/IndiceNotas.h"
#include "telas/Comum.h"
#include "telas/FormularioNota.h"
#include "telas/JanelaNotas.h"
#include "telas/JanelaTexto.h"
#include "telas/ModeloNotas.h"
#include "telas/PainelCampos.h"
#include "telas/PainelCriticas.h"
#include "telas/VisaoArquivo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tramil;

namespace {

QString PastaCapturas() {
    QString pasta = qEnvironmentVariable("TRAMIL_CAPTURAS");
    if (pasta.isEmpty()) pasta = QDir::temp().filePath(QStringLiteral("tramil-capturas"));
    QDir().mkpath(pasta);
    return pasta;
}

void Captura(QWidget* w, const QString& nome) {
    QTest::qWait(300); // layouts e pinturas pendentes
    EXPECT_TRUE(w->grab().save(QDir(PastaCapturas()).filePath(nome + QStringLiteral(".png"))));
}

QString TextoDoPdf(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) return {};
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Fecha a próxima caixa de mensagem (modal) e devolve o texto dela.
class Mensagens : public QObject {
public:
    Mensagens() {
        connect(&relogio_, &QTimer::timeout, this, [this] {
            if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                textos << m->text();
                m->accept();
            }
        });
        relogio_.start(20);
    }
    QStringList textos;

private:
    QTimer relogio_;
};

QString Selecionado(const PainelCampos* p) {
    const int r = p->tabela()->currentRow();
    return r >= 0 ? p->tabela()->item(r, 1)->text() : QString();
}

std::int64_t LinhasCom(const std::string& d, std::string_view agulha) {
    std::int64_t n = 0;
    std::size_t p = 0;
    while (p < d.size()) {
        const auto nl = d.find('\n', p);
        if (std::string_view(d).substr(p, nl - p).find(agulha) != std::string_view::npos) ++n;
        p = nl + 1;
    }
    return n;
}

} // namespace

TEST(JanelaTexto, ArquivoCamposBuscaFiltroECriticas) {
    QTemporaryDir pasta;
    kelvor::exemplo::Opcoes o;
    o.registros = 20000;
    o.falhas = {kelvor::exemplo::Falha::Icms, kelvor::exemplo::Falha::Sem50};
    kelvor::exemplo::Resumo resumo;
    const std::string d = kelvor::exemplo::geraTexto(o, &resumo);
    const QString arquivo = QString::fromStdString(teste::Grava(pasta, "maio.txt", d));
    const QString criticas = pasta.filePath(QStringLiteral("Criticas.tmp"));
    QProcess validar;
    validar.start(QStringLiteral(KORVENTA_BIN_DIR "/korventa-validar"),
                  {QStringLiteral("-c"), criticas, arquivo});
    ASSERT_TRUE(validar.waitForFinished(60000));

    JanelaTexto j;
    j.show();
    ASSERT_TRUE(j.abre(arquivo));
    EXPECT_EQ(j.windowTitle(), QStringLiteral("Visualizar Arquivo - maio.txt"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.indice()->completo(); }, 20000));
    j.acompanha();
    EXPECT_EQ(j.painel()->titulo(), QStringLiteral("Registro 10 - Mestre do estabelecimento"));
    EXPECT_EQ(j.painel()->tabela()->rowCount(), 12);
    EXPECT_EQ(j.visao()->fonte()->quantidade(), resumo.linhas);
    Captura(&j, QStringLiteral("texto-inicio"));

    // O primeiro 54, coluna 63: o campo do valor do produto fica marcado no painel.
    const auto primeiro54 =
        static_cast<std::int64_t>(
            std::count(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(d.find("\n54")), '\n')) +
        1;
    j.vaiParaLinha(primeiro54 + 1);
    j.visao()->vaiPara(j.visao()->posicaoCursor(), 62);
    EXPECT_EQ(j.painel()->titulo(), QStringLiteral("Registro 54 - Produto"));
    EXPECT_EQ(j.painel()->tabela()->rowCount(), 16);
    EXPECT_EQ(Selecionado(j.painel()), QStringLiteral("Valor do produto"));
    // Ctrl+Direita vai ao campo seguinte; escolher no painel leva o cursor ao campo.
    QTest::keyClick(j.visao(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(j.visao()->colunaCursor(), 74);
    j.painel()->tabela()->setCurrentCell(1, 1);
    EXPECT_EQ(j.visao()->colunaCursor(), 2);

    // Busca: a contagem é a de linhas com a palavra, e o cursor vai à primeira depois dele.
    j.campoBusca()->setText(QStringLiteral("ISENTO"));
    j.procura();
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.busca()->completa(); }, 20000));
    j.acompanha();
    const auto isento = LinhasCom(d, "ISENTO");
    ASSERT_GT(isento, 0);
    EXPECT_EQ(j.textoResultadoBusca(),
              FormataInteiro(isento) + QStringLiteral(" linhas encontradas"));
    const auto primeiraBusca = j.visao()->linhaRealCursor();
    EXPECT_GE(primeiraBusca, primeiro54);
    EXPECT_NE(j.indice()->linha(primeiraBusca).find("ISENTO"), std::string_view::npos);
    j.proxima();
    EXPECT_GT(j.visao()->linhaRealCursor(), primeiraBusca);
    j.anterior();
    EXPECT_EQ(j.visao()->linhaRealCursor(), primeiraBusca);
    Captura(&j, QStringLiteral("texto-busca"));
    // Uma expressão inválida não busca nada e diz por quê.
    j.opcaoExpressao()->setChecked(true);
    j.campoBusca()->setText(QStringLiteral("[0-"));
    j.procura();
    EXPECT_TRUE(j.textoResultadoBusca().startsWith(QStringLiteral("Expressão regular inválida")));

    // Críticas do validador ao lado; escolher a do ICMS leva ao campo dela.
    j.abreCriticas(criticas);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !j.criticas()->carregando(); }, 20000));
    const auto* modelo = &j.criticas()->modelo();
    ASSERT_GT(modelo->rowCount(), 0);
    int linhaIcms = -1;
    for (int r = 0; r < modelo->rowCount(); ++r)
        if (modelo->data(modelo->index(r, 3), Qt::DisplayRole).toString() ==
            QStringLiteral("Valor do ICMS"))
            linhaIcms = r;
    ASSERT_GE(linhaIcms, 0);
    std::int64_t esperada = 0;
    for (const auto& f : resumo.falhas)
        if (f.falha == kelvor::exemplo::Falha::Icms) esperada = f.linha;
    // Antes, um filtro que esconde a linha: escolher a crítica volta a mostrar tudo.
    j.filtraClasse(
        j.comboTipo()
            ->itemData(j.comboTipo()->findText(QStringLiteral("75 -"), Qt::MatchStartsWith))
            .toInt());
    emit j.criticas()->lista()->activated(modelo->index(linhaIcms, 0));
    EXPECT_EQ(j.visao()->linhaRealCursor(), esperada - 1);
    EXPECT_EQ(j.visao()->colunaCursor(), 82);
    EXPECT_EQ(Selecionado(j.painel()), QStringLiteral("Valor do ICMS"));
    Captura(&j, QStringLiteral("texto-criticas"));

    // Filtro por tipo: só as linhas do tipo, tantas quantas o índice contou.
    const int i54 = j.comboTipo()->findText(QStringLiteral("54 - Produto"), Qt::MatchStartsWith);
    ASSERT_GE(i54, 0);
    EXPECT_TRUE(j.comboTipo()->itemText(i54).endsWith(
        QStringLiteral("(") + FormataInteiro(resumo.porTipo[54]) + QLatin1Char(')')))
        << j.comboTipo()->itemText(i54).toStdString();
    j.filtraClasse(j.comboTipo()->itemData(i54).toInt());
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.filtro()->completa(); }, 20000));
    j.acompanha();
    EXPECT_EQ(j.visao()->fonte()->quantidade(), resumo.porTipo[54]);
    for (std::int64_t k : {std::int64_t(0), resumo.porTipo[54] - 1})
        EXPECT_EQ(j.visao()->fonte()->texto(k).substr(0, 2), "54");
    Captura(&j, QStringLiteral("texto-filtro-54"));
}

TEST(JanelaTexto, ArquivoQueNaoServeDaMensagemSemCair) {
    QTemporaryDir pasta;
    Mensagens m;
    JanelaTexto j;
    j.show();
    const QString binario =
        QString::fromStdString(teste::Grava(pasta, "planilha.xls", std::string("PK\3\4\0\0", 6)));
    EXPECT_FALSE(j.abre(binario));
    ASSERT_EQ(m.textos.size(), 1);
    EXPECT_EQ(m.textos[0], QStringLiteral("O arquivo não é um arquivo texto: ") + binario);
    // Texto de outro formato: abre, com o aviso no alto.
    const QString carta =
        QString::fromStdString(teste::Grava(pasta, "carta.txt", "Prezado cliente,\r\nsegue.\r\n"));
    EXPECT_TRUE(j.abre(carta));
    EXPECT_TRUE(
        j.textoAviso().contains(QStringLiteral("não parece ser um arquivo Convênio 57/95")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.indice()->completo(); }, 5000));
    j.acompanha();
    EXPECT_EQ(j.painel()->titulo(), QStringLiteral("Tipo de registro desconhecido"));
    Captura(&j, QStringLiteral("texto-outro-formato"));
}

// Arquivo sem quebras de linha (uma "linha" de megabytes): abre, busca e pinta sem copiar a
// linha inteira para a tela.
TEST(JanelaTexto, LinhaEnormeSemQuebras) {
    QTemporaryDir pasta;
    std::string d(3'000'000, 'x');
    d.replace(2'999'000, 6, "AGULHA");
    JanelaTexto j;
    j.show();
    Mensagens m;
    ASSERT_TRUE(j.abre(QString::fromStdString(teste::Grava(pasta, "sem-quebras.dat", d))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.indice()->completo(); }, 5000));
    j.acompanha();
    EXPECT_EQ(j.visao()->fonte()->quantidade(), 1);
    ASSERT_EQ(j.painel()->tabela()->rowCount(), 1);
    EXPECT_EQ(j.painel()->tabela()->item(0, 3)->text().size(), 4096);
    j.campoBusca()->setText(QStringLiteral("agulha"));
    j.procura();
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.busca()->completa(); }, 5000));
    j.acompanha();
    EXPECT_EQ(j.textoResultadoBusca(), QStringLiteral("1 linha encontrada"));
    QTest::keyClick(j.visao(), Qt::Key_End);
    EXPECT_GT(j.visao()->colunaCursor(), 100000);
    Captura(&j, QStringLiteral("texto-linha-enorme"));
}

// Busca e filtro juntos: a próxima ocorrência é a próxima que o filtro mostra; a volta ao
// começo é avisada; ir além do fim leva à última linha e diz quantas há.
TEST(JanelaTexto, BuscaDentroDoFiltroEIrParaLinha) {
    QTemporaryDir pasta;
    kelvor::exemplo::Opcoes o;
    o.registros = 5000;
    const std::string d = kelvor::exemplo::geraTexto(o);
    JanelaTexto j;
    j.show();
    ASSERT_TRUE(j.abre(QString::fromStdString(teste::Grava(pasta, "junho.txt", d))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.indice()->completo(); }, 20000));
    j.acompanha();
    const int i70 = j.comboTipo()->findText(QStringLiteral("70 -"), Qt::MatchStartsWith);
    ASSERT_GE(i70, 0);
    j.filtraClasse(j.comboTipo()->itemData(i70).toInt());
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.filtro()->completa(); }, 20000));
    j.acompanha();
    // ISENTO aparece em 50 e em 70; com o filtro, só as linhas 70 contam na navegação.
    j.campoBusca()->setText(QStringLiteral("ISENTO"));
    j.procura();
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.busca()->completa(); }, 20000));
    j.acompanha();
    std::vector<std::int64_t> visitadas;
    for (int k = 0; k < 4; ++k) {
        visitadas.push_back(j.visao()->linhaRealCursor());
        EXPECT_EQ(j.indice()->linha(visitadas.back()).substr(0, 2), "70");
        EXPECT_NE(j.indice()->linha(visitadas.back()).find("ISENTO"), std::string_view::npos);
        j.proxima();
    }
    EXPECT_TRUE(std::is_sorted(visitadas.begin(), visitadas.end()));
    // Do último 70 com ISENTO, a próxima dá a volta.
    QTest::keyClick(j.visao(), Qt::Key_End, Qt::ControlModifier);
    j.proxima();
    EXPECT_EQ(j.visao()->linhaRealCursor(), visitadas.front());

    j.filtraClasse(-1);
    j.vaiParaLinha(j.indice()->linhasConhecidas() + 1000);
    EXPECT_EQ(j.visao()->linhaRealCursor(), j.indice()->linhasConhecidas() - 1);
    j.vaiParaLinha(2);
    EXPECT_EQ(j.visao()->linhaRealCursor(), 1);
    EXPECT_EQ(j.painel()->titulo(),
              QStringLiteral("Registro 11 - Dados complementares do informante"));
}

// Os avisos do arquivo que mudou depois de aberto, com o que a janela pode oferecer.
TEST(Janelas, AvisoDoArquivoQueMudou) {
    QTemporaryDir pasta;
    std::string conteudo = teste::Cabecalho();
    while (conteudo.size() < 300000)
        conteudo += teste::Cabecalho();
    const QString caminho = QString::fromStdString(teste::Grava(pasta, "muda.txt", conteudo));
    ArquivoMapeado a;
    QString erro;
    ASSERT_TRUE(a.abre(caminho, erro));
    EXPECT_FALSE(ConfereMudanca(a, QStringLiteral("O que aparece")));
    {
        QFile f(caminho);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("90\r\n");
    }
    auto m = ConfereMudanca(a, QStringLiteral("O que aparece"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->texto,
              QStringLiteral("O arquivo muda.txt foi alterado depois de aberto. O que aparece "
                             "pode não ser o conteúdo atual."));
    EXPECT_TRUE(m->podeReabrir);
    ASSERT_TRUE(QFile::remove(caminho));
    m = ConfereMudanca(a, QStringLiteral("O que aparece"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->texto,
              QStringLiteral("O arquivo muda.txt foi removido ou renomeado depois de aberto. O "
                             "que aparece é o de quando ele foi aberto."));
    EXPECT_FALSE(m->podeReabrir);
}

TEST(JanelaNotas, ListaFormularioRegistrosEPdf) {
    QTemporaryDir pasta;
    const QString arquivo = QString::fromStdString(
        teste::Grava(pasta, "notas.txt", teste::ArquivoComNotasConhecidas()));
    JanelaNotas j;
    j.show();
    ASSERT_TRUE(j.abre(arquivo));
    EXPECT_EQ(j.windowTitle(), QStringLiteral("Consulta Nota Fiscal - notas.txt"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            j.acompanha();
            return j.modelo()->rowCount() > 0;
        },
        20000));
    EXPECT_EQ(j.modelo()->rowCount(), 9);
    EXPECT_EQ(j.textoQuantidade(), QStringLiteral("9 documentos, 5 não conferem"));
    // O primeiro já vem escolhido.
    ASSERT_TRUE(j.documento());
    EXPECT_TRUE(j.formulario()->textos().contains(QStringLiteral("✔ As somas conferem.")));
    Captura(&j, QStringLiteral("notas-primeira"));

    // A nota cujos itens não fecham com o total.
    j.escolhe(2);
    const QStringList t = j.formulario()->textos();
    EXPECT_TRUE(t.contains(QStringLiteral("Nota Fiscal Eletrônica (NF-e) nº 000300, série 1")));
    EXPECT_TRUE(
        t.contains(QStringLiteral("✘ Há somas que não conferem: veja a conferência abaixo.")));
    EXPECT_TRUE(std::any_of(t.begin(), t.end(), [](const QString& s) {
        return s.contains(QStringLiteral("Diferença de 100,00."));
    }));
    EXPECT_TRUE(t.contains(QStringLiteral("2.000,00")));
    EXPECT_EQ(j.registros()->rowCount(), 3);
    EXPECT_EQ(j.registros()->item(0, 0)->text(), QStringLiteral("6")); // linha do 50 no arquivo
    j.registros()->setCurrentCell(1, 1);
    EXPECT_EQ(j.painel()->titulo(), QStringLiteral("Registro 54 - Produto"));
    Captura(&j, QStringLiteral("notas-nao-confere"));

    // PDF: gravado por inteiro ou nada.
    const QString pdf = pasta.filePath(QStringLiteral("nota 300.pdf"));
    QString erro;
    ASSERT_TRUE(j.gravaPdf(pdf, erro)) << erro.toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(pdf + QStringLiteral(".gravando")));
    QFile::remove(QDir(PastaCapturas()).filePath(QStringLiteral("notas-impressao.pdf")));
    QFile::copy(pdf, QDir(PastaCapturas()).filePath(QStringLiteral("notas-impressao.pdf")));
    const QString texto = TextoDoPdf(pdf);
    if (!texto.isEmpty()) {
        EXPECT_TRUE(texto.contains(QStringLiteral("NÃO CONFERE - Itens × valor total")))
            << texto.toStdString();
        EXPECT_TRUE(texto.contains(QStringLiteral("Página 1 de 1")));
        EXPECT_TRUE(texto.contains(QStringLiteral("PRODUTO UM")));
    }

    // Filtro: só os que não conferem, e depois um CNPJ.
    j.opcaoNaoConferem()->setChecked(true);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            j.acompanha();
            return !j.filtrando() && j.modelo()->rowCount() == 5;
        },
        5000));
    EXPECT_EQ(j.textoQuantidade(), QStringLiteral("5 de 9 documentos"));
    j.opcaoNaoConferem()->setChecked(false);
    j.campoCnpj()->setText(QStringLiteral("11.222.333/0001-81"));
    j.aplicaFiltro();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            j.acompanha();
            return !j.filtrando() && j.modelo()->rowCount() == 1;
        },
        5000));
    Captura(&j, QStringLiteral("notas-filtro"));
}

// Todo controle que recebe foco ou ação tem nome para a leitura de tela (o texto do botão
// conta como nome).
TEST(Janelas, TodoControleTemNomeAcessivel) {
    QTemporaryDir pasta;
    const QString arquivo = QString::fromStdString(
        teste::Grava(pasta, "notas.txt", teste::ArquivoComNotasConhecidas()));
    Mensagens m; // a do relatório que não existe
    JanelaTexto texto;
    JanelaNotas notas;
    ASSERT_TRUE(texto.abre(arquivo));
    texto.abreCriticas(pasta.filePath(QStringLiteral("nao-existe.tmp")));
    ASSERT_TRUE(notas.abre(arquivo));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            notas.acompanha();
            return notas.documento().has_value();
        },
        20000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !texto.criticas()->carregando() && !m.textos.isEmpty(); }, 20000));
    EXPECT_EQ(m.textos.value(0), QStringLiteral("Erro tentando abrir o arquivo ") +
                                     pasta.filePath(QStringLiteral("nao-existe.tmp")));
    QStringList semNome;
    for (QMainWindow* janela : std::initializer_list<QMainWindow*>{&texto, &notas}) {
        for (QWidget* w : janela->findChildren<QWidget*>()) {
            // Peças internas do Qt (cabeçalhos, barras, lista aberta do combo, canto da tabela).
            const QString classe = QString::fromLatin1(w->metaObject()->className());
            if (qobject_cast<QHeaderView*>(w) || qobject_cast<QScrollBar*>(w) ||
                w->inherits("QMenu") || classe == QStringLiteral("QComboBoxListView") ||
                classe == QStringLiteral("QTableCornerButton") ||
                w->objectName().startsWith(QStringLiteral("qt_")))
                continue;
            const bool controle =
                qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                qobject_cast<QProgressBar*>(w) || w->objectName() == QStringLiteral("VisaoArquivo");
            if (!controle) continue;
            QString nome = w->accessibleName();
            if (auto* b = qobject_cast<QAbstractButton*>(w); b && nome.isEmpty())
                nome = b->text().remove(QLatin1Char('&'));
            if (nome.trimmed().isEmpty())
                semNome << janela->objectName() + QLatin1Char('/') +
                               QString::fromLatin1(w->metaObject()->className()) +
                               QLatin1Char(' ') + w->objectName();
        }
    }
    EXPECT_TRUE(semNome.isEmpty()) << semNome.join(QStringLiteral(", ")).toStdString();
}

// Uma nota de muitos itens ocupa várias páginas, com o cabeçalho da tabela em cada uma.
TEST(JanelaNotas, ImpressaoEmVariasPaginas) {
    QTemporaryDir pasta;
    std::string t = teste::Cabecalho();
    t += teste::Registro("50", {{"CNPJ", "11222333000181"},
                                {"Data emissão/recebimento", "20230510"},
                                {"Unidade da Federação", "SP"},
                                {"Modelo", "55"},
                                {"Série", "7"},
                                {"Número", "4242"},
                                {"CFOP", "5102"},
                                {"Emitente", "P"},
                                {"Valor total", "1500000"},
                                {"Situação", "N"}}) +
         "\r\n";
    for (int i = 1; i <= 150; ++i)
        t += teste::Registro("54", {{"CNPJ", "11222333000181"},
                                    {"Modelo", "55"},
                                    {"Série", "7"},
                                    {"Número", "4242"},
                                    {"CFOP", "5102"},
                                    {"Número do item", std::to_string(i)},
                                    {"Código do produto", "P" + std::to_string(i)},
                                    {"Quantidade", "1000"},
                                    {"Valor do produto", "10000"}}) +
             "\r\n";
    JanelaNotas j;
    ASSERT_TRUE(j.abre(QString::fromStdString(teste::Grava(pasta, "itens.txt", t))));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            j.acompanha();
            return j.documento().has_value();
        },
        20000));
    EXPECT_TRUE(j.documento()->confere());
    const QString pdf = pasta.filePath(QStringLiteral("itens.pdf"));
    QString erro;
    ASSERT_TRUE(j.gravaPdf(pdf, erro));
    QFile::remove(QDir(PastaCapturas()).filePath(QStringLiteral("notas-paginas.pdf")));
    QFile::copy(pdf, QDir(PastaCapturas()).filePath(QStringLiteral("notas-paginas.pdf")));
    const QString texto = TextoDoPdf(pdf);
    if (texto.isEmpty()) GTEST_SKIP() << "sem pdftotext";
    const QStringList paginas = texto.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(paginas.size(), 3);
    const int total = static_cast<int>(paginas.size());
    for (int p = 0; p < total; ++p)
        EXPECT_TRUE(paginas[p].contains(QStringLiteral("Página %1 de %2").arg(p + 1).arg(total)))
            << p;
    // Os 150 itens ocupam três páginas, cada uma com o cabeçalho da tabela.
    for (int p = 0; p < 3; ++p)
        EXPECT_TRUE(paginas[p].contains(QStringLiteral("Valor unitário"))) << p;
    EXPECT_TRUE(paginas[2].contains(QStringLiteral("150 P150")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Confere - Itens × valor total")));
}

// O programa de verdade, iniciado com a linha num texto só como o validador a monta: abre o
// arquivo e registra no log do validador (pasta temporária própria, para não se misturar).
TEST(ProgramaTramil, IniciadoComoOValidadorIniciaEComLog) {
    QTemporaryDir pasta;
    const QString arquivo = QString::fromStdString(
        teste::Grava(pasta, "com brancos.txt", teste::ArquivoComNotasConhecidas()));
    for (const QString& modo : {QStringLiteral(" -Texto "), QStringLiteral(" -Notas ")}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), pasta.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), pasta.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KORVENTA_BIN_DIR "/Tramil"),
                {modo + QStringLiteral("-Log \"") + arquivo + QLatin1Char('"')});
        ASSERT_TRUE(p.waitForStarted());
        const QString log = pasta.filePath(QStringLiteral("Korventa.log"));
        const QString esperado = modo == QStringLiteral(" -Texto ")
                                     ? QStringLiteral("Tramil: Visualizar Arquivo ") + arquivo
                                     : QStringLiteral("Tramil: Consulta Nota Fiscal ") + arquivo;
        const bool registrou = QTest::qWaitFor(
            [&] {
                QFile f(log);
                return f.open(QIODevice::ReadOnly) && f.readAll().contains(esperado.toLatin1());
            },
            15000);
        EXPECT_TRUE(registrou) << esperado.toStdString();
        EXPECT_EQ(p.state(), QProcess::Running); // abriu e continua de pé
        p.kill();
        p.waitForFinished();
    }
    QProcess ajuda;
    ajuda.start(QStringLiteral(KORVENTA_BIN_DIR "/Tramil"), {QStringLiteral("-?")});
    ASSERT_TRUE(ajuda.waitForFinished(15000));
    EXPECT_TRUE(QString::fromLocal8Bit(ajuda.readAllStandardOutput())
                    .startsWith(QStringLiteral("Uso: Tramil")));
}
