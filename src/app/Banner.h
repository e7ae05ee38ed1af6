// Faixa do alto da janela principal (Image1): nome do programa sobre um degradê.
#pragma once

#include <QWidget>

namespace korventa {

class Banner : public QWidget {
public:
    explicit Banner(QWidget* pai);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;
};

} // namespace korventa
