#include "platform/Colunas.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>
#include <cmath>

namespace korventa {

namespace {

constexpr double TwipsPorPolegada = 1440.0;
constexpr int MargemTitulo = 8; // pixels de cada lado do título no cabeçalho

QHeaderView* cabecalho(QWidget* raiz, const QString& lista, int& ppp) {
    if (!raiz) return nullptr;
    if (auto* arvore = raiz->findChild<QTreeView*>(lista)) {
        ppp = arvore->logicalDpiX();
        return arvore->header();
    }
    if (auto* tabela = raiz->findChild<QTableView*>(lista)) {
        ppp = tabela->logicalDpiX();
        return tabela->horizontalHeader();
    }
    return nullptr;
}

} // namespace

int TwipsParaPixels(double twips, int pontosPorPolegada) {
    return int(std::lround(twips * pontosPorPolegada / TwipsPorPolegada));
}

double PixelsParaTwips(int pixels, int pontosPorPolegada) {
    return pontosPorPolegada > 0 ? std::round(pixels * TwipsPorPolegada / pontosPorPolegada) : 0.0;
}

void AplicaLargurasColunas(QWidget* raiz, const QString& lista, const QVector<double>& twips) {
    int ppp = 96;
    if (QHeaderView* h = cabecalho(raiz, lista, ppp)) AplicaLarguras(h, twips, ppp);
}

void AplicaLarguras(QHeaderView* h, const QVector<double>& twips, int ppp) {
    const QFontMetrics fm(h->font());
    for (int i = 0; i < twips.size() && i < h->count(); ++i) {
        if (twips.at(i) <= 0) continue;
        // Nunca mais estreita que o título da coluna na fonte desta máquina.
        const QString titulo = h->model()->headerData(i, Qt::Horizontal).toString();
        const int minimo = fm.horizontalAdvance(titulo) + 2 * MargemTitulo;
        h->resizeSection(i, qMax(TwipsParaPixels(twips.at(i), ppp), minimo));
    }
}

void LeLargurasColunas(QWidget* raiz, const QString& lista, QVector<double>& twips) {
    int ppp = 96;
    if (QHeaderView* h = cabecalho(raiz, lista, ppp)) LeLarguras(h, twips, ppp);
}

void LeLarguras(QHeaderView* h, QVector<double>& twips, int ppp) {
    const qsizetype antes = twips.size();
    twips.resize(h->count());
    for (int i = 0; i < h->count(); ++i) {
        // Largura que não mudou na tela fica com o valor lido, sem o arredondamento de pixels.
        if (i < antes && TwipsParaPixels(twips.at(i), ppp) == h->sectionSize(i)) continue;
        twips[i] = PixelsParaTwips(h->sectionSize(i), ppp);
    }
}

} // namespace korventa
