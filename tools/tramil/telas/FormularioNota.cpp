#include "telas/FormularioNota.h"

#include "telas/Comum.h"
#include "telas/Cores.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tramil {

namespace {

QLabel* Texto(const QString& t, QWidget* pai, bool negrito = false) {
    auto* l = new QLabel(t, pai);
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setWordWrap(true);
    if (negrito) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

// Pares rótulo: valor em `colunas` colunas.
QGroupBox* Pares(const QString& titulo, const std::vector<Par>& pares, int colunas, QWidget* pai,
                 bool valoresDireita = false) {
    auto* g = new QGroupBox(titulo, pai);
    g->setAccessibleName(titulo);
    auto* grade = new QGridLayout(g);
    grade->setHorizontalSpacing(12);
    for (std::size_t i = 0; i < pares.size(); ++i) {
        const int linha = static_cast<int>(i) / colunas, col = static_cast<int>(i) % colunas * 2;
        auto* rotulo = Texto(pares[i].first + QLatin1Char(':'), g);
        rotulo->setStyleSheet(QStringLiteral("color: palette(placeholder-text)"));
        auto* valor = Texto(pares[i].second, g, true);
        valor->setAccessibleName(pares[i].first + QStringLiteral(": ") + pares[i].second);
        if (valoresDireita) valor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grade->addWidget(rotulo, linha, col, Qt::AlignTop);
        grade->addWidget(valor, linha, col + 1, Qt::AlignTop);
        grade->setColumnStretch(col + 1, 1);
    }
    return g;
}

QGroupBox* TabelaNaTela(const Tabela& t, QWidget* pai) {
    auto* g = new QGroupBox(t.titulo, pai);
    g->setAccessibleName(t.titulo);
    auto* l = new QVBoxLayout(g);
    auto* w =
        new QTableWidget(static_cast<int>(t.linhas.size()), static_cast<int>(t.colunas.size()), g);
    w->setObjectName(QStringLiteral("TabelaNota"));
    w->setAccessibleName(t.titulo);
    w->setHorizontalHeaderLabels(t.colunas);
    PreparaTabela(w);
    w->horizontalHeader()->setStretchLastSection(false);
    const int altura = w->verticalHeader()->defaultSectionSize();
    for (std::size_t r = 0; r < t.linhas.size(); ++r) {
        const bool marcada = t.marcada[r];
        for (std::size_t c = 0; c < static_cast<std::size_t>(t.colunas.size()); ++c) {
            auto* item = new QTableWidgetItem(t.linhas[r].value(static_cast<qsizetype>(c)));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (t.numerica[c]) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (marcada) {
                item->setForeground(CorNaoConfere());
                item->setToolTip(QStringLiteral("Não confere"));
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            w->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    w->resizeColumnsToContents();
    // A tabela mostra até 12 linhas; mais que isso rola dentro dela.
    const int linhas = std::min<int>(12, static_cast<int>(t.linhas.size()));
    w->setMinimumHeight(w->horizontalHeader()->sizeHint().height() + linhas * altura + 4 +
                        w->horizontalScrollBar()->sizeHint().height());
    w->setMaximumHeight(w->minimumHeight());
    l->addWidget(w);
    return g;
}

} // namespace

FormularioNota::FormularioNota(QWidget* pai) : QScrollArea(pai) {
    setObjectName(QStringLiteral("FormularioNota"));
    setAccessibleName(QStringLiteral("Documento"));
    setWidgetResizable(true);
    limpa(QStringLiteral("Escolha um documento na lista."));
}

QWidget* FormularioNota::novoConteudo() {
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("ConteudoNota"));
    layout_ = new QVBoxLayout(w);
    setWidget(w); // a anterior é destruída
    return w;
}

void FormularioNota::limpa(const QString& aviso) {
    auto* w = novoConteudo();
    auto* l = Texto(aviso, w);
    l->setObjectName(QStringLiteral("LabelAvisoNota"));
    layout_->addWidget(l);
    layout_->addStretch(1);
    w->show(); // a área já está à mostra: o conteúdo novo precisa ser mostrado
}

void FormularioNota::mostra(const DocumentoNota& n) {
    auto* w = novoConteudo();
    auto* titulo = Texto(n.titulo, w, true);
    titulo->setObjectName(QStringLiteral("LabelTituloNota"));
    QFont f = titulo->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    titulo->setFont(f);
    layout_->addWidget(titulo);
    const bool ok = n.confere();
    auto* geral =
        Texto(ok ? QStringLiteral("✔ As somas conferem.")
                 : QStringLiteral("✘ Há somas que não conferem: veja a conferência abaixo."),
              w, true);
    geral->setObjectName(QStringLiteral("LabelConferenciaGeral"));
    geral->setStyleSheet(
        QStringLiteral("color: %1").arg((ok ? CorConfere() : CorNaoConfere()).name()));
    layout_->addWidget(geral);

    layout_->addWidget(Pares(QStringLiteral("Dados do documento"), n.dados, 3, w));
    auto* partes = new QHBoxLayout;
    for (const auto& p : n.participantes)
        partes->addWidget(Pares(p.papel, p.dados, 1, w));
    layout_->addLayout(partes);
    for (const auto& t : n.tabelas)
        layout_->addWidget(TabelaNaTela(t, w));
    layout_->addWidget(Pares(QStringLiteral("Totais"), n.totais, 3, w, true));

    auto* conf = new QGroupBox(QStringLiteral("Conferência das somas"), w);
    conf->setObjectName(QStringLiteral("GrupoConferencia"));
    conf->setAccessibleName(QStringLiteral("Conferência das somas"));
    auto* lc = new QVBoxLayout(conf);
    if (n.conferencias.empty())
        lc->addWidget(Texto(QStringLiteral("Não há somas a conferir neste documento."), conf));
    for (const auto& c : n.conferencias) {
        auto* l = Texto((c.confere ? QStringLiteral("✔ ") : QStringLiteral("✘ ")) + c.descricao +
                            QStringLiteral(": ") + c.detalhe,
                        conf, !c.confere);
        l->setStyleSheet(
            QStringLiteral("color: %1").arg((c.confere ? CorConfere() : CorNaoConfere()).name()));
        lc->addWidget(l);
    }
    layout_->addWidget(conf);
    layout_->addStretch(1);
    w->show();
}

QStringList FormularioNota::textos() const {
    QStringList t;
    if (!widget()) return t;
    for (QObject* o : widget()->findChildren<QObject*>()) {
        if (auto* l = qobject_cast<QLabel*>(o))
            t << l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(o))
            t << g->title();
        else if (auto* tab = qobject_cast<QTableWidget*>(o))
            for (int r = 0; r < tab->rowCount(); ++r)
                for (int c = 0; c < tab->columnCount(); ++c)
                    if (tab->item(r, c)) t << tab->item(r, c)->text();
    }
    return t;
}

} // namespace tramil
