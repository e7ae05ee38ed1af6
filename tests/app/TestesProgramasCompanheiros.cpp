// Programas companheiros: linhas de comando, falhas com o número do erro do sistema, a consulta
// de notas fiscais única (com um programa de verdade que fica no ar até mandarem sair) e os
// botões que os iniciam.
#include "JanelaDeTeste.h"

#include "GeradorExemplo.h"
#include "app/PaginaConfigurar.h"
#include "app/ProgramasCompanheiros.h"
#include "common/Caminhos.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cerrno>
#include <gtest/gtest.h>

using namespace korventa;

namespace {

TEST(LinhaDeComandoCompanheiros, TransmissaoComONivelDeLogSoAcimaDeZero) {
    const ComandoCompanheiro c0 =
        ComandoQIV(QStringLiteral("/opt/Quorbis/qiv.exe"), 0, QStringLiteral("/midias/a.zip"));
    EXPECT_EQ(c0.linha, QStringLiteral("/opt/Quorbis/qiv.exe \"/midias/a.zip\""));
    EXPECT_EQ(c0.inicio.programa, QStringLiteral("/opt/Quorbis/qiv.exe"));
    EXPECT_EQ(c0.inicio.argumentos, QStringList{QStringLiteral("/midias/a.zip")});
    EXPECT_EQ(c0.inicio.pastaTrabalho, QStringLiteral("/opt/Quorbis"));

    const QString midia = QStringLiteral("C:\\Minhas Mídias\\12 345_01.zip");
    const ComandoCompanheiro c2 = ComandoQIV(QStringLiteral("C:\\Quorbis\\Qiv.exe"), 2, midia);
    EXPECT_EQ(c2.linha, QStringLiteral("C:\\Quorbis\\Qiv.exe -l 2 \"") + midia + u'"');
    EXPECT_EQ(c2.inicio.argumentos,
              (QStringList{QStringLiteral("-l"), QStringLiteral("2"), midia}));
    EXPECT_EQ(c2.inicio.pastaTrabalho, QStringLiteral("C:\\Quorbis"));
}

TEST(LinhaDeComandoCompanheiros, UtilitarioComOpcaoLogEArquivo) {
    const ComandoCompanheiro vazio =
        ComandoUtilitario(QStringLiteral("/programa/Tramil"), true, 0, QString());
    EXPECT_EQ(vazio.linha, QStringLiteral(" -Notas "));
    EXPECT_EQ(vazio.inicio.argumentos, QStringList{QStringLiteral("-Notas")});
    EXPECT_EQ(vazio.inicio.pastaTrabalho, QStringLiteral("/programa"));

    const ComandoCompanheiro texto = ComandoUtilitario(QStringLiteral("/programa/Tramil"), false, 1,
                                                       QStringLiteral("/dados/a b.txt"));
    EXPECT_EQ(texto.linha, QStringLiteral(" -Texto -Log \"/dados/a b.txt\""));
    EXPECT_EQ(texto.inicio.argumentos,
              (QStringList{QStringLiteral("-Texto"), QStringLiteral("-Log"),
                           QStringLiteral("/dados/a b.txt")}));
    EXPECT_EQ(ComandoUtilitario(QStringLiteral("/p/Tramil"), true, 3, QString()).linha,
              QStringLiteral(" -Notas -Log "));
}

// Início na Validar (caminho do programa de transmissão salvo vazio).
class Companheiros : public testes::JanelaDeTeste {
protected:
    void preparaConfiguracoes() override { salva(QStringLiteral("Config/PathQiv"), QString()); }

    ProgramasCompanheiros& programas() { return janela_.programasCompanheiros(); }

    // Cópia do programa que espera, com o nome dado, numa pasta com brancos.
    QString programaQueEspera(const QString& nome) {
        const QString pasta = pasta_.filePath(QStringLiteral("pasta com brancos"));
        EXPECT_TRUE(QDir().mkpath(pasta));
        const QString destino = QDir(pasta).filePath(nome);
        EXPECT_TRUE(QFile::copy(QStringLiteral(KORVENTA_PROCESSO_ESPERA), destino));
        QFile(destino).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        plataforma_.usaProcessosReais(true);
        return destino;
    }
    // Argumentos gravados por cada processo iniciado na pasta (um texto por processo).
    QStringList argumentosGravados(const QString& pasta) {
        QStringList todos;
        for (const QString& nome :
             QDir(pasta).entryList({QStringLiteral("argumentos-*.txt")}, QDir::Files)) {
            QFile f(QDir(pasta).filePath(nome));
            if (f.open(QIODevice::ReadOnly)) todos << QString::fromUtf8(f.readAll());
        }
        return todos;
    }
    bool esperaProcessos(const QString& pasta, int quantos) {
        return QTest::qWaitFor([&] { return argumentosGravados(pasta).size() == quantos; }, 10000);
    }
    // Manda sair todos os processos da pasta.
    static void mandaSair(const QString& pasta) {
        QFile sair(QDir(pasta).filePath(QStringLiteral("sair")));
        EXPECT_TRUE(sair.open(QIODevice::WriteOnly));
    }
    QString arquivo(const QString& nome) {
        const QString c = pasta_.filePath(nome);
        QFile f(c);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return c;
    }
    QString exemplo(const QString& nome, std::uint64_t semente) {
        kelvor::exemplo::Opcoes o;
        o.semente = semente;
        o.registros = 50;
        kelvor::exemplo::Resumo r;
        std::string erro;
        const QString c = pasta_.filePath(nome);
        EXPECT_TRUE(kelvor::exemplo::geraArquivo(o, c.toStdString(), r, erro)) << erro;
        return c;
    }
    void transmissorConfigurado(const QString& caminho) {
        sessao_.cfg.pathQiv = caminho;
        sessao_.qivEncontrado = true;
    }

    QTemporaryDir pasta_;
};

TEST_F(Companheiros, TransmissaoSemOProgramaLevaAoCaminhoNaConfigurar) {
    ASSERT_EQ(sessao_.paginaAtual, 1);
    ASSERT_FALSE(sessao_.qivEncontrado);
    plataforma_.respondeMensagem(Resposta::Ok);
    programas().ExecutarQIV(arquivo(QStringLiteral("a.zip")));
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].texto,
              QStringLiteral("Para fazer a transmissão é preciso configurar o caminho completo\r"
                             "do QIV na página Configurar."));
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Informacao);
    EXPECT_EQ(abas()->currentIndex(), 0);
    EXPECT_EQ(molduraVisivel(), 0);
    EXPECT_EQ(janela_.focusWidget(), janela_.paginaConfigurar()->editLocalQIV());
    EXPECT_TRUE(sessao_.configuracaoAlterada);
    EXPECT_TRUE(plataforma_.processos().isEmpty());
}

TEST_F(Companheiros, TransmissaoSemAMidiaOuQueNaoIniciaDizPorque) {
    transmissorConfigurado(arquivo(QStringLiteral("qiv.exe"))); // existe, mas não executa
    const QString ausente = pasta_.filePath(QStringLiteral("sumiu.zip"));
    plataforma_.respondeMensagem(Resposta::Ok);
    programas().ExecutarQIV(ausente);
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].texto,
              QStringLiteral("O arquivo ") + ausente + QStringLiteral(" não foi encontrado."));
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Exclamacao);
    EXPECT_TRUE(plataforma_.processos().isEmpty());

    plataforma_.usaProcessosReais(true);
    plataforma_.limpaCaixas();
    plataforma_.respondeMensagem(Resposta::Ok);
    programas().ExecutarQIV(arquivo(QStringLiteral("a.zip")));
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    const QString esperado =
        QStringLiteral("Ocorreu um erro ao executar o programa de transmissão QIV (%1)")
            .arg(EACCES);
    EXPECT_EQ(plataforma_.caixas()[0].texto, esperado);
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Exclamacao);
}

TEST_F(Companheiros, TransmissaoRecebeAMidiaComBrancosComoUmArgumento) {
    transmissorConfigurado(programaQueEspera(QStringLiteral("qiv.exe")));
    const QString pasta = PastaDoArquivo(sessao_.cfg.pathQiv);
    sessao_.nivelLog = 2;
    const QString midia = arquivo(QStringLiteral("mídia de maio.zip"));
    programas().ExecutarQIV(midia);
    EXPECT_TRUE(plataforma_.caixas().isEmpty());
    // Os argumentos aparecem na pasta do executável: é a pasta de trabalho dele.
    ASSERT_TRUE(esperaProcessos(pasta, 1));
    EXPECT_EQ(argumentosGravados(pasta).first(), QStringLiteral("-l\n2\n") + midia + u'\n');
    EXPECT_TRUE(plataforma_.processos().last().acompanhado == false);
    mandaSair(pasta);
}

TEST_F(Companheiros, UtilitarioAusenteDizONumeroDoErro) {
    plataforma_.usaProcessosReais(true);
    sessao_.caminhoUtilitarioNotas = pasta_.filePath(QStringLiteral("Tramil"));
    for (bool notas : {true, false}) {
        plataforma_.limpaCaixas();
        plataforma_.respondeMensagem(Resposta::Ok);
        programas().ExecutaUtilitarioQd(notas, QString());
        ASSERT_EQ(plataforma_.caixas().size(), 1);
        EXPECT_EQ(
            plataforma_.caixas()[0].texto,
            QStringLiteral("Ocorreu um erro ao executar o programa utilitário (%1)").arg(ENOENT));
        EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Exclamacao);
    }
}

TEST_F(Companheiros, SoUmaConsultaDeNotasPorVezEVariosVisualizadores) {
    sessao_.caminhoUtilitarioNotas = programaQueEspera(QStringLiteral("Tramil"));
    const QString pasta = PastaDoArquivo(sessao_.caminhoUtilitarioNotas);
    sessao_.nivelLog = 1;
    const QString fiscal = pasta_.filePath(QStringLiteral("arquivo com brancos.txt"));

    programas().ExecutaUtilitarioQd(true, fiscal);
    ASSERT_TRUE(esperaProcessos(pasta, 1));
    EXPECT_EQ(argumentosGravados(pasta).first(), QStringLiteral("-Notas\n-Log\n") + fiscal + u'\n');
    const qint64 primeira = plataforma_.ultimoIniciado();
    ASSERT_TRUE(plataforma_.processoAtivo(primeira));

    plataforma_.respondeMensagem(Resposta::Ok);
    programas().ExecutaUtilitarioQd(true, fiscal);
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].texto,
              QStringLiteral("O programa 'Consulta Nota Fiscal' já está em execução."));
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Informacao);
    EXPECT_EQ(plataforma_.processos().size(), 1);

    // Visualizadores de arquivo não são contados: dois juntos.
    programas().ExecutaUtilitarioQd(false, fiscal);
    programas().ExecutaUtilitarioQd(false, QString());
    ASSERT_TRUE(esperaProcessos(pasta, 3));
    EXPECT_TRUE(argumentosGravados(pasta).contains(QStringLiteral("-Texto\n-Log\n")));

    // Fechada a primeira consulta, outra inicia.
    mandaSair(pasta);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !plataforma_.processoAtivo(primeira); }, 10000));
    plataforma_.limpaCaixas();
    programas().ExecutaUtilitarioQd(true, QString());
    EXPECT_TRUE(plataforma_.caixas().isEmpty());
    EXPECT_NE(plataforma_.ultimoIniciado(), primeira);
    EXPECT_TRUE(esperaProcessos(pasta, 4));
}

TEST_F(Companheiros, BotoesDaValidarAbremOArquivoEscolhido) {
    auto* notas = controle<QPushButton>("BotaoValidarNotasFiscais");
    auto* visualizar = controle<QPushButton>("BotaoValidarVisualizar");
    EXPECT_FALSE(notas->isEnabled());
    EXPECT_FALSE(visualizar->isEnabled());

    const QString um = exemplo(QStringLiteral("um arquivo.txt"), 1);
    auto* combo = controle<QComboBox>("ComboArquivo");
    combo->setEditText(um);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(notas->isEnabled());
    ASSERT_TRUE(visualizar->isEnabled());
    QTest::mouseClick(notas, Qt::LeftButton);
    QTest::mouseClick(visualizar, Qt::LeftButton);
    ASSERT_EQ(plataforma_.processos().size(), 2);
    const auto& p = plataforma_.processos();
    EXPECT_EQ(p[0].programa, sessao_.caminhoUtilitarioNotas);
    EXPECT_EQ(p[0].argumentos, (QStringList{QStringLiteral("-Notas"), um}));
    EXPECT_TRUE(p[0].acompanhado);
    EXPECT_EQ(p[0].pastaTrabalho, testes::pastaBibliotecas());
    EXPECT_EQ(p[1].argumentos, (QStringList{QStringLiteral("-Texto"), um}));
    EXPECT_FALSE(p[1].acompanhado);

    // Vários arquivos: o da linha selecionada; sem seleção, o primeiro.
    const QStringList varios{exemplo(QStringLiteral("a.txt"), 2),
                             exemplo(QStringLiteral("b.txt"), 3)};
    plataforma_.respondeAbrir(varios);
    QTest::mouseClick(controle<QPushButton>("BrowseArquivo"), Qt::LeftButton);
    auto* lista = controle<QTreeWidget>("ListaArquivosAbertos");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    ASSERT_TRUE(visualizar->isEnabled());
    lista->setCurrentItem(lista->topLevelItem(1));
    QTest::mouseClick(visualizar, Qt::LeftButton);
    EXPECT_EQ(plataforma_.processos().last().argumentos.last(), varios[1]);
    lista->clearSelection();
    QTest::mouseClick(visualizar, Qt::LeftButton);
    EXPECT_EQ(plataforma_.processos().last().argumentos.last(), varios[0]);
}

TEST_F(Companheiros, TransmitirDoResumoUsaAMidiaDaPrimeiraEntrada) {
    const QString qiv = arquivo(QStringLiteral("qiv.exe"));
    transmissorConfigurado(qiv);
    sessao_.arquivos[0].caminhoMidia = arquivo(QStringLiteral("mídia.zip"));
    auto* transmitir = controle<BotaoComAcao>("BotaoResumoTransmitir");
    ASSERT_TRUE(transmitir->temAcao());
    transmitir->permite(true); // a geração da mídia habilita
    QTest::mouseClick(transmitir, Qt::LeftButton);
    ASSERT_EQ(plataforma_.processos().size(), 1);
    EXPECT_EQ(plataforma_.processos()[0].programa, qiv);
    EXPECT_EQ(plataforma_.processos()[0].argumentos, QStringList{sessao_.arquivos[0].caminhoMidia});
    EXPECT_EQ(plataforma_.processos()[0].pastaTrabalho, PastaDoArquivo(qiv));
}

TEST_F(Companheiros, BotoesDosUtilitariosAbremOUtilitarioSemArquivo) {
    clicaAba(6);
    auto* notas = controle<QPushButton>("BotaoUtilNotasFiscais");
    auto* texto = controle<QPushButton>("BotaoUtilArquivoTexto");
    ASSERT_TRUE(notas->isVisible() && notas->isEnabled());
    ASSERT_TRUE(texto->isVisible() && texto->isEnabled());
    QTest::mouseClick(notas, Qt::LeftButton);
    QTest::mouseClick(texto, Qt::LeftButton);
    const auto& p = plataforma_.processos();
    ASSERT_EQ(p.size(), 2);
    EXPECT_EQ(p[0].programa, sessao_.caminhoUtilitarioNotas);
    EXPECT_EQ(p[0].argumentos, QStringList{QStringLiteral("-Notas")});
    EXPECT_TRUE(p[0].acompanhado);
    EXPECT_EQ(p[1].argumentos, QStringList{QStringLiteral("-Texto")});
}

} // namespace
