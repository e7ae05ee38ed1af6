// Faixa de aviso no alto da janela (arquivo que não parece Convênio 57/95, arquivo alterado ou
// removido depois de aberto), com um botão de ação opcional. Não bloqueia o trabalho.
#pragma once

#include <QFrame>
#include <functional>

class QLabel;
class QPushButton;

namespace tramil {

class BarraAviso : public QFrame {
public:
    explicit BarraAviso(QWidget* pai = nullptr);
    // `acao` vazia: só o botão de fechar o aviso.
    void mostra(const QString& texto, const QString& nomeAcao = {},
                std::function<void()> acao = {});
    void esconde();
    QString texto() const;

private:
    QLabel* texto_;
    QPushButton* acao_;
    QPushButton* fechar_;
    std::function<void()> funcao_;
};

} // namespace tramil
