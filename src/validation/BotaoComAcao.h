// Botão de página cuja ação pode ser ligada depois (mídia, recibo, transmissão, impressão,
// informações): fica desabilitado enquanto não houver ação, qualquer que seja o estado da página.
#pragma once

#include <QPushButton>
#include <functional>

namespace korventa {

class BotaoComAcao : public QPushButton {
    Q_OBJECT
public:
    BotaoComAcao(const QString& nome, const QString& texto, QWidget* pai);

    void defineAcao(std::function<void()> acao);
    bool temAcao() const { return static_cast<bool>(acao_); }
    // Estado pedido pela página; o botão só fica habilitado se também houver ação.
    void permite(bool sim);
    bool permitido() const { return permitido_; }

private:
    void atualiza();

    std::function<void()> acao_;
    bool permitido_ = false;
};

} // namespace korventa
