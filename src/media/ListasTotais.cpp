#include "media/ListasTotais.h"

#include "media/TotaisCFOPRegistro.h"
#include "validation/ArquivoAberto.h"
#include "validation/PaginaResumo.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace korventa {

namespace {

// Linhas de textos, colunas de valores à direita; a partir de primeiraValor.
void Preenche(QTreeWidget* lista, const QVector<QStringList>& linhas, int primeiraValor) {
    lista->clear();
    QList<QTreeWidgetItem*> itens;
    itens.reserve(linhas.size());
    for (const QStringList& l : linhas) {
        auto* item = new QTreeWidgetItem(l);
        for (int c = primeiraValor; c < l.size(); ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        itens << item;
    }
    lista->addTopLevelItems(itens);
    lista->header()->resizeSections(QHeaderView::ResizeToContents);
}

} // namespace

void PreencheListaTotaisRegistro(QTreeWidget* lista, const QStringList& totais) {
    lista->clear();
    QFont negrito = lista->font();
    negrito.setBold(true);
    for (const LinhaTotaisRegistro& l : LinhasTotaisPorRegistro(totais)) {
        auto* item = new QTreeWidgetItem(lista);
        for (int c = 0; c < 5; ++c) {
            item->setText(c, l.textos[c]);
            if (l.titulo) item->setFont(c, negrito);
            if (c > 0) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    // Sem esticar a última coluna: o título dela ("Desp.Acessórias") fica junto dos outros, não
    // na borda direita da lista.
    lista->header()->setStretchLastSection(false);
    lista->header()->resizeSections(QHeaderView::ResizeToContents);
}

void PreencheListaTotaisCFOP(QTreeWidget* lista, const QStringList& totais) {
    Preenche(lista, LinhasTotaisPorCFOP(totais), 1);
}

void PreencheListaTotaisRegCFOP(QTreeWidget* lista, const QStringList& totais) {
    Preenche(lista, LinhasTotaisRegCFOP(totais), 2);
}

void PreencheTotaisResumo(PaginaResumo& resumo, ArquivoAberto& e) {
    CalculaSomas(e);
    PreencheListaTotaisRegistro(resumo.listTotaisRegistro(), e.totaisCFOP);
    PreencheListaTotaisRegCFOP(resumo.listTotaisRegCFOP(), e.totaisCFOP);
    PreencheListaTotaisCFOP(resumo.listTotaisCFOP(), e.totaisCFOP);
}

} // namespace korventa
