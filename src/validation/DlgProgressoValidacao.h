// Progresso de uma validação: consulta o motor a cada 100 ms, mostra registros e percentual e
// cancela ao apertar (não ao soltar) o botão, ou com Esc. Não se deixa fechar enquanto o motor
// trabalha.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace korventa {

class DlgProgressoValidacao : public QDialog {
    Q_OBJECT
public:
    static constexpr std::int32_t EmAndamento = -2;

    explicit DlgProgressoValidacao(QWidget* dono);

    // Estado da execução: -2 enquanto o motor trabalha, depois o último retorno do motor.
    std::int32_t estado() const { return estado_; }
    bool cancelado() const { return cancelado_; }
    void limpaCancelamento() { cancelado_ = false; }

    // Texto de LabelRegistros: " feitos de total", ou só " feitos" enquanto o total não é
    // conhecido.
    static QString TextoRegistros(std::int32_t feitos, std::int32_t total);

    // Começa a acompanhar uma execução já iniciada no motor.
    void acompanha(const QString& nomeArquivo);
    // O botão Cancelar ao ser apertado.
    void cancela();
    // Uma consulta ao motor (o que o temporizador faz a cada 100 ms).
    void consultaMotor();

signals:
    void terminou();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    std::int32_t estado_ = 0;
    bool cancelado_ = false;
    QLabel* labelNomeArquivo_;
    QLabel* labelRegistros_;
    QLabel* labelProgresso_;
    QProgressBar* barra_;
    QPushButton* cancelar_;
    QTimer* timer_;
};

} // namespace korventa
