#include "app/PaginaMidias.h"

#include "platform/Acessivel.h"
#include "platform/Nomeado.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korventa {

PaginaMidias::PaginaMidias(Sessao& sessao, QWidget* pai)
    : QWidget(pai), sessao_(sessao), comboPasta_(new QComboBox(this)),
      botaoListar_(Nomeado<QPushButton>(QStringLiteral("BotaoMidiasListar"), QStringLiteral("&Listar"), this)),
      lista_(new QTreeWidget(this)), labelNumero_(new QLabel(this)),
      textProcurar_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("PaginaMidias"));
    comboPasta_->setObjectName(QStringLiteral("ComboPastaMidias"));
    comboPasta_->setAccessibleName(QStringLiteral("Pasta para listagem das mídias"));
    comboPasta_->setEditable(true);
    comboPasta_->lineEdit()->setAccessibleName(QStringLiteral("Pasta para listagem das mídias"));
    comboPasta_->setInsertPolicy(QComboBox::NoInsert);
    comboPasta_->setModel(&sessao_.pastasMidiaRecentes);
    lista_->setObjectName(QStringLiteral("ListaMidias"));
    lista_->setAccessibleName(QStringLiteral("Mídias"));
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    // As larguras das colunas são guardadas: a última não estica até a borda.
    lista_->header()->setStretchLastSection(false);
    lista_->setHeaderLabels({QStringLiteral("Nome da Mídia"), QStringLiteral("Protocolo Korventa"),
                             QStringLiteral("Protocolo QIV"), QStringLiteral("Destino")});
    labelNumero_->setObjectName(QStringLiteral("LabelNumeroMidias"));
    textProcurar_->setObjectName(QStringLiteral("TextProcurarMidia"));
    textProcurar_->setMaxLength(10);
    textProcurar_->setMaximumWidth(120);

    botoesDaMidia_ = {
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasInfo"), QStringLiteral("&Informações..."), this),
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasRecibo"), QStringLiteral("Reci&bo"), this),
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasTransmitir"), QStringLiteral("Tra&nsmitir"), this),
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasRemover"), QStringLiteral("Rem&over"), this)};
    auto* ajuda = Nomeado<QPushButton>(QStringLiteral("BotaoMidiasAjuda"), QStringLiteral("&Ajuda"), this);

    auto* legendaPasta = new QLabel(QStringLiteral("&Pasta para listagem das mídias:"), this);
    legendaPasta->setBuddy(comboPasta_);
    auto* linhaPasta = new QHBoxLayout;
    linhaPasta->addWidget(comboPasta_, 1);
    linhaPasta->addWidget(botaoListar_);

    auto* legendaProcurar = new QLabel(QStringLiteral("Protocolo &Korventa:"), this);
    legendaProcurar->setObjectName(QStringLiteral("LabelProcurarMidia"));
    legendaProcurar->setBuddy(textProcurar_);
    auto* linhaBaixo = new QHBoxLayout;
    auto* legendaNumero = new QLabel(QStringLiteral("Mídias listadas:"), this);
    LigaLegenda(labelNumero_, legendaNumero);
    linhaBaixo->addWidget(legendaNumero);
    linhaBaixo->addWidget(labelNumero_);
    linhaBaixo->addStretch(1);
    linhaBaixo->addWidget(legendaProcurar);
    linhaBaixo->addWidget(textProcurar_);

    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : botoesDaMidia_)
        botoes->addWidget(b);
    botoes->addStretch(1);
    botoes->addWidget(ajuda);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(legendaPasta);
    layout->addLayout(linhaPasta);
    layout->addWidget(lista_, 1);
    layout->addLayout(linhaBaixo);
    layout->addLayout(botoes);

    connect(comboPasta_, &QComboBox::editTextChanged, this,
            [this](const QString& t) { botaoListar_->setEnabled(!t.isEmpty()); });
    connect(ajuda, &QPushButton::clicked, this, [this] {
        if (sessao_.ajuda) sessao_.ajuda(5);
    });
}

void PaginaMidias::preenche() {
    if (comboPasta_->currentText().isEmpty()) botaoListar_->setEnabled(false);
    limpaLista();
}

void PaginaMidias::limpaLista() {
    lista_->clear();
    for (QPushButton* b : botoesDaMidia_)
        b->setEnabled(false);
    labelNumero_->clear();
    textProcurar_->clear();
    textProcurar_->setEnabled(false);
}

void PaginaMidias::aplicaConfiguracoes() {
    comboPasta_->setEditText(sessao_.cfg.ultimaPastaMidia);
}

void PaginaMidias::guardaConfiguracoes() {
    sessao_.cfg.ultimaPastaMidia = comboPasta_->currentText();
}

} // namespace korventa
