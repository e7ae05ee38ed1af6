#include "validation/PaginaValidar.h"

#include "common/Caminhos.h"
#include "common/Formatos.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/Acessivel.h"
#include "platform/Nomeado.h"
#include "platform/Plataforma.h"
#include "validation/Ajuda.h"
#include "validation/Arquivos.h"
#include "validation/ArquivosTrabalho.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"
#include "validation/Recentes.h"
#include "validation/Sessao.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korventa {

namespace {

enum Rotulo10 {
    R10_CGC,
    R10_Inscricao,
    R10_RazaoSocial,
    R10_Municipio,
    R10_UF,
    R10_FAX,
    R10_InicioPeriodo,
    R10_FimPeriodo,
    R10_IdentConvenio,
    R10_NaturezaOps,
    R10_Finalidade
};

constexpr std::array<const char*, 11> NomesRotulos10 = {
    "Label_R10_CGC",           "Label_R10_Inscricao",  "Label_R10_RazaoSocial",
    "Label_R10_Municipio",     "Label_R10_UF",         "Label_R10_FAX",
    "Label_R10_InicioPeriodo", "Label_R10_FimPeriodo", "Label_R10_IdentConvenio",
    "Label_R10_NaturezaOps",   "Label_R10_Finalidade"};

enum ColunaAbertos { ColArquivo, ColUF, ColCNPJ, ColPeriodo, ColFinalidade };

} // namespace

PaginaValidar::PaginaValidar(Sessao& s, PaginaResumo& resumo, PaginaResumoArquivos& resumoArquivos,
                             QWidget* pai)
    : QWidget(pai), sessao_(s), resumo_(resumo), resumoArquivos_(resumoArquivos) {
    setObjectName(QStringLiteral("PaginaValidar"));

    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("ComboArquivo"));
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setModel(&s.arquivosRecentes);
    // Caminhos que diferem só na caixa são arquivos diferentes: nem o completar nem a escolha
    // pelo texto podem trocar um pelo outro.
    combo_->completer()->setCaseSensitivity(Qt::CaseSensitive);
    combo_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    combo_->setMinimumContentsLength(30);
    combo_->setAccessibleName(QStringLiteral("Arquivo"));
    combo_->lineEdit()->setAccessibleName(QStringLiteral("Arquivo"));
    browse_ = Nomeado<QPushButton>(QStringLiteral("BrowseArquivo"), QStringLiteral("&..."), this);
    browse_->setToolTip(QStringLiteral("Procurar o(s) arquivo(s)"));
    browse_->setAccessibleName(QStringLiteral("Procurar o(s) arquivo(s)"));
    browse_->setFixedWidth(browse_->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    carregar_ =
        Nomeado<QPushButton>(QStringLiteral("BotaoCarregar"), QStringLiteral("A&brir"), this);
    carregar_->setEnabled(false);
    auto* rotuloArquivo = new QLabel(QStringLiteral("Arquiv&o:"), this);
    rotuloArquivo->setBuddy(combo_);

    validar_ =
        Nomeado<QPushButton>(QStringLiteral("BotaoValidar"), QStringLiteral("Vali&dar >>"), this);
    info_ = Nomeado<QPushButton>(QStringLiteral("BotaoValidarInfo"),
                                 QStringLiteral("&Informações..."), this);
    visualizar_ = new BotaoComAcao(QStringLiteral("BotaoValidarVisualizar"),
                                   QStringLiteral("Visuali&zar..."), this);
    notasFiscais_ = new BotaoComAcao(QStringLiteral("BotaoValidarNotasFiscais"),
                                     QStringLiteral("&Notas Fiscais..."), this);
    auto* ajuda =
        Nomeado<QPushButton>(QStringLiteral("BotaoValidarAjuda"), QStringLiteral("&Ajuda"), this);

    frame10_ = new QGroupBox(QStringLiteral(" Registro 10 "), this);
    frame10_->setObjectName(QStringLiteral("FrameRegistro10"));
    montaFrameRegistro10();

    lista_ = new QTreeWidget(this);
    lista_->setObjectName(QStringLiteral("ListaArquivosAbertos"));
    lista_->setAccessibleName(QStringLiteral("Arquivos abertos"));
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    lista_->setHeaderLabels({QStringLiteral("Arquivo Aberto"), QStringLiteral("UF"),
                             QStringLiteral("CNPJ"), QStringLiteral("Período"),
                             QStringLiteral("Finalidade")});
    const QFontMetrics medida = lista_->fontMetrics();
    lista_->setColumnWidth(ColArquivo, 200);
    lista_->setColumnWidth(ColUF, medida.horizontalAdvance(QStringLiteral("UFW")) + 12);
    lista_->setColumnWidth(ColCNPJ,
                           medida.horizontalAdvance(QStringLiteral("00.000.000/0000-00")) + 16);
    lista_->setColumnWidth(
        ColPeriodo, medida.horizontalAdvance(QStringLiteral("00/00/0000 até 00/00/0000")) + 16);

    labelResultado_ = new QLabel(this);
    labelResultado_->setObjectName(QStringLiteral("LabelResultadoValidacao"));
    labelResultado_->setTextFormat(Qt::PlainText);
    QFont negrito = labelResultado_->font();
    negrito.setBold(true);
    labelResultado_->setFont(negrito);

    auto* linhaArquivo = new QHBoxLayout;
    linhaArquivo->addWidget(rotuloArquivo);
    linhaArquivo->addWidget(combo_, 1);
    linhaArquivo->addWidget(browse_);
    linhaArquivo->addWidget(carregar_);
    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(linhaArquivo);
    esquerda->addWidget(frame10_);
    esquerda->addWidget(lista_, 1);
    esquerda->addStretch();
    esquerda->addWidget(labelResultado_);
    auto* botoes = new QVBoxLayout;
    for (QPushButton* b : {validar_, info_, static_cast<QPushButton*>(visualizar_),
                           static_cast<QPushButton*>(notasFiscais_)})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(ajuda);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(esquerda, 1);
    layout->addLayout(botoes);

    connect(browse_, &QPushButton::clicked, this, &PaginaValidar::BrowseArquivo_Click);
    connect(carregar_, &QPushButton::clicked, this, &PaginaValidar::BotaoCarregar_Click);
    connect(combo_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!combo_->currentText().isEmpty()) BotaoCarregar_Click();
    });
    // Qualquer mudança do texto fecha o arquivo aberto: digitada, colada, escolhida na lista ou
    // posta por um leitor de tela. As do próprio programa não contam.
    connect(combo_, &QComboBox::editTextChanged, this, [this](const QString&) {
        if (!textoPeloPrograma_ && !sessao_.carregando) ComboArquivo_Change();
    });
    connect(combo_, &QComboBox::activated, this, [this](int) { ComboArquivo_Change(); });
    connect(validar_, &QPushButton::clicked, this, &PaginaValidar::BotaoValidar_Click);
    connect(info_, &QPushButton::clicked, this, &PaginaValidar::BotaoValidarInfo_Click);
    connect(lista_, &QTreeWidget::itemSelectionChanged, this, &PaginaValidar::atualizaBotaoInfo);
    connect(lista_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { BotaoValidarInfo_Click(); });
    connect(ajuda, &QPushButton::clicked, this,
            [this] { Ajuda(sessao_, sessao_.variosArquivos() ? 102 : 2); });

    // De cima para baixo, primeiro a coluna da esquerda (o arquivo e a lista), depois a dos
    // botões.
    OrdemTab(
        {combo_, browse_, carregar_, lista_, validar_, info_, visualizar_, notasFiscais_, ajuda});
    FecharArquivo();
}

void PaginaValidar::montaFrameRegistro10() {
    // Legenda de cada valor, na ordem de NomesRotulos10.
    constexpr std::array<const char*, 11> legendas = {
        "CNPJ:",    "Inscricão:", "Razão social:",       "Município:",        "UF:",        "FAX:",
        "Período:", "até",        "Ident. do convênio:", "Natureza das op.:", "Finalidade:"};
    std::array<QLabel*, 11> rotulos{};
    for (size_t i = 0; i < valores10_.size(); ++i) {
        rotulos[i] = new QLabel(QString::fromUtf8(legendas[i]), frame10_);
        rotulos[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* valor = NovoRotuloValor(QString::fromLatin1(NomesRotulos10[i]), rotulos[i], frame10_);
        valor->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        valor->setMinimumHeight(valor->fontMetrics().height() + 6);
        valores10_[i] = valor;
    }
    auto* g = new QGridLayout(frame10_);
    const auto rotulo = [&rotulos](Rotulo10 r) { return rotulos[r]; };
    // Colunas: rótulo, valor, rótulo, valor, rótulo, valor.
    g->addWidget(rotulo(R10_CGC), 0, 0);
    g->addWidget(valores10_[R10_CGC], 0, 1);
    g->addWidget(rotulo(R10_Inscricao), 0, 2);
    g->addWidget(valores10_[R10_Inscricao], 0, 3, 1, 3);
    g->addWidget(rotulo(R10_RazaoSocial), 1, 0);
    g->addWidget(valores10_[R10_RazaoSocial], 1, 1, 1, 5);
    g->addWidget(rotulo(R10_Municipio), 2, 0);
    g->addWidget(valores10_[R10_Municipio], 2, 1);
    g->addWidget(rotulo(R10_UF), 2, 2);
    g->addWidget(valores10_[R10_UF], 2, 3);
    g->addWidget(rotulo(R10_FAX), 2, 4);
    g->addWidget(valores10_[R10_FAX], 2, 5);
    g->addWidget(rotulo(R10_InicioPeriodo), 3, 0);
    g->addWidget(valores10_[R10_InicioPeriodo], 3, 1);
    g->addWidget(rotulo(R10_FimPeriodo), 3, 2);
    g->addWidget(valores10_[R10_FimPeriodo], 3, 3, 1, 3);
    g->addWidget(rotulo(R10_IdentConvenio), 4, 0);
    g->addWidget(valores10_[R10_IdentConvenio], 4, 1, 1, 5);
    g->addWidget(rotulo(R10_NaturezaOps), 5, 0);
    g->addWidget(valores10_[R10_NaturezaOps], 5, 1, 1, 5);
    g->addWidget(rotulo(R10_Finalidade), 6, 0);
    g->addWidget(valores10_[R10_Finalidade], 6, 1, 1, 5);
    g->setColumnStretch(1, 3);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 2);
}

void PaginaValidar::aviso(const QString& texto) {
    if (sessao_.avisoCriticas) sessao_.avisoCriticas(texto);
}

void PaginaValidar::mostraCabecalho(const ArquivoAberto& e) {
    const std::array<QString, 11> textos = {
        FormataCNPJ(e.cnpj), e.inscricaoEstadual, e.razaoSocial, e.municipio, e.uf,        e.fax,
        e.dataInicial,       e.dataFinal,         e.convenio,    e.natureza,  e.finalidade};
    for (size_t i = 0; i < valores10_.size(); ++i)
        valores10_[i]->setText(textos[i]);
    aviso(QStringLiteral("Arquivo ainda não validado!"));
    labelResultado_->setText(QStringLiteral("Arquivo ainda não validado!"));
    if (sessao_.tituloDetalheCriticas)
        sessao_.tituloDetalheCriticas(QStringLiteral(" Arquivo ") + e.caminho +
                                      QStringLiteral(" "));
    frame10_->show();
    Log(LogOperacao, QStringLiteral("Labels da interface atualizados."));
}

void PaginaValidar::limpaCabecalho() {
    for (QLabel* l : valores10_)
        l->clear();
}

void PaginaValidar::AbrirArquivo(const QString& caminho, bool lote, int indice) {
    Log(LogOperacao, QStringLiteral("AbrirArquivo..."));
    Plataforma& p = sessao_.plataforma;
    p.cursorOcupado(true);
    ArquivoAberto& e = sessao_.arquivos[indice];
    if (!CarregaEntrada(e, caminho)) {
        p.cursorOcupado(false);
        return;
    }
    if (!lote) {
        const QScopedValueRollback programa(textoPeloPrograma_, true);
        IncluiArquivoRecente(sessao_, caminho);
        // O combo fica na linha do arquivo aberto: com outra linha escolhida ele "escolheria" o
        // texto ao perder o foco, o que fecharia o arquivo que acabou de abrir.
        combo_->setCurrentIndex(int(sessao_.arquivosRecentes.stringList().indexOf(caminho)));
    }
    Log(LogOperacao, QStringLiteral("Incluiu na lista de recentes."));
    if (!lote) mostraCabecalho(e);

    const QString convenio = VerificaConvenio(e);
    if (!convenio.isEmpty()) {
        p.cursorOcupado(false);
        e.mensagem = convenio;
        Log(LogDetalhe, convenio);
        return;
    }
    carregar_->setEnabled(false);
    validar_->setEnabled(true);
    visualizar_->permite(true);
    notasFiscais_->permite(true);
    validar_->setFocus();
    p.cursorOcupado(false);
    Log(LogOperacao, QStringLiteral("Fim AbrirArquivo."));
}

void PaginaValidar::FecharArquivo() {
    Log(LogOperacao, QStringLiteral("FecharArquivo..."));
    validar_->setEnabled(false);
    visualizar_->permite(false);
    notasFiscais_->permite(false);
    info_->hide();
    ApagaArquivosTrabalho(sessao_);
    sessao_.arquivos = QVector<ArquivoAberto>(1);
    sessao_.temCriticas = false;
    limpaCabecalho();
    validar_->setText(QStringLiteral("Vali&dar >>"));
    labelResultado_->setText(QStringLiteral("Nenhum arquivo aberto!"));
    aviso(QStringLiteral("Nenhum arquivo aberto!"));
    resumo_.Limpa();
    resumoArquivos_.Limpa();
    if (sessao_.limpaCriticas) sessao_.limpaCriticas();
    frame10_->hide();
    lista_->clear();
    lista_->hide();
    Log(LogOperacao, QStringLiteral("Fim FecharArquivo."));
}

void PaginaValidar::adicionaLinhaLote(int i) {
    const ArquivoAberto& e = sessao_.arquivos[i];
    auto* item = new QTreeWidgetItem(lista_);
    item->setText(ColArquivo, NomeDoArquivo(e.caminho));
    item->setData(ColArquivo, Qt::UserRole, i);
    if (e.mensagem.isEmpty()) {
        item->setText(ColUF, e.uf);
        item->setText(ColCNPJ, FormataCNPJ(e.cnpj));
        item->setText(ColPeriodo, e.dataInicial + QStringLiteral(" até ") + e.dataFinal);
        item->setText(ColFinalidade, e.finalidade);
    } else {
        item->setText(ColCNPJ, QStringLiteral("Arquivo inválido!"));
        item->setForeground(ColCNPJ, QBrush(Qt::red));
    }
}

void PaginaValidar::BrowseArquivo_Click() {
    Log(LogOperacao, QStringLiteral("BotaoArquivo_Click..."));
    DialogoArquivo d;
    d.titulo = QStringLiteral("Indique o(s) documento(s) para validar...");
    d.filtro = QStringLiteral("Documentos KORVENTA (*.txt)|*.txt|Todos os tipos (*.*)|*.*");
    d.pastaInicial = sessao_.cfg.pathConvenio;
    d.varios = true;
    const std::optional<QStringList> escolha = sessao_.plataforma.abrirArquivos(d);
    if (!escolha || escolha->isEmpty()) {
        Log(LogOperacao, QStringLiteral("Cancelou BotaoArquivo_Click..."));
        return;
    }
    AbrirEscolhidos(*escolha);
    Log(LogOperacao, QStringLiteral("Fim BotaoArquivo_Click."));
}

void PaginaValidar::AbrirEscolhidos(const QStringList& arquivos) {
    if (arquivos.isEmpty()) return;
    FecharArquivo();
    if (arquivos.size() == 1) {
        const QString& caminho = arquivos.first();
        sessao_.cfg.pathConvenio = PastaDoArquivo(caminho);
        defineTextoCombo(caminho);
        AbrirArquivo(caminho, false, 0);
        if (!sessao_.arquivos[0].mensagem.isEmpty())
            sessao_.plataforma.mensagem(sessao_.arquivos[0].mensagem, Icone::Critico);
    } else {
        lista_->clear();
        const QString pasta = PastaDoArquivo(arquivos.first());
        sessao_.cfg.pathConvenio = pasta;
        defineTextoCombo(JuntaCaminho(pasta, QStringLiteral("...")));
        sessao_.arquivos = QVector<ArquivoAberto>(arquivos.size());
        for (int i = 0; i < arquivos.size(); ++i) {
            AbrirArquivo(arquivos[i], true, i);
            adicionaLinhaLote(i);
            sessao_.arquivos[i].resultado = ResultadoNaoValidadoLote;
        }
        lista_->show();
        visualizar_->permite(true);
        notasFiscais_->permite(true);
        info_->show();
        atualizaBotaoInfo();
        validar_->setText(QStringLiteral("Vali&dar Todos"));
        aviso(QStringLiteral("Arquivos ainda não validados!"));
        // Com vários arquivos abertos "Nenhum arquivo aberto!" seria falso.
        labelResultado_->setText(QStringLiteral("Arquivos ainda não validados!"));
        resumoArquivos_.defineTitulo(QStringLiteral("Arquivos ainda não validados!"));
    }
}

void PaginaValidar::defineTextoCombo(const QString& texto) {
    const QScopedValueRollback programa(textoPeloPrograma_, true);
    combo_->setEditText(texto);
}

void PaginaValidar::BotaoCarregar_Click() {
    FecharArquivo();
    AbrirArquivo(combo_->currentText(), false, 0);
    if (!sessao_.arquivos[0].mensagem.isEmpty())
        sessao_.plataforma.mensagem(sessao_.arquivos[0].mensagem, Icone::Critico);
}

void PaginaValidar::ComboArquivo_Change() {
    carregar_->setEnabled(!combo_->currentText().isEmpty());
    FecharArquivo();
}

void PaginaValidar::AoMostrar() {
    if (combo_->currentText().isEmpty()) carregar_->setEnabled(false);
}

int PaginaValidar::entradaSelecionada() const {
    if (!sessao_.variosArquivos()) return 0;
    const QTreeWidgetItem* item = lista_->currentItem();
    if (!item || !item->isSelected()) return -1;
    return item->data(ColArquivo, Qt::UserRole).toInt();
}

void PaginaValidar::atualizaBotaoInfo() {
    const int n = entradaSelecionada();
    bool habilita = false;
    if (n >= 0 && n < sessao_.arquivos.size()) {
        const ArquivoAberto& e = sessao_.arquivos[n];
        const bool recusado = e.resultado == ResultadoNaoValidadoLote && !e.mensagem.isEmpty();
        habilita = recusado || acaoInfo_;
    }
    info_->setEnabled(habilita);
}

void PaginaValidar::BotaoValidarInfo_Click() {
    const int n = entradaSelecionada();
    if (n < 0 || n >= sessao_.arquivos.size()) return;
    const ArquivoAberto& e = sessao_.arquivos[n];
    if (e.resultado == ResultadoNaoValidadoLote && !e.mensagem.isEmpty()) {
        sessao_.plataforma.mensagem(e.mensagem, Icone::Critico);
        return;
    }
    if (acaoInfo_ && VerificaDataHoraArquivo(sessao_, n, true)) acaoInfo_(n);
}

void PaginaValidar::defineAcaoVisualizar(std::function<void()> acao) {
    visualizar_->defineAcao(std::move(acao));
}

void PaginaValidar::defineAcaoNotasFiscais(std::function<void()> acao) {
    notasFiscais_->defineAcao(std::move(acao));
}

void PaginaValidar::defineAcaoInfo(std::function<void(int)> acao) {
    acaoInfo_ = std::move(acao);
    atualizaBotaoInfo();
}

} // namespace korventa
