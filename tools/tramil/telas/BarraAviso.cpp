#include "telas/BarraAviso.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tramil {

BarraAviso::BarraAviso(QWidget* pai)
    : QFrame(pai), texto_(new QLabel(this)), acao_(new QPushButton(this)),
      fechar_(new QPushButton(QStringLiteral("Fechar aviso"), this)) {
    setObjectName(QStringLiteral("BarraAviso"));
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(
        QStringLiteral("#BarraAviso { background: #fff3c4; } QLabel { color: #5a3d00; }"));
    texto_->setObjectName(QStringLiteral("LabelAviso"));
    texto_->setTextFormat(Qt::PlainText);
    texto_->setWordWrap(true);
    acao_->setObjectName(QStringLiteral("BotaoAvisoAcao"));
    acao_->setAccessibleName(QStringLiteral("Ação do aviso"));
    fechar_->setObjectName(QStringLiteral("BotaoFecharAviso"));
    fechar_->setAccessibleName(QStringLiteral("Fechar aviso"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(8, 4, 8, 4);
    l->addWidget(texto_, 1);
    l->addWidget(acao_);
    l->addWidget(fechar_);
    connect(acao_, &QPushButton::clicked, this, [this] {
        auto f = funcao_;
        esconde();
        if (f) f();
    });
    connect(fechar_, &QPushButton::clicked, this, &BarraAviso::esconde);
    hide();
}

void BarraAviso::mostra(const QString& texto, const QString& nomeAcao, std::function<void()> acao) {
    texto_->setText(texto);
    funcao_ = std::move(acao);
    acao_->setText(nomeAcao);
    acao_->setAccessibleName(nomeAcao.isEmpty() ? QStringLiteral("Ação do aviso") : nomeAcao);
    acao_->setVisible(static_cast<bool>(funcao_));
    show();
}

void BarraAviso::esconde() {
    funcao_ = {};
    hide();
}

QString BarraAviso::texto() const {
    return isHidden() ? QString() : texto_->text();
}

} // namespace tramil
