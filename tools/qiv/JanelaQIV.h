// Janela do simulador de transmissão: a mídia, o contribuinte, o selo e a situação; remetente e
// e-mail; "Transmitir" simula a entrega e mostra o protocolo e o recibo gravado.
#pragma once

#include "TransmissaoSimulada.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korventa::qiv {

class JanelaQIV : public QWidget {
public:
    explicit JanelaQIV(QWidget* pai = nullptr);

    void abreMidia(const QString& caminho);
    void transmite();

    QPushButton* botaoTransmitir() const { return transmitir_; }
    QLabel* resultado() const { return resultado_; }

private:
    QLabel* valor(const QString& nome, const QString& legenda);
    void escolheMidia();

    MidiaQIV midia_;
    QLabel* caminho_;
    QLabel* protocolo_;
    QLabel* contribuinte_;
    QLabel* selo_;
    QLabel* situacao_;
    QLabel* pastaRecibos_;
    QLineEdit* remetente_;
    QLineEdit* email_;
    QPushButton* transmitir_;
    QLabel* resultado_;
};

} // namespace korventa::qiv
