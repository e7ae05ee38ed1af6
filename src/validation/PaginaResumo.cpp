#include "validation/PaginaResumo.h"

#include "common/Numeros.h"
#include "common/Texto.h"
#include "common/TotaisCFOP.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/Acessivel.h"
#include "platform/Nomeado.h"
#include "validation/Ajuda.h"
#include "validation/BotaoComAcao.h"
#include "validation/GradeTotalizadores.h"
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

QTreeWidget* NovaLista(const QString& nome, const QString& nomeAcessivel,
                       const QStringList& colunas, QWidget* pai) {
    auto* lista = new QTreeWidget(pai);
    lista->setObjectName(nome);
    lista->setAccessibleName(nomeAcessivel);
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
    labelArquivo_->setTextFormat(Qt::PlainText); // caminho: "<b>" é parte do nome
    labelArquivo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelResultado_ = new QLabel(this);
    labelResultado_->setTextFormat(Qt::PlainText);
    labelResultado_->setObjectName(QStringLiteral("LabelResumoResultado"));
    QFont destaque = labelResultado_->font();
    destaque.setBold(true);
    destaque.setPointSizeF(destaque.pointSizeF() * 1.2);
    labelResultado_->setFont(destaque);

    auto* linhaOpcoes = new QHBoxLayout;
    linhaOpcoes->addWidget(new QLabel(QStringLiteral("Listar:"), this));
    grupo_ = new QButtonGroup(this);
    grupo_->setObjectName(QStringLiteral("OptionListarResumo"));
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
        opcoes_[i]->setAccessibleDescription(QString::fromUtf8(textos[i].second));
        grupo_->addButton(opcoes_[i], i);
        linhaOpcoes->addWidget(opcoes_[i]);
    }
    linhaOpcoes->addStretch();
    // A vista acompanha a opção marcada, venha a marca do mouse, das setas ou do leitor de tela.
    connect(grupo_, &QButtonGroup::idToggled, this, [this](int indice, bool marcada) {
        if (marcada) trocaVisao(indice);
    });

    pilha_ = new QStackedWidget(this);
    grade_ = new GradeTotalizadores(pilha_);
    listas_[0] =
        NovaLista(QStringLiteral("ListTotaisRegistro"), QStringLiteral("Totais por Registro"),
                  {QString(), QString(), QString(), QString(), QString()}, pilha_);
    listas_[0]->header()->hide();
    listas_[1] = NovaLista(QStringLiteral("ListTotaisCFOP"), QStringLiteral("Totais por CFOP"),
                           TitulosTotaisCFOP(), pilha_);
    listas_[2] = NovaLista(QStringLiteral("ListTotaisRegCFOP"),
                           QStringLiteral("Totais por CFOP e Registro"), TitulosTotaisRegCFOP(),
                           pilha_);
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
    auto* ajuda =
        Nomeado<QPushButton>(QStringLiteral("BotaoResumoAjuda"), QStringLiteral("&Ajuda"), this);
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

    OrdemTab({opcoes_[0], opcoes_[1], opcoes_[2], opcoes_[3], grade_, listas_[0], listas_[1],
              listas_[2], gerarMidia_, imprimir_, recibo_, transmitir_, ajuda});
    Limpa();
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
    grade_->limpa();
}

void PaginaResumo::PreencheGrade(int n) {
    grade_->preenche(sessao_.arquivos[n].totalizadores);
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
    // Marcar a opção troca a vista (toggled); já marcada, a troca roda assim mesmo.
    if (opcoes_[indice]->isChecked())
        trocaVisao(indice);
    else
        opcoes_[indice]->setChecked(true);
}

void PaginaResumo::trocaVisao(int indice) {
    mostraVisao(indice);
    bool imprime = true;
    if (indice == VisaoCFOP || indice == VisaoCFOPxReg)
        imprime = listas_[indice - 1]->topLevelItemCount() > 0;
    imprimir_->permite(imprime);
}

} // namespace korventa
