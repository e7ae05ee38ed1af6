#include "validation/DlgProgressoValidacao.h"

#include "common/Numeros.h"
#include "engine/Bibliotecas.h"
#include "engine/Log.h"
#include "platform/Acessivel.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace korventa {

DlgProgressoValidacao::DlgProgressoValidacao(QWidget* dono)
    : QDialog(dono, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("DlgProgressoValidacao"));
    setWindowTitle(QStringLiteral("Validação do arquivo KORVENTA..."));
    setModal(false);

    auto* titulo = new QLabel(QStringLiteral("Validando os registros do arquivo..."), this);
    labelNomeArquivo_ = new QLabel(this);
    labelNomeArquivo_->setObjectName(QStringLiteral("LabelNomeArquivo"));
    QFont negrito = labelNomeArquivo_->font();
    negrito.setBold(true);
    labelNomeArquivo_->setFont(negrito);
    labelRegistros_ = new QLabel(this);
    labelRegistros_->setObjectName(QStringLiteral("LabelRegistros"));
    labelProgresso_ = new QLabel(this);
    labelProgresso_->setObjectName(QStringLiteral("LabelProgresso"));
    labelProgresso_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("ProgressoBar"));
    barra_->setRange(0, 100);
    barra_->setTextVisible(false);
    barra_->setAccessibleName(QStringLiteral("Progresso da validação"));
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar_->setObjectName(QStringLiteral("CancelButton"));
    cancelar_->setAutoDefault(false);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("TimerEventos"));
    timer_->setInterval(100);

    auto* registros = new QHBoxLayout;
    auto* legendaRegistros = new QLabel(QStringLiteral("Registro:"), this);
    LigaLegenda(labelRegistros_, legendaRegistros);
    registros->addWidget(legendaRegistros);
    registros->addWidget(labelRegistros_, 1);
    registros->addWidget(labelProgresso_);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(cancelar_);
    botoes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addWidget(labelNomeArquivo_);
    layout->addLayout(registros);
    layout->addWidget(barra_);
    layout->addLayout(botoes);
    setMinimumWidth(420);
    RotulosEmTextoSimples(this); // o nome do arquivo pode ter "<"

    // Cancela no aperto do botão: o usuário não precisa esperar soltar durante um arquivo longo.
    connect(cancelar_, &QPushButton::pressed, this, &DlgProgressoValidacao::cancela);
    connect(timer_, &QTimer::timeout, this, &DlgProgressoValidacao::consultaMotor);
}

QString DlgProgressoValidacao::TextoRegistros(std::int32_t feitos, std::int32_t total) {
    // Total 0: o motor ainda conta as linhas; um total estimado mudaria durante a execução.
    QString texto = NumeroComBrancoInicial(feitos);
    if (total > 0) texto += QStringLiteral(" de") + NumeroComBrancoInicial(total);
    return texto;
}

void DlgProgressoValidacao::acompanha(const QString& nomeArquivo) {
    estado_ = EmAndamento;
    labelNomeArquivo_->setText(nomeArquivo);
    labelRegistros_->clear();
    labelProgresso_->clear();
    barra_->setValue(0);
    if (!isVisible()) show();
    timer_->start();
}

void DlgProgressoValidacao::cancela() {
    cancelado_ = true;
    if (auto* f = KORVENTA_FUNCAO("Kelvor", Kelvor_CancelaValidacao)) f();
}

void DlgProgressoValidacao::consultaMotor() {
    if (estado_ == EmAndamento) {
        int32 percentual = 0, feitos = 0, total = 0;
        Log(LogDetalhe, QStringLiteral("  vai executar Kelvor_EstadoValidacao( %1, %2, %3)")
                            .arg(percentual)
                            .arg(feitos)
                            .arg(total));
        auto* consulta = KORVENTA_FUNCAO("Kelvor", Kelvor_EstadoValidacao);
        // Sem o motor não há o que esperar: a execução acaba como falha.
        estado_ = consulta ? consulta(&percentual, &feitos, &total) : -1;
        Log(LogDetalhe, QStringLiteral("  retornou %1").arg(estado_));
        labelProgresso_->setText(NumeroComBrancoInicial(percentual) + QStringLiteral("%"));
        labelRegistros_->setText(TextoRegistros(feitos, total));
        barra_->setValue(qBound(0, static_cast<int>(percentual), 100));
    }
    if (estado_ != EmAndamento) {
        timer_->stop();
        emit terminou();
    }
}

void DlgProgressoValidacao::closeEvent(QCloseEvent* evento) {
    if (estado_ == EmAndamento)
        evento->ignore();
    else
        QDialog::closeEvent(evento);
}

void DlgProgressoValidacao::reject() {
    // Esc enquanto o motor trabalha é o Cancelar do diálogo, que só fecha quando a execução
    // termina.
    if (estado_ == EmAndamento)
        cancela();
    else
        QDialog::reject();
}

} // namespace korventa
