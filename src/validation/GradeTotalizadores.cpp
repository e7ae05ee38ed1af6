#include "validation/GradeTotalizadores.h"

#include "common/Numeros.h"
#include "common/Texto.h"

#include <QHeaderView>

namespace korventa {

namespace {

// Linhas: os 21 tipos de registro e o total.
constexpr int LinhasGrade = 22;
constexpr int ColunasGrade = 5;

} // namespace

GradeTotalizadores::GradeTotalizadores(QWidget* pai)
    : QTableWidget(LinhasGrade, ColunasGrade, pai) {
    setObjectName(QStringLiteral("GradeTotalizadores"));
    setAccessibleName(QStringLiteral("Totais por tipo de registro"));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    // Navegável pelo teclado: o leitor de tela lê célula a célula, com o título da coluna.
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);
    horizontalHeader()->setMinimumSectionSize(20);
    const int linha = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(linha);
    verticalHeader()->setDefaultSectionSize(linha);

    // Os títulos são o cabeçalho da grade (para o leitor de tela, títulos e não dados); os
    // longos ("Aceitos s/ Advertência") quebram em duas linhas em vez de serem cortados.
    setHorizontalHeaderLabels({QStringLiteral("Registros"),
                               QStringLiteral("Aceitos s/ Advertência"),
                               QStringLiteral("Aceitos c/ Advertência"),
                               QStringLiteral("Rejeitados"), QStringLiteral("Total")});
    QHeaderView* cabecalho = horizontalHeader();
    cabecalho->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    cabecalho->setSectionResizeMode(QHeaderView::Fixed);
    cabecalho->setFixedHeight(2 * fontMetrics().lineSpacing() + 10);
    QFont negrito = font();
    negrito.setBold(true);
    cabecalho->setFont(negrito);

    const QBrush fundoFixo = palette().brush(QPalette::Button);
    const auto fixa = [&](int r, const QString& texto) {
        auto* item = new QTableWidgetItem(texto);
        item->setFont(negrito);
        item->setBackground(fundoFixo);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setItem(r, 0, item);
    };
    for (int r = 0; r < static_cast<int>(TiposRegistro.size()); ++r)
        fixa(r, QStringLiteral("Registro") + NumeroComBrancoInicial(TiposRegistro[r]));
    fixa(LinhasGrade - 1, QStringLiteral("Total"));
    for (int r = 0; r < LinhasGrade; ++r)
        for (int c = 1; c < ColunasGrade; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, c, item);
        }
}

void GradeTotalizadores::preenche(const TabelaTotais& tabela) {
    for (int r = 0; r <= LinhaTotal; ++r)
        for (int c = 0; c <= 3; ++c)
            item(r, c + 1)->setText(tabela[c][r]);
}

void GradeTotalizadores::limpa() {
    for (int r = 0; r < LinhasGrade; ++r)
        for (int c = 1; c < ColunasGrade; ++c)
            item(r, c)->setText(QString());
}

int GradeTotalizadores::alturaInteira() const {
    return horizontalHeader()->height() + LinhasGrade * rowHeight(0) + 2 * frameWidth();
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
