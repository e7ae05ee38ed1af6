// Página Mídias (aba 5): pasta das mídias com as pastas recentes e a lista das mídias.
// Aqui ficam o preenchimento no início e a limpeza da lista; a listagem, a procura por
// protocolo e as ações sobre uma mídia são da página de mídias propriamente dita.
#pragma once

#include "validation/Sessao.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace korventa {

class PaginaMidias : public QWidget {
public:
    PaginaMidias(Sessao& sessao, QWidget* pai);

    // PreencheMidias: sem pasta escolhida, "Listar" fica desabilitado; depois LimpaListaMidias.
    void preenche();
    // LimpaListaMidias: lista vazia, botões de uma mídia desabilitados, procura vazia.
    void limpaLista();
    // Texto da pasta a partir das configurações e de volta para elas.
    void aplicaConfiguracoes();
    void guardaConfiguracoes();

private:
    Sessao& sessao_;
    QComboBox* comboPasta_;
    QPushButton* botaoListar_;
    QTreeWidget* lista_;
    QLabel* labelNumero_;
    QLineEdit* textProcurar_;
    QList<QPushButton*> botoesDaMidia_;
};

} // namespace korventa
