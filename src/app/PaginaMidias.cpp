#include "app/PaginaMidias.h"

#include "common/Caminhos.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "media/ComandosMidia.h"
#include "media/EstadoMidias.h"
#include "media/ListagemMidias.h"
#include "media/SelecionaPasta.h"
#include "platform/Acessivel.h"
#include "platform/Nomeado.h"
#include "platform/Plataforma.h"
#include "validation/Recentes.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cerrno>

namespace korventa {

namespace {

enum { ColNome = 0, ColProtocolo = 1 };

} // namespace

PaginaMidias::PaginaMidias(Sessao& sessao, EstadoMidias& estado, QWidget* pai)
    : QWidget(pai), sessao_(sessao), estado_(estado), comboPasta_(new QComboBox(this)),
      botaoListar_(Nomeado<QPushButton>(QStringLiteral("BotaoMidiasListar"),
                                        QStringLiteral("&Listar"), this)),
      botaoBrowse_(
          Nomeado<QPushButton>(QStringLiteral("BotaoMidiasBrowse"), QStringLiteral("&..."), this)),
      lista_(new QTreeWidget(this)), labelNumero_(new QLabel(this)),
      textProcurar_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("PaginaMidias"));
    comboPasta_->setObjectName(QStringLiteral("ComboPastaMidias"));
    comboPasta_->setEditable(true);
    comboPasta_->lineEdit()->setAccessibleName(QStringLiteral("Pasta para listagem das mídias"));
    comboPasta_->setInsertPolicy(QComboBox::NoInsert);
    comboPasta_->setModel(&sessao_.pastasMidiaRecentes);
    comboPasta_->setAccessibleName(QStringLiteral("Pasta para listagem das mídias"));
    botaoBrowse_->setAccessibleName(QStringLiteral("Escolher a pasta das mídias"));
    botaoBrowse_->setToolTip(QStringLiteral("Escolher a pasta das mídias"));
    botaoBrowse_->setFixedWidth(
        botaoBrowse_->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    lista_->setObjectName(QStringLiteral("ListaMidias"));
    lista_->setAccessibleName(QStringLiteral("Mídias da pasta"));
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    lista_->setIconSize(QSize(16, 16));
    // As larguras das colunas são guardadas: a última não estica até a borda.
    lista_->header()->setStretchLastSection(false);
    lista_->setHeaderLabels({QStringLiteral("Nome da Mídia"), QStringLiteral("Protocolo Korventa"),
                             QStringLiteral("Protocolo QIV"), QStringLiteral("Destino")});
    labelNumero_->setObjectName(QStringLiteral("LabelNumeroMidias"));
    labelNumero_->setTextFormat(Qt::PlainText);
    labelNumero_->setAccessibleName(QStringLiteral("Mídias listadas"));
    textProcurar_->setObjectName(QStringLiteral("TextProcurarMidia"));
    textProcurar_->setAccessibleName(QStringLiteral("Protocolo Korventa a procurar"));
    textProcurar_->setMaxLength(10);
    textProcurar_->setMaximumWidth(120);

    botoesDaMidia_ = {
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasInfo"), QStringLiteral("&Informações..."),
                             this),
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasRecibo"), QStringLiteral("Reci&bo"), this),
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasTransmitir"), QStringLiteral("Tra&nsmitir"),
                             this),
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasRemover"), QStringLiteral("Rem&over"),
                             this)};
    auto* ajuda =
        Nomeado<QPushButton>(QStringLiteral("BotaoMidiasAjuda"), QStringLiteral("&Ajuda"), this);

    auto* legendaPasta = new QLabel(QStringLiteral("&Pasta para listagem das mídias:"), this);
    legendaPasta->setBuddy(comboPasta_);
    auto* linhaPasta = new QHBoxLayout;
    linhaPasta->addWidget(comboPasta_, 1);
    linhaPasta->addWidget(botaoBrowse_);
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
            [this](const QString& t) { botaoListar_->setEnabled(!listando() && !t.isEmpty()); });
    connect(comboPasta_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (botaoListar_->isEnabled()) BotaoMidiasListar_Click();
    });
    connect(botaoListar_, &QPushButton::clicked, this, &PaginaMidias::BotaoMidiasListar_Click);
    connect(botaoBrowse_, &QPushButton::clicked, this, &PaginaMidias::BotaoMidiasBrowse_Click);
    connect(lista_, &QTreeWidget::itemSelectionChanged, this, &PaginaMidias::atualizaBotoesDaMidia);
    connect(lista_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (!listando()) BotaoMidiasInfo_Click();
    });
    connect(textProcurar_, &QLineEdit::textChanged, this, &PaginaMidias::TextProcurarMidia_Change);
    connect(botoesDaMidia_[0], &QPushButton::clicked, this, &PaginaMidias::BotaoMidiasInfo_Click);
    connect(botoesDaMidia_[1], &QPushButton::clicked, this, &PaginaMidias::BotaoMidiasRecibo_Click);
    connect(botoesDaMidia_[2], &QPushButton::clicked, this,
            &PaginaMidias::BotaoMidiasTransmitir_Click);
    connect(botoesDaMidia_[3], &QPushButton::clicked, this,
            &PaginaMidias::BotaoMidiasRemover_Click);
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

QString PaginaMidias::midiaSelecionada() const {
    const QList<QTreeWidgetItem*> selecionados = lista_->selectedItems();
    if (selecionados.isEmpty()) return QString();
    return JuntaCaminho(pastaListada_, selecionados.first()->text(ColNome));
}

void PaginaMidias::atualizaBotoesDaMidia() {
    // Durante a listagem as linhas ainda chegam: os comandos esperam o fim.
    const bool sim = !listando() && !lista_->selectedItems().isEmpty();
    for (QPushButton* b : botoesDaMidia_)
        b->setEnabled(sim);
    // O recibo só existe com a impressão ligada.
    botoesDaMidia_[1]->setEnabled(sim && static_cast<bool>(estado_.imprimeRecibo));
}

void PaginaMidias::habilitaDuranteListagem(bool sim) {
    comboPasta_->setEnabled(sim);
    botaoBrowse_->setEnabled(sim);
    botaoListar_->setEnabled(sim && !comboPasta_->currentText().isEmpty());
}

void PaginaMidias::cancelaListagem() {
    if (listagem_) listagem_->cancela();
}

void PaginaMidias::BotaoMidiasListar_Click() {
    if (listando()) return;
    const QString pasta = PastaParaListar(comboPasta_->currentText());
    if (pasta.isEmpty()) return;
    Log(LogOperacao, QStringLiteral("BotaoMidiasListar_Click..."));
    Plataforma& p = sessao_.plataforma;
    p.cursorOcupado(true);
    limpaLista();
    pastaListada_ = pasta;
    estado_.carregaRecibos();

    ListagemMidias listagem(p, estado_.recibos);
    listagem_ = &listagem;
    habilitaDuranteListagem(false);
    const FimListagem fim = listagem.lista(pasta, [this](const QVector<LinhaMidia>& linhas) {
        AcrescentaLinhasMidias(lista_, linhas);
        labelNumero_->setText(QString::number(lista_->topLevelItemCount()));
    });
    listagem_ = nullptr;
    habilitaDuranteListagem(true);
    p.cursorOcupado(false);

    labelNumero_->setText(QString::number(lista_->topLevelItemCount()));
    if (fim.pastaSumiu) {
        Log(LogErro, QStringLiteral("Erro na listagem de midias em: ") + pasta);
        p.mensagem(QStringLiteral("Erro7 %1 listando %2\rPasta não encontrada\r fonte: %3")
                       .arg(ENOENT)
                       .arg(pasta, QString::fromLatin1(TituloPrograma)),
                   Icone::Exclamacao);
    }
    if (lista_->topLevelItemCount() > 0) IncluiPastaMidiaRecente(sessao_, pasta);
    lista_->clearSelection();
    atualizaBotoesDaMidia();
    textProcurar_->setEnabled(true);
    textProcurar_->setFocus();
    Log(LogOperacao, QStringLiteral("Fim BotaoMidiasListar_Click."));
}

void PaginaMidias::BotaoMidiasBrowse_Click() {
    if (listando()) return;
    const QString pasta = SelecionaPasta(sessao_.plataforma, comboPasta_->currentText(),
                                         QStringLiteral("Selecione a pasta das mídias..."));
    if (pasta.isEmpty()) return;
    comboPasta_->setEditText(pasta);
    BotaoMidiasListar_Click();
}

void PaginaMidias::TextProcurarMidia_Change(const QString& texto) {
    if (texto.size() < 10 || listando()) return;
    for (int i = 0; i < lista_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lista_->topLevelItem(i);
        if (item->text(ColProtocolo) != texto) continue;
        lista_->setCurrentItem(item);
        lista_->scrollToItem(item);
        textProcurar_->clear();
        atualizaBotoesDaMidia();
        BotaoMidiasInfo_Click();
        return;
    }
    sessao_.plataforma.mensagem(QStringLiteral("Nenhum arquivo de mídia foi encontrado com o "
                                               "protocolo ") +
                                    texto + QLatin1Char('.'),
                                Icone::Exclamacao);
    textProcurar_->selectAll();
}

void PaginaMidias::BotaoMidiasRemover_Click() {
    QTreeWidgetItem* item = lista_->currentItem();
    const QString caminho = midiaSelecionada();
    if (!item || caminho.isEmpty()) return;
    if (sessao_.plataforma.mensagem(QStringLiteral("Você tem certeza que deseja remover o arquivo "
                                                   "de mídia\r") +
                                        caminho + QLatin1Char('?'),
                                    Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return;
    QFile arquivo(caminho);
    // A linha só sai quando o arquivo saiu do disco (ou já não estava lá).
    if (!arquivo.remove() && arquivo.exists()) {
        sessao_.plataforma.mensagem(QStringLiteral("Não foi possível remover o arquivo ") +
                                        caminho + QStringLiteral(":\r") + arquivo.errorString(),
                                    Icone::Exclamacao);
        return;
    }
    if (caminho == estado_.caminhoUltima) AbreMidiaSelecionada(sessao_, estado_, QString());
    delete item;
    lista_->clearSelection();
    labelNumero_->setText(QString::number(lista_->topLevelItemCount()));
    atualizaBotoesDaMidia();
}

void PaginaMidias::BotaoMidiasInfo_Click() {
    Log(LogOperacao, QStringLiteral("BotaoMidiasInfo_Click..."));
    if (!AbreMidiaSelecionada(sessao_, estado_, midiaSelecionada())) return;
    if (estado_.mostraInfo) estado_.mostraInfo(estado_.midia);
}

void PaginaMidias::BotaoMidiasRecibo_Click() {
    korventa::BotaoMidiasRecibo_Click(sessao_, estado_, midiaSelecionada());
}

void PaginaMidias::BotaoMidiasTransmitir_Click() {
    korventa::BotaoMidiasTransmitir_Click(sessao_, estado_, midiaSelecionada());
}

} // namespace korventa
