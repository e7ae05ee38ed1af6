#include "critiques/DlgPrintCriticas.h"

#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "printing/ImpressoraAtual.h"
#include "printing/SuperficieQt.h"
#include "validation/Sessao.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace korventa {

namespace {

QString MensagemNaoCoube(int orientacao) {
    if (orientacao == Paisagem)
        return QStringLiteral("O Relatório de Críticas não pôde ser impresso porque\r"
                              "a impressora está configurada para imprimir no modo Paisagem!\r"
                              "Imprima o Relatório de Críticas no modo Retrato.\r"
                              "Altere as configurações de impressão e tente novamente.");
    return QStringLiteral("O Relatório de Críticas não pôde ser impresso porque não coube na "
                          "folha!\rImprima o Relatório de Críticas em uma folha maior.");
}

} // namespace

DlgPrintCriticas::DlgPrintCriticas(Sessao& s, const PedidoCriticas& pedido, QWidget* pai)
    : QDialog(pai), s_(s), pedido_(pedido) {
    setObjectName(QStringLiteral("DlgPrintCriticas"));
    setWindowTitle(QStringLiteral("Impressão do Relatório de Críticas"));
    intervalo_ = new QLabel(this);
    intervalo_->setObjectName(QStringLiteral("LabelIntervalo"));
    intervalo_->setTextFormat(Qt::PlainText);
    progresso_ = new QProgressBar(this);
    progresso_->setObjectName(QStringLiteral("ProgressBarImpressao"));
    progresso_->setAccessibleName(QStringLiteral("Páginas impressas"));
    // Um intervalo que passa da última página acaba com os dados.
    progresso_->setRange(0, std::max(1, std::min(pedido_.paginaFinal, pedido_.ultimaPagina) -
                                            pedido_.paginaInicial + 1));
    progresso_->setValue(0);
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar_->setObjectName(QStringLiteral("CancelButton"));
    connect(cancelar_, &QPushButton::clicked, this, [this] { cancela(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intervalo_);
    layout->addWidget(progresso_);
    layout->addWidget(cancelar_, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
}

void DlgPrintCriticas::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (comecou_) return;
    comecou_ = true;
    // Começa depois de a janela aparecer; no fim ela se fecha sozinha.
    QTimer::singleShot(0, this, [this] {
        ImprimeCriticas();
        accept();
    });
}

void DlgPrintCriticas::reject() {
    // Esc e o "X" pedem o cancelamento; quem fecha é o fim da impressão.
    if (imprimindo_) {
        cancela();
        return;
    }
    QDialog::reject();
}

void DlgPrintCriticas::closeEvent(QCloseEvent* e) {
    if (imprimindo_) {
        cancela();
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void DlgPrintCriticas::paginaComecou(int pagina) {
    intervalo_->setText(QStringLiteral("Imprimindo a página ") + QString::number(pagina) +
                        QStringLiteral(" de ") +
                        QString::number(std::min(pedido_.paginaFinal, pedido_.ultimaPagina)));
    progresso_->setValue(progresso_->value() + 1);
}

bool DlgPrintCriticas::ImprimeCriticas() {
    Log(LogOperacao, QStringLiteral("ImprimeCriticas..."));
    imprimindo_ = true;
    Plataforma& p = s_.plataforma;
    std::unique_ptr<SuperficieQt> documento =
        AbreDocumento(s_, QStringLiteral("Relatório de Críticas"));
    AcompanhamentoCriticas acompanhamento;
    acompanhamento.pagina = [this](int pagina) { paginaComecou(pagina); };
    acompanhamento.cancelou = [this, &p] {
        p.processarEventos();
        return PediuCancelamento;
    };
    const ResultadoCriticas r = DesenhaCriticas(*documento, pedido_, acompanhamento);
    imprimindo_ = false;
    EsqueceArquivoPdf(s_);

    // Falha do próprio documento (o arquivo PDF, a impressora) vem antes de qualquer outra.
    if (documento->falhou() || (r.fim == FimCriticas::Impresso && !documento->fimDocumento())) {
        documento->abortaDocumento();
        const QString mensagem = MensagemErroNumerado(QStringLiteral("Erro5 "), documento->erro());
        Log(LogDetalhe, mensagem);
        p.mensagem(mensagem, Icone::Critico);
        return false;
    }
    switch (r.fim) {
    case FimCriticas::Impresso:
        p.mensagem(QStringLiteral("Relatório de Críticas impresso."), Icone::Informacao);
        Log(LogOperacao, QStringLiteral("Fim ImprimeCriticas."));
        return true;
    case FimCriticas::Cancelado:
        documento->abortaDocumento();
        p.mensagem(QStringLiteral("Impressão do Relatório de Críticas cancelada."),
                   Icone::Informacao);
        Log(LogDetalhe, QStringLiteral("O usuario cancelou a impressao do relatorio de criticas."));
        return false;
    case FimCriticas::NaoCoube: {
        documento->abortaDocumento();
        const QString mensagem = MensagemNaoCoube(documento->orientacao());
        Log(LogDetalhe, mensagem);
        p.mensagem(mensagem, Icone::Critico);
        return false;
    }
    case FimCriticas::Falhou:
        documento->abortaDocumento();
        Log(LogDetalhe, r.mensagem);
        p.mensagem(r.mensagem, Icone::Critico);
        return false;
    case FimCriticas::NadaImpresso:
        break;
    }
    // Nenhuma crítica no intervalo: nada foi para a impressora, e o usuário fica sabendo.
    documento->abortaDocumento();
    p.mensagem(MensagemSemCriticas(pedido_.tipo), Icone::Exclamacao);
    return false;
}

} // namespace korventa
