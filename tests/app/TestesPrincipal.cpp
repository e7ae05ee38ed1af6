// A janela principal real, fora da tela: abas, molduras, fechamento, créditos e ajuda.
#include "JanelaDeTeste.h"

#include "app/PaginaConfigurar.h"
#include "validation/Recentes.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace korventa;

namespace {

class JanelaPrincipal : public testes::JanelaDeTeste {
protected:
    // Caminho do programa de transmissão salvo vazio: o início vai para a Validar e as trocas
    // de página destes testes não passam pelas verificações da Configurar.
    void preparaConfiguracoes() override { salva(QStringLiteral("Config/PathQiv"), QString()); }
};

} // namespace

TEST_F(JanelaPrincipal, SeteAbasEOitoMoldurasComUmaSoAVista) {
    const QStringList legendas{"Configurar", "Validar",     "Resumo", "Críticas",
                               "Mídias",     "Utilitários", "Sobre"};
    ASSERT_EQ(abas()->count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(abas()->tabText(i).remove(QLatin1Char('&')), legendas[i]);
    for (int i = 0; i < QuantidadeMolduras; ++i)
        ASSERT_NE(janela_.moldura(i), nullptr);

    for (int aba = 1; aba <= 7; ++aba) {
        clicaAba(aba);
        EXPECT_EQ(sessao_.paginaAtual, aba - 1);
        EXPECT_EQ(molduraVisivel(), aba - 1);
    }
    EXPECT_EQ(janela_.findChild<QPushButton*>(QStringLiteral("OKButton"))->text(),
              QStringLiteral("&Encerrar"));
}

TEST_F(JanelaPrincipal, ResumoComVariosArquivosMostraAMoldura7) {
    int preencheuVarios = 0;
    sessao_.preencheVariosArquivos = [&] { ++preencheuVarios; };
    sessao_.arquivos.resize(2);
    clicaAba(3);
    EXPECT_EQ(sessao_.paginaAtual, 7);
    EXPECT_EQ(molduraVisivel(), 7);
    EXPECT_EQ(preencheuVarios, 1);

    // Indo do Resumo de vários para as Críticas, o arquivo escolhido acompanha.
    int sincronizou = 0;
    sessao_.selecionaArquivoCriticasDoResumo = [&] { ++sincronizou; };
    clicaAba(4);
    EXPECT_EQ(sincronizou, 1);
    clicaAba(2);
    clicaAba(4);
    EXPECT_EQ(sincronizou, 1);
}

TEST_F(JanelaPrincipal, DuranteAValidacaoSoOResumoEONaoFecha) {
    clicaAba(3);
    sessao_.validando = true;
    clicaAba(4);
    EXPECT_EQ(abas()->currentIndex(), 2);
    EXPECT_EQ(sessao_.paginaAtual, 2);
    EXPECT_EQ(molduraVisivel(), 2);
    QTest::mouseClick(janela_.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    EXPECT_TRUE(janela_.isVisible());
    sessao_.validando = false;
}

TEST_F(JanelaPrincipal, DuranteAValidacaoDeUmArquivoAFaixaFicaNaValidar) {
    // Um arquivo só é validado na própria página Validar: a faixa não pode mostrar outra aba
    // sobre ela (nem depois de um cancelamento, quando a validação termina ali mesmo).
    clicaAba(2);
    sessao_.validando = true;
    clicaAba(3);
    clicaAba(4);
    EXPECT_EQ(abas()->currentIndex(), 1);
    EXPECT_EQ(sessao_.paginaAtual, 1);
    EXPECT_EQ(molduraVisivel(), 1);
    sessao_.validando = false;
    clicaAba(3);
    EXPECT_EQ(molduraVisivel(), 2);
}

TEST_F(JanelaPrincipal, ListaDeCriticasDesatualizadaEListadaDeNovo) {
    // Arquivo validado sem críticas: a listagem só põe o aviso.
    auto* aviso = janela_.findChild<QLabel*>(QStringLiteral("LabelAvisoCriticas"));
    ASSERT_NE(aviso, nullptr);
    sessao_.arquivos[0].resultado = ResultadoAceito;
    sessao_.listaCriticasDesatualizada = true;
    clicaAba(4);
    EXPECT_EQ(aviso->text(), QStringLiteral("Este arquivo não possui erros ou advertências."));
    EXPECT_FALSE(sessao_.listaCriticasDesatualizada);
    EXPECT_FALSE(plataforma_.ocupado());
    // Sem validação nova, voltar à página não lista de novo.
    sessao_.avisoCriticas(QStringLiteral("marca"));
    clicaAba(2);
    clicaAba(4);
    EXPECT_EQ(aviso->text(), QStringLiteral("marca"));
}

TEST_F(JanelaPrincipal, VerificacaoRecusadaDaConfigurarVoltaParaElaComFoco) {
    clicaAba(1);
    ASSERT_EQ(sessao_.paginaAtual, 0);
    QLineEdit* campo = janela_.paginaConfigurar()->editMaxCriticas();
    campo->setText(QStringLiteral("7"));
    ASSERT_TRUE(sessao_.configuracaoAlterada);
    int verificacoes = 0;
    janela_.confereConfigurar = [&]() -> QWidget* {
        ++verificacoes;
        return campo;
    };
    janela_.activateWindow();
    clicaAba(2);
    EXPECT_EQ(verificacoes, 1);
    EXPECT_EQ(abas()->currentIndex(), 0);
    EXPECT_EQ(sessao_.paginaAtual, 0);
    EXPECT_EQ(molduraVisivel(), 0);
    EXPECT_TRUE(sessao_.configuracaoAlterada);

    janela_.confereConfigurar = [&]() -> QWidget* {
        ++verificacoes;
        return nullptr;
    };
    clicaAba(2);
    EXPECT_EQ(verificacoes, 2);
    EXPECT_EQ(sessao_.paginaAtual, 1);
    // Voltando sem mexer em nada, sair não verifica.
    clicaAba(1);
    EXPECT_FALSE(sessao_.configuracaoAlterada);
    clicaAba(2);
    EXPECT_EQ(verificacoes, 2);
}

TEST_F(JanelaPrincipal, QuintoDuploCliqueNoBannerDoSobreMostraOsCreditos) {
    QWidget* banner = janela_.findChild<QWidget*>(QStringLiteral("Image1"));
    ASSERT_NE(banner, nullptr);
    for (int i = 0; i < 5; ++i)
        QTest::mouseDClick(banner, Qt::LeftButton);
    EXPECT_TRUE(plataforma_.caixas().isEmpty());

    clicaAba(7);
    for (int i = 0; i < 4; ++i)
        QTest::mouseDClick(banner, Qt::LeftButton);
    EXPECT_TRUE(plataforma_.caixas().isEmpty());
    plataforma_.respondeMensagem(Resposta::Ok);
    QTest::mouseDClick(banner, Qt::LeftButton);
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Nenhum);
    EXPECT_EQ(plataforma_.caixas()[0].texto,
              Principal::creditos().replace(QLatin1Char('|'), QLatin1Char('\r')));
    EXPECT_TRUE(plataforma_.caixas()[0].texto.contains(QStringLiteral("\r\r")));
}

TEST_F(JanelaPrincipal, AjudaAbreOArquivoDaPastaDoProgramaNoTopico) {
    clicaAba(1);
    QTest::mouseClick(janela_.findChild<QPushButton*>(QStringLiteral("BotaoConfigurarAjuda")),
                      Qt::LeftButton);
    clicaAba(5);
    QTest::mouseClick(janela_.findChild<QPushButton*>(QStringLiteral("BotaoMidiasAjuda")),
                      Qt::LeftButton);
    EXPECT_EQ(plataforma_.topicosAjuda(), (QVector<int>{1, 5}));

    // O arquivo instalado ao lado do programa tem todos os tópicos.
    QFile ajuda(
        QDir(testes::pastaBibliotecas()).filePath(QStringLiteral("ValidadorKorventa2017.hlp")));
    ASSERT_TRUE(ajuda.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(ajuda.readAll());
    for (int topico : {1, 2, 3, 4, 5, 6, 10, 11, 102, 103, 104})
        EXPECT_TRUE(html.contains(QStringLiteral("<a name=\"%1\">").arg(topico))) << topico;
}

TEST_F(JanelaPrincipal, EncerrarGravaAsConfiguracoesEApagaOsArquivosDeTrabalho) {
    for (const QString& c : {sessao_.caminhoTotaisCFOP, sessao_.caminhoResumo,
                             sessao_.caminhoComprovante, sessao_.caminhoTotaisPorUF}) {
        QFile f(c);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    int fechouArquivo = 0;
    sessao_.preencheValidar = [&] { ++fechouArquivo; };
    IncluiArquivoRecente(sessao_, QStringLiteral("/dados/a.txt"));
    auto* lista = janela_.findChild<QTreeWidget*>(QStringLiteral("ListaMidias"));
    ASSERT_NE(lista, nullptr);
    lista->header()->resizeSection(0, 250);

    QTest::mouseClick(janela_.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    EXPECT_FALSE(janela_.isVisible());
    EXPECT_EQ(fechouArquivo, 1);
    for (const QString& c : {sessao_.caminhoTotaisCFOP, sessao_.caminhoResumo,
                             sessao_.caminhoComprovante, sessao_.caminhoTotaisPorUF})
        EXPECT_FALSE(QFile::exists(c)) << c.toStdString();

    QSettings s(QSettings::NativeFormat, QSettings::UserScope,
                QStringLiteral("ValidadorKorventaV2"));
    EXPECT_EQ(s.value(QStringLiteral("Interface/Recente1")).toString(),
              QStringLiteral("/dados/a.txt"));
    EXPECT_EQ(s.value(QStringLiteral("Config/PathQiv")).toString(), QString());
    EXPECT_EQ(s.value(QStringLiteral("Config/MaxCriticas")).toString(), QStringLiteral("3000"));
    // 250 pixels a 96 pontos por polegada dão 3750 twips.
    EXPECT_EQ(s.value(QStringLiteral("Interface/ColunaMidia1")).toDouble(),
              250.0 * 1440 / lista->logicalDpiX());
}

TEST_F(JanelaPrincipal, EnterNoBotaoComFocoOAciona) {
    clicaAba(2);
    QPushButton* ajuda = nullptr;
    for (auto* b : janela_.moldura(1)->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Ajuda")) ajuda = b;
    ASSERT_NE(ajuda, nullptr);
    ajuda->setFocus();
    QTest::keyClick(ajuda, Qt::Key_Return);
    EXPECT_EQ(plataforma_.topicosAjuda(), QVector<int>{2});
}
