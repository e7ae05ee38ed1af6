// Página Mídias: listagem de uma pasta com mídias transmitidas (pelo bloco e pelo recibo), não
// transmitidas, danificadas e outros arquivos; procura por protocolo, remoção, pasta que sumiu,
// escolha da pasta; transmissão e recibo de uma mídia.
#include "AmbienteMidias.h"
#include "ApoioRecibos.h"
#include "FabricaMidias.h"

#include "common/Formatos.h"
#include "media/AbreArquivoMidia.h"
#include "media/ComandosMidia.h"
#include "media/IconesMidia.h"
#include "media/ListagemMidias.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace korventa::testes {
namespace {

void GravaBytes(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

DadosTransmissao Transmissao(const QString& codigo, const QString& protocolo,
                             const QString& prefixo = QString()) {
    DadosTransmissao t;
    t.codigo = codigo;
    t.protocoloQIV = protocolo;
    t.prefixoProtocolo = prefixo;
    t.data = QStringLiteral("20240305");
    t.hora = QStringLiteral("142210");
    t.remetente = QStringLiteral("Joana");
    t.email = QStringLiteral("joana@exemplo.com.br");
    t.destino1 = QStringLiteral("Secretaria da Fazenda");
    t.destino2 = QStringLiteral("do Rio Grande do Sul");
    t.ufDestino = QStringLiteral("RS");
    t.chave = QStringLiteral("K1K2K3K4");
    return t;
}

class PaginaMidiasTeste : public AmbienteMidias {
protected:
    // A impressão do recibo ligada como no programa; aqui só anota o pedido.
    PaginaMidiasTeste() {
        estado.imprimeRecibo = [this](const ArquivoAberto& e, const Recibo*) {
            recibosPedidos << e.protocolo;
        };
    }
    // Quatro mídias (nenhuma transmissão, recibo, bloco "01" e bloco "02"), uma danificada e
    // arquivos que não são mídia.
    void montaPasta() {
        MidiaTeste m;
        m.protocolo = QStringLiteral("1000000001");
        ASSERT_EQ(GeraMidiaTeste(midia(QStringLiteral("simples.zip")), m), QString());
        m.protocolo = QStringLiteral("1000000002");
        ASSERT_EQ(GeraMidiaTeste(midia(QStringLiteral("com recibo.zip")), m), QString());
        m.protocolo = QStringLiteral("1000000003");
        ASSERT_EQ(GeraMidiaTeste(midia(QStringLiteral("bloco01.zip")), m), QString());
        ASSERT_EQ(TransmiteMidiaTeste(midia(QStringLiteral("bloco01.zip")),
                                      Transmissao(QStringLiteral("01"), QStringLiteral("7000001"))),
                  QString());
        m.protocolo = QStringLiteral("1000000004");
        ASSERT_EQ(GeraMidiaTeste(midia(QStringLiteral("bloco02.zip")), m), QString());
        ASSERT_EQ(TransmiteMidiaTeste(midia(QStringLiteral("bloco02.zip")),
                                      Transmissao(QStringLiteral("02"), QStringLiteral("0000042"),
                                                  QStringLiteral("03"))),
                  QString());
        GravaBytes(midia(QStringLiteral("danificada.zip")), QByteArray("PK\x03\x04 quebrada", 16));
        GravaBytes(midia(QStringLiteral("leia-me.txt")), "não sou mídia");
        QDir().mkpath(midia(QStringLiteral("pasta.zip")));

        DadosReciboTeste r;
        r.protocolo = QStringLiteral("1000000002");
        r.cnpj = FormataCNPJ(CnpjExemplo());
        r.tamanho = QFileInfo(midia(QStringLiteral("com recibo.zip"))).size();
        r.protocoloQIV = QStringLiteral("0000777");
        ASSERT_TRUE(GravaReciboTeste(recibos.filePath(QStringLiteral("MG_O0000777.RCB")),
                                     LinhasReciboTeste(r)));
        // Recibo da mesma mídia com outro tamanho: não é dela.
        r.tamanho += 1;
        r.protocoloQIV = QStringLiteral("0000999");
        ASSERT_TRUE(GravaReciboTeste(recibos.filePath(QStringLiteral("PR_O0000999.RCB")),
                                     LinhasReciboTeste(r)));
    }
    QPushButton* botao(const char* nome) const {
        return pagina->findChild<QPushButton*>(QLatin1String(nome));
    }
    QLineEdit* procura() const {
        return pagina->findChild<QLineEdit*>(QStringLiteral("TextProcurarMidia"));
    }
    QStringList recibosPedidos;
};

TEST_F(PaginaMidiasTeste, ListaTransmitidasNaoTransmitidasEDeixaDeForaAsDanificadas) {
    montaPasta();
    lista(pastaMidias() + QLatin1Char('/'));
    ASSERT_EQ(pagina->lista()->topLevelItemCount(), 4);
    EXPECT_EQ(textoNumero(), QStringLiteral("4"));
    EXPECT_TRUE(plataforma.caixas().isEmpty()); // a danificada só vai para o log

    const auto colunas = [&](const char* nome) {
        QTreeWidgetItem* l = linha(QString::fromUtf8(nome));
        return l ? QStringList{l->text(1), l->text(2), l->text(3)} : QStringList{};
    };
    EXPECT_EQ(colunas("simples.zip"), (QStringList{"1000000001", "", ""}));
    EXPECT_EQ(colunas("com recibo.zip"), (QStringList{"1000000002", "0000777", "MG"}));
    EXPECT_EQ(colunas("bloco01.zip"), (QStringList{"1000000003", "7000001", "RS"}));
    // Código "02": o prefixo como número, sem zeros à esquerda, antes do protocolo.
    EXPECT_EQ(colunas("bloco02.zip"), (QStringList{"1000000004", "30000042", "RS"}));

    // Ícone próprio só para quem tem a transmissão no bloco.
    const qint64 comum = IconeMidia().cacheKey(), transmitida = IconeMidiaTransmitida().cacheKey();
    EXPECT_NE(comum, transmitida);
    EXPECT_FALSE(IconeMidia().pixmap(16).toImage().isNull());
    EXPECT_EQ(linha(QStringLiteral("simples.zip"))->icon(0).cacheKey(), comum);
    EXPECT_EQ(linha(QStringLiteral("com recibo.zip"))->icon(0).cacheKey(), comum);
    EXPECT_EQ(linha(QStringLiteral("bloco01.zip"))->icon(0).cacheKey(), transmitida);

    EXPECT_EQ(sessao.pastasMidiaRecentes.stringList(), QStringList{pastaMidias()});
    EXPECT_FALSE(botao("BotaoMidiasInfo")->isEnabled());
    EXPECT_TRUE(procura()->isEnabled());
    EXPECT_FALSE(plataforma.ocupado());

    seleciona(QStringLiteral("bloco01.zip"));
    for (const char* b :
         {"BotaoMidiasInfo", "BotaoMidiasRecibo", "BotaoMidiasTransmitir", "BotaoMidiasRemover"})
        EXPECT_TRUE(botao(b)->isEnabled()) << b;
    EXPECT_EQ(pagina->midiaSelecionada(), midia(QStringLiteral("bloco01.zip")));
}

TEST_F(PaginaMidiasTeste, PastaSemMidiasNaoEntraNasRecentesEPastaInexistenteDaErro7) {
    lista(pastaMidias());
    EXPECT_EQ(textoNumero(), QStringLiteral("0"));
    EXPECT_EQ(sessao.pastasMidiaRecentes.rowCount(), 0);
    EXPECT_TRUE(plataforma.caixas().isEmpty());

    const QString sumiu = pasta.filePath(QStringLiteral("nao existe"));
    plataforma.respondeMensagem(Resposta::Ok);
    lista(sumiu);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Erro7 2 listando ") + sumiu +
                  QStringLiteral("\rPasta não encontrada\r fonte: ValidadorKorventa2017"));
}

// Plataforma que, na primeira vez que a listagem deixa os eventos correrem, tira a pasta do
// lugar: as leituras seguintes falham.
class PlataformaQueMudaAPasta : public PlataformaRoteirizada {
public:
    QString pasta, destino;
    void processarEventos() override {
        if (!pasta.isEmpty()) {
            QDir().rename(pasta, destino);
            pasta.clear();
        }
        PlataformaRoteirizada::processarEventos();
    }
};

TEST_F(PaginaMidiasTeste, PastaQueSomeDuranteAListagemGuardaAsLinhasJaLidas) {
    MidiaTeste m;
    ASSERT_EQ(GeraMidiaTeste(midia(QStringLiteral("modelo.zip")), m), QString());
    for (int i = 0; i < 600; ++i)
        QFile::copy(midia(QStringLiteral("modelo.zip")), midia(QStringLiteral("m%1.zip").arg(i)));
    PlataformaQueMudaAPasta p;
    p.pasta = pastaMidias();
    p.destino = pasta.filePath(QStringLiteral("movida"));
    CacheRecibos nenhum;
    ListagemMidias listagem(p, nenhum);
    int entregues = 0;
    const FimListagem fim = listagem.lista(
        pastaMidias(), [&](const QVector<LinhaMidia>& linhas) { entregues += int(linhas.size()); });
    EXPECT_TRUE(fim.pastaSumiu);
    EXPECT_EQ(fim.linhas, entregues);
    EXPECT_GT(entregues, 0);
    EXPECT_LE(entregues, 601);
}

TEST_F(PaginaMidiasTeste, ProcuraComecaNoDecimoCaractereEAbreAsInformacoes) {
    montaPasta();
    lista(pastaMidias());
    procura()->setText(QStringLiteral("100000000"));
    EXPECT_TRUE(infosMostradas.isEmpty());
    procura()->setText(QStringLiteral("1000000003"));
    ASSERT_EQ(infosMostradas.size(), 1);
    EXPECT_EQ(infosMostradas[0].protocolo, QStringLiteral("1000000003"));
    EXPECT_EQ(infosMostradas[0].protocoloQIV, QStringLiteral("7000001"));
    EXPECT_EQ(pagina->midiaSelecionada(), midia(QStringLiteral("bloco01.zip")));
    EXPECT_TRUE(procura()->text().isEmpty());
    EXPECT_TRUE(botao("BotaoMidiasRecibo")->isEnabled());

    plataforma.respondeMensagem(Resposta::Ok);
    procura()->setText(QStringLiteral("9999999999"));
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Nenhum arquivo de mídia foi encontrado com o protocolo 9999999999."));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Exclamacao);
    EXPECT_EQ(procura()->selectedText(), QStringLiteral("9999999999"));
}

TEST_F(PaginaMidiasTeste, RemoverPerguntaEApagaOArquivoEALinha) {
    montaPasta();
    lista(pastaMidias());
    seleciona(QStringLiteral("simples.zip"));
    const QString caminho = midia(QStringLiteral("simples.zip"));
    plataforma.respondeMensagem(Resposta::Nao);
    botao("BotaoMidiasRemover")->click();
    EXPECT_TRUE(QFile::exists(caminho));
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Você tem certeza que deseja remover o arquivo de mídia\r") + caminho +
                  QLatin1Char('?'));
    EXPECT_EQ(plataforma.caixas()[0].botoes, Botoes::SimNao);

    plataforma.respondeMensagem(Resposta::Sim);
    botao("BotaoMidiasRemover")->click();
    EXPECT_FALSE(QFile::exists(caminho));
    EXPECT_EQ(linha(QStringLiteral("simples.zip")), nullptr);
    EXPECT_EQ(textoNumero(), QStringLiteral("3"));
    EXPECT_FALSE(botao("BotaoMidiasRemover")->isEnabled());
}

TEST_F(PaginaMidiasTeste, EscolhaDaPastaRecusaOQueNaoEPastaELista) {
    montaPasta();
    const QString arquivo = midia(QStringLiteral("leia-me.txt"));
    plataforma.respondePasta(arquivo);
    plataforma.respondeMensagem(Resposta::Ok);
    botao("BotaoMidiasBrowse")->click();
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].titulo, QStringLiteral("Selecione a pasta de mídias ..."));
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("ATENÇÃO: Foi selecionado ") + arquivo +
                  QStringLiteral(" que não é um diretório.\rSOLUÇÃO: Selecione um diretório."));
    EXPECT_EQ(pagina->lista()->topLevelItemCount(), 0);

    plataforma.respondePasta(std::nullopt);
    botao("BotaoMidiasBrowse")->click();
    EXPECT_EQ(pagina->lista()->topLevelItemCount(), 0);

    plataforma.respondePasta(pastaMidias());
    botao("BotaoMidiasBrowse")->click();
    EXPECT_EQ(pagina->comboPasta()->currentText(), pastaMidias());
    EXPECT_EQ(pagina->lista()->topLevelItemCount(), 4);
}

TEST_F(PaginaMidiasTeste, TransmitirPerguntaSoParaAJaTransmitida) {
    montaPasta();
    lista(pastaMidias());
    seleciona(QStringLiteral("simples.zip"));
    botao("BotaoMidiasTransmitir")->click();
    EXPECT_EQ(transmitidas, QStringList{midia(QStringLiteral("simples.zip"))});
    EXPECT_TRUE(plataforma.caixas().isEmpty());

    for (const char* nome : {"com recibo.zip", "bloco01.zip"}) {
        seleciona(QString::fromUtf8(nome));
        const qsizetype antes = transmitidas.size();
        plataforma.limpaCaixas();
        plataforma.respondeMensagem(Resposta::Nao);
        botao("BotaoMidiasTransmitir")->click();
        ASSERT_EQ(plataforma.caixas().size(), 1) << nome;
        EXPECT_EQ(plataforma.caixas()[0].texto,
                  QStringLiteral("Este arquivo já foi transmitido. Deseja enviá-lo novamente?"));
        EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Pergunta);
        EXPECT_EQ(transmitidas.size(), antes);
        plataforma.respondeMensagem(Resposta::Sim);
        botao("BotaoMidiasTransmitir")->click();
        EXPECT_EQ(transmitidas.last(), midia(QString::fromUtf8(nome)));
    }
}

TEST_F(PaginaMidiasTeste, ReciboDaMidiaChegaAteAImpressaoComORecibo) {
    montaPasta();
    lista(pastaMidias());
    seleciona(QStringLiteral("com recibo.zip"));
    // Sem a impressão ligada o recibo fica desabilitado; os outros botões, não.
    estado.imprimeRecibo = nullptr;
    seleciona(QStringLiteral("simples.zip"));
    seleciona(QStringLiteral("com recibo.zip"));
    EXPECT_FALSE(botao("BotaoMidiasRecibo")->isEnabled());
    EXPECT_TRUE(botao("BotaoMidiasInfo")->isEnabled());

    QString impresso;
    estado.imprimeRecibo = [&](const ArquivoAberto& e, const Recibo* r) {
        impresso =
            e.protocolo + QLatin1Char('/') + (r ? r->protocoloQIV : QStringLiteral("provisório"));
    };
    seleciona(QStringLiteral("simples.zip"));
    seleciona(QStringLiteral("com recibo.zip"));
    ASSERT_TRUE(botao("BotaoMidiasRecibo")->isEnabled());
    botao("BotaoMidiasRecibo")->click();
    EXPECT_EQ(impresso, QStringLiteral("1000000002/0000777"));
    seleciona(QStringLiteral("simples.zip"));
    botao("BotaoMidiasRecibo")->click();
    EXPECT_EQ(impresso, QStringLiteral("1000000001/provisório"));
    EXPECT_FALSE(plataforma.ocupado());
}

TEST_F(PaginaMidiasTeste, MidiaDeVersaoAntigaNaoTemRecibo) {
    MidiaTeste m;
    m.versao = QStringLiteral("3.3.0");
    m.linhaTotais = false;
    ASSERT_EQ(GeraMidiaTeste(midia(QStringLiteral("antiga.zip")), m), QString());
    estado.imprimeRecibo = [](const ArquivoAberto&, const Recibo*) { FAIL() << "imprimiu"; };
    lista(pastaMidias());
    seleciona(QStringLiteral("antiga.zip"));
    plataforma.respondeMensagem(Resposta::Ok);
    botao("BotaoMidiasRecibo")->click();
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("Arquivo de mídia muito antigo!\rPara imprimir o recibo utilize um "
                             "Validador de versão 5.0.3 ou menor."));
}

} // namespace
} // namespace korventa::testes
