// "Gerar Mídias..." e "Transmitir..." do Resumo de vários arquivos, com o motor e a biblioteca de
// mídias de verdade: nomes pelo índice, linhas que não entram, falhas que não param o lote,
// contagem, andamento com a janela viva e a transmissão da linha selecionada.
#include "AmbienteMidia.h"

#include "media/MidiasVariosArquivos.h"
#include "validation/ArquivosTrabalho.h"
#include "validation/BotaoComAcao.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QTimer>
#include <QTreeWidget>

using namespace korventa;
using namespace korventa::testes;
namespace ex = kelvor::exemplo;

namespace {

QString Msg(const char* texto) {
    return QString::fromUtf8(texto);
}

ex::Opcoes Exemplo(std::uint64_t semente = 1, const char* uf = "SP",
                   std::uint64_t registros = 600) {
    ex::Opcoes o;
    o.semente = semente;
    o.uf = uf;
    o.registros = registros;
    return o;
}

} // namespace

class MidiasLote : public AmbienteMidia {
protected:
    MidiasLote() {
        LigaMidiasVariosArquivos(sessao, *resumoArquivos, [this](int n) { informacoes << n; });
        destino.mkpath(QStringLiteral("."));
        sessao.cfg.pathGeraMidia = pasta.path();
    }
    // Abre e valida o lote no mesmo segundo.
    void validaLote(const QStringList& caminhos) {
        abreVarios(caminhos);
        plataforma.defineAgora(relogio);
        plataforma.respondeMensagem(Resposta::Ok);
        validar->BotaoValidar_Click();
        plataforma.limpaCaixas();
    }
    // Gerar Mídias na pasta de destino; devolve o texto da caixa do fim.
    QString geraMidias() {
        plataforma.respondePasta(destino.path());
        plataforma.respondeMensagem(Resposta::Ok);
        BotaoResumoXGerarMidias_Click(sessao, *resumoArquivos);
        return plataforma.caixas().isEmpty() ? QString() : plataforma.caixas().last().texto;
    }
    QTreeWidgetItem* linha(int i) { return resumoArquivos->lista()->topLevelItem(i); }

    const QDateTime relogio{QDate(2026, 12, 6), QTime(14, 30, 5)};
    QVector<int> informacoes;
    QDir destino{pasta.filePath(QStringLiteral("midias"))};
};

TEST_F(MidiasLote, MesmoCnpjNoMesmoSegundoComNomesPeloIndice) {
    ex::Opcoes rejeitado = Exemplo(3);
    rejeitado.falhas = {ex::Falha::Cfop};
    validaLote({exemplo(QStringLiteral("a.txt")), exemplo(QStringLiteral("b.txt")),
                exemplo(QStringLiteral("rej.txt"), rejeitado),
                exemplo(QStringLiteral("pb.txt"), Exemplo(4, "PB"))});
    ASSERT_EQ(sessao.arquivos[0].cnpj, sessao.arquivos[1].cnpj);
    ASSERT_EQ(sessao.arquivos[0].inicioValidacao, sessao.arquivos[1].inicioValidacao);
    EXPECT_TRUE(resumoArquivos->botaoGerarMidias()->isEnabled());

    EXPECT_EQ(geraMidias(), QStringLiteral("Foram gerados 3 arquivos de mídia."));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Informacao);
    const QString cnpj = sessao.arquivos[0].cnpj;
    QStringList nomes{cnpj + QStringLiteral("_06122026143005_0.zip"),
                      cnpj + QStringLiteral("_06122026143005_1.zip"),
                      sessao.arquivos[3].cnpj + QStringLiteral("_06122026143005_3.zip")};
    nomes.sort();
    EXPECT_EQ(destino.entryList(QDir::Files, QDir::Name), nomes);
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(linha(i)->text(2), NomeMidiaLote(sessao.arquivos[i], i)) << i;
        EXPECT_TRUE(linha(i)->isSelected()) << i;
        EXPECT_EQ(sessao.arquivos[i].caminhoMidia, destino.filePath(linha(i)->text(2))) << i;
    }
    // A rejeitada fica como estava.
    EXPECT_EQ(linha(2)->text(2), QStringLiteral(" "));
    EXPECT_FALSE(linha(2)->isSelected());
    EXPECT_TRUE(sessao.arquivos[2].caminhoMidia.isEmpty());

    const DialogoArquivo& d = plataforma.dialogos().last();
    EXPECT_EQ(d.titulo, Msg("Selecione a pasta para gravação das mídias...\r\rOs nomes dos "
                            "arquivos serão definidos pelo programa."));
    EXPECT_EQ(d.pastaInicial, pasta.path());
    EXPECT_EQ(sessao.cfg.pathGeraMidia, destino.path());
    EXPECT_EQ(resumoArquivos->labelPathMidiasGeradas()->text(),
              Msg("Mídias geradas em: \n") + QDir::toNativeSeparators(destino.path()));
    EXPECT_FALSE(resumoArquivos->botaoGerarMidias()->permitido());
    EXPECT_TRUE(resumoArquivos->botaoRecibos()->permitido());

    // De novo: todas já têm mídia.
    EXPECT_EQ(geraMidias(), QStringLiteral("Foram gerados 0 arquivos de mídia."));
    EXPECT_EQ(destino.entryList(QDir::Files).size(), 3);
    EXPECT_FALSE(resumoArquivos->botaoGerarMidias()->permitido());
    EXPECT_EQ(TextoMidiasGeradas(1), Msg("Foi gerado um arquivo de mídia."));
}

TEST_F(MidiasLote, ArquivoTrocadoFicaEmVermelhoEOLoteSegue) {
    const QString b = exemplo(QStringLiteral("b.txt"), Exemplo(2));
    validaLote({exemplo(QStringLiteral("a.txt")), b, exemplo(QStringLiteral("c.txt"), Exemplo(5))});
    QFile f(b);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("\r\n");
    f.close();
    // A linha que falha perde a seleção; as geradas ficam selecionadas.
    resumoArquivos->lista()->selectAll();

    EXPECT_EQ(geraMidias(), QStringLiteral("Foram gerados 2 arquivos de mídia."));
    EXPECT_EQ(linha(1)->text(2), QStringLiteral("O arquivo foi trocado! Abra novamente."));
    EXPECT_EQ(linha(1)->foreground(2).color(), QColor(Qt::red));
    EXPECT_FALSE(linha(1)->isSelected());
    EXPECT_TRUE(linha(2)->isSelected());
    EXPECT_TRUE(QFile::exists(destino.filePath(NomeMidiaLote(sessao.arquivos[2], 2))));
    EXPECT_FALSE(QFile::exists(destino.filePath(NomeMidiaLote(sessao.arquivos[1], 1))));
    // Com uma falha o botão continua: a outra pode ser aberta e validada de novo.
    EXPECT_TRUE(resumoArquivos->botaoGerarMidias()->permitido());
}

TEST_F(MidiasLote, AbertoENuncaValidadoTerminaComAMensagemDosTotais) {
    abreVarios({exemplo(QStringLiteral("a.txt")), exemplo(QStringLiteral("b.txt"), Exemplo(2))});
    ASSERT_EQ(sessao.arquivos[1].resultado, ResultadoNaoValidadoLote);
    resumoArquivos->linha(0);
    resumoArquivos->linha(1);
    resumoArquivos->mostraLista();

    EXPECT_EQ(geraMidias(), QStringLiteral("Foram gerados 0 arquivos de mídia."));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(linha(i)->text(2),
                  Msg("Excecao 2 (Arquivo não encontrado  fonte: ValidadorKorventa2017) ao "
                      "acessar o arquivo ") +
                      CaminhoTotaisCFOP(sessao, i) + QStringLiteral(" Valide novamente."))
            << i;
        EXPECT_EQ(linha(i)->foreground(2).color(), QColor(Qt::red));
    }
    EXPECT_TRUE(resumoArquivos->labelPathMidiasGeradas()->text().isEmpty());
    EXPECT_TRUE(destino.entryList(QDir::Files).isEmpty());
}

TEST_F(MidiasLote, AndamentoComAJanelaVivaECancelamentoEntreArquivos) {
    QStringList caminhos;
    for (int i = 0; i < 8; ++i)
        caminhos << exemplo(QStringLiteral("f%1.txt").arg(i), Exemplo(10 + i, "SP", 30000));
    validaLote(caminhos);

    // Enquanto o lote anda, o temporizador roda: a janela atende. No terceiro arquivo o usuário
    // cancela; o que está em curso termina e o lote para.
    int maximo = 0, voltas = 0;
    QStringList rotulos;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        ++voltas;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QProgressDialog*>(w);
            if (!d || d->objectName() != QStringLiteral("DlgProgressoMidias") || !d->isVisible())
                continue;
            maximo = d->maximum();
            const QString texto = d->findChild<QLabel*>()->text();
            if (rotulos.isEmpty() || rotulos.last() != texto.section(QLatin1Char('\n'), 0, 0))
                rotulos << texto.section(QLatin1Char('\n'), 0, 0);
            if (texto.startsWith(Msg("Mídia 3 de 8"))) d->cancel();
        }
    });
    relogio.start(1);
    const QString fim = geraMidias();
    relogio.stop();

    EXPECT_GT(voltas, 0);
    EXPECT_EQ(maximo, 800);
    ASSERT_FALSE(rotulos.isEmpty());
    EXPECT_EQ(rotulos.first(), Msg("Mídia 1 de 8: f0.txt"));
    EXPECT_EQ(fim, QStringLiteral("Foram gerados 3 arquivos de mídia."));
    EXPECT_EQ(linha(3)->text(2), Msg("não gerado."));
    EXPECT_TRUE(resumoArquivos->botaoGerarMidias()->permitido());
}

TEST_F(MidiasLote, InformacoesDaLinhaSelecionadaSeOArquivoNaoMudou) {
    const QString b = exemplo(QStringLiteral("b.txt"), Exemplo(2));
    validaLote({exemplo(QStringLiteral("a.txt")), b});
    QTreeWidget* lista = resumoArquivos->lista();
    lista->clearSelection();
    EXPECT_FALSE(resumoArquivos->botaoInfo()->isEnabled());
    linha(1)->setSelected(true);
    ASSERT_TRUE(resumoArquivos->botaoInfo()->isEnabled());
    resumoArquivos->botaoInfo()->click();
    EXPECT_EQ(informacoes, QVector<int>{1});
    // O duplo clique faz o mesmo.
    resumoArquivos->ListaResumoValidacao_DblClick();
    EXPECT_EQ(informacoes, (QVector<int>{1, 1}));

    QFile f(b);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("\r\n");
    f.close();
    plataforma.respondeMensagem(Resposta::Ok);
    resumoArquivos->botaoInfo()->click();
    EXPECT_EQ(informacoes.size(), 2);
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("O arquivo foi trocado! Abra novamente."));
}

TEST_F(MidiasLote, TransmiteAMidiaDaLinhaSelecionada) {
    validaLote({exemplo(QStringLiteral("a.txt")), exemplo(QStringLiteral("b.txt"), Exemplo(2))});
    geraMidias();
    QStringList transmitidas;
    sessao.executarQIV = [&](const QString& midia) { transmitidas << midia; };

    QTreeWidget* lista = resumoArquivos->lista();
    EXPECT_FALSE(resumoArquivos->botaoTransmitir()->isEnabled()); // duas selecionadas
    lista->clearSelection();
    linha(1)->setSelected(true);
    // A linha corrente pode ser outra (Ctrl+clique tirou a seleção dela).
    lista->setCurrentItem(linha(0), 0, QItemSelectionModel::NoUpdate);
    ASSERT_TRUE(resumoArquivos->botaoTransmitir()->isEnabled());
    resumoArquivos->botaoTransmitir()->click();
    EXPECT_EQ(transmitidas, QStringList{sessao.arquivos[1].caminhoMidia});
}
