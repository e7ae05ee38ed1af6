#include "validation/GradeTotalizadores.h"

#include "common/Numeros.h"
#include "common/Texto.h"

#include <QHeaderView>

namespace korventa {

namespace {

constexpr int LinhasGrade = 23;
constexpr int ColunasGrade = 5;

} // namespace

GradeTotalizadores::GradeTotalizadores(QWidget* pai)
    : QTableWidget(LinhasGrade, ColunasGrade, pai) {
    setObjectName(QStringLiteral("GradeTotalizadores"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    horizontalHeader()->setMinimumSectionSize(20);
    const int linha = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(linha);
    verticalHeader()->setDefaultSectionSize(linha);
    // Títulos longos ("Aceitos s/ Advertência") quebram em duas linhas em vez de serem cortados.
    setWordWrap(true);
    setRowHeight(0, 2 * fontMetrics().height() + 6);

    const QStringList titulos{QStringLiteral("Registros"), QStringLiteral("Aceitos s/ Advertência"),
                              QStringLiteral("Aceitos c/ Advertência"),
                              QStringLiteral("Rejeitados"), QStringLiteral("Total")};
    QFont negrito = font();
    negrito.setBold(true);
    const QBrush fundoFixo = palette().brush(QPalette::Button);
    const auto fixa = [&](int r, int c, const QString& texto) {
        auto* item = new QTableWidgetItem(texto);
        item->setFont(negrito);
        item->setBackground(fundoFixo);
        item->setTextAlignment(r == 0 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        setItem(r, c, item);
    };
    for (int c = 0; c < ColunasGrade; ++c)
        fixa(0, c, titulos[c]);
    for (int r = 1; r <= static_cast<int>(TiposRegistro.size()); ++r)
        fixa(r, 0, QStringLiteral("Registro") + NumeroComBrancoInicial(TiposRegistro[r - 1]));
    fixa(LinhasGrade - 1, 0, QStringLiteral("Total"));
    for (int r = 1; r < LinhasGrade; ++r)
        for (int c = 1; c < ColunasGrade; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, c, item);
        }
}

void GradeTotalizadores::preenche(const TabelaTotais& tabela) {
    for (int r = 0; r <= LinhaTotal; ++r)
        for (int c = 0; c <= 3; ++c)
            item(r + 1, c + 1)->setText(tabela[c][r]);
}

void GradeTotalizadores::limpa() {
    for (int r = 1; r < LinhasGrade; ++r)
        for (int c = 1; c < ColunasGrade; ++c)
            item(r, c)->setText(QString());
}

void GradeTotalizadores::ajustaColunas() {
    // Todas as colunas com a mesma largura, menos a dos nomes, que tem o dobro.
    const int largura = viewport()->width();
    const int coluna = qMax(40, largura / (ColunasGrade + 1));
    setColumnWidth(0, largura - coluna * (ColunasGrade - 1));
    for (int c = 1; c < ColunasGrade; ++c)
        setColumnWidth(c, coluna);
}

void GradeTotalizadores::resizeEvent(QResizeEvent* e) {
    QTableWidget::resizeEvent(e);
    ajustaColunas();
}

void GradeTotalizadores::showEvent(QShowEvent* e) {
    QTableWidget::showEvent(e);
    ajustaColunas();
}

} // namespace korventa
