// O início inteiro com a janela real fora da tela e a plataforma roteirizada.
#include "Ambiente.h"
#include "apoio/PlataformaRoteirizada.h"

#include "GeradorExemplo.h"
#include "app/Inicializacao.h"
#include "app/Principal.h"
#include "engine/Bibliotecas.h"
#include "engine/Definicoes.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

using namespace korventa;
using korventa::testes::PlataformaRoteirizada;

namespace {

class Inicio : public ::testing::Test {
protected:
    void SetUp() override {
        testes::limpaConfiguracoes();
        testes::usaBibliotecasDe(testes::pastaBibliotecas());
        diretorioAntes_ = QDir::currentPath();
        sessao_.pastaPrograma = testes::pastaBibliotecas();
    }
    void TearDown() override {
        janela_.reset();
        testes::usaBibliotecasDe(testes::pastaBibliotecas());
        QDir::setCurrent(diretorioAntes_);
    }

    ParametrosInicio parametros(const QString& linha = QString(),
                                const QStringList& arquivos = {}) {
        return {linha, QStringLiteral("ValidadorKorventa2017"),
                QStringLiteral("testes-app-") + QUuid::createUuid().toString(QUuid::Id128),
                arquivos};
    }
    bool inicia(const QString& linha = QString(), const QStringList& arquivos = {}) {
        inicio_ = std::make_unique<Inicializacao>(sessao_, *janela_, parametros(linha, arquivos));
        return inicio_->executa();
    }
    QString texto(const char* rotulo) const {
        auto* l = janela_->findChild<QLabel*>(QLatin1String(rotulo));
        return l ? l->text() : QStringLiteral("<sem %1>").arg(QLatin1String(rotulo));
    }
    // Arquivo fiscal válido do gerador de exemplos.
    QString exemplo(const QString& nome) {
        kelvor::exemplo::Opcoes o;
        o.registros = 30;
        kelvor::exemplo::Resumo r;
        std::string erro;
        const QString c = pastaArquivos_.filePath(nome);
        EXPECT_TRUE(kelvor::exemplo::geraArquivo(o, QFile::encodeName(c).toStdString(), r, erro))
            << erro;
        return c;
    }
    // Configurado sem programa de transmissão: o início termina na página Validar.
    static void configuradoSemTransmissao() {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope,
                    QStringLiteral("ValidadorKorventaV2"));
        s.setValue(QStringLiteral("Config/PathQiv"), QString());
        s.sync();
    }
    QString textoCombo() const {
        return janela_->findChild<QComboBox*>(QStringLiteral("ComboArquivo"))->currentText();
    }
    // O que o leitor de tela diz do rótulo.
    QString nomeAcessivel(const char* rotulo) const {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(
            janela_->findChild<QLabel*>(QLatin1String(rotulo)));
        return i ? i->text(QAccessible::Name) : QString();
    }
    // Pasta com cópias de algumas bibliotecas construídas.
    QString pastaCom(const QStringList& bases) {
        for (const QString& b : bases) {
            const QString nome = Bibliotecas::nomeArquivo(b);
            QFile::copy(QDir(testes::pastaBibliotecas()).filePath(nome), pastaLibs_.filePath(nome));
        }
        return pastaLibs_.path();
    }

    PlataformaRoteirizada plataforma_;
    Sessao sessao_{plataforma_};
    std::unique_ptr<Principal> janela_ = std::make_unique<Principal>(sessao_);
    std::unique_ptr<Inicializacao> inicio_;
    QTemporaryDir pastaLibs_;
    QTemporaryDir pastaArquivos_;
    QString diretorioAntes_;
};

} // namespace

TEST_F(Inicio, PrimeiraExecucaoComecaEmConfigurarComAsVersoesNoSobre) {
    testes::apagaLog();
    ASSERT_TRUE(inicia(QStringLiteral("-l 4")));
    EXPECT_EQ(sessao_.nivelLog, 4);
    EXPECT_FALSE(sessao_.carregando);
    EXPECT_EQ(sessao_.paginaAtual, 0);
    EXPECT_TRUE(sessao_.configuracaoAlterada);
    EXPECT_EQ(janela_->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->currentIndex(), 0);
    EXPECT_TRUE(janela_->moldura(0)->isVisible());
    EXPECT_EQ(sessao_.cfg.pathQiv, QString());
    EXPECT_EQ(sessao_.cfg.nomeAplicacao, QStringLiteral("ValidadorKorventaV2"));

    EXPECT_EQ(texto("LabelVersaoValkora2"), QStringLiteral("1.7.8.9"));
    EXPECT_EQ(texto("LabelVersaoValkora3"), QStringLiteral("1.8.2"));
    EXPECT_EQ(texto("LabelVersaoKelvor"), QStringLiteral("5.2.0.0"));
    EXPECT_EQ(texto("LabelVersaoGerarMidia"), QStringLiteral("5.6.0"));
    EXPECT_EQ(texto("LabelVersaoReexame"), QStringLiteral("2.1.0"));
    EXPECT_EQ(texto("LabelVersaoReexame88"), QStringLiteral("1.0.4"));
    // O Tramil alinhado com os outros: a legenda na coluna das legendas, a versão na dos valores.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)+$"))
                    .match(texto("LabelVersaoTramil"))
                    .hasMatch())
        << texto("LabelVersaoTramil").toStdString();
    EXPECT_EQ(nomeAcessivel("LabelVersaoTramil"),
              QStringLiteral("Tramil: ") + texto("LabelVersaoTramil"));
    EXPECT_EQ(nomeAcessivel("LabelVersaoKelvor"), QStringLiteral("Kelvor: 5.2.0.0"));
    EXPECT_EQ(texto("LabelVersaoValidador"), QStringLiteral("5.4.0"));
    EXPECT_EQ(texto("LabelVersao"), QStringLiteral("5.4.0"));
    EXPECT_FALSE(janela_->findChild<QLabel*>(QStringLiteral("LabelVersaoDeTeste"))->isVisible());

    EXPECT_EQ(sessao_.caminhoCriticas, QDir::toNativeSeparators(testes::pastaTemporariaTestes()) +
                                           QDir::separator() + QStringLiteral("Criticas.tmp"));
    EXPECT_TRUE(sessao_.caminhoComprovante.endsWith(QStringLiteral("Comprovante.tmp")));
    EXPECT_EQ(sessao_.caminhoUtilitarioNotas,
              testes::pastaBibliotecas() + QStringLiteral("/Tramil"));

    const QStringList log = testes::linhasDoLog();
    const QStringList esperado{QStringLiteral("Versao do QIV: 5.4.0"),
                               QStringLiteral("Chamou Kelvor_VersoesEx..."),
                               QStringLiteral("Chamou VersaoGerarMidiaQIV..."),
                               QStringLiteral("Versao Valkora2: 1.7.8.9"),
                               QStringLiteral("Versao Valkora3: 1.8.2"),
                               QStringLiteral("Versao Kelvor: 5.2.0.0"),
                               QStringLiteral("Versao GerarMidia: 5.6.0"),
                               QStringLiteral("Versao Reexame: 2.1.0"),
                               QStringLiteral("Versao Reexame88: 1.0.4"),
                               QStringLiteral("Passou pelo teste de versao de valkora..."),
                               QStringLiteral("Passou pelo teste de versao de Kelvor..."),
                               QStringLiteral("Passou pelo teste de versao de GerarMidia..."),
                               QStringLiteral("Passou pelo teste de versao de Reexame..."),
                               QStringLiteral("VerificaQIV..."),
                               QStringLiteral("Fim VerificaQIV."),
                               QStringLiteral("Leu configuracoes do registry."),
                               QStringLiteral("Preencheu configurar."),
                               QStringLiteral("FecharArquivo..."),
                               QStringLiteral("Fim FecharArquivo."),
                               QStringLiteral("Preencheu validar."),
                               QStringLiteral("Preencheu resumo."),
                               QStringLiteral("Preencheu midias."),
                               QStringLiteral("Configuracoes vazias: comeca na pagina Configurar."),
                               QStringLiteral("TabStrip1_Click..."),
                               QStringLiteral("Fim TabStrip1_Click..."),
                               QStringLiteral("Encerrando form load principal.")};
    EXPECT_EQ(log, esperado);
}

TEST_F(Inicio, CaminhoVazioSalvoComecaEmValidar) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope,
                QStringLiteral("ValidadorKorventaV2"));
    s.setValue(QStringLiteral("Config/PathQiv"), QString());
    s.setValue(QStringLiteral("Interface/Quantos arquivos recentes"), 2);
    s.setValue(QStringLiteral("Interface/Recente1"), QStringLiteral("/dados/antigo.txt"));
    s.setValue(QStringLiteral("Interface/Recente2"), QStringLiteral("/dados/novo.txt"));
    s.sync();
    bool preencheuValidar = false;
    sessao_.preencheValidar = [&] { preencheuValidar = true; };
    ASSERT_TRUE(inicia());
    EXPECT_EQ(sessao_.paginaAtual, 1);
    EXPECT_TRUE(preencheuValidar);
    EXPECT_TRUE(janela_->moldura(1)->isVisible());
    // Os recentes estão na lista, mas nenhum vem escolhido: "Abrir" espera o usuário.
    auto* combo = janela_->findChild<QComboBox*>(QStringLiteral("ComboArquivo"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("/dados/novo.txt"));
    EXPECT_EQ(combo->currentText(), QString());
    EXPECT_FALSE(janela_->findChild<QPushButton*>(QStringLiteral("BotaoCarregar"))->isEnabled());
}

TEST_F(Inicio, VersaoZeroMostraORotuloDeTeste) {
    sessao_.versao = {0, 9, 1};
    ASSERT_TRUE(inicia());
    EXPECT_TRUE(janela_->findChild<QLabel*>(QStringLiteral("LabelVersaoDeTeste"))->isVisible());
    EXPECT_EQ(texto("LabelVersao"), QStringLiteral("0.9.1"));
}

TEST_F(Inicio, AgrupamentoEmBrancoEncerraAntesDeTudo) {
    plataforma_.defineFormato({QStringLiteral(","), QStringLiteral(" ")});
    plataforma_.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(inicia());
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_TRUE(plataforma_.caixas()[0].texto.startsWith(
        QStringLiteral("O símbolo de agrupamento de dígitos")));
    EXPECT_FALSE(janela_->isVisible());
    EXPECT_EQ(sessao_.paginaAtual, -1);
}

TEST_F(Inicio, SintaxePedidaEncerraComAMensagem) {
    plataforma_.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(inicia(QStringLiteral("-? -l 3")));
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].texto,
              QStringLiteral("Sintaxe: ValidadorKorventa2017 [-l <nível de LOG>]"));
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Informacao);
}

TEST_F(Inicio, OutraInstanciaVemParaAFrenteEEstaTermina) {
    const ParametrosInicio p = parametros();
    InstanciaUnica primeira(p.chaveInstancia);
    int pedidos = 0;
    primeira.aoPedirFrente([&] { ++pedidos; });
    ASSERT_TRUE(primeira.assume());

    inicio_ = std::make_unique<Inicializacao>(sessao_, *janela_, p);
    EXPECT_FALSE(inicio_->executa());
    EXPECT_TRUE(plataforma_.caixas().isEmpty());
    EXPECT_FALSE(janela_->isVisible());
    for (int i = 0; i < 50 && pedidos == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(pedidos, 1);
}

TEST_F(Inicio, SemOMotorAMensagemDeQuatroLinhas) {
    QTemporaryDir vazia;
    testes::usaBibliotecasDe(vazia.path());
    plataforma_.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(inicia());
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Critico);
    EXPECT_EQ(plataforma_.caixas()[0].texto,
              QStringLiteral("Não encontrou DLL Kelvor.dll!\rErro (48): Arquivo não encontrado: ") +
                  QDir::toNativeSeparators(
                      QDir(vazia.path()).filePath(Bibliotecas::nomeArquivo("Kelvor"))) +
                  QStringLiteral("\rO Validador KORVENTA não consegue ser executado.\r"
                                 "Instale-o novamente."));
}

TEST_F(Inicio, SemABibliotecaDeMidiasAMensagemDeQuatroLinhas) {
    testes::usaBibliotecasDe(pastaCom(
        {QStringLiteral("Kelvor"), QStringLiteral("Valkora2"), QStringLiteral("Valkora3")}));
    plataforma_.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(inicia());
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    const QStringList linhas = plataforma_.caixas()[0].texto.split(QLatin1Char('\r'));
    ASSERT_EQ(linhas.size(), 4);
    EXPECT_EQ(linhas[0], QStringLiteral("Não encontrou DLL GerarMidiaQIV.dll!"));
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("Erro (48): Arquivo não encontrado: ")));
    EXPECT_TRUE(linhas[1].endsWith(Bibliotecas::nomeArquivo(QStringLiteral("GerarMidiaQIV"))));
    EXPECT_EQ(linhas[2], QStringLiteral("O Validador KORVENTA não consegue ser executado."));
    EXPECT_EQ(linhas[3], QStringLiteral("Instale-o novamente."));
}

TEST_F(Inicio, SemAsBibliotecasCompanheirasAMensagemDizQualFaltaEPorQue) {
    // Kelvor_VersoesEx devolve 0 quando não acha Valkora2/Valkora3 ao seu lado; terminar sem
    // dizer nada deixaria o usuário sem saber o que reinstalar.
    const QString pasta = pastaCom({QStringLiteral("Kelvor"), QStringLiteral("GerarMidiaQIV")});
    testes::usaBibliotecasDe(pasta);
    plataforma_.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(inicia());
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Critico);
    EXPECT_EQ(
        plataforma_.caixas()[0].texto,
        QStringLiteral("Não encontrou DLL Valkora2.dll!\rErro (48): Arquivo não encontrado: ") +
            QDir::toNativeSeparators(QDir(pasta).filePath(Bibliotecas::nomeArquivo("Valkora2"))) +
            QStringLiteral("\rO Validador KORVENTA não consegue ser executado.\r"
                           "Instale-o novamente."));
}

TEST_F(Inicio, BibliotecaCompanheiraEstragadaAMensagemTrazOMotivoDoCarregador) {
    const QString pasta = pastaCom(
        {QStringLiteral("Kelvor"), QStringLiteral("GerarMidiaQIV"), QStringLiteral("Valkora2")});
    QFile estragada(QDir(pasta).filePath(Bibliotecas::nomeArquivo("Valkora3")));
    ASSERT_TRUE(estragada.open(QIODevice::WriteOnly));
    estragada.write("isto não é uma biblioteca");
    estragada.close();
    testes::usaBibliotecasDe(pasta);
    plataforma_.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(inicia());
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    const QStringList linhas = plataforma_.caixas()[0].texto.split(QLatin1Char('\r'));
    ASSERT_EQ(linhas.size(), 4);
    EXPECT_EQ(linhas[0], QStringLiteral("Não encontrou DLL Valkora3.dll!"));
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("Erro (48): Não foi possível carregar ")))
        << linhas[1].toStdString();
    EXPECT_TRUE(linhas[1].contains(Bibliotecas::nomeArquivo(QStringLiteral("Valkora3")) +
                                   QStringLiteral(": ")));
}

TEST_F(Inicio, SemABibliotecaDaPosValidacaoAMensagemDeQuatroLinhas) {
    testes::usaBibliotecasDe(pastaCom({QStringLiteral("Kelvor"), QStringLiteral("GerarMidiaQIV"),
                                       QStringLiteral("Valkora2"), QStringLiteral("Valkora3"),
                                       QStringLiteral("Reexame")}));
    plataforma_.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(inicia());
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    const QStringList linhas = plataforma_.caixas()[0].texto.split(QLatin1Char('\r'));
    ASSERT_EQ(linhas.size(), 4);
    EXPECT_EQ(linhas[0], QStringLiteral("Não encontrou DLL Reexame88.dll!"));
    EXPECT_TRUE(linhas[1].endsWith(Bibliotecas::nomeArquivo(QStringLiteral("Reexame88"))));
}

TEST_F(Inicio, SemOUtilitarioORotuloDoTramilFicaVazio) {
    testes::usaBibliotecasDe(pastaCom({QStringLiteral("Kelvor"), QStringLiteral("GerarMidiaQIV"),
                                       QStringLiteral("Valkora2"), QStringLiteral("Valkora3"),
                                       QStringLiteral("Reexame"), QStringLiteral("Reexame88")}));
    ASSERT_TRUE(inicia());
    EXPECT_EQ(texto("LabelVersaoTramil"), QString());
}

TEST_F(Inicio, TelaDeOitocentosPixelsOuMaisComecaComAJanelaMaior) {
    plataforma_.defineLarguraTela(799);
    ASSERT_TRUE(inicia());
    const QSize projeto = janela_->size();

    Sessao outra(plataforma_);
    outra.pastaPrograma = testes::pastaBibliotecas();
    Principal maior(outra);
    plataforma_.defineLarguraTela(800);
    Inicializacao inicio(outra, maior, parametros());
    ASSERT_TRUE(inicio.executa());
    EXPECT_GT(maior.width(), projeto.width());
    EXPECT_GT(maior.height(), projeto.height());
}

TEST_F(Inicio, ArquivosDaLinhaDeComandoAbremNoFimDoInicio) {
    configuradoSemTransmissao();
    const QString um = exemplo(QStringLiteral("cliente um.txt"));
    testes::apagaLog();
    ASSERT_TRUE(inicia(QStringLiteral("-l 4"), {um}));
    EXPECT_TRUE(plataforma_.caixas().isEmpty());
    EXPECT_EQ(sessao_.paginaAtual, 1);
    ASSERT_EQ(sessao_.arquivos.size(), 1);
    EXPECT_EQ(sessao_.arquivos[0].caminho, um);
    EXPECT_EQ(sessao_.arquivos[0].mensagem, QString());
    EXPECT_EQ(textoCombo(), um);
    EXPECT_TRUE(janela_->findChild<QPushButton*>(QStringLiteral("BotaoValidar"))->isEnabled());
    // Depois do início, não no meio dele.
    const QStringList log = testes::linhasDoLog();
    EXPECT_GT(log.indexOf(QStringLiteral("AbrirArquivo...")),
              log.indexOf(QStringLiteral("Encerrando form load principal.")));

    // Vários arquivos formam um lote, como escolhidos juntos no diálogo.
    const QString dois = exemplo(QStringLiteral("cliente dois.txt"));
    EXPECT_TRUE(janela_->abreArquivos({um, dois}));
    ASSERT_EQ(sessao_.arquivos.size(), 2);
    EXPECT_EQ(sessao_.arquivos[1].caminho, dois);
    EXPECT_EQ(sessao_.arquivos[0].resultado, ResultadoNaoValidadoLote);
    EXPECT_EQ(sessao_.arquivos[1].resultado, ResultadoNaoValidadoLote);
}

TEST_F(Inicio, PrimeiraExecucaoComArquivoAbreMasFicaEmConfigurar) {
    const QString um = exemplo(QStringLiteral("um.txt"));
    ASSERT_TRUE(inicia(QString(), {um}));
    EXPECT_EQ(sessao_.paginaAtual, 0);
    EXPECT_EQ(sessao_.arquivos[0].caminho, um);
}

TEST_F(Inicio, ArquivoDaLinhaDeComandoRecusadoMostraOMotivoEOProgramaSegue) {
    configuradoSemTransmissao();
    plataforma_.respondeMensagem(Resposta::Ok);
    const QString sumido = pastaArquivos_.filePath(QStringLiteral("nao existe.txt"));
    ASSERT_TRUE(inicia(QString(), {sumido}));
    ASSERT_EQ(plataforma_.caixas().size(), 1);
    EXPECT_EQ(plataforma_.caixas()[0].icone, Icone::Critico);
    EXPECT_EQ(plataforma_.caixas()[0].texto, sessao_.arquivos[0].mensagem);
    EXPECT_FALSE(sessao_.arquivos[0].mensagem.isEmpty());
    EXPECT_FALSE(janela_->findChild<QPushButton*>(QStringLiteral("BotaoValidar"))->isEnabled());
}

TEST_F(Inicio, ArquivosQueChegamComOProgramaOcupadoNaoTrocamOAberto) {
    configuradoSemTransmissao();
    const QString um = exemplo(QStringLiteral("um.txt"));
    const QString dois = exemplo(QStringLiteral("dois.txt"));
    ASSERT_TRUE(inicia(QString(), {um}));
    sessao_.validando = true;
    EXPECT_FALSE(janela_->abreArquivos({dois}));
    sessao_.validando = false;
    EXPECT_EQ(sessao_.arquivos[0].caminho, um);
    EXPECT_FALSE(janela_->abreArquivos({}));
    EXPECT_EQ(sessao_.arquivos[0].caminho, um);
}

TEST_F(Inicio, OutraInstanciaEntregaOsSeusArquivosAPrimeira) {
    const ParametrosInicio p = parametros(
        QString(), {QStringLiteral("/dados/jan 2026.txt"), QStringLiteral("/dados/fev.txt")});
    InstanciaUnica primeira(p.chaveInstancia);
    int pedidos = 0;
    QStringList recebidos;
    primeira.aoPedirFrente([&] { ++pedidos; });
    primeira.aoReceberArquivos([&](const QStringList& a) { recebidos = a; });
    ASSERT_TRUE(primeira.assume());

    inicio_ = std::make_unique<Inicializacao>(sessao_, *janela_, p);
    EXPECT_FALSE(inicio_->executa());
    for (int i = 0; i < 50 && recebidos.isEmpty(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(pedidos, 1);
    EXPECT_EQ(recebidos, p.arquivos);
}

TEST(PedidoDeOutraInstancia, LevaQualquerNomeDeArquivoENaoInventaONaoRecebido) {
    const QStringList nomes{QStringLiteral("/a b/Movimentação 100%.txt"),
                            QStringLiteral("/linha\nquebrada.txt"), QStringLiteral("/x/y.TXT")};
    EXPECT_EQ(InstanciaUnica::leArquivosDoPedido(InstanciaUnica::montaPedido(nomes)), nomes);
    EXPECT_TRUE(InstanciaUnica::leArquivosDoPedido(InstanciaUnica::montaPedido({})).isEmpty());
    // Cortado no meio do último nome: só os inteiros.
    const QByteArray pedido = InstanciaUnica::montaPedido(nomes);
    EXPECT_EQ(InstanciaUnica::leArquivosDoPedido(pedido.left(pedido.size() - 3)), nomes.mid(0, 2));
    // Sem a primeira linha não é um pedido deste programa.
    EXPECT_TRUE(InstanciaUnica::leArquivosDoPedido("abrir\n%2Fx.txt\n").isEmpty());
}
