// Pedidos de encerramento que chegam do sistema (SIGTERM do fim da sessão ou de um `kill`,
// SIGINT do Ctrl+C no terminal, SIGHUP do terminal fechado): viram um fechamento da janela, como
// o botão "Encerrar", para que as configurações sejam gravadas e os arquivos de trabalho apagados.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace korventa {

class SinaisEncerramento : public QObject {
public:
    // Enquanto o objeto vive, cada sinal chama `acao` no laço de eventos (nunca dentro do
    // tratador do sinal). Só um objeto por vez.
    explicit SinaisEncerramento(std::function<void()> acao, QObject* pai = nullptr);
    ~SinaisEncerramento() override;

private:
    std::function<void()> acao_;
    QSocketNotifier* aviso_ = nullptr;
};

} // namespace korventa
