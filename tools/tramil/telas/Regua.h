// Régua de colunas sobre a vista do arquivo: o número das colunas e, embaixo, os campos do
// registro sob o cursor, com o campo do cursor em destaque.
#pragma once

#include <QWidget>

namespace tramil {

class VisaoArquivo;

class Regua : public QWidget {
public:
    explicit Regua(VisaoArquivo* visao);
    int alturaDesejada() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    VisaoArquivo* visao_;
};

} // namespace tramil
