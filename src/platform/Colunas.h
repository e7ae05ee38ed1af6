// Larguras das colunas das listas, guardadas em twips nas configurações.
#pragma once

#include <QString>
#include <QVector>

class QHeaderView;
class QWidget;

namespace korventa {

// 1440 twips por polegada; a tela informa os pontos por polegada.
int TwipsParaPixels(double twips, int pontosPorPolegada);
double PixelsParaTwips(int pixels, int pontosPorPolegada);

// Aplica as larguras à lista (QTreeView ou QTableView) de nome `lista` dentro de `raiz`, se ela
// existir. Sem a lista, nada acontece.
void AplicaLargurasColunas(QWidget* raiz, const QString& lista, const QVector<double>& twips);

// O mesmo sobre o cabeçalho de uma lista, com os pontos por polegada da tela dela.
void AplicaLarguras(QHeaderView* cabecalho, const QVector<double>& twips, int pontosPorPolegada);
void LeLarguras(QHeaderView* cabecalho, QVector<double>& twips, int pontosPorPolegada);

// Lê de volta as larguras atuais da lista, se ela existir; senão mantém as que estão em `twips`.
void LeLargurasColunas(QWidget* raiz, const QString& lista, QVector<double>& twips);

} // namespace korventa
