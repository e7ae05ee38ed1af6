#include "validation/PaginaResumo.h"

#include "common/Numeros.h"
#include "common/Texto.h"
#include "common/TotaisCFOP.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "validation/Ajuda.h"
#include "validation/BotaoComAcao.h"
#include "validation/Sessao.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korventa {

namespace {

constexpr int LinhasGrade = 23;
constexpr int ColunasGrade = 5;

QTreeWidget* NovaLista(const QString& nome, const QStringList& colunas, QWidget* pai) {
    auto* lista = new QTreeWidget(pai);
    lista->setObjectName(nome);
    lista->setRootIsDecorated(false);
    lista->setUniformRowHeights(true);
    lista->setColumnCount(colunas.size());
    lista->setHeaderLabels(colunas);
    return lista;
}

} // namespace

PaginaResumo::PaginaResumo(Sessao& s, QWidget* pai) : QWidget(pai), sessao_(s) {
    setObjectName(QStringLiteral("PaginaResumo"));

    labelArquivo_ = new QLabel(this);
    labelArquivo_->setObjectName(QStringLiteral("LabelResumoArquivo"));
    labelResultado_ = new QLabel(this);
    labelResultado_->setObjectName(QStringLiteral("LabelResumoResultado"));
    QFont destaque = labelResultado_->font();
    destaque.setBold(true);
    destaque.setPointSizeF(destaque.pointSizeF() * 1.2);
    labelResultado_->setFont(destaque);

    auto* linhaOpcoes = new QHBoxLayout;
    linhaOpcoes->addWidget(new QLabel(QStringLiteral("Listar:"), this));
    grupo_ = new QButtonGroup(this);
    const std::array<std::pair<const char*, const char*>, 4> textos{{
        {"Vali&dação", "Resumo da Validação"},
        {"Registr&os", "Totais por Registro"},
        {"C&FOP", "Totais por CFOP"},
        {"CFOP &x Reg", "Totais por CFOP e Registro"},
    }};
    for (int i = 0; i < 4; ++i) {
        opcoes_[i] = new QRadioButton(QString::fromUtf8(textos[i].first), this);
        opcoes_[i]->setObjectName(QStringLiteral("OptionListarResumo%1").arg(i));
        opcoes_[i]->setToolTip(QString::fromUtf8(textos[i].second));
        grupo_->addButton(opcoes_[i], i);
        linhaOpcoes->addWidget(opcoes_[i]);
    }
    linhaOpcoes->addStretch();
    connect(grupo_, &QButtonGroup::idClicked, this, &PaginaResumo::OptionListarResumo_Click);

    pilha_ = new QStackedWidget(this);
    grade_ = new QTableWidget(LinhasGrade, ColunasGrade, pilha_);
    grade_->setObjectName(QStringLiteral("GradeTotalizadores"));
    montaGrade();
    listas_[0] = NovaLista(QStringLiteral("ListTotaisRegistro"),
                           {QString(), QString(), QString(), QString(), QString()}, pilha_);
    listas_[0]->header()->hide();
    listas_[1] = NovaLista(QStringLiteral("ListTotaisCFOP"), TitulosTotaisCFOP(), pilha_);
    listas_[2] = NovaLista(QStringLiteral("ListTotaisRegCFOP"), TitulosTotaisRegCFOP(), pilha_);
    pilha_->addWidget(grade_);
    for (auto* l : listas_)
        pilha_->addWidget(l);

    gerarMidia_ = new BotaoComAcao(QStringLiteral("BotaoResumoGerarMidia"),
                                   QStringLiteral("&Gerar Mídia..."), this);
    imprimir_ = new BotaoComAcao(QStringLiteral("BotaoResumoImprimir"),
                                 QStringLiteral("&Imprimir..."), this);
    recibo_ =
        new BotaoComAcao(QStringLiteral("BotaoResumoRecibo"), QStringLiteral("Reci&bo..."), this);
    transmitir_ = new BotaoComAcao(QStringLiteral("BotaoResumoTransmitir"),
                                   QStringLiteral("Tra&nsmitir..."), this);
    auto* ajuda = new QPushButton(QStringLiteral("Ajuda"), this);
    ajuda->setObjectName(QStringLiteral("BotaoResumoAjuda"));
    connect(ajuda, &QPushButton::clicked, this, [this] { Ajuda(sessao_, 3); });

    auto* botoes = new QVBoxLayout;
    for (QPushButton* b :
         {static_cast<QPushButton*>(gerarMidia_), static_cast<QPushButton*>(imprimir_),
          static_cast<QPushButton*>(recibo_), static_cast<QPushButton*>(transmitir_)})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(ajuda);

    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(labelArquivo_);
    esquerda->addWidget(labelResultado_);
    esquerda->addLayout(linhaOpcoes);
    esquerda->addWidget(pilha_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(esquerda, 1);
    layout->addLayout(botoes);

    Limpa();
}

void PaginaResumo::montaGrade() {
    grade_->horizontalHeader()->hide();
    grade_->verticalHeader()->hide();
    grade_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade_->setSelectionMode(QAbstractItemView::NoSelection);
    grade_->setFocusPolicy(Qt::NoFocus);
    grade_->horizontalHeader()->setMinimumSectionSize(20);
    const int linha = grade_->fontMetrics().height() + 4;
    grade_->verticalHeader()->setMinimumSectionSize(linha);
    grade_->verticalHeader()->setDefaultSectionSize(linha);
    // Títulos longos ("Aceitos s/ Advertência") quebram em duas linhas em vez de serem cortados.
    grade_->setWordWrap(true);
    grade_->setRowHeight(0, 2 * grade_->fontMetrics().height() + 6);

    const QStringList titulos{QStringLiteral("Registros"), QStringLiteral("Aceitos s/ Advertência"),
                              QStringLiteral("Aceitos c/ Advertência"),
                              QStringLiteral("Rejeitados"), QStringLiteral("Total")};
    QFont negrito = grade_->font();
    negrito.setBold(true);
    const QBrush fundoFixo = palette().brush(QPalette::Button);
    const auto fixa = [&](int r, int c, const QString& texto) {
        auto* item = new QTableWidgetItem(texto);
        item->setFont(negrito);
        item->setBackground(fundoFixo);
        item->setTextAlignment(r == 0 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        grade_->setItem(r, c, item);
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
            grade_->setItem(r, c, item);
        }
}

void PaginaResumo::ajustaColunas() {
    // Todas as colunas com a mesma largura, menos a dos nomes, que tem o dobro.
    const int largura = grade_->viewport()->width();
    const int coluna = qMax(40, largura / (ColunasGrade + 1));
    grade_->setColumnWidth(0, largura - coluna * (ColunasGrade - 1));
    for (int c = 1; c < ColunasGrade; ++c)
        grade_->setColumnWidth(c, coluna);
}

void PaginaResumo::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ajustaColunas();
}

void PaginaResumo::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    ajustaColunas();
}

void PaginaResumo::Limpa() {
    visivel_ = {};
    mostraVisao(VisaoValidacao);
    for (auto* o : opcoes_)
        o->setEnabled(false);
    for (BotaoComAcao* b : {gerarMidia_, imprimir_, recibo_, transmitir_})
        b->permite(false);
    labelArquivo_->clear();
    labelResultado_->clear();
    for (int r = 1; r < LinhasGrade; ++r)
        for (int c = 1; c < ColunasGrade; ++c)
            grade_->item(r, c)->setText(QString());
}

void PaginaResumo::PreencheGrade(int n) {
    const auto& tabela = sessao_.arquivos[n].totalizadores;
    for (int r = 0; r <= 21; ++r)
        for (int c = 0; c <= 3; ++c)
            grade_->item(r + 1, c + 1)->setText(tabela[c][r]);
}

void PaginaResumo::MostraValidacao(int n) {
    const ArquivoAberto& e = sessao_.arquivos[n];
    labelArquivo_->setText(e.caminho);
    labelResultado_->setText(TextoResultado(e.resultado));
    QPalette cor = labelResultado_->palette();
    cor.setColor(QPalette::WindowText, e.resultado == ResultadoRejeitado
                                           ? QColor(Qt::red)
                                           : palette().color(QPalette::WindowText));
    labelResultado_->setPalette(cor);
    visivel_[VisaoValidacao] = true;
    mostraVisao(visaoAtual());
}

void PaginaResumo::habilitaOpcao(int indice, bool sim) {
    opcoes_[indice]->setEnabled(sim);
}

void PaginaResumo::mostraListasTotais(bool sim) {
    visivel_[VisaoRegistros] = visivel_[VisaoCFOP] = visivel_[VisaoCFOPxReg] = sim;
    mostraVisao(visaoAtual());
}

int PaginaResumo::visaoAtual() const {
    return pilha_->currentIndex();
}

void PaginaResumo::mostraVisao(int indice) {
    pilha_->setCurrentIndex(indice);
    pilha_->setVisible(visivel_[indice]);
}

void PaginaResumo::OptionListarResumo_Click(int indice) {
    if (indice < 0 || indice > 3) return;
    opcoes_[indice]->setChecked(true);
    mostraVisao(indice);
    bool imprime = true;
    if (indice == VisaoCFOP || indice == VisaoCFOPxReg)
        imprime = listas_[indice - 1]->topLevelItemCount() > 0;
    imprimir_->permite(imprime);
}

} // namespace korventa
