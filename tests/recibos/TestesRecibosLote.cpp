// "Recibos..." do Resumo de vários arquivos e os outros botões de recibo, com validação, mídias,
// recibos cifrados e impressão em PDF de verdade: cada linha selecionada imprime o seu recibo; a
// mídia trocada no meio encerra tudo; a impressão cancelada para as linhas seguintes e conta as
// já impressas.
#include "AmbienteMidias.h"
#include "ApoioRecibos.h"
#include "FabricaMidias.h"

#include "apoio/LeituraPdf.h"
#include "common/Formatos.h"
#include "media/DlgInfoMidia.h"
#include "media/MidiasVariosArquivos.h"
#include "platform/Impressora.h"
#include "printing/LigacoesImpressao.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace korventa::testes {
namespace {

namespace ex = kelvor::exemplo;

class RecibosLote : public AmbienteMidias {
protected:
    RecibosLote() {
        sessao.cfg.ultimaImpressora = ImpressoraPdf;
        sessao.pastaUltimoPdf = pasta.path();
        sessao.cfg.pathGeraMidia = pasta.path();
        LigaImpressaoMidias(sessao, estado, *resumo, *resumoArquivos);
    }

    // Três arquivos validados no lote, com as mídias geradas pelo "Gerar Mídias..." e um recibo
    // na pasta do programa de transmissão para cada uma (protocolos QIV 1000001, 1000002...).
    void preparaLote() {
        QStringList caminhos;
        for (int i = 0; i < 3; ++i) {
            ex::Opcoes o;
            o.semente = 10 + i;
            o.registros = 300;
            caminhos << exemplo(QStringLiteral("lote%1.txt").arg(i), o);
        }
        abreVarios(caminhos);
        plataforma.respondeMensagem(Resposta::Ok);
        validar->BotaoValidar_Click();
        plataforma.respondePasta(pastaMidias());
        plataforma.respondeMensagem(Resposta::Ok);
        BotaoResumoXGerarMidias_Click(sessao, *resumoArquivos);
        ASSERT_EQ(plataforma.caixas().last().texto,
                  QStringLiteral("Foram gerados 3 arquivos de mídia."));
        plataforma.limpaCaixas();
        for (int n = 0; n < 3; ++n) {
            ASSERT_FALSE(sessao.arquivos[n].caminhoMidia.isEmpty()) << n;
            gravaRecibo(n, QStringLiteral("100000%1").arg(n + 1));
        }
    }
    void gravaRecibo(int n, const QString& protocoloQIV) {
        const ArquivoAberto& e = sessao.arquivos[n];
        DadosReciboTeste d;
        d.protocoloQIV = protocoloQIV;
        d.protocolo = e.protocolo;
        d.cnpj = FormataCNPJ(e.cnpj);
        d.tamanho = QFileInfo(e.caminhoMidia).size();
        d.remetente = QStringLiteral("CONTADOR %1").arg(n);
        const QString nome = QStringLiteral("MS_O%1.RCB").arg(protocoloQIV);
        ASSERT_TRUE(GravaReciboTeste(recibos.filePath(nome), LinhasReciboTeste(d)));
    }
    // O usuário confirma a impressora PDF gravando em `nome`.
    QString confirma(const QString& nome) {
        const QString pdf = pasta.filePath(nome);
        plataforma.respondeImpressao([pdf](DialogoImpressao& d) {
            d.impressora = ImpressoraPdf;
            d.estado.arquivoPdf = pdf;
            return true;
        });
        return pdf;
    }
    void clicaRecibos() {
        resumoArquivos->lista()->selectAll();
        ASSERT_TRUE(resumoArquivos->botaoRecibos()->isEnabled());
        plataforma.respondeMensagem(Resposta::Ok);
        resumoArquivos->botaoRecibos()->click();
    }
    QStringList textosDasCaixas() const {
        QStringList t;
        for (const auto& c : plataforma.caixas())
            t << c.texto;
        return t;
    }
};

TEST_F(RecibosLote, CadaLinhaImprimeOSeuReciboEOReenvioValeOMaisNovo) {
    preparaLote();
    // A segunda mídia foi enviada de novo: vale o recibo do último envio.
    gravaRecibo(1, QStringLiteral("1000009"));
    const QStringList pdfs{confirma(QStringLiteral("r0.pdf")), confirma(QStringLiteral("r1.pdf")),
                           confirma(QStringLiteral("r2.pdf"))};
    clicaRecibos();

    EXPECT_EQ(plataforma.dialogosImpressao().size(), 3);
    EXPECT_EQ(textosDasCaixas(), QStringList{QStringLiteral("Foram impressos 3 recibos.")});
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Informacao);
    const QStringList esperados{QStringLiteral("1000001"), QStringLiteral("1000009"),
                                QStringLiteral("1000003")};
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(QFile::exists(pdfs[n])) << n;
        EXPECT_EQ(LeInfoPdf(pdfs[n]).paginas, 1) << n;
        const QString texto = TextoPdf(pdfs[n]).simplified();
        EXPECT_TRUE(
            texto.contains(QStringLiteral("Protocolo Korventa: ") + sessao.arquivos[n].protocolo))
            << n;
        EXPECT_TRUE(texto.contains(QStringLiteral("Protocolo QIV: ") + esperados[n]))
            << n << qPrintable(texto);
        EXPECT_TRUE(texto.contains(QStringLiteral("Remetente: CONTADOR %1").arg(n))) << n;
        // O tipo vem do bloco da mídia relido antes de imprimir.
        EXPECT_TRUE(texto.contains(QStringLiteral("Tipo de Documento CONV579532v2"))) << n;
    }
    // O primeiro envio da segunda mídia não aparece em recibo nenhum.
    for (const QString& pdf : pdfs)
        EXPECT_FALSE(TextoPdf(pdf).contains(QStringLiteral("1000002")));
}

TEST_F(RecibosLote, MidiaTrocadaNoMeioEncerraSemContagem) {
    preparaLote();
    // A segunda mídia foi trocada por outra no disco: nem chega a pedir a impressora.
    const QString segunda = sessao.arquivos[1].caminhoMidia;
    MidiaTeste outra;
    outra.protocolo = QStringLiteral("9999999999");
    ASSERT_EQ(GeraMidiaTeste(segunda, outra), QString());
    const QString r0 = confirma(QStringLiteral("r0.pdf"));
    clicaRecibos();

    EXPECT_EQ(plataforma.dialogosImpressao().size(), 1);
    EXPECT_TRUE(TextoPdf(r0).contains(QStringLiteral("1000001")));
    EXPECT_EQ(textosDasCaixas(),
              QStringList{QStringLiteral(
                  "O arquivo de mídia foi alterado! Impressão dos recibos cancelada.")});
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Exclamacao);
}

TEST_F(RecibosLote, MidiaTocadaImprimeECanceladaParaAsSeguintes) {
    preparaLote();
    const QString segunda = sessao.arquivos[1].caminhoMidia;
    const QDateTime nova = QFileInfo(segunda).lastModified().addSecs(600);
    {
        QFile m(segunda);
        ASSERT_TRUE(m.open(QIODevice::ReadWrite));
        ASSERT_TRUE(m.setFileTime(nova, QFileDevice::FileModificationTime));
    }
    const QString r0 = confirma(QStringLiteral("r0.pdf"));
    const QString r1 = confirma(QStringLiteral("r1.pdf"));
    plataforma.cancelaImpressao();
    clicaRecibos();

    EXPECT_TRUE(TextoPdf(r1).contains(QStringLiteral("1000002")));
    EXPECT_EQ(sessao.arquivos[1].dataHoraMidia, nova);
    // O terceiro foi cancelado no diálogo: contam os dois impressos.
    EXPECT_EQ(plataforma.dialogosImpressao().size(), 3);
    EXPECT_EQ(textosDasCaixas(), QStringList{QStringLiteral("Foram impressos 2 recibos.")});

    // Só a primeira linha: "Recibo impresso.".
    plataforma.limpaCaixas();
    confirma(QStringLiteral("so0.pdf"));
    resumoArquivos->lista()->clearSelection();
    resumoArquivos->lista()->topLevelItem(0)->setSelected(true);
    plataforma.respondeMensagem(Resposta::Ok);
    resumoArquivos->botaoRecibos()->click();
    EXPECT_EQ(textosDasCaixas(), QStringList{QStringLiteral("Recibo impresso.")});
    EXPECT_TRUE(QFile::exists(pasta.filePath(QStringLiteral("so0.pdf"))));
}

TEST_F(RecibosLote, BotoesDaMidiaImprimemDeVerdade) {
    preparaLote();
    // "Recibo" da página Mídias: o recibo achado na pasta do programa de transmissão.
    const QString recibo = confirma(QStringLiteral("midias.pdf"));
    lista(pastaMidias());
    seleciona(QFileInfo(sessao.arquivos[2].caminhoMidia).fileName());
    plataforma.respondeMensagem(Resposta::Ok);
    pagina->findChild<QPushButton*>(QStringLiteral("BotaoMidiasRecibo"))->click();
    EXPECT_EQ(textosDasCaixas(), QStringList{QStringLiteral("Recibo impresso.")});
    EXPECT_TRUE(TextoPdf(recibo).simplified().contains(QStringLiteral("Protocolo QIV: 1000003")));

    // Os dois "Imprimir" das informações: o resumo da validação e os totais por registro.
    plataforma.limpaCaixas();
    DlgInfoMidia d(sessao, estado);
    d.preenche(sessao.arquivos[0]);
    const QString validacao = confirma(QStringLiteral("validacao.pdf"));
    plataforma.respondeMensagem(Resposta::Ok);
    d.findChild<QPushButton*>(QStringLiteral("BotaoImprimirValidacao"))->click();
    const QString totais = confirma(QStringLiteral("totais.pdf"));
    plataforma.respondeMensagem(Resposta::Ok);
    d.findChild<QPushButton*>(QStringLiteral("BotaoImprimirValores"))->click();
    EXPECT_EQ(textosDasCaixas(), (QStringList{QStringLiteral("Resumo de Validação impresso."),
                                              QStringLiteral("Relatório dos totais por registro "
                                                             "impresso.")}));
    EXPECT_TRUE(
        TextoPdf(validacao).contains(QStringLiteral("Resultado da verificação de validade")));
    EXPECT_TRUE(TextoPdf(totais).contains(QStringLiteral("Relatório dos Totais por Registro")));
}

TEST_F(RecibosLote, ReciboDoResumoSemReciboNaPastaSaiProvisorio) {
    validaExemplo(QStringLiteral("um.txt"));
    geraPeloBotao(midia(QStringLiteral("um.zip")));
    plataforma.limpaCaixas();
    ASSERT_TRUE(resumo->botaoRecibo()->isEnabled());
    const QString pdf = confirma(QStringLiteral("resumo.pdf"));
    plataforma.respondeMensagem(Resposta::Ok);
    resumo->botaoRecibo()->click();
    EXPECT_EQ(textosDasCaixas(), QStringList{QStringLiteral("Recibo impresso.")});
    const QString texto = TextoPdf(pdf).simplified();
    EXPECT_TRUE(
        texto.contains(QStringLiteral("Protocolo Korventa: ") + sessao.arquivos[0].protocolo));
    EXPECT_TRUE(texto.contains(QStringLiteral("Carimbo de Recepção do Arquivo")));
    EXPECT_FALSE(texto.contains(QStringLiteral("Arquivo enviado para:")));
    EXPECT_EQ(LeInfoPdf(pdf).paginas, 1);
}

} // namespace
} // namespace korventa::testes
