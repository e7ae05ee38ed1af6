// Diálogo de informações a partir de uma mídia gerada pelo Resumo (validação e geração de
// verdade) e de mídias feitas sob medida para as conferências de versão e de resumo; o recibo
// do Resumo com a mídia tocada ou trocada.
#include "AmbienteMidias.h"
#include "FabricaMidias.h"

#include "common/Formatos.h"
#include "media/AbreArquivoMidia.h"
#include "media/ComandosMidia.h"
#include "media/DlgInfoMidia.h"
#include "validation/BotaoComAcao.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace korventa::testes {
namespace {

class InfoMidia : public AmbienteMidias {
protected:
    // Mídia da entrada 0, validada e gerada pelo botão do Resumo.
    QString geraMidiaValidada() {
        validaExemplo(QStringLiteral("exemplo.txt"));
        const QString caminho = midia(QStringLiteral("exemplo.zip"));
        geraPeloBotao(caminho);
        EXPECT_TRUE(QFile::exists(caminho));
        plataforma.limpaCaixas();
        return caminho;
    }
    QString texto(DlgInfoMidia& d, const char* nome) {
        QLabel* l = d.rotulo(QLatin1String(nome));
        return l ? l->text() : QStringLiteral("<sem %1>").arg(QLatin1String(nome));
    }
    static bool naoTransmitidaAFrente(DlgInfoMidia& d) {
        auto* nao = d.findChild<QLabel*>(QStringLiteral("LabelNaoTransmitido"));
        auto* pilha = nao ? qobject_cast<QStackedWidget*>(nao->parentWidget()) : nullptr;
        return pilha && pilha->currentWidget() == nao;
    }
    // Abre pela página a mídia dada e devolve o que o diálogo recebeu.
    ArquivoAberto abrePelaPagina(const QString& nome) {
        lista(pastaMidias());
        seleciona(nome);
        infosMostradas.clear();
        pagina->BotaoMidiasInfo_Click();
        return infosMostradas.value(0);
    }
};

TEST_F(InfoMidia, PreenchidoDeUmaMidiaGeradaPeloResumo) {
    const QString caminho = geraMidiaValidada();
    const ArquivoAberto& validado = sessao.arquivos[0];
    const ArquivoAberto e = abrePelaPagina(QStringLiteral("exemplo.zip"));
    ASSERT_EQ(infosMostradas.size(), 1);

    DlgInfoMidia d(sessao, estado);
    d.preenche(e);
    ASSERT_EQ(d.abas()->count(), 5);
    EXPECT_EQ(d.abas()->tabText(4), QStringLiteral("&Transmissão"));
    EXPECT_EQ(texto(d, "LabelNomeMidia"), QStringLiteral("exemplo.zip"));
    EXPECT_EQ(texto(d, "LabelTamanho"),
              FormataMilhar(std::int32_t(QFileInfo(caminho).size())) + QStringLiteral(" bytes"));
    EXPECT_EQ(texto(d, "LabelData"),
              QFileInfo(caminho).lastModified().toString(QStringLiteral("dd/MM/yyyy  HH:mm:ss")));
    EXPECT_EQ(texto(d, "LabelProtocoloKorventa"), validado.protocolo);
    EXPECT_EQ(texto(d, "LabelCRCArquivo"), validado.crcArquivo);
    EXPECT_EQ(texto(d, "LabelVersaoValidador"), QStringLiteral("5.4.0"));
    EXPECT_EQ(texto(d, "LabelTipoDocumento"), QStringLiteral("CONV579532v2"));
    EXPECT_EQ(texto(d, "Label_R10_CGC"), FormataCNPJ(validado.cnpj));
    EXPECT_EQ(texto(d, "Label_R10_RazaoSocial"), validado.razaoSocial);
    EXPECT_EQ(texto(d, "Label_R10_FimPeriodo"), validado.dataFinal);
    EXPECT_EQ(texto(d, "LabelEndereco"),
              validado.logradouro + QStringLiteral(", ") + validado.numero);
    EXPECT_EQ(texto(d, "LabelResultadoValidacao"), QStringLiteral("ARQUIVO ACEITO"));

    // A grade traz de volta o que a validação contou (linhas dos registros 11 a 90 e o total).
    auto* grade = d.findChild<QTableWidget*>(QStringLiteral("GradeTotalizadores"));
    ASSERT_NE(grade, nullptr);
    for (int r = 1; r <= 21; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(grade->item(r, c + 1)->text(), validado.totalizadores[c][r])
                << "linha " << r << " coluna " << c;

    // Valores: a mídia atual leva os totais; as três listas vêm preenchidas.
    EXPECT_TRUE(d.findChild<QLabel*>(QStringLiteral("LabelSemInfoTotais"))->isHidden());
    EXPECT_GT(d.lista(0)->topLevelItemCount(), 0);
    EXPECT_GT(d.lista(2)->topLevelItemCount(), 0);
    // Sem a impressão ligada os dois "Imprimir" ficam desabilitados.
    d.findChild<QRadioButton*>(QStringLiteral("OptionTotaisCFOP"))->setChecked(true);
    EXPECT_FALSE(d.findChild<QPushButton*>(QStringLiteral("BotaoImprimirValores"))->isEnabled());
    EXPECT_FALSE(d.findChild<QPushButton*>(QStringLiteral("BotaoImprimirValidacao"))->isEnabled());

    // Nunca transmitida: só o aviso.
    EXPECT_TRUE(naoTransmitidaAFrente(d));

    // Com ela, cada botão entrega a entrada e a lista escolhida.
    QStringList pedidos;
    estado.imprimeTotais = [&](const ArquivoAberto& a, int lista) {
        pedidos << a.protocolo + QStringLiteral("/totais%1").arg(lista);
    };
    estado.imprimeResumoValidacao = [&](const ArquivoAberto& a) {
        pedidos << a.protocolo + QStringLiteral("/validacao");
    };
    DlgInfoMidia ligado(sessao, estado);
    ligado.preenche(e);
    auto* imprimir = ligado.findChild<QPushButton*>(QStringLiteral("BotaoImprimirValores"));
    ligado.findChild<QRadioButton*>(QStringLiteral("OptionTotaisCFOP"))->setChecked(true);
    ASSERT_GT(ligado.lista(1)->topLevelItemCount(), 0);
    ASSERT_TRUE(imprimir->isEnabled());
    imprimir->click();
    ligado.findChild<QPushButton*>(QStringLiteral("BotaoImprimirValidacao"))->click();
    EXPECT_EQ(pedidos, (QStringList{e.protocolo + QStringLiteral("/totais1"),
                                    e.protocolo + QStringLiteral("/validacao")}));
    EXPECT_TRUE(plataforma.caixas().isEmpty());
}

TEST_F(InfoMidia, DeUmaEntradaSemMidiaFaltaOQueAEntradaNaoTem) {
    validaExemplo(QStringLiteral("exemplo.txt"));
    DlgInfoMidia d(sessao, estado);
    d.preenche(sessao.arquivos[0]);
    EXPECT_EQ(texto(d, "LabelNomeMidia"), DlgInfoMidia::SemInformacao());
    EXPECT_EQ(texto(d, "LabelTipoDocumento"), DlgInfoMidia::SemInformacao());
    EXPECT_EQ(texto(d, "LabelTamanho"), DlgInfoMidia::SemInformacao());
    EXPECT_EQ(texto(d, "LabelProtocoloKorventa"), sessao.arquivos[0].protocolo);
    EXPECT_TRUE(naoTransmitidaAFrente(d));
}

TEST_F(InfoMidia, ConferenciasDeVersaoEDoResumo) {
    struct Caso {
        const char* nome;
        MidiaTeste midia;
        QString mensagem; // vazio: abre
    };
    MidiaTeste nova, semVersao, curto, semTotais, antiga, velhaSemTotais, atual;
    nova.versao = QStringLiteral("9.1.0");
    semVersao.versao.clear();
    semVersao.linhaTotais = false;
    curto.linhasTabela = 20;
    curto.versao.clear();
    curto.linhaTotais = false;
    semTotais.linhaTotais = false;
    antiga.versao = QStringLiteral("2.9.9");
    velhaSemTotais.versao = QStringLiteral("3.3.0");
    velhaSemTotais.linhaTotais = false;
    const QString incompativel = QStringLiteral(
        "Este arquivo de mídia foi gerado com uma versão incompatível do Validador Korventa.");
    const QString corrompido = QStringLiteral("Este arquivo de mídia está corrompido!");
    const std::vector<Caso> casos{
        {"nova.zip", nova,
         QStringLiteral("Para abrir este arquivo de mídia é necessário usar o Validador da versão "
                        "9.1.0 ou maior.")},
        {"sem-versao.zip", semVersao, incompativel}, // conta como "1.0.3"
        {"curto.zip", curto, corrompido},
        {"sem-totais.zip", semTotais, corrompido},
        {"antiga.zip", antiga, incompativel},
        {"sem-totais-3.3.zip", velhaSemTotais, QString()},
        {"atual.zip", atual, QString()},
    };
    for (const Caso& c : casos)
        ASSERT_EQ(GeraMidiaTeste(midia(QString::fromLatin1(c.nome)), c.midia), QString());
    for (const Caso& c : casos) {
        plataforma.limpaCaixas();
        if (!c.mensagem.isEmpty()) plataforma.respondeMensagem(Resposta::Ok);
        ArquivoAberto e;
        const bool abriu = AbreArquivoMidia(sessao, midia(QString::fromLatin1(c.nome)), e);
        EXPECT_EQ(abriu, c.mensagem.isEmpty()) << c.nome;
        if (!c.mensagem.isEmpty()) {
            ASSERT_EQ(plataforma.caixas().size(), 1) << c.nome;
            EXPECT_EQ(plataforma.caixas()[0].texto, c.mensagem) << c.nome;
            EXPECT_TRUE(e.caminhoMidia.isEmpty()) << c.nome; // a entrada não muda na falha
        }
    }

    // A de 3.3.0 abre sem totais: listas vazias, o aviso e nada a imprimir por CFOP.
    ArquivoAberto e;
    ASSERT_TRUE(AbreArquivoMidia(sessao, midia(QStringLiteral("sem-totais-3.3.zip")), e));
    EXPECT_EQ(e.versaoValidador, QStringLiteral("3.3.0"));
    DlgInfoMidia d(sessao, estado);
    d.preenche(e);
    EXPECT_FALSE(d.findChild<QLabel*>(QStringLiteral("LabelSemInfoTotais"))->isHidden());
    d.findChild<QRadioButton*>(QStringLiteral("OptionTotaisCFOP"))->setChecked(true);
    EXPECT_EQ(d.lista(1)->topLevelItemCount(), 0);
    EXPECT_FALSE(d.findChild<QPushButton*>(QStringLiteral("BotaoImprimirValores"))->isEnabled());

    // A atual: tabela pelos rótulos, totais por registro da última linha.
    ASSERT_TRUE(AbreArquivoMidia(sessao, midia(QStringLiteral("atual.zip")), e));
    EXPECT_EQ(e.totalizadores[0][1], QStringLiteral("10"));   // registro 11
    EXPECT_EQ(e.totalizadores[3][21], QStringLiteral("213")); // total
    EXPECT_EQ(e.totaisRegistro[0], QStringLiteral("50E:100:200:300:0"));
    EXPECT_EQ(e.resultado, 1);
}

TEST_F(InfoMidia, MidiaDanificadaOuQueSumiuMostraOMotivo) {
    const QString danificada = midia(QStringLiteral("d.zip"));
    QFile f(danificada);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PK nada");
    f.close();
    ArquivoAberto e;
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(AbreArquivoMidia(sessao, danificada, e));
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Arquivo de mídia danificado: ") + danificada);
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(AbreMidiaSelecionada(sessao, estado, midia(QStringLiteral("sumiu.zip"))));
    EXPECT_EQ(plataforma.caixas().last().texto, QStringLiteral("O arquivo ") +
                                                    midia(QStringLiteral("sumiu.zip")) +
                                                    QStringLiteral(" não foi encontrado."));
}

TEST_F(InfoMidia, ReciboDoResumoConfereAMidiaTocadaOuTrocada) {
    const QString caminho = geraMidiaValidada();
    ArquivoAberto& e = sessao.arquivos[0];
    int impressos = 0;
    estado.imprimeRecibo = [&](const ArquivoAberto&, const Recibo*) { ++impressos; };
    BotaoResumoRecibo_Click(sessao, estado);
    EXPECT_EQ(impressos, 1);

    // Tocada: mesma mídia, data nova; imprime e guarda a data e o tamanho novos.
    const QDateTime nova = QFileInfo(caminho).lastModified().addSecs(3600);
    {
        QFile m(caminho);
        ASSERT_TRUE(m.open(QIODevice::ReadWrite));
        ASSERT_TRUE(m.setFileTime(nova, QFileDevice::FileModificationTime));
    }
    EXPECT_FALSE(VerificaDataHoraMidia(sessao, 0, true));
    BotaoResumoRecibo_Click(sessao, estado);
    EXPECT_EQ(impressos, 2);
    EXPECT_EQ(e.dataHoraMidia, nova);
    EXPECT_TRUE(VerificaDataHoraMidia(sessao, 0, true));

    // Trocada por outra mídia: recusa.
    MidiaTeste outra;
    ASSERT_EQ(GeraMidiaTeste(caminho, outra), QString());
    plataforma.respondeMensagem(Resposta::Ok);
    BotaoResumoRecibo_Click(sessao, estado);
    EXPECT_EQ(impressos, 2);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("O arquivo de mídia foi alterado! Impressão do recibo cancelada."));

    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(VerificaDataHoraMidia(sessao, 0, false));
    EXPECT_EQ(plataforma.caixas().last().texto, QStringLiteral("O arquivo foi trocado!"));
    EXPECT_EQ(plataforma.caixas().last().titulo, caminho);
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Critico);
}

} // namespace
} // namespace korventa::testes
