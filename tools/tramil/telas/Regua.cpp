#include "telas/Regua.h"

#include "telas/Cores.h"
#include "telas/VisaoArquivo.h"

#include <QPainter>
#include <QScrollBar>

namespace tramil {

Regua::Regua(VisaoArquivo* visao) : QWidget(visao), visao_(visao) {
    setObjectName(QStringLiteral("ReguaColunas"));
    setAccessibleName(QStringLiteral("Régua de colunas"));
}

int Regua::alturaDesejada() const {
    return 2 * QFontMetrics(font()).height() + 8;
}

void Regua::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.window());
    const QFontMetrics m(font());
    const int cw = visao_->larguraCaractere_;
    const int margem = visao_->larguraMargem();
    const int meio = m.height() + 4; // linha entre números e campos
    const int primeira = visao_->horizontalScrollBar()->value();
    const int colunas = (width() - margem) / cw + 2;

    p.setClipRect(QRect(margem, 0, width() - margem, height()));
    // Campos do registro sob o cursor.
    const auto& r = visao_->registroCursor();
    for (std::size_t i = 0; i < r.campos.size(); ++i) {
        const auto& c = r.campos[i];
        const QRect caixa(visao_->xDaColuna(c.inicio - 1), meio + 1, c.tamanho * cw,
                          height() - meio - 2);
        const bool atual = static_cast<int>(i) == visao_->campoCursor();
        p.fillRect(caixa, atual ? CorCampoCursor()
                                : (i % 2 ? pal.color(QPalette::AlternateBase)
                                         : pal.color(QPalette::Base)));
        p.setPen(pal.color(QPalette::Mid));
        p.drawRect(caixa.adjusted(0, 0, -1, -1));
        p.setPen(atual ? QColor(Qt::black) : pal.color(QPalette::WindowText));
        p.drawText(caixa.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   m.elidedText(c.nome, Qt::ElideRight, std::max(0, caixa.width() - 4)));
    }
    // Números das colunas, de 1 em diante, a cada 10; marcas a cada 5 e a cada uma.
    p.setPen(pal.color(QPalette::WindowText));
    for (int k = 0; k < colunas; ++k) {
        const int coluna = primeira + k + 1; // de 1
        const int x = visao_->xDaColuna(coluna - 1);
        const int alto = coluna % 10 == 0 ? 6 : coluna % 5 == 0 ? 4 : 2;
        p.drawLine(x + cw / 2, meio - alto, x + cw / 2, meio);
        if (coluna % 10 == 0 || coluna == 1) {
            const QString t = QString::number(coluna);
            const int largura = m.horizontalAdvance(t);
            p.drawText(x + cw / 2 - largura / 2, m.ascent() + 1, t);
        }
    }
    p.setClipping(false);
    p.setPen(pal.color(QPalette::PlaceholderText));
    p.drawText(QRect(0, 0, margem, meio), Qt::AlignCenter, QStringLiteral("col."));
    p.drawText(QRect(0, meio, margem, height() - meio), Qt::AlignCenter, QStringLiteral("campo"));
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace tramil
