#include "validation/PaginaResumoArquivos.h"

#include "common/Caminhos.h"
#include "platform/Acessivel.h"
#include "platform/Nomeado.h"
#include "validation/Ajuda.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"
#include "validation/Sessao.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korventa {

PaginaResumoArquivos::PaginaResumoArquivos(Sessao& s, QWidget* pai) : QWidget(pai), sessao_(s) {
    setObjectName(QStringLiteral("PaginaResumoArquivos"));
    titulo_ = new QLabel(this);
    titulo_->setObjectName(QStringLiteral("LabelResultadoValidacoes"));
    QFont negrito = titulo_->font();
    negrito.setBold(true);
    titulo_->setFont(negrito);

    lista_ = new QTreeWidget(this);
    lista_->setObjectName(QStringLiteral("ListaResumoValidacao"));
    lista_->setAccessibleName(QStringLiteral("Resultado da Validação dos Arquivos"));
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    lista_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lista_->setHeaderLabels({QStringLiteral("Arquivo Validado"),
                             QStringLiteral("Resultado da Validação"),
                             QStringLiteral("Arquivo de Mídia")});
    lista_->header()->setSectionResizeMode(QHeaderView::Interactive);
    lista_->header()->setStretchLastSection(true);
    lista_->setColumnWidth(ColunaArquivo, 240);
    lista_->setColumnWidth(ColunaResultado, 200);
    connect(lista_, &QTreeWidget::itemSelectionChanged, this,
            &PaginaResumoArquivos::AtualizaBotoes);
    connect(lista_, &QTreeWidget::itemDoubleClicked, this,
            &PaginaResumoArquivos::ListaResumoValidacao_DblClick);

    labelPath_ = new QLabel(this);
    labelPath_->setObjectName(QStringLiteral("LabelPathMidiasGeradas"));
    labelPath_->setWordWrap(true);
    labelPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    info_ = new BotaoComAcao(QStringLiteral("BotaoResumoXInfo"), QStringLiteral("&Informações..."),
                             this);
    gerarMidias_ = new BotaoComAcao(QStringLiteral("BotaoResumoXGerarMidias"),
                                    QStringLiteral("&Gerar Mídias..."), this);
    recibos_ = new BotaoComAcao(QStringLiteral("BotaoResumoXRecibos"),
                                QStringLiteral("Reci&bos..."), this);
    transmitir_ = new BotaoComAcao(QStringLiteral("BotaoResumoXTransmitir"),
                                   QStringLiteral("Tra&nsmitir..."), this);
    auto* ajuda =
        Nomeado<QPushButton>(QStringLiteral("BotaoResumoXAjuda"), QStringLiteral("&Ajuda"), this);
    connect(ajuda, &QPushButton::clicked, this, [this] { Ajuda(sessao_, 103); });

    auto* botoes = new QVBoxLayout;
    for (QPushButton* b :
         {static_cast<QPushButton*>(info_), static_cast<QPushButton*>(gerarMidias_),
          static_cast<QPushButton*>(recibos_), static_cast<QPushButton*>(transmitir_)})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(ajuda);
    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(titulo_);
    esquerda->addWidget(lista_, 1);
    esquerda->addWidget(labelPath_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(esquerda, 1);
    layout->addLayout(botoes);
    RotulosEmTextoSimples(this); // caminhos das mídias

    OrdemTab({lista_, info_, gerarMidias_, recibos_, transmitir_, ajuda});
    Limpa();
}

void PaginaResumoArquivos::Limpa() {
    lista_->clear();
    lista_->hide();
    for (BotaoComAcao* b : {info_, gerarMidias_, recibos_, transmitir_})
        b->permite(false);
    titulo_->clear();
    labelPath_->clear();
}

void PaginaResumoArquivos::defineTitulo(const QString& texto) {
    titulo_->setText(texto);
}

void PaginaResumoArquivos::mostraLista() {
    lista_->show();
}

int PaginaResumoArquivos::entradaDaLinha(const QTreeWidgetItem* item) {
    return item ? item->data(ColunaArquivo, Qt::UserRole).toInt() : -1;
}

int PaginaResumoArquivos::entradaSelecionada() const {
    for (int i = 0; i < lista_->topLevelItemCount(); ++i)
        if (lista_->topLevelItem(i)->isSelected()) return entradaDaLinha(lista_->topLevelItem(i));
    return -1;
}

QVector<int> PaginaResumoArquivos::entradasSelecionadas() const {
    QVector<int> entradas;
    for (int i = 0; i < lista_->topLevelItemCount(); ++i)
        if (lista_->topLevelItem(i)->isSelected())
            entradas << entradaDaLinha(lista_->topLevelItem(i));
    return entradas;
}

QTreeWidgetItem* PaginaResumoArquivos::linha(int n) {
    for (int i = 0; i < lista_->topLevelItemCount(); ++i)
        if (entradaDaLinha(lista_->topLevelItem(i)) == n) return lista_->topLevelItem(i);
    auto* item = new QTreeWidgetItem(lista_);
    item->setText(ColunaArquivo, NomeDoArquivo(sessao_.arquivos[n].caminho));
    item->setData(ColunaArquivo, Qt::UserRole, n);
    return item;
}

void PaginaResumoArquivos::escreve(int n, Coluna coluna, const QString& texto, bool vermelho) {
    QTreeWidgetItem* item = linha(n);
    item->setText(coluna, texto);
    // Sem vermelho a cor volta a ser a da lista (e acompanha o estado dela, habilitada ou não).
    item->setData(coluna, Qt::ForegroundRole, vermelho ? QVariant(QBrush(Qt::red)) : QVariant());
}

void PaginaResumoArquivos::AtualizaBotoes() {
    const QList<QTreeWidgetItem*> selecionadas = lista_->selectedItems();
    bool todasComMidia = true;
    for (const QTreeWidgetItem* item : selecionadas) {
        const int n = entradaDaLinha(item);
        if (n < 0 || n >= sessao_.arquivos.size() || sessao_.arquivos[n].caminhoMidia.isEmpty())
            todasComMidia = false;
    }
    const auto quantas = selecionadas.size();
    recibos_->permite(quantas >= 1 && todasComMidia);
    transmitir_->permite(quantas == 1 && todasComMidia);
    info_->permite(quantas == 1);
}

void PaginaResumoArquivos::ListaResumoValidacao_DblClick() {
    if (info_->isEnabled()) info_->click();
}

void PaginaResumoArquivos::habilitaGerarMidias(bool sim) {
    gerarMidias_->permite(sim);
}

} // namespace korventa
