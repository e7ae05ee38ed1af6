// O substituto do programa de transmissão fecha o caminho: validar, gerar a mídia, "Transmitir"
// na janela do simulador e ver a mídia transmitida numa listagem nova, no recibo e no diálogo.
#include "AmbienteMidias.h"
#include "FabricaMidias.h"

#include "JanelaQIV.h"
#include "common/Formatos.h"
#include "media/DlgInfoMidia.h"
#include "media/IconesMidia.h"
#include "media/Recibo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <gtest/gtest.h>

namespace korventa::testes {
namespace {

class Simulador : public AmbienteMidias {
protected:
    Simulador() { definePasta(recibos.path()); }
    ~Simulador() override { definePasta(QString()); }
    static void definePasta(const QString& pasta) {
        QSettings qiv(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QIV2"));
        qiv.setValue(QStringLiteral("Config/Pasta De Comprovantes"), pasta);
        qiv.sync();
    }
    QString transmitePelaJanela(const QString& caminho, const QString& remetente) {
        qiv::JanelaQIV janela;
        janela.abreMidia(caminho);
        janela.findChild<QLineEdit*>(QStringLiteral("EditRemetente"))->setText(remetente);
        janela.findChild<QLineEdit*>(QStringLiteral("EditEmail"))
            ->setText(QStringLiteral("ana@exemplo.com.br"));
        EXPECT_TRUE(janela.botaoTransmitir()->isEnabled());
        janela.botaoTransmitir()->click();
        return janela.resultado()->text();
    }
};

TEST_F(Simulador, TransmissaoVistaNumaListagemNovaNoReciboENoDialogo) {
    validaExemplo(QStringLiteral("exemplo.txt"));
    const QString caminho = midia(QStringLiteral("exemplo.zip"));
    geraPeloBotao(caminho);
    lista(pastaMidias());
    ASSERT_NE(linha(QStringLiteral("exemplo.zip")), nullptr);
    EXPECT_TRUE(linha(QStringLiteral("exemplo.zip"))->text(2).isEmpty());

    const QString resultado = transmitePelaJanela(caminho, QStringLiteral("Ana Conceição"));
    EXPECT_TRUE(
        resultado.startsWith(QStringLiteral("Transmissão simulada concluída (nada foi enviado)")))
        << qPrintable(resultado);
    const QStringList arquivos = QDir(recibos.path()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(arquivos.size(), 1); // o recibo, sem temporário esquecido
    ASSERT_TRUE(NomeDeRecibo(arquivos[0]));
    EXPECT_TRUE(arquivos[0].startsWith(sessao.arquivos[0].uf + QStringLiteral("_O")));
    const QString protocoloQIV = arquivos[0].mid(4, 7);
    EXPECT_TRUE(resultado.contains(protocoloQIV));

    // Listagem nova: o bloco diz que foi transmitida.
    lista(pastaMidias());
    QTreeWidgetItem* l = linha(QStringLiteral("exemplo.zip"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->text(1), sessao.arquivos[0].protocolo);
    EXPECT_EQ(l->text(2), protocoloQIV);
    EXPECT_EQ(l->text(3), sessao.arquivos[0].uf);
    EXPECT_EQ(l->icon(0).cacheKey(), IconeMidiaTransmitida().cacheKey());

    // O recibo é desta mídia como ela ficou.
    Recibo r;
    ASSERT_TRUE(LeRecibo(recibos.filePath(arquivos[0]), r));
    EXPECT_EQ(r.remetente, QStringLiteral("Ana Conceição"));
    EXPECT_EQ(r.email, QStringLiteral("ana@exemplo.com.br"));
    EXPECT_EQ(r.protocoloQIV, protocoloQIV);
    estado.recibos.carrega(recibos.path());
    EXPECT_GE(estado.recibos.procura(FormataCNPJ(sessao.arquivos[0].cnpj),
                                     sessao.arquivos[0].protocolo, caminho),
              0);

    // Diálogo, aba Transmissão.
    seleciona(QStringLiteral("exemplo.zip"));
    pagina->BotaoMidiasInfo_Click();
    ASSERT_EQ(infosMostradas.size(), 1);
    DlgInfoMidia d(sessao, estado);
    d.preenche(infosMostradas[0]);
    auto* nao = d.findChild<QLabel*>(QStringLiteral("LabelNaoTransmitido"));
    EXPECT_NE(qobject_cast<QStackedWidget*>(nao->parentWidget())->currentWidget(), nao);
    EXPECT_EQ(d.rotulo(QStringLiteral("LabelProtocoloQIV"))->text(), protocoloQIV);
    // O bloco guarda o nome acentuado como foi digitado.
    EXPECT_EQ(d.rotulo(QStringLiteral("LabelRemetente"))->text(), QStringLiteral("Ana Conceição"));
    EXPECT_EQ(d.rotulo(QStringLiteral("LabelDestino"))->text(),
              QStringLiteral("Secretaria da Fazenda do Estado ") + sessao.arquivos[0].uf +
                  QStringLiteral(" (transmissão simulada)"));
    EXPECT_EQ(d.rotulo(QStringLiteral("LabelDataTransmissao"))->text(), r.transmitidoEm);
    EXPECT_EQ(d.rotulo(QStringLiteral("LabelChave"))->text(), r.chaveTransmissao);

    // Outra vez: protocolo maior, e é o que a lista mostra.
    transmitePelaJanela(caminho, QString());
    lista(pastaMidias());
    EXPECT_GT(linha(QStringLiteral("exemplo.zip"))->text(2), protocoloQIV);
    EXPECT_EQ(QDir(recibos.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(Simulador, SemPastaConfiguradaCriaAPadraoEGuardaNaConfiguracao) {
    QTemporaryDir dados;
    const QByteArray antes = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dados.path().toLocal8Bit());
    definePasta(QString());
    MidiaTeste m;
    ASSERT_EQ(GeraMidiaTeste(midia(QStringLiteral("m.zip")), m), QString());
    const qiv::ResultadoTransmissao r = qiv::TransmiteMidia(
        midia(QStringLiteral("m.zip")), QString(), QString(), QDateTime::currentDateTime());
    EXPECT_TRUE(r.ok) << qPrintable(r.mensagem);
    const QString padrao = qiv::PastaComprovantesPadrao();
    EXPECT_TRUE(padrao.startsWith(dados.path()));
    EXPECT_TRUE(QFileInfo(r.caminhoRecibo).isFile());
    EXPECT_EQ(QFileInfo(r.caminhoRecibo).path(), padrao);
    QSettings qiv(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QIV2"));
    EXPECT_EQ(qiv.value(QStringLiteral("Config/Pasta De Comprovantes")).toString(), padrao);
    if (antes.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", antes);
}

TEST_F(Simulador, MidiaDanificadaNaoSeTransmite) {
    const QString caminho = midia(QStringLiteral("ruim.zip"));
    MidiaTeste m;
    ASSERT_EQ(GeraMidiaTeste(caminho, m), QString());
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(40);
    f.write("X");
    f.close();
    qiv::JanelaQIV janela;
    janela.abreMidia(caminho);
    EXPECT_FALSE(janela.botaoTransmitir()->isEnabled());
    EXPECT_EQ(janela.findChild<QLabel*>(QStringLiteral("LabelSelo"))->text(),
              QStringLiteral("RECUSADA: Arquivo de mídia danificado: ") + caminho);
    EXPECT_TRUE(janela.findChild<QLabel*>(QStringLiteral("LabelAvisoSimulador"))
                    ->text()
                    .startsWith(QStringLiteral("SIMULADOR DE TRANSMISSÃO: nada é enviado")));
    const qiv::ResultadoTransmissao r =
        qiv::TransmiteMidia(caminho, QString(), QString(), QDateTime::currentDateTime());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(QDir(recibos.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
} // namespace korventa::testes
