// Página Configurar (aba 1): caminho do programa de transmissão, limite de críticas listadas e
// a pasta de comprovantes do programa de transmissão.
#pragma once

#include "validation/Sessao.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korventa {

class PaginaConfigurar : public QWidget {
public:
    PaginaConfigurar(Sessao& sessao, QWidget* pai);

    // Preenche os campos a partir das configurações em memória (início do programa).
    void preenche();
    // Mostra a pasta de comprovantes lida de novo (cada vez que a página aparece).
    void mostraPastaComprovantes();
    // Escolha do programa de transmissão pelo diálogo de abrir.
    void procuraQIV();

    QLineEdit* editLocalQIV() const { return editLocalQIV_; }
    QLineEdit* editMaxCriticas() const { return editMaxCriticas_; }

private:
    Sessao& sessao_;
    QLineEdit* editLocalQIV_;
    QLineEdit* editMaxCriticas_;
    QLabel* labelPastaComprovantes_;
};

} // namespace korventa
