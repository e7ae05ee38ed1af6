// Grade GradeTotalizadores: as contagens por tipo de registro e o total (22 linhas x 5 colunas),
// com os títulos no cabeçalho. A mesma no Resumo e no diálogo de informações de uma mídia.
#pragma once

#include "validation/Totalizadores.h"

#include <QTableWidget>

namespace korventa {

class GradeTotalizadores : public QTableWidget {
public:
    explicit GradeTotalizadores(QWidget* pai);

    // Célula (r, c + 1) = célula (c, r) da tabela de totais (os títulos ficam no cabeçalho).
    void preenche(const TabelaTotais& tabela);
    void limpa();
    // Altura em que a grade mostra todas as linhas sem rolar.
    int alturaInteira() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void ajustaColunas();
};

} // namespace korventa
