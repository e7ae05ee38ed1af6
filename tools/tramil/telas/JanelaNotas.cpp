#include "telas/JanelaNotas.h"

#include "engine/Log.h"
#include "nucleo/DescricaoRegistro.h"
#include "nucleo/Formato.h"
#include "nucleo/ListaNotas.h"
#include "telas/BarraAviso.h"
#include "telas/Comum.h"
#include "telas/FormularioNota.h"
#include "telas/ImpressaoNota.h"
#include "telas/JanelaTexto.h"
#include "telas/Mensagens.h"
#include "telas/ModeloNotas.h"
#include "telas/PainelCampos.h"
#include "telas/Sobre.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tramil {

namespace {

using korventa::Log;

QLineEdit* Campo(const char* nome, const QString& acessivel, const QString& dica) {
    auto* e = ComNome(new QLineEdit, nome, acessivel);
    e->setPlaceholderText(dica);
    ComBotaoLimpar(e);
    return e;
}

} // namespace

JanelaNotas::JanelaNotas(QWidget* pai)
    : QMainWindow(pai), aviso_(new BarraAviso), modelo_(new ModeloNotas(this)),
      formulario_(new FormularioNota), painel_(new PainelCampos), relogio_(new QTimer(this)),
      espera_(new QTimer(this)), vigia_(new QTimer(this)) {
    setObjectName(QStringLiteral("JanelaNotas"));
    setWindowTitle(QStringLiteral("Consulta Nota Fiscal"));
    montaTela();
    montaMenus();
    relogio_->setInterval(100);
    connect(relogio_, &QTimer::timeout, this, &JanelaNotas::acompanha);
    espera_->setSingleShot(true);
    espera_->setInterval(300);
    connect(espera_, &QTimer::timeout, this, &JanelaNotas::aplicaFiltro);
    vigia_->setInterval(2000);
    connect(vigia_, &QTimer::timeout, this, &JanelaNotas::vigia);
    resize(1280, 800);
}

JanelaNotas::~JanelaNotas() {
    fecha();
}

void JanelaNotas::montaTela() {
    auto* central = new QWidget(this);
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(6, 6, 6, 6);
    v->addWidget(aviso_);

    auto* filtros = new QGridLayout;
    editNumero_ =
        Campo("EditNumero", QStringLiteral("Número do documento"), QStringLiteral("número"));
    editCnpj_ =
        Campo("EditCnpj", QStringLiteral("CNPJ ou CPF"), QStringLiteral("CNPJ/CPF ou parte dele"));
    editData_ = Campo("EditData", QStringLiteral("Data"),
                      QStringLiteral("dd/mm/aaaa ou dd/mm/aaaa a dd/mm/aaaa"));
    editCfop_ = Campo("EditCfop", QStringLiteral("CFOP"), QStringLiteral("CFOP ou começo dele"));
    comboSituacao_ =
        ComNome(new QComboBox, "ComboSituacao", QStringLiteral("Situação do documento"));
    comboSituacao_->addItem(QStringLiteral("Todas"), QString());
    for (const auto& [c, t] : std::initializer_list<std::pair<const char*, const char*>>{
             {"N", "N - Normal"},
             {"S", "S - Cancelado"},
             {"E", "E - Extemporâneo"},
             {"X", "X - Extemporâneo cancelado"},
             {"2", "2 - Denegado"},
             {"4", "4 - Inutilizado"}})
        comboSituacao_->addItem(QString::fromUtf8(t), QString::fromLatin1(c));
    comboTipo_ = ComNome(new QComboBox, "ComboTipoDocumento", QStringLiteral("Tipo de documento"));
    comboTipo_->addItem(QStringLiteral("Todos"), -1);
    comboTipo_->addItem(QStringLiteral("Notas fiscais"),
                        static_cast<int>(TipoDocumento::NotaFiscal));
    comboTipo_->addItem(QStringLiteral("Conhecimentos de transporte"),
                        static_cast<int>(TipoDocumento::Transporte));
    comboTipo_->addItem(QStringLiteral("Cupons fiscais (ECF)"),
                        static_cast<int>(TipoDocumento::Cupom));
    opcaoNaoConferem_ =
        ComNome(new QCheckBox(QStringLiteral("Só os que &não conferem")), "OptionNaoConferem",
                QStringLiteral("Só os documentos que não conferem"));
    botaoLimpar_ = ComNome(new QPushButton(QStringLiteral("&Limpar filtro")), "BotaoLimparFiltro",
                           QStringLiteral("Limpar filtro"));
    const auto rotulo = [](const QString& t, QWidget* buddy) {
        auto* l = new QLabel(t);
        l->setBuddy(buddy);
        return l;
    };
    filtros->addWidget(rotulo(QStringLiteral("Nú&mero:"), editNumero_), 0, 0);
    filtros->addWidget(editNumero_, 0, 1);
    filtros->addWidget(rotulo(QStringLiteral("&CNPJ/CPF:"), editCnpj_), 0, 2);
    filtros->addWidget(editCnpj_, 0, 3);
    filtros->addWidget(rotulo(QStringLiteral("&Data:"), editData_), 0, 4);
    filtros->addWidget(editData_, 0, 5);
    filtros->addWidget(rotulo(QStringLiteral("C&FOP:"), editCfop_), 0, 6);
    filtros->addWidget(editCfop_, 0, 7);
    filtros->addWidget(rotulo(QStringLiteral("&Situação:"), comboSituacao_), 1, 0);
    filtros->addWidget(comboSituacao_, 1, 1);
    filtros->addWidget(rotulo(QStringLiteral("&Tipo:"), comboTipo_), 1, 2);
    filtros->addWidget(comboTipo_, 1, 3);
    filtros->addWidget(opcaoNaoConferem_, 1, 4, 1, 2);
    filtros->addWidget(botaoLimpar_, 1, 7, Qt::AlignRight);
    for (int c : {1, 3, 5, 7})
        filtros->setColumnStretch(c, 1);
    v->addLayout(filtros);
    erroFiltro_ = Rotulo("LabelErroFiltro");
    erroFiltro_->setStyleSheet(QStringLiteral("color: #b00000"));
    erroFiltro_->hide();
    v->addWidget(erroFiltro_);

    auto* linhaProgresso = new QHBoxLayout;
    quantidade_ = Rotulo("LabelQuantidade");
    progresso_ = ComNome(new QProgressBar, "ProgressoDocumentos",
                         QStringLiteral("Andamento da leitura dos documentos"));
    progresso_->setRange(0, 1000);
    progresso_->setMaximumWidth(260);
    progresso_->hide();
    linhaProgresso->addWidget(quantidade_, 1);
    linhaProgresso->addWidget(progresso_);
    v->addLayout(linhaProgresso);

    lista_ = ComNome(new QTableView, "ListaNotas", QStringLiteral("Documentos do arquivo"));
    lista_->setModel(modelo_);
    PreparaTabela(lista_);
    const int larguras[] = {90, 50, 45, 110, 80, 130, 35, 95, 110, 100};
    for (int i = 0; i < static_cast<int>(std::size(larguras)); ++i)
        lista_->setColumnWidth(i, larguras[i]);

    registros_ = ComNome(new QTableWidget(0, 2), "TabelaRegistrosNota",
                         QStringLiteral("Registros do documento"));
    registros_->setHorizontalHeaderLabels({QStringLiteral("Linha"), QStringLiteral("Registro")});
    PreparaTabela(registros_);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    registros_->setFont(mono);
    registros_->verticalHeader()->setDefaultSectionSize(QFontMetrics(mono).height() + 4);
    botaoVerNoArquivo_ =
        ComNome(new QPushButton(QStringLiteral("&Ver no arquivo")), "BotaoVerNoArquivo",
                QStringLiteral("Ver o registro no visualizador de arquivo"));
    botaoImprimir_ = ComNome(new QPushButton(QStringLiteral("&Imprimir...")), "BotaoImprimir",
                             QStringLiteral("Imprimir o documento"));
    botaoPdf_ = ComNome(new QPushButton(QStringLiteral("Gravar &PDF...")), "BotaoGravarPdf",
                        QStringLiteral("Gravar o documento em PDF"));

    auto* ladoLista = new QWidget;
    auto* ll = new QVBoxLayout(ladoLista);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->addWidget(lista_);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(botaoImprimir_);
    botoes->addWidget(botaoPdf_);
    botoes->addStretch(1);
    ll->addLayout(botoes);

    auto* ladoRegistros = new QWidget;
    auto* lr = new QVBoxLayout(ladoRegistros);
    lr->setContentsMargins(0, 0, 0, 0);
    auto* cabRegistros = new QHBoxLayout;
    auto* rotuloRegistros = new QLabel(QStringLiteral("&Registros do documento:"));
    rotuloRegistros->setBuddy(registros_);
    cabRegistros->addWidget(rotuloRegistros, 1);
    cabRegistros->addWidget(botaoVerNoArquivo_);
    lr->addLayout(cabRegistros);
    auto* divisaoRegistros = new QSplitter(Qt::Horizontal);
    divisaoRegistros->addWidget(registros_);
    divisaoRegistros->addWidget(painel_);
    divisaoRegistros->setSizes({560, 420});
    lr->addWidget(divisaoRegistros, 1);

    auto* direita = new QSplitter(Qt::Vertical);
    direita->addWidget(formulario_);
    direita->addWidget(ladoRegistros);
    direita->setStretchFactor(0, 3);
    direita->setStretchFactor(1, 1);
    direita->setSizes({520, 220});
    auto* divisao = new QSplitter(Qt::Horizontal);
    divisao->setObjectName(QStringLiteral("DivisaoNotas"));
    divisao->addWidget(ladoLista);
    divisao->addWidget(direita);
    divisao->setSizes({470, 810});
    v->addWidget(divisao, 1);
    setCentralWidget(central);

    // Tab na ordem da tela: filtro, lista, impressão, documento, registros, campos.
    QWidget* ordem[] = {
        editNumero_, editCnpj_,         editData_,          editCfop_,  comboSituacao_,
        comboTipo_,  opcaoNaoConferem_, botaoLimpar_,       lista_,     botaoImprimir_,
        botaoPdf_,   formulario_,       botaoVerNoArquivo_, registros_, painel_->tabela()};
    for (std::size_t i = 1; i < std::size(ordem); ++i)
        QWidget::setTabOrder(ordem[i - 1], ordem[i]);

    for (auto* e : {editNumero_, editCnpj_, editData_, editCfop_})
        connect(e, &QLineEdit::textChanged, espera_, qOverload<>(&QTimer::start));
    for (auto* c : {comboSituacao_, comboTipo_})
        connect(c, &QComboBox::currentIndexChanged, this, &JanelaNotas::aplicaFiltro);
    connect(opcaoNaoConferem_, &QCheckBox::toggled, this, &JanelaNotas::aplicaFiltro);
    connect(botaoLimpar_, &QPushButton::clicked, this, &JanelaNotas::limpaFiltro);
    connect(lista_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { escolhe(i.row()); });
    connect(registros_, &QTableWidget::currentCellChanged, this,
            [this](int l) { registroEscolhido(l); });
    connect(registros_, &QTableWidget::cellActivated, this, [this] { verNoArquivo(); });
    connect(botaoVerNoArquivo_, &QPushButton::clicked, this, &JanelaNotas::verNoArquivo);
    connect(botaoImprimir_, &QPushButton::clicked, this, &JanelaNotas::imprimeComDialogo);
    connect(botaoPdf_, &QPushButton::clicked, this, &JanelaNotas::exportaPdf);
    botaoImprimir_->setEnabled(false);
    botaoPdf_->setEnabled(false);
    botaoVerNoArquivo_->setEnabled(false);
}

void JanelaNotas::montaMenus() {
    auto* arquivo = menuBar()->addMenu(QStringLiteral("&Arquivo"));
    arquivo->addAction(QStringLiteral("&Abrir arquivo..."), QKeySequence::Open, this,
                       &JanelaNotas::perguntaArquivo);
    arquivo->addAction(QStringLiteral("&Imprimir o documento..."), QKeySequence::Print, this,
                       &JanelaNotas::imprimeComDialogo);
    arquivo->addAction(QStringLiteral("Gravar o documento em &PDF..."),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this,
                       &JanelaNotas::exportaPdf);
    arquivo->addSeparator();
    arquivo->addAction(QStringLiteral("&Sair"), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                       &QWidget::close);
    auto* ir = menuBar()->addMenu(QStringLiteral("&Ir"));
    ir->addAction(QStringLiteral("&Lista de documentos"), QKeySequence(Qt::Key_F6), this,
                  [this] { lista_->setFocus(); });
    ir->addAction(QStringLiteral("&Documento"), QKeySequence(Qt::Key_F7), this,
                  [this] { formulario_->setFocus(); });
    ir->addAction(QStringLiteral("&Registros do documento"), QKeySequence(Qt::Key_F8), this,
                  [this] { registros_->setFocus(); });
    ir->addAction(QStringLiteral("&Filtro por número"), QKeySequence::Find, this,
                  [this] { editNumero_->setFocus(); });
    auto* ajuda = menuBar()->addMenu(QStringLiteral("Aj&uda"));
    ajuda->addAction(QStringLiteral("&Sobre o Tramil"), this, [this] { MostraSobre(this); });
}

void JanelaNotas::fecha() {
    relogio_->stop();
    vigia_->stop();
    if (filtro_) filtro_->cancela();
    if (notas_) notas_->cancela();
    if (linhas_) linhas_->cancela();
    modelo_->defineIndice(nullptr);
    filtro_.reset();
    notas_.reset();
    linhas_.reset();
    arquivo_.fecha();
    documento_.reset();
    documentoAtual_ = -1;
    listou_ = false;
    registros_->setRowCount(0);
    painel_->limpa(QString());
    formulario_->limpa(QStringLiteral("Escolha um documento na lista."));
    botaoImprimir_->setEnabled(false);
    botaoPdf_->setEnabled(false);
    botaoVerNoArquivo_->setEnabled(false);
}

bool JanelaNotas::abre(const QString& caminho) {
    fecha();
    aviso_->esconde();
    QString erro;
    if (!arquivo_.abre(caminho, erro)) {
        setWindowTitle(QStringLiteral("Consulta Nota Fiscal"));
        quantidade_->clear();
        Mensagem(this, QMessageBox::Warning, erro);
        return false;
    }
    Log(korventa::LogDetalhe, QStringLiteral("Tramil: Consulta Nota Fiscal ") + caminho);
    setWindowTitle(QStringLiteral("Consulta Nota Fiscal - ") + QFileInfo(caminho).fileName());
    const QString naoConvenio = AvisoNaoConvenio(
        arquivo_,
        QStringLiteral("Só os registros de documentos de tipo conhecido entram na lista."));
    if (!naoConvenio.isEmpty()) aviso_->mostra(naoConvenio);
    linhas_ = std::make_unique<IndiceLinhas>(arquivo_.dados());
    linhas_->iniciaFundo();
    notas_ = std::make_unique<IndiceNotas>(arquivo_.dados());
    notas_->iniciaFundo();
    formulario_->limpa(QStringLiteral("Lendo os documentos do arquivo..."));
    progresso_->setValue(0);
    progresso_->show();
    relogio_->start();
    vigia_->start();
    acompanha();
    return true;
}

bool JanelaNotas::filtrando() const {
    return filtro_ && !filtro_->completa();
}

QString JanelaNotas::textoQuantidade() const {
    return quantidade_->text();
}

QString JanelaNotas::textoAviso() const {
    return aviso_->texto();
}

void JanelaNotas::acompanha() {
    if (!notas_) return;
    bool trabalhando = false;
    if (!notas_->completo()) {
        trabalhando = true;
        progresso_->setValue(static_cast<int>(notas_->progresso() * 1000));
        quantidade_->setText(
            QStringLiteral("Lendo os documentos: %1% (")
                .arg(static_cast<int>(notas_->progresso() * 100)) +
            FormataInteiro(static_cast<std::int64_t>(notas_->documentosAchados())) +
            QStringLiteral(" documentos até agora)"));
    } else if (!listou_ && (linhas_->completo())) {
        listou_ = true;
        progresso_->hide();
        modelo_->defineIndice(notas_.get());
        Log(korventa::LogOperacao, QStringLiteral("Tramil: %1 documentos em %2 registros")
                                       .arg(notas_->documentos().size())
                                       .arg(notas_->registrosLidos()));
        aplicaFiltro();
        if (notas_->documentos().empty())
            formulario_->limpa(
                QStringLiteral("O arquivo não tem notas fiscais (registro 50), conhecimentos "
                               "(registro 70) nem cupons fiscais (registro 60M)."));
        else
            formulario_->limpa(QStringLiteral("Escolha um documento na lista."));
        if (modelo_->rowCount() > 0 && !lista_->currentIndex().isValid()) lista_->selectRow(0);
    } else if (!listou_) {
        trabalhando = true;
    }
    if (filtro_ && listou_) {
        if (!filtro_->completa()) {
            trabalhando = true;
            progresso_->show();
            progresso_->setValue(static_cast<int>(filtro_->progresso() * 1000));
            quantidade_->setText(
                QStringLiteral("Filtrando: %1%").arg(static_cast<int>(filtro_->progresso() * 100)));
        } else if (modelo_->rowCount() != static_cast<int>(filtro_->linhas().tamanho()) ||
                   progresso_->isVisible()) {
            progresso_->hide();
            modelo_->defineFiltro(filtro_);
            const auto n = static_cast<std::int64_t>(filtro_->linhas().tamanho());
            quantidade_->setText(
                FormataInteiro(n) + QStringLiteral(" de ") +
                FormataInteiro(static_cast<std::int64_t>(notas_->documentos().size())) +
                QStringLiteral(" documentos"));
            const int linha = documentoAtual_ >= 0
                                  ? modelo_->linhaDe(static_cast<std::uint32_t>(documentoAtual_))
                                  : -1;
            if (linha >= 0)
                lista_->selectRow(linha);
            else if (n > 0)
                lista_->selectRow(0);
        }
    }
    if (!trabalhando) relogio_->stop();
}

void JanelaNotas::aplicaFiltro() {
    if (!notas_ || !listou_) return;
    FiltroNotas f;
    f.numero = editNumero_->text();
    f.cnpj = editCnpj_->text();
    f.data = editData_->text();
    f.cfop = editCfop_->text();
    const QString s = comboSituacao_->currentData().toString();
    f.situacao = s.isEmpty() ? QChar() : s.at(0);
    f.tipo = comboTipo_->currentData().toInt();
    f.soNaoConferem = opcaoNaoConferem_->isChecked();
    QString erro;
    auto criterio = CriterioNotas::de(f, erro);
    erroFiltro_->setText(erro);
    erroFiltro_->setVisible(!criterio);
    if (!criterio) return;
    if (filtro_) filtro_->cancela();
    filtro_.reset();
    if (criterio->vazio()) {
        modelo_->defineFiltro(nullptr);
        std::int64_t naoConferem = 0;
        for (const auto& d : notas_->documentos())
            naoConferem += NaoConfere(d);
        quantidade_->setText(
            FormataInteiro(static_cast<std::int64_t>(notas_->documentos().size())) +
            QStringLiteral(" documentos, ") + FormataInteiro(naoConferem) +
            QStringLiteral(" não conferem"));
        const int linha = documentoAtual_ >= 0
                              ? modelo_->linhaDe(static_cast<std::uint32_t>(documentoAtual_))
                              : -1;
        if (linha >= 0) lista_->selectRow(linha);
        return;
    }
    Log(korventa::LogOperacao, QStringLiteral("Tramil: filtro de documentos"));
    filtro_ = std::make_shared<Varredura>(notas_->documentos().size() + 1,
                                          TrabalhoFiltroNotas(*notas_, *criterio));
    filtro_->iniciaFundo();
    relogio_->start();
    acompanha();
}

void JanelaNotas::limpaFiltro() {
    for (auto* e : {editNumero_, editCnpj_, editData_, editCfop_})
        e->blockSignals(true), e->clear(), e->blockSignals(false);
    comboSituacao_->blockSignals(true);
    comboSituacao_->setCurrentIndex(0);
    comboSituacao_->blockSignals(false);
    comboTipo_->blockSignals(true);
    comboTipo_->setCurrentIndex(0);
    comboTipo_->blockSignals(false);
    opcaoNaoConferem_->blockSignals(true);
    opcaoNaoConferem_->setChecked(false);
    opcaoNaoConferem_->blockSignals(false);
    aplicaFiltro();
}

void JanelaNotas::escolhe(int linha) {
    if (!notas_ || !listou_ || linha < 0 || linha >= modelo_->rowCount()) return;
    const std::uint32_t doc = modelo_->documento(linha);
    if (lista_->currentIndex().row() != linha) lista_->selectRow(linha);
    if (static_cast<std::int64_t>(doc) != documentoAtual_) mostraDocumento(doc);
}

void JanelaNotas::mostraDocumento(std::uint32_t doc) {
    documentoAtual_ = doc;
    DocumentoNota n = MontaDocumento(*notas_, doc);
    for (auto& r : n.registros)
        r.linha = linhas_->linhaDoDeslocamento(static_cast<std::int64_t>(r.deslocamento)) + 1;
    formulario_->mostra(n);
    registros_->setRowCount(static_cast<int>(n.registros.size()));
    for (std::size_t i = 0; i < n.registros.size(); ++i) {
        auto* linha = new QTableWidgetItem(FormataInteiro(n.registros[i].linha));
        linha->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        registros_->setItem(static_cast<int>(i), 0, linha);
        registros_->setItem(static_cast<int>(i), 1, new QTableWidgetItem(n.registros[i].texto));
    }
    registros_->resizeColumnToContents(0);
    documento_ = std::move(n);
    botaoImprimir_->setEnabled(true);
    botaoPdf_->setEnabled(true);
    botaoVerNoArquivo_->setEnabled(!documento_->registros.empty());
    if (!documento_->registros.empty()) registros_->setCurrentCell(0, 1);
}

void JanelaNotas::registroEscolhido(int linha) {
    if (!documento_ || linha < 0 || linha >= static_cast<int>(documento_->registros.size())) {
        painel_->limpa(QString());
        return;
    }
    const auto& r = documento_->registros[static_cast<std::size_t>(linha)];
    painel_->mostra(DescreveRegistro(notas_->registroEm(r.deslocamento)), -1);
}

void JanelaNotas::verNoArquivo() {
    if (!documento_ || !arquivo_.aberto()) return;
    const int i = std::max(0, registros_->currentRow());
    if (i >= static_cast<int>(documento_->registros.size())) return;
    auto* j = new JanelaTexto;
    j->setAttribute(Qt::WA_DeleteOnClose);
    if (!j->abre(arquivo_.caminho())) {
        delete j;
        return;
    }
    j->show();
    j->vaiParaLinha(documento_->registros[static_cast<std::size_t>(i)].linha);
}

int JanelaNotas::imprime(QPrinter& impressora) {
    if (!documento_) return 0;
    Log(korventa::LogDetalhe, QStringLiteral("Tramil: imprime ") + documento_->titulo);
    return ImprimeNota(impressora, *documento_, QFileInfo(arquivo_.caminho()).fileName());
}

void JanelaNotas::imprimeComDialogo() {
    if (!documento_) return;
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setDocName(documento_->titulo);
    QPrintPreviewDialog previa(&impressora, this);
    previa.setWindowTitle(QStringLiteral("Imprimir: ") + documento_->titulo);
    connect(&previa, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { imprime(*p); });
    previa.exec();
}

bool JanelaNotas::gravaPdf(const QString& caminho, QString& erro) {
    if (!documento_) {
        erro = QStringLiteral("Nenhum documento escolhido.");
        return false;
    }
    // Grava ao lado com outro nome e só no fim troca: um PDF pela metade nunca fica no lugar.
    const QString temporario = caminho + QStringLiteral(".gravando");
    {
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(temporario);
        impressora.setDocName(documento_->titulo);
        if (imprime(impressora) == 0) {
            QFile::remove(temporario);
            erro = QStringLiteral("Não foi possível gravar o arquivo ") + caminho;
            return false;
        }
    }
    if (!QFileInfo::exists(temporario)) {
        erro = QStringLiteral("Não foi possível gravar o arquivo ") + caminho;
        return false;
    }
    QFile::remove(caminho);
    if (!QFile::rename(temporario, caminho)) {
        QFile::remove(temporario);
        erro = QStringLiteral("Não foi possível gravar o arquivo ") + caminho;
        return false;
    }
    return true;
}

void JanelaNotas::exportaPdf() {
    if (!documento_) return;
    QSettings s;
    QString nome = documento_->titulo;
    nome.replace(QRegularExpression(QStringLiteral("[^\\w\\d -]+")), QStringLiteral("_"));
    const QString pasta = s.value(QStringLiteral("PastaPdf"), QDir::homePath()).toString();
    const QString c = QFileDialog::getSaveFileName(
        this, QStringLiteral("Gravar o documento em PDF"),
        QDir(pasta).filePath(nome + QStringLiteral(".pdf")), QStringLiteral("PDF (*.pdf)"));
    if (c.isEmpty()) return;
    s.setValue(QStringLiteral("PastaPdf"), QFileInfo(c).absolutePath());
    QString erro;
    if (!gravaPdf(c, erro)) Mensagem(this, QMessageBox::Warning, erro);
}

void JanelaNotas::perguntaArquivo() {
    const QString c = PerguntaArquivo(this, QStringLiteral("Abrir arquivo Convênio 57/95"));
    if (!c.isEmpty()) abre(c);
}

void JanelaNotas::vigia() {
    if (!aviso_->texto().isEmpty()) return;
    const auto m = ConfereMudanca(arquivo_, QStringLiteral("O que a consulta mostra"));
    if (!m) return;
    Log(korventa::LogErro, QStringLiteral("Tramil: ") + m->texto);
    if (!m->podeReabrir) return aviso_->mostra(m->texto);
    aviso_->mostra(m->texto, QStringLiteral("Reabrir"), [this] { abre(arquivo_.caminho()); });
}

} // namespace tramil
