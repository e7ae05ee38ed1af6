#include "app/Banner.h"

#include "app/Produto.h"

#include <QLinearGradient>
#include <QPainter>

namespace korventa {

Banner::Banner(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("Image1"));
    setMinimumHeight(52);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize Banner::sizeHint() const {
    return {480, 56};
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fundo(rect().topLeft(), rect().topRight());
    fundo.setColorAt(0.0, QColor(0x0b, 0x3d, 0x6b));
    fundo.setColorAt(1.0, QColor(0x3f, 0x8f, 0xc9));
    p.fillRect(rect(), fundo);

    QFont titulo = font();
    titulo.setBold(true);
    titulo.setPointSizeF(titulo.pointSizeF() * 1.7);
    p.setFont(titulo);
    p.setPen(Qt::white);
    const int margem = 14;
    const QFontMetrics mt(titulo);
    const int base = height() / 2 + mt.ascent() / 2 - 6;
    p.drawText(margem, base, QString::fromLatin1(NomeProduto));

    QFont sub = font();
    p.setFont(sub);
    p.setPen(QColor(0xdd, 0xea, 0xf6));
    p.drawText(margem, base + QFontMetrics(sub).height(),
               QStringLiteral("Arquivos fiscais do Convênio ICMS 57/95"));
}

} // namespace korventa
