#include "app/Colunas.h"

#include <QHeaderView>
#include <QTableView>
#include <QTreeView>
#include <cmath>

namespace korventa {

namespace {

constexpr double TwipsPorPolegada = 1440.0;

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
    QHeaderView* h = cabecalho(raiz, lista, ppp);
    if (!h) return;
    for (int i = 0; i < twips.size() && i < h->count(); ++i)
        if (twips.at(i) > 0) h->resizeSection(i, TwipsParaPixels(twips.at(i), ppp));
}

void LeLargurasColunas(QWidget* raiz, const QString& lista, QVector<double>& twips) {
    int ppp = 96;
    QHeaderView* h = cabecalho(raiz, lista, ppp);
    if (!h) return;
    twips.resize(h->count());
    for (int i = 0; i < h->count(); ++i)
        twips[i] = PixelsParaTwips(h->sectionSize(i), ppp);
}

} // namespace korventa
