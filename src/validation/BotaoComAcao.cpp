#include "validation/BotaoComAcao.h"

namespace korventa {

BotaoComAcao::BotaoComAcao(const QString& nome, const QString& texto, QWidget* pai)
    : QPushButton(texto, pai) {
    setObjectName(nome);
    setEnabled(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (acao_ && isEnabled()) acao_();
    });
}

void BotaoComAcao::defineAcao(std::function<void()> acao) {
    acao_ = std::move(acao);
    atualiza();
}

void BotaoComAcao::permite(bool sim) {
    permitido_ = sim;
    atualiza();
}

void BotaoComAcao::atualiza() {
    setEnabled(permitido_ && acao_);
}

} // namespace korventa
