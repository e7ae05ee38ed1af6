// Grade GradeTotalizadores (23 linhas x 5 colunas): títulos fixos, contagens por tipo de registro
// e o total. A mesma no Resumo e no diálogo de informações de uma mídia.
#pragma once

#include "validation/Totalizadores.h"

#include <QTableWidget>

namespace korventa {

class GradeTotalizadores : public QTableWidget {
public:
    explicit GradeTotalizadores(QWidget* pai);

    // Célula (r + 1, c + 1) = célula (c, r) da tabela de totais.
    void preenche(const TabelaTotais& tabela);
    void limpa();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void ajustaColunas();
};

} // namespace korventa
