#include "media/MidiasVariosArquivos.h"

#include "common/Caminhos.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "media/GeracaoMidia.h"
#include "media/SegundoPlano.h"
#include "media/SelecionaPasta.h"
#include "platform/Plataforma.h"
#include "validation/Arquivos.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumoArquivos.h"
#include "validation/Sessao.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QTreeWidget>
#include <memory>

namespace korventa {

namespace {

const QString TituloPasta =
    QStringLiteral("Selecione a pasta para gravação das mídias...\r\rOs nomes dos arquivos "
                   "serão definidos pelo programa.");

// Andamento do lote: qual arquivo de quantos e o percentual da gravação em curso. O diálogo é
// modal (nada mais começa no meio do lote) mas deixa a janela se redesenhar; "Cancelar" para
// antes do próximo arquivo.
class AndamentoLote final : public AndamentoExterno {
public:
    explicit AndamentoLote(int total) : total_(total) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || total <= 0) return;
        QWidget* dono = QApplication::activeWindow();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!dono && w->isVisible()) dono = w;
        dlg_ = std::make_unique<QProgressDialog>(dono);
        dlg_->setObjectName(QStringLiteral("DlgProgressoMidias"));
        dlg_->setWindowTitle(QStringLiteral("Gerando as mídias..."));
        dlg_->setAccessibleName(QStringLiteral("Gerando as mídias"));
        // Nomes de arquivo em texto simples.
        auto* rotulo = new QLabel(dlg_.get());
        rotulo->setTextFormat(Qt::PlainText);
        dlg_->setLabel(rotulo);
        dlg_->setCancelButtonText(QStringLiteral("Cancelar"));
        dlg_->setRange(0, total * 100);
        dlg_->setWindowModality(Qt::ApplicationModal);
        dlg_->setAutoClose(false);
        dlg_->setAutoReset(false);
        dlg_->setMinimumDuration(0);
        dlg_->setMinimumWidth(420);
    }

    void arquivo(int indice, const QString& nome) {
        indice_ = indice;
        nome_ = nome;
        etapa_.clear();
        mostra(0);
    }
    void andamento(const QString& texto, int percentual) override {
        etapa_ = texto;
        mostra(qMax(0, percentual));
    }
    bool cancelado() const { return dlg_ && dlg_->wasCanceled(); }

private:
    void mostra(int percentual) {
        if (!dlg_) return;
        dlg_->setLabelText(
            QStringLiteral("Mídia %1 de %2: %3").arg(indice_ + 1).arg(total_).arg(nome_) +
            (etapa_.isEmpty() ? QString() : QLatin1Char('\n') + etapa_));
        dlg_->setValue(indice_ * 100 + percentual);
    }

    int total_;
    int indice_ = 0;
    QString nome_, etapa_;
    std::unique_ptr<QProgressDialog> dlg_;
};

// A entrada entra no lote: sem mídia, e nem rejeitada nem sem validação. A que foi aberta e
// nunca validada (-2) também é tentada: a geração diz o que falta.
bool EntraNoLote(const ArquivoAberto& e) {
    return e.caminhoMidia.isEmpty() && e.resultado != ResultadoRejeitado &&
           e.resultado != ResultadoNaoIniciado;
}

} // namespace

QString NomeMidiaLote(const ArquivoAberto& e, int n) {
    return e.cnpj + QLatin1Char('_') +
           e.inicioValidacao.toString(QStringLiteral("ddMMyyyyHHmmss")) + QLatin1Char('_') +
           QString::number(n) + QStringLiteral(".zip");
}

QString TextoMidiasGeradas(int quantidade) {
    if (quantidade == 1) return QStringLiteral("Foi gerado um arquivo de mídia.");
    return QStringLiteral("Foram gerados ") + QString::number(quantidade) +
           QStringLiteral(" arquivos de mídia.");
}

void BotaoResumoXGerarMidias_Click(Sessao& s, PaginaResumoArquivos& pagina) {
    Log(LogOperacao, QStringLiteral("BotaoResumoXGerarMidias_Click..."));
    const QString pasta = SelecionaPasta(s.plataforma, s.cfg.pathGeraMidia, TituloPasta);
    if (pasta.isEmpty()) {
        Log(LogOperacao, QStringLiteral("Cancelou BotaoResumoXGerarMidias_Click..."));
        return;
    }
    // A última pasta de mídias é a mesma do Resumo de um arquivo.
    s.cfg.pathGeraMidia = pasta;
    s.ultimaPastaMidia = pasta;

    QTreeWidget* lista = pagina.lista();
    QVector<QTreeWidgetItem*> linhas;
    for (int i = 0; i < lista->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lista->topLevelItem(i);
        const int n = PaginaResumoArquivos::entradaDaLinha(item);
        if (n >= 0 && n < s.arquivos.size() && EntraNoLote(s.arquivos[n])) linhas << item;
    }

    int geradas = 0;
    bool falhou = false, interrompido = false;
    {
        AndamentoLote andamento(linhas.size());
        for (int k = 0; k < linhas.size(); ++k) {
            if (andamento.cancelado()) {
                interrompido = true;
                Log(LogOperacao, QStringLiteral("Usuario interrompeu a geracao das midias."));
                break;
            }
            QTreeWidgetItem* item = linhas[k];
            const int n = PaginaResumoArquivos::entradaDaLinha(item);
            ArquivoAberto& e = s.arquivos[n];
            andamento.arquivo(k, NomeDoArquivo(e.caminho));
            const QString nome = NomeMidiaLote(e, n);
            if (!VerificaDataHoraArquivo(s, n, false))
                e.mensagem = QStringLiteral("O arquivo foi trocado! Abra novamente.");
            else
                GeraArquivoMidia(s, n, JuntaCaminho(pasta, nome));
            // A falha de um arquivo fica na sua linha, em vermelho, e o lote segue.
            if (e.mensagem.isEmpty()) {
                ++geradas;
                pagina.escreve(n, PaginaResumoArquivos::ColunaMidia, nome);
                item->setSelected(true);
            } else {
                QString motivo = e.mensagem;
                motivo.replace(QLatin1Char('\r'), QLatin1Char(' '));
                pagina.escreve(n, PaginaResumoArquivos::ColunaMidia, motivo, true);
                falhou = true;
                item->setSelected(false);
            }
            lista->scrollToItem(item);
            s.plataforma.processarEventos();
        }
    }

    // Nomes das mídias e motivos inteiros: a coluna cresce (a lista ganha rolagem se preciso).
    lista->resizeColumnToContents(PaginaResumoArquivos::ColunaMidia);
    if (!falhou && !interrompido) pagina.habilitaGerarMidias(false);
    pagina.AtualizaBotoes();
    s.plataforma.mensagem(TextoMidiasGeradas(geradas), Icone::Informacao);
    if (geradas > 0)
        pagina.labelPathMidiasGeradas()->setText(QStringLiteral("Mídias geradas em: \n") +
                                                 QDir::toNativeSeparators(pasta));
    if (pagina.botaoRecibos()->isEnabled()) pagina.botaoRecibos()->setFocus();
    Log(LogOperacao, QStringLiteral("Fim BotaoResumoXGerarMidias_Click."));
}

void BotaoResumoXTransmitir_Click(Sessao& s, PaginaResumoArquivos& pagina) {
    Log(LogOperacao, QStringLiteral("BotaoResumoXTransmitir_Click..."));
    // A linha selecionada (o botão só fica habilitado com uma só): a linha corrente da lista
    // pode ser outra, deixada pelo Ctrl+clique que tirou a seleção dela.
    const int n = pagina.entradaSelecionada();
    if (n >= 0 && n < s.arquivos.size() && !s.arquivos[n].caminhoMidia.isEmpty() && s.executarQIV)
        s.executarQIV(s.arquivos[n].caminhoMidia);
    Log(LogOperacao, QStringLiteral("Fim BotaoResumoXTransmitir_Click."));
}

void BotaoResumoXInfo_Click(Sessao& s, PaginaResumoArquivos& pagina,
                            const std::function<void(int n)>& mostraInfo) {
    Log(LogOperacao, QStringLiteral("BotaoResumoXInfo_Click..."));
    const int n = pagina.entradaSelecionada();
    if (n < 0 || n >= s.arquivos.size()) return;
    if (VerificaDataHoraArquivo(s, n, true) && mostraInfo) mostraInfo(n);
    Log(LogOperacao, QStringLiteral("Fim BotaoResumoXInfo_Click."));
}

void LigaMidiasVariosArquivos(Sessao& s, PaginaResumoArquivos& pagina,
                              std::function<void(int n)> mostraInfo) {
    QPointer<PaginaResumoArquivos> p(&pagina);
    pagina.botaoGerarMidias()->defineAcao([&s, p] {
        if (p) BotaoResumoXGerarMidias_Click(s, *p);
    });
    pagina.botaoTransmitir()->defineAcao([&s, p] {
        if (p) BotaoResumoXTransmitir_Click(s, *p);
    });
    pagina.botaoInfo()->defineAcao([&s, p, mostraInfo = std::move(mostraInfo)] {
        if (p) BotaoResumoXInfo_Click(s, *p, mostraInfo);
    });
    // "Recibos..." é ligado junto com a impressão do recibo (LigaImpressaoMidias).
}

} // namespace korventa
