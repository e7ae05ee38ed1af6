#include "printing/Emblema.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace korventa {

const QImage& EmblemaRecibo() {
    static const QImage emblema = [] {
        constexpr int Lado = 440;
        QImage img(Lado, Lado, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // As cores da faixa da janela principal.
        QLinearGradient fundo(0, 0, Lado, Lado);
        fundo.setColorAt(0.0, QColor(0x0b, 0x3d, 0x6b));
        fundo.setColorAt(1.0, QColor(0x3f, 0x8f, 0xc9));
        QPainterPath escudo;
        escudo.moveTo(Lado * 0.5, Lado * 0.02);
        escudo.lineTo(Lado * 0.95, Lado * 0.18);
        escudo.cubicTo(Lado * 0.95, Lado * 0.62, Lado * 0.75, Lado * 0.85, Lado * 0.5, Lado * 0.98);
        escudo.cubicTo(Lado * 0.25, Lado * 0.85, Lado * 0.05, Lado * 0.62, Lado * 0.05,
                       Lado * 0.18);
        escudo.closeSubpath();
        p.fillPath(escudo, fundo);
        p.setPen(QPen(QColor(0x0b, 0x3d, 0x6b), Lado * 0.02));
        p.drawPath(escudo);
        QFont letra(QStringLiteral("Arial"));
        letra.setPixelSize(Lado * 55 / 100);
        letra.setBold(true);
        p.setFont(letra);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, Lado * 0.08, Lado, Lado * 0.72), Qt::AlignCenter, QStringLiteral("K"));
        QFont sigla = letra;
        sigla.setPixelSize(Lado * 11 / 100);
        p.setFont(sigla);
        p.drawText(QRectF(0, Lado * 0.66, Lado, Lado * 0.14), Qt::AlignCenter,
                   QStringLiteral("ICMS"));
        return img;
    }();
    return emblema;
}

} // namespace korventa
