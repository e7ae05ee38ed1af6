#include "JanelaQIV.h"

#include "common/Formatos.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace korventa::qiv {

namespace {

QSettings* Configuracao(QObject* pai) {
    return new QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QIV2"),
                         QString(), pai);
}

} // namespace

JanelaQIV::JanelaQIV(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("JanelaQIV"));
    setWindowTitle(QStringLiteral("QIV - simulador de transmissão (não envia nada)"));

    auto* aviso = new QLabel(AvisoSimulador(), this);
    aviso->setObjectName(QStringLiteral("LabelAvisoSimulador"));
    aviso->setTextFormat(Qt::PlainText);
    aviso->setWordWrap(true);
    aviso->setFrameShape(QFrame::StyledPanel);
    aviso->setMargin(8);
    aviso->setStyleSheet(QStringLiteral("QLabel { background: #fff4ce; color: #5c3c00; border: 1px "
                                        "solid #d8a200; font-weight: bold; }"));

    caminho_ = valor(QStringLiteral("LabelMidia"), QStringLiteral("Mídia"));
    protocolo_ = valor(QStringLiteral("LabelProtocolo"), QStringLiteral("Protocolo Korventa"));
    contribuinte_ = valor(QStringLiteral("LabelContribuinte"), QStringLiteral("Contribuinte"));
    selo_ = valor(QStringLiteral("LabelSelo"), QStringLiteral("Selo da mídia"));
    situacao_ = valor(QStringLiteral("LabelSituacao"), QStringLiteral("Situação"));
    pastaRecibos_ = valor(QStringLiteral("LabelPastaRecibos"), QStringLiteral("Pasta dos recibos"));
    remetente_ = new QLineEdit(this);
    remetente_->setObjectName(QStringLiteral("EditRemetente"));
    remetente_->setAccessibleName(QStringLiteral("Remetente"));
    remetente_->setMaxLength(20);
    email_ = new QLineEdit(this);
    email_->setObjectName(QStringLiteral("EditEmail"));
    email_->setAccessibleName(QStringLiteral("E-mail"));
    email_->setMaxLength(70);
    QSettings* cfg = Configuracao(this);
    remetente_->setText(cfg->value(QStringLiteral("Config/Remetente")).toString());
    email_->setText(cfg->value(QStringLiteral("Config/E-Mail")).toString());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Mídia:"), caminho_);
    form->addRow(QStringLiteral("Protocolo Korventa:"), protocolo_);
    form->addRow(QStringLiteral("Contribuinte:"), contribuinte_);
    form->addRow(QStringLiteral("Selo:"), selo_);
    form->addRow(QStringLiteral("Situação:"), situacao_);
    auto* legendaRemetente = new QLabel(QStringLiteral("&Remetente:"), this);
    legendaRemetente->setBuddy(remetente_);
    form->addRow(legendaRemetente, remetente_);
    auto* legendaEmail = new QLabel(QStringLiteral("&E-mail:"), this);
    legendaEmail->setBuddy(email_);
    form->addRow(legendaEmail, email_);
    form->addRow(QStringLiteral("Recibos em:"), pastaRecibos_);

    resultado_ = valor(QStringLiteral("LabelResultado"), QStringLiteral("Resultado"));

    auto* escolher = new QPushButton(QStringLiteral("Escolher &mídia..."), this);
    escolher->setObjectName(QStringLiteral("BotaoEscolher"));
    transmitir_ = new QPushButton(QStringLiteral("&Transmitir"), this);
    transmitir_->setObjectName(QStringLiteral("BotaoTransmitir"));
    transmitir_->setAccessibleName(QStringLiteral("Transmitir (simulação)"));
    auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName(QStringLiteral("BotaoFechar"));
    for (QPushButton* b : {escolher, transmitir_, fechar})
        b->setAutoDefault(true);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(escolher);
    botoes->addStretch(1);
    botoes->addWidget(transmitir_);
    botoes->addWidget(fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(aviso);
    layout->addLayout(form);
    layout->addWidget(resultado_);
    layout->addStretch(1);
    layout->addLayout(botoes);

    connect(escolher, &QPushButton::clicked, this, [this] { escolheMidia(); });
    connect(transmitir_, &QPushButton::clicked, this, [this] { transmite(); });
    connect(fechar, &QPushButton::clicked, this, &QWidget::close);
    resize(620, 400);
    abreMidia(QString());
}

QLabel* JanelaQIV::valor(const QString& nome, const QString& legenda) {
    auto* l = new QLabel(this);
    l->setObjectName(nome);
    l->setAccessibleName(legenda);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return l;
}

void JanelaQIV::escolheMidia() {
    const QString caminho =
        QFileDialog::getOpenFileName(this, QStringLiteral("Mídia a transmitir"), QString(),
                                     QStringLiteral("Arquivos de Mídia KORVENTA (*.zip)"));
    if (!caminho.isEmpty()) abreMidia(caminho);
}

void JanelaQIV::abreMidia(const QString& caminho) {
    pastaRecibos_->setText(PastaComprovantes());
    resultado_->clear();
    if (caminho.isEmpty()) {
        midia_ = MidiaQIV{};
        for (QLabel* l : {caminho_, protocolo_, contribuinte_, selo_, situacao_})
            l->clear();
        caminho_->setText(QStringLiteral("(nenhuma mídia escolhida)"));
        transmitir_->setEnabled(false);
        return;
    }
    midia_ = LeMidia(caminho);
    caminho_->setText(caminho);
    if (!midia_.integra) {
        for (QLabel* l : {protocolo_, contribuinte_, situacao_})
            l->clear();
        selo_->setText(QStringLiteral("RECUSADA: ") + midia_.mensagem);
        transmitir_->setEnabled(false);
        return;
    }
    const BlocoInfoMidia& b = midia_.bloco;
    protocolo_->setText(b.protocolo().trimmed());
    contribuinte_->setText(FormataCNPJ(b.cnpj()) + QStringLiteral(" - ") + midia_.razaoSocial +
                           QStringLiteral(" (") + b.uf() + QLatin1Char(')'));
    selo_->setText(QStringLiteral("Conferido: a mídia está íntegra."));
    if (b.transmitida()) {
        const DadosTransmissao t = b.transmissao();
        situacao_->setText(QStringLiteral("Já transmitida em ") + FormataDataHora(t.data, t.hora) +
                           QStringLiteral(", protocolo QIV ") + b.protocoloQIVListado() +
                           QStringLiteral(". Transmitir de novo gera outro protocolo."));
    } else {
        situacao_->setText(QStringLiteral("Ainda não transmitida."));
    }
    transmitir_->setEnabled(true);
}

void JanelaQIV::transmite() {
    if (!midia_.integra) return;
    QSettings* cfg = Configuracao(this);
    cfg->setValue(QStringLiteral("Config/Remetente"), remetente_->text().trimmed());
    cfg->setValue(QStringLiteral("Config/E-Mail"), email_->text().trimmed());
    cfg->sync();
    const ResultadoTransmissao r = TransmiteMidia(midia_.caminho, remetente_->text(),
                                                  email_->text(), QDateTime::currentDateTime());
    const QString caminho = midia_.caminho;
    abreMidia(caminho);
    if (!r.ok) {
        resultado_->setText(QStringLiteral("A transmissão simulada falhou: ") + r.mensagem);
        return;
    }
    resultado_->setText(QStringLiteral("Transmissão simulada concluída (nada foi enviado). "
                                       "Protocolo QIV: ") +
                        r.protocoloQIV + QStringLiteral(". Recibo gravado em ") + r.caminhoRecibo);
}

} // namespace korventa::qiv
