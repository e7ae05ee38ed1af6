#include "critiques/PaginaCriticas.h"

#include "common/Caminhos.h"
#include "critiques/CaixaRegistro.h"
#include "critiques/DetalheCritica.h"
#include "critiques/DlgSetupCriticas.h"
#include "critiques/ExportaCriticas.h"
#include "critiques/ListagemCriticas.h"
#include "critiques/ModeloCriticas.h"
#include "engine/Log.h"
#include "platform/Acessivel.h"
#include "platform/Colunas.h"
#include "platform/Nomeado.h"
#include "platform/Plataforma.h"
#include "validation/Ajuda.h"
#include "validation/Arquivos.h"
#include "validation/Sessao.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace korventa {

PaginaCriticas::PaginaCriticas(Sessao& sessao, QWidget* pai) : QWidget(pai), s_(sessao) {
    montaControles();
    aplicaConfiguracoes();
    limpa();

    s_.preencheArquivosCriticas = [this] { preencheArquivos(); };
    s_.listaCriticas = [this] { listaComAmpulheta(); };
    s_.limpaCriticas = [this] { limpa(); };
    s_.avisoCriticas = [this](const QString& texto) { defineAviso(texto); };
    s_.tituloDetalheCriticas = [this](const QString& titulo) { defineTituloDetalhe(titulo); };
    s_.mostraCriticas = [this] { mostraCriticas(); };
}

PaginaCriticas::~PaginaCriticas() {
    s_.preencheArquivosCriticas = nullptr;
    s_.listaCriticas = nullptr;
    s_.limpaCriticas = nullptr;
    s_.avisoCriticas = nullptr;
    s_.tituloDetalheCriticas = nullptr;
    s_.mostraCriticas = nullptr;
}

void PaginaCriticas::montaControles() {
    labelRelatorio_ = new QLabel(QStringLiteral("Relatório de Críticas"), this);
    labelRelatorio_->setObjectName(QStringLiteral("LabelRelatorioCriticas"));
    QFont negrito = labelRelatorio_->font();
    negrito.setBold(true);
    labelRelatorio_->setFont(negrito);

    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("ComboArquivoCriticas"));
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(40);
    combo_->setAccessibleName(QStringLiteral("Arquivo das críticas"));

    grupoListar_ = new QGroupBox(QStringLiteral("Listar"), this);
    grupoListar_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    opcoes_ = new QButtonGroup(this);
    opcoes_->setObjectName(QStringLiteral("OptionListar"));
    // Letras livres: E é de Encerrar e T da aba Críticas.
    const QString textos[3] = {QStringLiteral("Err&os"), QStringLiteral("Advertê&ncias"),
                               QStringLiteral("Tu&do")};
    auto* linhaOpcoes = new QHBoxLayout(grupoListar_);
    for (int i = 0; i < 3; ++i) {
        opcao_[i] = new QRadioButton(textos[i], grupoListar_);
        opcao_[i]->setObjectName(QStringLiteral("OptionListar_%1").arg(i));
        opcoes_->addButton(opcao_[i], i);
        linhaOpcoes->addWidget(opcao_[i]);
    }
    opcao_[2]->setChecked(true);

    exportar_ = new QPushButton(QStringLiteral("E&xportar..."), this);
    exportar_->setObjectName(QStringLiteral("BotaoCriticasExportar"));
    imprimir_ = new QPushButton(QStringLiteral("&Imprimir..."), this);
    imprimir_->setObjectName(QStringLiteral("BotaoCriticasImprimir"));
    ajuda_ =
        Nomeado<QPushButton>(QStringLiteral("BotaoCriticasAjuda"), QStringLiteral("&Ajuda"), this);

    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("LabelAvisoCriticas"));
    aviso_->setWordWrap(true);
    aviso_->setTextFormat(Qt::PlainText);
    aviso_->setMinimumHeight(aviso_->fontMetrics().lineSpacing());

    modelo_ = new ModeloCriticas(this);
    lista_ = new QTreeView(this);
    lista_->setObjectName(QStringLiteral("ListaCriticas"));
    lista_->setAccessibleName(QStringLiteral("Críticas"));
    lista_->setModel(modelo_);
    lista_->setRootIsDecorated(false);
    lista_->setItemsExpandable(false);
    lista_->setUniformRowHeights(true); // um milhão de linhas sem medir cada uma
    lista_->setAllColumnsShowFocus(true);
    lista_->setSelectionMode(QAbstractItemView::SingleSelection);
    lista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista_->setTextElideMode(Qt::ElideRight);
    lista_->header()->setStretchLastSection(false);
    // A mensagem fica com a sobra da largura da lista (a janela é redimensionável).
    lista_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    lista_->header()->setSectionsMovable(false);

    frameDetalhe_ = new QGroupBox(this);
    frameDetalhe_->setObjectName(QStringLiteral("FrameDetalhe"));
    infoDetalhe_ = new QLabel(frameDetalhe_);
    infoDetalhe_->setObjectName(QStringLiteral("LabelInfoDetalhe"));
    infoDetalhe_->setTextFormat(Qt::PlainText);
    rtf_ = new CaixaRegistro(frameDetalhe_);
    const int alturaLinha = rtf_->fontMetrics().lineSpacing();
    rtf_->setFixedHeight(alturaLinha * 2 + rtf_->frameWidth() * 2 +
                         rtf_->horizontalScrollBar()->sizeHint().height() + 8);
    auto* colunaDetalhe = new QVBoxLayout(frameDetalhe_);
    colunaDetalhe->addWidget(infoDetalhe_);
    colunaDetalhe->addWidget(rtf_);

    auto* topo = new QHBoxLayout;
    topo->addWidget(labelRelatorio_);
    topo->addWidget(combo_, 1);
    topo->addStretch();

    auto* meio = new QHBoxLayout;
    meio->addWidget(grupoListar_);
    meio->addStretch();
    meio->addWidget(exportar_, 0, Qt::AlignBottom);
    meio->addWidget(imprimir_, 0, Qt::AlignBottom);
    meio->addWidget(ajuda_, 0, Qt::AlignBottom);

    auto* pagina = new QVBoxLayout(this);
    pagina->addLayout(topo);
    pagina->addLayout(meio);
    pagina->addWidget(aviso_);
    pagina->addWidget(lista_, 1);
    pagina->addWidget(frameDetalhe_);

    // Partes que somem e voltam guardam o seu lugar: a página não pula quando o arquivo
    // escolhido não tem críticas.
    for (QWidget* w : {static_cast<QWidget*>(labelRelatorio_), static_cast<QWidget*>(combo_),
                       static_cast<QWidget*>(lista_), static_cast<QWidget*>(frameDetalhe_)}) {
        QSizePolicy politica = w->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        w->setSizePolicy(politica);
    }

    // De cima para baixo; o Tab sai da opção marcada, qualquer que seja ela, para os botões.
    OrdemTab({combo_, opcao_[0], opcao_[1], opcao_[2], exportar_, imprimir_, ajuda_, lista_, rtf_});

    connect(combo_, &QComboBox::currentIndexChanged, this, [this] { arquivoEscolhido(); });
    // A troca do filtro vale venha de onde vier: clique, setas ou leitor de tela.
    connect(opcoes_, &QButtonGroup::idToggled, this, [this](int, bool marcada) {
        if (marcada) filtroEscolhido();
    });
    connect(ajuda_, &QPushButton::clicked, this,
            [this] { Ajuda(s_, s_.variosArquivos() ? 104 : 4); });
    connect(exportar_, &QPushButton::clicked, this, [this] { exporta(); });
    connect(imprimir_, &QPushButton::clicked, this, [this] { imprime(); });
    // Clique do mouse e também as setas e o Enter do teclado mostram o detalhe.
    connect(lista_, &QTreeView::clicked, this, [this] { mostraDetalhe(); });
    connect(lista_, &QTreeView::activated, this, [this] { mostraDetalhe(); });
    connect(lista_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton) mostraDetalhe();
    });
}

void PaginaCriticas::aplicaConfiguracoes() {
    // As larguras voltam às configurações quando a janela principal fecha (LeLarguras).
    QHeaderView* cabecalho = lista_->header();
    AplicaLarguras(cabecalho, s_.cfg.colunasCriticas, logicalDpiX());
    // Na coluna "Linha" cabem o ícone e um número de sete dígitos, qualquer que seja a fonte.
    const int linha = lista_->iconSize().width() +
                      fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 24;
    if (cabecalho->sectionSize(0) < linha) cabecalho->resizeSection(0, linha);
    // Na coluna "Campo" cabem os nomes de campo mais largos.
    int campo = 0;
    for (const char* nome : {"UF remetente/destinatário", "IE remetente/destinatário",
                             "Declaração de Exportação", "Nº de série de fabricação"})
        campo = qMax(campo, fontMetrics().horizontalAdvance(QString::fromUtf8(nome)));
    campo += 24;
    if (cabecalho->sectionSize(3) < campo) cabecalho->resizeSection(3, campo);
    const int filtro = s_.cfg.filtroCriticas;
    const QSignalBlocker bloqueio(opcoes_); // escolha das configurações, não do usuário
    if (filtro >= 0 && filtro <= 2) opcao_[filtro]->setChecked(true);
}

void PaginaCriticas::preencheArquivos() {
    const QSignalBlocker bloqueio(combo_);
    combo_->clear();
    bool algumComCriticas = false;
    for (int i = 0; i < s_.arquivos.size(); ++i) {
        const ArquivoAberto& a = s_.arquivos.at(i);
        if (a.resultado < ResultadoAceito || a.resultado > ResultadoRejeitado) continue;
        QString texto = NomeDoArquivo(a.caminho);
        if (a.resultado == ResultadoRejeitado) texto += QStringLiteral(" ( REJEITADO )");
        combo_->addItem(texto, i);
        algumComCriticas = algumComCriticas || a.erros + a.advertencias > 0;
    }
    combo_->setCurrentIndex(-1);
    combo_->setVisible(s_.variosArquivos() && algumComCriticas);
}

void PaginaCriticas::listaComAmpulheta() {
    s_.plataforma.cursorOcupado(true);
    s_.plataforma.processarEventos();
    listaArquivoCriticas();
    s_.plataforma.cursorOcupado(false);
}

void PaginaCriticas::aoMostrarPagina() {
    if (!s_.listaCriticasDesatualizada) return;
    listaComAmpulheta();
    s_.listaCriticasDesatualizada = false;
}

void PaginaCriticas::selecionaArquivo(int indice) {
    const int posicao = combo_->findData(indice);
    if (posicao >= 0) combo_->setCurrentIndex(posicao);
}

void PaginaCriticas::limpa() {
    {
        const QSignalBlocker bloqueio(combo_);
        combo_->clear();
    }
    combo_->hide();
    modelo_->esvazia();
    lista_->hide();
    frameDetalhe_->hide();
    labelRelatorio_->hide();
    exportar_->setEnabled(false);
    imprimir_->setEnabled(false);
    for (QRadioButton* o : opcao_)
        o->setEnabled(false);
    aviso_->setText(QStringLiteral("Nenhum arquivo aberto!"));
}

void PaginaCriticas::defineAviso(const QString& texto) {
    aviso_->setText(texto);
}

void PaginaCriticas::defineTituloDetalhe(const QString& titulo) {
    frameDetalhe_->setTitle(titulo);
}

void PaginaCriticas::mostraCriticas() {
    // Vários arquivos: a lista aparece quando um deles é escolhido no combo.
    if (s_.variosArquivos()) {
        combo_->show();
        return;
    }
    labelRelatorio_->show();
    lista_->show();
    exportar_->setEnabled(true);
    imprimir_->setEnabled(true);
    for (QRadioButton* o : opcao_)
        o->setEnabled(true);
}

std::optional<int> PaginaCriticas::arquivoDaPagina() const {
    if (!s_.variosArquivos()) return 0;
    if (combo_->currentIndex() < 0) return std::nullopt;
    const int indice = combo_->currentData().toInt();
    if (indice < 0 || indice >= s_.arquivos.size()) return std::nullopt;
    return indice;
}

FiltroCriticas PaginaCriticas::filtroMarcado() const {
    for (int i = 0; i < 3; ++i) {
        if (opcao_[i]->isChecked()) return static_cast<FiltroCriticas>(i);
    }
    return FiltroCriticas::Tudo;
}

void PaginaCriticas::listaArquivoCriticas() {
    Log(LogOperacao, QStringLiteral("ListaArquivoCriticas..."));
    const std::optional<int> escolhido = arquivoDaPagina();
    if (!escolhido) {
        // Escolher o primeiro lista esse arquivo pelo tratador do combo.
        if (combo_->count() > 0) combo_->setCurrentIndex(0);
        return;
    }
    const int n = *escolhido;
    const ArquivoAberto& arquivo = s_.arquivos.at(n);
    const std::int32_t erros = arquivo.erros;
    const std::int32_t advertencias = arquivo.advertencias;
    // Sem veredicto (cancelado, falhou, ainda não validado) não há relatório a listar.
    const bool validado =
        arquivo.resultado >= ResultadoAceito && arquivo.resultado <= ResultadoRejeitado;
    const bool temCriticas = validado && static_cast<std::int64_t>(erros) + advertencias > 0;

    frameDetalhe_->setVisible(temCriticas);
    lista_->setVisible(temCriticas);
    labelRelatorio_->setVisible(temCriticas);
    exportar_->setEnabled(temCriticas);
    imprimir_->setEnabled(temCriticas);
    for (QRadioButton* o : opcao_)
        o->setEnabled(temCriticas);
    if (!temCriticas) {
        modelo_->esvazia();
        // Sem veredicto o aviso fica o da página Validar ("Arquivo ainda não validado!").
        if (validado)
            aviso_->setText(QStringLiteral("Este arquivo não possui erros ou advertências."));
        return;
    }

    aviso_->clear();
    const FiltroCriticas filtro = filtroMarcado();
    const std::int32_t maximo = s_.cfg.maxCriticas;
    const QString truncamento = MensagemTruncamento(filtro, maximo, erros, advertencias);

    frameDetalhe_->setTitle(QStringLiteral(" Arquivo ") + arquivo.caminho + QLatin1Char(' '));
    escondeDetalhe(QStringLiteral("Selecione um erro ou advertência..."));
    modelo_->esvazia();

    const ResultadoListagem r =
        ListaRelatorios(RelatoriosDoArquivo(s_, n), filtro, maximo, modelo_->armazem());
    modelo_->mostraArmazem(); // as linhas já lidas ficam na lista mesmo depois de uma falha

    if (r.fim == FimListagem::Falha) {
        s_.plataforma.cursorOcupado(false);
        Log(LogDetalhe, r.mensagem);
        s_.plataforma.mensagem(r.mensagem, Icone::Critico);
        return;
    }
    if (r.fim == FimListagem::Limite)
        s_.plataforma.mensagem(
            truncamento +
                QStringLiteral(
                    "\rPara listar mais, deve-se aumentar o limite na página Configurar."),
            Icone::Informacao);
    Log(LogOperacao, QStringLiteral("Fim ListaArquivoCriticas."));
}

void PaginaCriticas::escondeDetalhe(const QString& texto) {
    infoDetalhe_->setText(texto);
    rtf_->hide();
}

void PaginaCriticas::mostraDetalhe() {
    const QModelIndex atual = lista_->currentIndex();
    if (!atual.isValid() || !lista_->selectionModel()->isRowSelected(atual.row(), {})) return;
    const std::optional<int> escolhido = arquivoDaPagina();
    if (!escolhido) {
        s_.plataforma.mensagem(QStringLiteral("Aviso: Nenhum arquivo selecionado!"),
                               Icone::Exclamacao);
        return;
    }
    if (!VerificaDataHoraArquivo(s_, *escolhido, false)) {
        escondeDetalhe(QStringLiteral("O arquivo não foi encontrado ou foi alterado."));
        return;
    }
    const qsizetype tag = modelo_->index(atual.row(), 0).data(ModeloCriticas::RoleTag).toInt();
    const ArmazemCriticas& armazem = modelo_->armazem();
    const LocalizadorCritica local = armazem.localizador(tag);
    const TipoCritica tipo = armazem.tipo(tag);

    QByteArray lido;
    switch (LeRegistroFiscal(s_.arquivos.at(*escolhido).caminho, local.deslocamento, lido)) {
    case LeituraRegistro::ErroAbertura:
        escondeDetalhe(QStringLiteral("Erro de abertura do arquivo!"));
        return;
    case LeituraRegistro::ErroLeitura:
        escondeDetalhe(QStringLiteral("Erro de leitura do arquivo!"));
        return;
    case LeituraRegistro::Lido:
        break;
    }
    if (lido.isEmpty()) {
        escondeDetalhe(QStringLiteral("Fim do arquivo."));
        return;
    }
    const PartesRegistro partes =
        SeparaCampo(PreparaRegistro(lido), local.inicioCampo, local.tamanhoCampo);
    infoDetalhe_->setText(TextoInfoDetalhe(local.documentoItem, armazem.campo(tag), partes));
    rtf_->show();
    rtf_->mostra(partes, tipo);
}

QByteArray PaginaCriticas::rtfDetalhe() const {
    return rtf_->rtf();
}

void PaginaCriticas::exporta() {
    Log(LogOperacao, QStringLiteral("BotaoCriticasExportar_Click..."));
    const std::optional<int> escolhido = arquivoDaPagina();
    if (!escolhido) {
        s_.plataforma.mensagem(QStringLiteral("Nenhum arquivo selecionado!"), Icone::Exclamacao);
        return;
    }
    const ArquivoAberto& arquivo = s_.arquivos.at(*escolhido);
    if (static_cast<std::int64_t>(arquivo.erros) + arquivo.advertencias == 0) {
        s_.plataforma.mensagem(QStringLiteral("O arquivo não contém erros ou advertências."),
                               Icone::Informacao);
        return;
    }
    DialogoArquivo dialogo;
    dialogo.titulo = QStringLiteral("Indique o arquivo para gravação do Relatório de Críticas...");
    dialogo.filtro = QStringLiteral("Arquivos de Críticas (*.txt)|*.txt");
    dialogo.nomeProposto = QStringLiteral("criticas.txt");
    dialogo.confirmaSobrescrever = true;
    const std::optional<QString> destino = s_.plataforma.salvarArquivo(dialogo);
    if (!destino) return;

    s_.plataforma.cursorOcupado(true);
    s_.plataforma.processarEventos();
    const ResultadoExportacao r = ExportaRelatorios(RelatoriosDoArquivo(s_, *escolhido), *destino);
    s_.plataforma.cursorOcupado(false);
    if (!r.ok) {
        const QString mensagem = MensagemFalhaExportacao(r);
        Log(LogDetalhe, mensagem);
        s_.plataforma.mensagem(mensagem, Icone::Critico);
        return;
    }
    Log(LogOperacao, QStringLiteral("Fim BotaoCriticasExportar_Click."));
}

void PaginaCriticas::imprime() {
    BotaoCriticasImprimir_Click(s_, arquivoDaPagina(), filtroMarcado(), window());
}

void PaginaCriticas::arquivoEscolhido() {
    if (s_.carregando || combo_->currentIndex() < 0) return;
    listaComAmpulheta();
}

void PaginaCriticas::filtroEscolhido() {
    if (s_.carregando) return;
    s_.cfg.filtroCriticas = static_cast<int>(filtroMarcado());
    listaComAmpulheta();
}

} // namespace korventa
