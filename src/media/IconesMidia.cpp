#include "media/IconesMidia.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace korventa {

namespace {

// Folha com o canto dobrado e o zíper de um arquivo compactado, desenhada em 16 e 32 pixels.
void DesenhaFolha(QPainter& p, int t) {
    const qreal u = t / 16.0;
    QPainterPath folha;
    folha.moveTo(2.5 * u, 0.5 * u);
    folha.lineTo(10 * u, 0.5 * u);
    folha.lineTo(13.5 * u, 4 * u);
    folha.lineTo(13.5 * u, 15.5 * u);
    folha.lineTo(2.5 * u, 15.5 * u);
    folha.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), u));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(folha);
    p.setBrush(QColor(215, 215, 205));
    QPainterPath canto;
    canto.moveTo(10 * u, 0.5 * u);
    canto.lineTo(10 * u, 4 * u);
    canto.lineTo(13.5 * u, 4 * u);
    canto.closeSubpath();
    p.drawPath(canto);
    // Zíper: dentes alternados no meio da folha.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 90, 160));
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF((i % 2 ? 7 : 6) * u, (2 + 2 * i) * u, 1.5 * u, 1.5 * u));
    p.setBrush(QColor(200, 150, 40));
    p.drawRect(QRectF(5.5 * u, 12 * u, 3 * u, 2.5 * u));
}

// Círculo verde com o visto branco no canto de baixo.
void DesenhaVisto(QPainter& p, int t) {
    const qreal u = t / 16.0;
    p.setPen(QPen(Qt::white, u));
    p.setBrush(QColor(30, 140, 60));
    p.drawEllipse(QRectF(7.5 * u, 7.5 * u, 8 * u, 8 * u));
    QPen pena(Qt::white, 1.6 * u);
    pena.setCapStyle(Qt::RoundCap);
    pena.setJoinStyle(Qt::RoundJoin);
    p.setPen(pena);
    p.setBrush(Qt::NoBrush);
    QPainterPath visto;
    visto.moveTo(9.5 * u, 11.5 * u);
    visto.lineTo(11 * u, 13 * u);
    visto.lineTo(13.7 * u, 9.8 * u);
    p.drawPath(visto);
}

QIcon Icone(bool transmitida) {
    QIcon icone;
    for (int t : {16, 32}) {
        QPixmap imagem(t, t);
        imagem.fill(Qt::transparent);
        QPainter p(&imagem);
        p.setRenderHint(QPainter::Antialiasing);
        DesenhaFolha(p, t);
        if (transmitida) DesenhaVisto(p, t);
        p.end();
        icone.addPixmap(imagem);
    }
    return icone;
}

} // namespace

QIcon IconeMidia() {
    static const QIcon icone = Icone(false);
    return icone;
}

QIcon IconeMidiaTransmitida() {
    static const QIcon icone = Icone(true);
    return icone;
}

} // namespace korventa
