// Página Configurar: o limite de críticas, o programa de transmissão e as verificações ao sair,
// com a janela real fora da tela.
#include "JanelaDeTeste.h"

#include "app/ConferenciaConfigurar.h"
#include "app/PaginaConfigurar.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korventa;

namespace {

const FormatoNumerico PtBr{QStringLiteral(","), QStringLiteral(".")};
const FormatoNumerico EnUs{QStringLiteral("."), QStringLiteral(",")};

TEST(LimiteCriticas, NumerosDoFormatoRegionalArredondadosParaOPar) {
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("12,5"), PtBr), 12);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("13,5"), PtBr), 14);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("-5"), PtBr), -5);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral(" 3.000 "), PtBr), 3000);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("1.234.567"), PtBr), 1234567);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("+7"), PtBr), 7);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("0,4"), PtBr), 0);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("1E3"), PtBr), 1000);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("12.5"), EnUs), 12);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("3,000"), EnUs), 3000);
    // O ponto do pt_BR só agrupa de três em três: "12.5" não vira 125.
    for (const char* texto :
         {"12.5", "1234.567", "1.23", "", " ", "abc", "12a", "-", ",", "1e", "1..000", ".000"})
        EXPECT_EQ(LeLimiteCriticas(QString::fromUtf8(texto), PtBr), std::nullopt) << texto;
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("12,5"), EnUs), std::nullopt);
}

TEST(LimiteCriticas, ForaDosTrintaEDoisBitsNaoEhNumero) {
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("2147483647"), PtBr), 2147483647);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("-2147483648"), PtBr), -2147483647 - 1);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("-2147483648,5"), PtBr), -2147483647 - 1);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("2147483647,5"), PtBr), std::nullopt);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("3000000000"), PtBr), std::nullopt);
    EXPECT_EQ(LeLimiteCriticas(QStringLiteral("1e400"), PtBr), std::nullopt);
}

TEST(NomeDoProgramaQIV, QualquerCaixaDepoisDeUmSeparador) {
    for (const char* bom : {"C:\\Quorbis\\qiv.exe", "C:\\QIV.EXE", "/opt/Quorbis/Qiv.Exe",
                            "pasta/qiv.exe", "\\qiv.exe"})
        EXPECT_TRUE(TerminaNoProgramaQIV(QString::fromUtf8(bom))) << bom;
    for (const char* ruim :
         {"qiv.exe", "C:\\Quorbis\\meuqiv.exe", "C:\\qiv.exe\\", "C:\\qiv.ex", "/opt/qiv"})
        EXPECT_FALSE(TerminaNoProgramaQIV(QString::fromUtf8(ruim))) << ruim;
}

// Primeira execução: o início termina na Configurar com a configuração marcada como alterada.
class PaginaConfigurarTeste : public testes::JanelaDeTeste {
protected:
    QLineEdit* limite() { return janela_.paginaConfigurar()->editMaxCriticas(); }
    QLineEdit* caminho() { return janela_.paginaConfigurar()->editLocalQIV(); }
    // Sai da página pela aba Validar e confere a caixa mostrada (nenhuma quando texto vazio).
    void sai(const QString& texto = QString(), Icone icone = Icone::Nenhum) {
        plataforma_.limpaCaixas();
        if (!texto.isEmpty()) plataforma_.respondeMensagem(Resposta::Ok);
        clicaAba(2);
        if (texto.isEmpty()) {
            EXPECT_TRUE(plataforma_.caixas().isEmpty());
            return;
        }
        ASSERT_EQ(plataforma_.caixas().size(), 1);
        EXPECT_EQ(plataforma_.caixas()[0].texto, texto);
        EXPECT_EQ(plataforma_.caixas()[0].icone, icone);
    }
    // Ficou na Configurar com o foco no campo.
    void ficouCom(QWidget* campo) {
        EXPECT_EQ(abas()->currentIndex(), 0);
        EXPECT_EQ(sessao_.paginaAtual, 0);
        EXPECT_EQ(molduraVisivel(), 0);
        EXPECT_TRUE(sessao_.configuracaoAlterada);
        EXPECT_EQ(janela_.focusWidget(), campo);
    }
    // Programa de transmissão falso numa pasta temporária.
    QString qivFalso() {
        const QString c = pasta_.filePath(QStringLiteral("qiv.exe"));
        QFile f(c);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return c;
    }

    QTemporaryDir pasta_;
};

TEST_F(PaginaConfigurarTeste, LimiteInvalidoOuZeroSempreRecusadoComFocoNoLimite) {
    ASSERT_EQ(sessao_.paginaAtual, 0);
    ASSERT_TRUE(sessao_.configuracaoAlterada);
    EXPECT_EQ(limite()->text(), QStringLiteral("3000"));
    EXPECT_EQ(caminho()->text(), QString());

    for (const char* invalido : {"muitas", "", "3000000000"}) {
        limite()->setText(QString::fromUtf8(invalido));
        sai(QStringLiteral("Número de críticas inválido!"));
        ficouCom(limite());
    }
    limite()->setText(QStringLiteral("0"));
    for (int tentativa = 0; tentativa < 2; ++tentativa) {
        sai(QStringLiteral("O número de críticas não pode ser zero!"));
        ficouCom(limite());
    }
    EXPECT_EQ(sessao_.cfg.maxCriticas, 3000);

    // Negativo vale; o caminho vazio só avisa e a troca segue.
    limite()->setText(QStringLiteral("-5"));
    sai(QStringLiteral("O caminho completo do QIV não foi definido.\rDesta forma não será "
                       "possível a transmissão automática de arquivos."),
        Icone::Informacao);
    EXPECT_EQ(sessao_.cfg.maxCriticas, -5);
    EXPECT_EQ(sessao_.paginaAtual, 1);
    EXPECT_EQ(molduraVisivel(), 1);
}

TEST_F(PaginaConfigurarTeste, LimiteComDecimaisSegueOFormatoRegional) {
    plataforma_.defineFormato(PtBr);
    caminho()->setText(qivFalso());
    limite()->setText(QStringLiteral("12,5"));
    sai();
    EXPECT_EQ(sessao_.cfg.maxCriticas, 12);
    clicaAba(1);
    limite()->setText(QStringLiteral("13,5"));
    sai();
    EXPECT_EQ(sessao_.cfg.maxCriticas, 14);
    clicaAba(1);
    limite()->setText(QStringLiteral("12.5"));
    sai(QStringLiteral("Número de críticas inválido!"));
    ficouCom(limite());
}

TEST_F(PaginaConfigurarTeste, CaminhoSemONomeOuSemOProgramaFicaNaPagina) {
    limite()->setText(QStringLiteral("7"));
    caminho()->setText(pasta_.filePath(QStringLiteral("transmissor")));
    sai(QStringLiteral("O caminho completo do QIV deve incluir o nome do programa (qiv.exe)."),
        Icone::Exclamacao);
    ficouCom(caminho());
    // O limite já valeu e o caminho recusado fica na memória até ser corrigido.
    EXPECT_EQ(sessao_.cfg.maxCriticas, 7);
    EXPECT_EQ(sessao_.cfg.pathQiv, pasta_.filePath(QStringLiteral("transmissor")));

    caminho()->setText(QStringLiteral("qiv.exe"));
    sai(QStringLiteral("O caminho completo do QIV deve incluir o nome do programa (qiv.exe)."),
        Icone::Exclamacao);

    // Uma pasta chamada qiv.exe não é o programa.
    const QString pastaQiv = pasta_.filePath(QStringLiteral("outra/QIV.EXE"));
    ASSERT_TRUE(QDir().mkpath(pastaQiv));
    caminho()->setText(pastaQiv);
    sai(QStringLiteral("O QIV não foi encontrado no local especificado!"), Icone::Exclamacao);
    ficouCom(caminho());
    EXPECT_FALSE(sessao_.qivEncontrado);

    caminho()->setText(qivFalso());
    sai();
    EXPECT_EQ(sessao_.paginaAtual, 1);
    EXPECT_TRUE(sessao_.qivEncontrado);

    // Voltar e esvaziar o caminho: a transmissão deixa de achar o programa.
    clicaAba(1);
    caminho()->clear();
    sai(QStringLiteral("O caminho completo do QIV não foi definido.\rDesta forma não será "
                       "possível a transmissão automática de arquivos."),
        Icone::Informacao);
    EXPECT_FALSE(sessao_.qivEncontrado);
}

TEST_F(PaginaConfigurarTeste, LimiteNovoMarcaAListaDeCriticasSoQuandoElaEstaAVista) {
    caminho()->setText(qivFalso());
    limite()->setText(QStringLiteral("5"));
    sai();
    EXPECT_FALSE(sessao_.listaCriticasDesatualizada);

    auto* lista = controle<QWidget>("ListaCriticas");
    lista->show(); // um arquivo com críticas listadas
    clicaAba(1);
    limite()->setText(QStringLiteral("5"));
    sai();
    EXPECT_FALSE(sessao_.listaCriticasDesatualizada) << "mesmo limite não relista";
    clicaAba(1);
    limite()->setText(QStringLiteral("6"));
    sai();
    EXPECT_TRUE(sessao_.listaCriticasDesatualizada);
}

TEST_F(PaginaConfigurarTeste, PastaDosComprovantesLidaDeNovoACadaVisita) {
    auto* rotulo = controle<QLabel>("LabelPastaComprovantesQIV");
    EXPECT_EQ(rotulo->text(), QString());
    caminho()->setText(qivFalso());
    sai();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QIV2"))
        .setValue(QStringLiteral("Config/Pasta De Comprovantes"), QStringLiteral("/recibos/"));
    clicaAba(1);
    EXPECT_EQ(rotulo->text(), QStringLiteral("/recibos"));
    EXPECT_EQ(rotulo->textFormat(), Qt::PlainText);
    EXPECT_FALSE(sessao_.configuracaoAlterada);
}

TEST_F(PaginaConfigurarTeste, ValoresGravadosAoEncerrarVoltamNoProximoInicio) {
    const QString qiv = qivFalso();
    caminho()->setText(qiv);
    limite()->setText(QStringLiteral("5"));
    sai();
    QTest::mouseClick(controle<QPushButton>("OKButton"), Qt::LeftButton);
    ASSERT_FALSE(janela_.isVisible());

    testes::PlataformaDeTeste plataforma;
    Sessao sessao(plataforma);
    sessao.pastaPrograma = testes::pastaBibliotecas();
    Principal janela(sessao);
    Inicializacao inicio(sessao, janela, parametros());
    ASSERT_TRUE(inicio.executa());
    EXPECT_EQ(sessao.paginaAtual, 1) << "programa de transmissão achado: começa na Validar";
    EXPECT_EQ(sessao.cfg.maxCriticas, 5);
    EXPECT_EQ(sessao.cfg.pathQiv, qiv);
    EXPECT_EQ(janela.paginaConfigurar()->editMaxCriticas()->text(), QStringLiteral("5"));
    EXPECT_EQ(janela.paginaConfigurar()->editLocalQIV()->text(), qiv);
}

} // namespace
