#include "telas/PainelCampos.h"

#include "telas/Comum.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace tramil {

namespace {

QTableWidgetItem* Celula(const QString& texto, bool direita = false) {
    auto* i = new QTableWidgetItem(texto);
    i->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (direita) i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    i->setToolTip(texto);
    return i;
}

} // namespace

PainelCampos::PainelCampos(QWidget* pai)
    : QWidget(pai), titulo_(new QLabel(this)), aviso_(new QLabel(this)),
      tabela_(new QTableWidget(0, 5, this)) {
    setObjectName(QStringLiteral("PainelCampos"));
    titulo_->setObjectName(QStringLiteral("LabelRegistro"));
    titulo_->setTextFormat(Qt::PlainText);
    titulo_->setWordWrap(true);
    QFont f = titulo_->font();
    f.setBold(true);
    titulo_->setFont(f);
    aviso_->setObjectName(QStringLiteral("LabelAvisoRegistro"));
    aviso_->setTextFormat(Qt::PlainText);
    aviso_->setWordWrap(true);
    aviso_->setStyleSheet(QStringLiteral("color: #b00000"));
    aviso_->hide();

    tabela_->setObjectName(QStringLiteral("TabelaCampos"));
    tabela_->setAccessibleName(QStringLiteral("Campos do registro"));
    mono_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    tabela_->setHorizontalHeaderLabels({QStringLiteral("Nº"), QStringLiteral("Campo"),
                                        QStringLiteral("Posição"), QStringLiteral("Conteúdo"),
                                        QStringLiteral("Significado")});
    PreparaTabela(tabela_);
    tabela_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(titulo_);
    l->addWidget(aviso_);
    l->addWidget(tabela_, 1);

    connect(tabela_, &QTableWidget::currentCellChanged, this, [this](int linha) {
        if (!mudando_ && linha >= 0 && linha < static_cast<int>(inicios_.size()))
            emit campoEscolhido(inicios_[static_cast<std::size_t>(linha)]);
    });
}

QString PainelCampos::titulo() const {
    return titulo_->text();
}

void PainelCampos::limpa(const QString& aviso) {
    mudando_ = true;
    titulo_->setText(aviso);
    aviso_->hide();
    tabela_->setRowCount(0);
    inicios_.clear();
    mudando_ = false;
}

void PainelCampos::mostra(const RegistroExibido& r, int campoAtual) {
    mudando_ = true;
    titulo_->setText(r.titulo);
    aviso_->setText(r.aviso);
    aviso_->setVisible(!r.aviso.isEmpty());
    tabela_->setRowCount(static_cast<int>(r.campos.size()));
    inicios_.clear();
    for (std::size_t i = 0; i < r.campos.size(); ++i) {
        const auto& c = r.campos[i];
        const int k = static_cast<int>(i);
        const QString posicao =
            c.tamanho == 1 ? QString::number(c.inicio)
                           : QStringLiteral("%1-%2").arg(c.inicio).arg(c.inicio + c.tamanho - 1);
        tabela_->setItem(k, 0, Celula(QString::number(c.numero), true));
        tabela_->setItem(k, 1, Celula(c.nome));
        tabela_->setItem(k, 2, Celula(posicao, true));
        auto* conteudo =
            Celula(c.incompleto ? c.conteudo + QStringLiteral(" (incompleto)") : c.conteudo);
        conteudo->setFont(mono_);
        tabela_->setItem(k, 3, conteudo);
        tabela_->setItem(k, 4, Celula(c.significado));
        inicios_.push_back(c.inicio);
    }
    // O significado é o que mais interessa: as outras colunas só com o que precisam.
    for (int c = 0; c < 4; ++c) {
        tabela_->resizeColumnToContents(c);
        tabela_->setColumnWidth(c, std::min(tabela_->columnWidth(c), c == 1 ? 170 : 150));
    }
    mudando_ = false;
    marcaCampo(campoAtual);
}

void PainelCampos::marcaCampo(int campo) {
    mudando_ = true;
    if (campo >= 0 && campo < tabela_->rowCount()) {
        tabela_->setCurrentCell(campo, 1);
        tabela_->scrollToItem(tabela_->item(campo, 1));
    } else {
        tabela_->clearSelection();
        tabela_->setCurrentCell(-1, -1);
    }
    mudando_ = false;
}

} // namespace tramil
