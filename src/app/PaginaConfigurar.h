// Página Configurar (aba 1): caminho do programa de transmissão, limite de críticas listadas e
// a pasta de comprovantes do programa de transmissão.
#pragma once

#include "validation/Sessao.h"

#include <QWidget>
#include <functional>

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
    // Verificações ao sair da página, na ordem: limite de críticas, caminho vazio, nome do
    // programa e existência. Devolve o campo que recebe o foco quando uma delas recusa a saída,
    // ou nulo para seguir.
    QWidget* confereAoSair();

    // A lista de críticas está à vista na página Críticas (um limite novo pede relistá-la).
    std::function<bool()> listaCriticasVisivel;

    QLineEdit* editLocalQIV() const { return editLocalQIV_; }
    QLineEdit* editMaxCriticas() const { return editMaxCriticas_; }

private:
    Sessao& sessao_;
    QLineEdit* editLocalQIV_;
    QLineEdit* editMaxCriticas_;
    QLabel* labelPastaComprovantes_;
};

} // namespace korventa
