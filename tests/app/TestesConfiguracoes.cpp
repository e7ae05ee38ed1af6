// Configurações do usuário, Quorbis.ini, listas recentes e a escolha da primeira página.
#include "Ambiente.h"
#include "apoio/PlataformaRoteirizada.h"

#include "app/ConfiguracoesUsuario.h"
#include "app/Inicializacao.h"
#include "validation/Recentes.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korventa;
using korventa::testes::PlataformaRoteirizada;

namespace {

class ConfiguracoesUsuario : public ::testing::Test {
protected:
    void SetUp() override {
        testes::limpaConfiguracoes();
        diretorioAntes_ = QDir::currentPath();
    }
    void TearDown() override {
        QDir::setCurrent(diretorioAntes_);
        testes::limpaConfiguracoes();
    }

    // Uma execução do programa: sessão nova lendo o que a anterior gravou.
    std::unique_ptr<Sessao> novaSessao() {
        auto s = std::make_unique<Sessao>(plataforma_);
        s->cfg.nomeAplicacao = NomeAplicacaoRegistro(s->versao);
        return s;
    }

    static void grava(const QString& chave, const QString& valor) {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope,
                    QStringLiteral("ValidadorKorventaV2"));
        s.setValue(chave, valor);
        s.sync();
    }
    static QString lido(const QString& chave) {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope,
                    QStringLiteral("ValidadorKorventaV2"));
        return s.value(chave).toString();
    }
    static void escreveIni(const QByteArray& conteudo) {
        QFile ini(CaminhoQuorbisIni());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(conteudo);
    }
    // Um "programa de transmissão" que existe.
    static QString criaPrograma(const QString& pasta) {
        QDir().mkpath(pasta);
        const QString caminho = QDir(pasta).filePath(QStringLiteral("qiv.exe"));
        QFile f(caminho);
        f.open(QIODevice::WriteOnly);
        f.write("programa");
        return caminho;
    }

    PlataformaRoteirizada plataforma_;
    QTemporaryDir pasta_;
    QString diretorioAntes_;
};

} // namespace

TEST_F(ConfiguracoesUsuario, NomeDaAplicacaoDependeDaVersaoMaior) {
    EXPECT_EQ(NomeAplicacaoRegistro({3, 0, 0}), QStringLiteral("ValidadorKorventa"));
    EXPECT_EQ(NomeAplicacaoRegistro({5, 4, 0}), QStringLiteral("ValidadorKorventaV2"));
    EXPECT_EQ(NomeAplicacaoRegistro({0, 9, 0}), QStringLiteral("ValidadorKorventaV2"));
}

TEST_F(ConfiguracoesUsuario, PrimeiraExecucaoUsaOsPadroesEComecaEmConfigurar) {
    auto s = novaSessao();
    LeConfiguracoes(*s);
    EXPECT_EQ(s->cfg.pathQiv, QStringLiteral("?"));
    EXPECT_EQ(s->cfg.pathConvenio, QStringLiteral("."));
    EXPECT_EQ(s->cfg.pathGeraMidia, QStringLiteral("."));
    EXPECT_EQ(s->cfg.maxCriticas, 3000);
    EXPECT_EQ(s->cfg.filtroCriticas, 2);
    EXPECT_EQ(s->cfg.colunasCriticas, (QVector<double>{855, 3855, 440, 1400}));
    EXPECT_EQ(s->cfg.colunasMidias, (QVector<double>{3040, 1560, 1230, 840}));
    EXPECT_EQ(s->arquivosRecentes.rowCount(), 0);
    EXPECT_EQ(s->pastasMidiaRecentes.rowCount(), 0);
    EXPECT_TRUE(s->cfg.pastaComprovantesQIV.isEmpty());

    EXPECT_EQ(EscolhePrimeiraAba(*s), 1);
    EXPECT_TRUE(s->cfg.pathQiv.isEmpty());
    EXPECT_FALSE(s->qivEncontrado);

    // O caminho vazio gravado no fim faz a próxima execução começar na Validar.
    GravaConfiguracoes(*s);
    auto proxima = novaSessao();
    LeConfiguracoes(*proxima);
    EXPECT_EQ(proxima->cfg.pathQiv, QString());
    EXPECT_EQ(EscolhePrimeiraAba(*proxima), 2);
}

TEST_F(ConfiguracoesUsuario, ProgramaDeTransmissaoSalvoQueSumiuVoltaParaConfigurar) {
    const QString programa = criaPrograma(pasta_.filePath(QStringLiteral("Quorbis")));
    grava(QStringLiteral("Config/PathQiv"), programa);
    auto s = novaSessao();
    LeConfiguracoes(*s);
    EXPECT_EQ(EscolhePrimeiraAba(*s), 2);
    EXPECT_TRUE(s->qivEncontrado);

    QFile::remove(programa);
    auto depois = novaSessao();
    LeConfiguracoes(*depois);
    EXPECT_EQ(EscolhePrimeiraAba(*depois), 1);
    EXPECT_EQ(depois->cfg.pathQiv, programa);
    EXPECT_FALSE(depois->qivEncontrado);

    // Uma pasta com o nome do programa também não serve.
    QDir().mkpath(programa);
    EXPECT_EQ(EscolhePrimeiraAba(*depois), 1);
}

TEST_F(ConfiguracoesUsuario, IniDoProgramaDeTransmissaoDaOCandidato) {
    const QString pasta = pasta_.filePath(QStringLiteral("Quorbis Instalado"));
    const QString programa = criaPrograma(pasta);
    for (const QString& valor : {pasta, pasta + QLatin1Char('/'), QLatin1Char('"') + pasta + '"'}) {
        escreveIni("; programa de transmissao\r\n[Outra]\r\nDiretorio=/errado\r\n"
                   "[INSTALACAO]\r\ndiretorio = " +
                   QFile::encodeName(valor) + "\r\n");
        EXPECT_EQ(CandidatoProgramaQIV(), programa) << valor.toStdString();
        auto s = novaSessao();
        LeConfiguracoes(*s);
        EXPECT_EQ(s->cfg.pathQiv, programa);
    }
    // Ini de 8 bits vindo do Windows, com acento no nome da pasta.
    const QString acentuada = pasta_.filePath(QStringLiteral("Transmissão"));
    const QString programaAcentuado = criaPrograma(acentuada);
    escreveIni("[Instalacao]\r\nDiretorio=" + acentuada.toLatin1() + "\r\n");
    EXPECT_EQ(CandidatoProgramaQIV(), programaAcentuado);
    escreveIni("[Instalacao]\r\nDiretorio=" + acentuada.toUtf8() + "\r\n");
    EXPECT_EQ(CandidatoProgramaQIV(), programaAcentuado);
    // Pasta do ini sem o programa: continua não configurado.
    escreveIni("[Instalacao]\nDiretorio=" + QFile::encodeName(pasta_.filePath("vazia")) + "\n");
    auto s = novaSessao();
    LeConfiguracoes(*s);
    EXPECT_EQ(s->cfg.pathQiv, QStringLiteral("?"));
    // Sem ini, o local fixo.
    QFile::remove(CaminhoQuorbisIni());
    EXPECT_EQ(CandidatoProgramaQIV(), LocalPadraoQIV());
}

TEST_F(ConfiguracoesUsuario, IniDoSistemaValeSoSemODoUsuario) {
    // O pacote instala o ini em /etc/xdg apontando o simulador ao lado do programa.
    const QString programa = criaPrograma(pasta_.filePath(QStringLiteral("lib/validador")));
    const QString doSistema =
        QDir(testes::pastaConfiguracaoSistemaTestes()).filePath(QStringLiteral("Quorbis.ini"));
    QFile ini(doSistema);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("; do pacote\n[Instalacao]\nDiretorio=" +
              QFile::encodeName(pasta_.filePath(QStringLiteral("lib/validador"))) + "\n");
    ini.close();
    EXPECT_EQ(LocalizaQuorbisIni(), doSistema);
    auto s = novaSessao();
    LeConfiguracoes(*s);
    EXPECT_EQ(s->cfg.pathQiv, programa);
    EXPECT_EQ(EscolhePrimeiraAba(*s), 2);

    // O ini do usuário, mesmo sem a chave, é o que vale: o candidato volta ao local fixo.
    escreveIni("[Outra]\nDiretorio=/nao/vale\n");
    EXPECT_EQ(LocalizaQuorbisIni(), CaminhoQuorbisIni());
    EXPECT_EQ(CandidatoProgramaQIV(), LocalPadraoQIV());
}

TEST_F(ConfiguracoesUsuario, PastaDeComprovantesPerdeUmaBarraFinal) {
    QSettings qiv(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QIV2"));
    auto s = novaSessao();
    qiv.setValue(QStringLiteral("Config/Pasta De Comprovantes"),
                 QStringLiteral("C:\\QIV\\Recibos\\"));
    qiv.sync();
    LePastaComprovantesQIV(*s);
    EXPECT_EQ(s->cfg.pastaComprovantesQIV, QStringLiteral("C:\\QIV\\Recibos"));
    qiv.setValue(QStringLiteral("Config/Pasta De Comprovantes"), QStringLiteral("C:\\QIV\\R\\\\"));
    qiv.sync();
    LePastaComprovantesQIV(*s);
    EXPECT_EQ(s->cfg.pastaComprovantesQIV, QStringLiteral("C:\\QIV\\R\\"));
}

TEST_F(ConfiguracoesUsuario, DozeArquivosRecentesGuardamOsDezMaisNovosNaOrdem) {
    auto s = novaSessao();
    for (int i = 1; i <= 12; ++i)
        IncluiArquivoRecente(*s, QStringLiteral("/dados/arquivo%1.txt").arg(i));
    ASSERT_EQ(s->arquivosRecentes.rowCount(), 12);
    EXPECT_EQ(s->arquivosRecentes.stringList().first(), QStringLiteral("/dados/arquivo12.txt"));
    GravaConfiguracoes(*s);

    EXPECT_EQ(lido(QStringLiteral("Interface/Quantos arquivos recentes")), QStringLiteral("10"));
    EXPECT_EQ(lido(QStringLiteral("Interface/Recente1")), QStringLiteral("/dados/arquivo3.txt"));
    EXPECT_EQ(lido(QStringLiteral("Interface/Recente10")), QStringLiteral("/dados/arquivo12.txt"));

    auto depois = novaSessao();
    LeConfiguracoes(*depois);
    QStringList esperado;
    for (int i = 12; i >= 3; --i)
        esperado << QStringLiteral("/dados/arquivo%1.txt").arg(i);
    EXPECT_EQ(depois->arquivosRecentes.stringList(), esperado);

    // E a ordem sobrevive a mais uma volta.
    GravaConfiguracoes(*depois);
    auto terceira = novaSessao();
    LeConfiguracoes(*terceira);
    EXPECT_EQ(terceira->arquivosRecentes.stringList(), esperado);
}

TEST_F(ConfiguracoesUsuario, MesmoCaminhoNaoSobeOutraCaixaEntra) {
    auto s = novaSessao();
    IncluiArquivoRecente(*s, QStringLiteral("/dados/A.txt"));
    IncluiArquivoRecente(*s, QStringLiteral("/dados/B.txt"));
    IncluiArquivoRecente(*s, QStringLiteral("/dados/A.txt"));
    EXPECT_EQ(s->arquivosRecentes.stringList(),
              (QStringList{QStringLiteral("/dados/B.txt"), QStringLiteral("/dados/A.txt")}));
    IncluiArquivoRecente(*s, QStringLiteral("/dados/a.txt"));
    EXPECT_EQ(s->arquivosRecentes.stringList().first(), QStringLiteral("/dados/a.txt"));
    EXPECT_EQ(s->arquivosRecentes.rowCount(), 3);

    IncluiPastaMidiaRecente(*s, QStringLiteral("/midias"));
    IncluiPastaMidiaRecente(*s, QStringLiteral("/midias"));
    EXPECT_EQ(s->pastasMidiaRecentes.rowCount(), 1);
}

TEST_F(ConfiguracoesUsuario, ListaVaziaGravaZeroEDeixaAsChavesVelhas) {
    grava(QStringLiteral("Interface/Quantos arquivos recentes"), QStringLiteral("1"));
    grava(QStringLiteral("Interface/Recente1"), QStringLiteral("/velho.txt"));
    auto s = novaSessao();
    GravaConfiguracoes(*s);
    EXPECT_EQ(lido(QStringLiteral("Interface/Quantos arquivos recentes")), QStringLiteral("0"));
    EXPECT_EQ(lido(QStringLiteral("Interface/Recente1")), QStringLiteral("/velho.txt"));
    auto depois = novaSessao();
    LeConfiguracoes(*depois);
    EXPECT_EQ(depois->arquivosRecentes.rowCount(), 0);
}

TEST_F(ConfiguracoesUsuario, ValoresGravadosVoltamEValoresInvalidosFicamNoPadrao) {
    auto s = novaSessao();
    s->cfg.pathQiv = QStringLiteral("/opt/outro/qiv.exe");
    s->cfg.pathConvenio = QStringLiteral("/dados/convenio");
    s->cfg.pathGeraMidia = QStringLiteral("/dados/midias");
    s->cfg.maxCriticas = -5;
    s->cfg.filtroCriticas = 0;
    s->cfg.colunasCriticas = {900, 4000, 500, 1500};
    s->cfg.ultimaPastaMidia = QStringLiteral("/dados/midias");
    IncluiPastaMidiaRecente(*s, QStringLiteral("/dados/midias"));
    QDir::setCurrent(pasta_.path());
    GravaConfiguracoes(*s);
    EXPECT_EQ(lido(QStringLiteral("Config/MaxCriticas")), QStringLiteral("-5"));
    EXPECT_EQ(lido(QStringLiteral("Interface/Coluna2")), QStringLiteral("4000"));

    QDir::setCurrent(diretorioAntes_);
    auto depois = novaSessao();
    LeConfiguracoes(*depois);
    EXPECT_EQ(QDir::currentPath(), QDir(pasta_.path()).canonicalPath());
    EXPECT_EQ(depois->cfg.pathQiv, QStringLiteral("/opt/outro/qiv.exe"));
    EXPECT_EQ(depois->cfg.pathConvenio, QStringLiteral("/dados/convenio"));
    EXPECT_EQ(depois->cfg.pathGeraMidia, QStringLiteral("/dados/midias"));
    EXPECT_EQ(depois->cfg.maxCriticas, -5);
    EXPECT_EQ(depois->cfg.filtroCriticas, 0);
    EXPECT_EQ(depois->cfg.colunasCriticas, (QVector<double>{900, 4000, 500, 1500}));
    EXPECT_EQ(depois->cfg.ultimaPastaMidia, QStringLiteral("/dados/midias"));
    EXPECT_EQ(depois->pastasMidiaRecentes.stringList(),
              QStringList{QStringLiteral("/dados/midias")});

    grava(QStringLiteral("Config/MaxCriticas"), QStringLiteral("muitas"));
    grava(QStringLiteral("Interface/Coluna1"), QStringLiteral("larga"));
    grava(QStringLiteral("Interface/Quantos arquivos recentes"), QStringLiteral("x"));
    grava(QStringLiteral("Interface/FiltroCriticas"), QStringLiteral("7"));
    auto invalida = novaSessao();
    LeConfiguracoes(*invalida);
    EXPECT_EQ(invalida->cfg.maxCriticas, 3000);
    EXPECT_EQ(invalida->cfg.colunasCriticas.first(), 855);
    EXPECT_EQ(invalida->cfg.colunasCriticas.at(1), 4000);
    EXPECT_EQ(invalida->arquivosRecentes.rowCount(), 0);
    EXPECT_EQ(invalida->cfg.filtroCriticas, 2);
}

TEST_F(ConfiguracoesUsuario, ImpressoraEscolhidaVoltaNaExecucaoSeguinte) {
    // A impressora "PDF" está sempre instalada: escolhida, fica gravada em maiúsculas e volta.
    auto s = novaSessao();
    s->cfg.ultimaImpressora = QStringLiteral("pdf");
    GravaConfiguracoes(*s);
    EXPECT_EQ(lido(QStringLiteral("Config/UltimaImpressora")), QStringLiteral("PDF"));
    auto depois = novaSessao();
    LeConfiguracoes(*depois);
    EXPECT_EQ(depois->cfg.ultimaImpressora, QStringLiteral("PDF"));

    // Uma impressora que não está mais instalada deixa a padrão do sistema.
    grava(QStringLiteral("Config/UltimaImpressora"), QStringLiteral("IMPRESSORA QUE SAIU"));
    auto sem = novaSessao();
    LeConfiguracoes(*sem);
    EXPECT_TRUE(sem->cfg.ultimaImpressora.isEmpty());
}
