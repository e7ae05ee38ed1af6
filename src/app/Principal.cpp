#include "app/Principal.h"

#include "app/Banner.h"
#include "app/ConfiguracoesUsuario.h"
#include "app/LigacoesMidias.h"
#include "app/PaginaConfigurar.h"
#include "app/PaginaMidias.h"
#include "app/PaginaSobre.h"
#include "app/PaginaUtilitarios.h"
#include "app/ProgramasCompanheiros.h"
#include "critiques/PaginaCriticas.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "media/EstadoMidias.h"
#include "media/MidiaResumo.h"
#include "media/MidiasVariosArquivos.h"
#include "platform/Acessivel.h"
#include "platform/Colunas.h"
#include "platform/Plataforma.h"
#include "printing/LigacoesImpressao.h"
#include "validation/Ajuda.h"
#include "validation/BotaoComAcao.h"
#include "validation/LigacoesValidacao.h"
#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"
#include "validation/PaginaValidar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korventa {

namespace {

// Tamanho de projeto da janela e a largura com que ela começa nas telas de 800 pixels ou mais
// (a altura é a que mostra a grade do Resumo inteira).
constexpr int LarguraProjeto = 720;
constexpr int AlturaProjeto = 540;
constexpr int LarguraAmpliada = 1180;
// O que a moldura e as barras do sistema tiram da tela.
constexpr int FolgaTelaLargura = 16;
constexpr int FolgaTelaAltura = 56;

const char* const Abas[] = {"&Configurar", "&Validar",     "&Resumo", "Crí&ticas",
                            "&Mídias",     "&Utilitários", "&Sobre"};

} // namespace

Principal::Principal(Sessao& sessao, QWidget* pai)
    : QWidget(pai), sessao_(sessao), abas_(new QTabBar(this)), molduras_(new QStackedWidget(this)),
      labelVersao_(new QLabel(QStringLiteral("x.x.x"), this)),
      labelVersaoDeTeste_(new QLabel(QStringLiteral("Versão de TESTE"), this)),
      labelStatus_(new QLabel(this)),
      botaoEncerrar_(new QPushButton(QStringLiteral("&Encerrar"), this)) {
    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(QString::fromLatin1(TituloPrograma));

    auto* layout = new QVBoxLayout(this);
    montaCabecalho(layout);

    abas_->setObjectName(QStringLiteral("TabStrip1"));
    abas_->setAccessibleName(QStringLiteral("Páginas"));
    abas_->setExpanding(false);
    abas_->setDrawBase(true);
    for (const char* aba : Abas)
        abas_->addTab(QString::fromUtf8(aba));
    layout->addWidget(abas_);

    montaMolduras();
    ligaConfigurar();
    ligaProgramasCompanheiros();
    // Enter no botão que tem o foco o aciona, como a barra de espaço (fora de diálogos o Qt
    // só faz isso com autoDefault).
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(true);
    auto* caixa = new QFrame(this);
    caixa->setFrameShape(QFrame::StyledPanel);
    auto* layoutCaixa = new QVBoxLayout(caixa);
    layoutCaixa->setContentsMargins(4, 4, 4, 4);
    layoutCaixa->addWidget(molduras_);
    layout->addWidget(caixa, 1);
    layout->setSpacing(6);

    labelStatus_->setObjectName(QStringLiteral("LabelStatus"));
    botaoEncerrar_->setObjectName(QStringLiteral("OKButton"));
    // Indicador de impressão em andamento: some quando não há nada imprimindo.
    labelImprimindo_ = new QLabel(this);
    labelImprimindo_->setObjectName(QStringLiteral("LabelImprimindo"));
    labelImprimindo_->setTextFormat(Qt::PlainText);
    labelImprimindo_->hide();
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(labelImprimindo_);
    rodape->addWidget(labelStatus_, 1);
    rodape->addWidget(botaoEncerrar_);
    layout->addLayout(rodape);

    resize(LarguraProjeto, AlturaProjeto);

    // O texto de arquivos, caminhos e do motor nunca vira HTML, em nenhuma página.
    RotulosEmTextoSimples(this);
    // "Encerrar" é o último do Tab, depois da página à vista (o Qt só encadeia depois de um
    // controle que recebe foco).
    QWidget* ultimo = previousInFocusChain();
    while (ultimo != this && ultimo->focusPolicy() == Qt::NoFocus)
        ultimo = ultimo->previousInFocusChain();
    if (ultimo != this && ultimo != botaoEncerrar_) setTabOrder(ultimo, botaoEncerrar_);
    // Ctrl+Tab e Ctrl+Shift+Tab trocam de página, de qualquer controle.
    const auto atalho = [this](QKeySequence tecla, int passo) {
        auto* a = new QShortcut(tecla, this);
        connect(a, &QShortcut::activated, this, [this, passo] { avancaPagina(passo); });
    };
    atalho(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
    atalho(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
    atalho(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1);

    sessao_.selecionaAba = [this](int aba) { selecionaAba(aba); };
    sessao_.ajuda = [this](int topico) { Ajuda(sessao_, topico); };
    sessao_.indicaImpressao = [this](const QString& rotulo) {
        labelImprimindo_->setText(rotulo);
        labelImprimindo_->setVisible(!rotulo.isEmpty());
    };

    connect(abas_, &QTabBar::currentChanged, this, [this](int i) { trocaPagina(i); });
    connect(botaoEncerrar_, &QPushButton::clicked, this, &QWidget::close);
}

Principal::~Principal() {
    // As ligações apontam para esta janela: a sessão vive mais que ela.
    sessao_.selecionaAba = nullptr;
    sessao_.ajuda = nullptr;
    sessao_.indicaImpressao = nullptr;
    sessao_.executarQIV = nullptr;
}

void Principal::montaCabecalho(QVBoxLayout* layout) {
    auto* banner = new Banner(this);
    banner->installEventFilter(this);

    labelVersao_->setObjectName(QStringLiteral("LabelVersao"));
    labelVersaoDeTeste_->setObjectName(QStringLiteral("LabelVersaoDeTeste"));
    labelVersaoDeTeste_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    labelVersaoDeTeste_->setVisible(false);
    auto* versoes = new QVBoxLayout;
    versoes->addStretch(1);
    versoes->addWidget(labelVersaoDeTeste_, 0, Qt::AlignRight);
    versoes->addWidget(labelVersao_, 0, Qt::AlignRight);

    auto* topo = new QHBoxLayout;
    topo->addWidget(banner, 1);
    topo->addLayout(versoes);
    layout->addLayout(topo);
}

void Principal::montaMolduras() {
    molduras_->setObjectName(QStringLiteral("MeuTab"));
    for (int i = 0; i < QuantidadeMolduras; ++i) {
        auto* m = new QWidget(molduras_);
        m->setObjectName(QStringLiteral("MeuTab_%1").arg(i));
        auto* l = new QVBoxLayout(m);
        l->setContentsMargins(0, 0, 0, 0);
        molduras_->addWidget(m);
    }
    configurar_ = new PaginaConfigurar(sessao_, moldura(MolduraConfigurar));
    moldura(MolduraConfigurar)->layout()->addWidget(configurar_);
    resumo_ = new PaginaResumo(sessao_, moldura(MolduraResumo));
    moldura(MolduraResumo)->layout()->addWidget(resumo_);
    resumoArquivos_ = new PaginaResumoArquivos(sessao_, moldura(MolduraResumoVarios));
    moldura(MolduraResumoVarios)->layout()->addWidget(resumoArquivos_);
    validar_ = new PaginaValidar(sessao_, *resumo_, *resumoArquivos_, moldura(MolduraValidar));
    moldura(MolduraValidar)->layout()->addWidget(validar_);
    LigaPaginasValidacao(sessao_, *validar_, *resumo_, *resumoArquivos_);
    LigaMidiasResumo(sessao_, *resumo_);
    LigaImpressaoResumo(sessao_, *resumo_);
    criticas_ = new PaginaCriticas(sessao_, moldura(MolduraCriticas));
    moldura(MolduraCriticas)->layout()->addWidget(criticas_);
    sessao_.selecionaArquivoCriticasDoResumo = [this] {
        const int n = resumoArquivos_->entradaSelecionada();
        if (n >= 0) criticas_->selecionaArquivo(n);
    };
    estadoMidias_ = std::make_unique<EstadoMidias>();
    midias_ = new PaginaMidias(sessao_, *estadoMidias_, moldura(MolduraMidias));
    LigaMidias(sessao_, *estadoMidias_, this, *validar_);
    LigaImpressaoMidias(sessao_, *estadoMidias_, *resumo_, *resumoArquivos_);
    LigaMidiasVariosArquivos(sessao_, *resumoArquivos_,
                             [this](int n) { MostraInfoEntrada(sessao_, *estadoMidias_, n); });
    moldura(MolduraMidias)->layout()->addWidget(midias_);
    utilitarios_ = new PaginaUtilitarios(sessao_, moldura(MolduraUtilitarios));
    moldura(MolduraUtilitarios)->layout()->addWidget(utilitarios_);
    sobre_ = new PaginaSobre(moldura(MolduraSobre));
    moldura(MolduraSobre)->layout()->addWidget(sobre_);
}

void Principal::avancaPagina(int passo) {
    const int n = abas_->count();
    selecionaAba((abas_->currentIndex() + passo + n) % n + 1);
}

void Principal::ligaConfigurar() {
    confereConfigurar = [this] { return configurar_->confereAoSair(); };
    // A lista tem o seu próprio estado de visível, mesmo com a página Críticas fora da vista.
    configurar_->listaCriticasVisivel = [this] {
        const auto* lista = criticas_->findChild<QWidget*>(QStringLiteral("ListaCriticas"));
        return lista && !lista->isHidden();
    };
}

void Principal::ligaProgramasCompanheiros() {
    companheiros_ = std::make_unique<ProgramasCompanheiros>(sessao_);
    companheiros_->focaCaminhoQIV = [this] { configurar_->editLocalQIV()->setFocus(); };
    sessao_.executarQIV = [this](const QString& midia) { companheiros_->ExecutarQIV(midia); };

    // Arquivo escolhido na Validar: o único aberto ou o da linha selecionada; sem linha
    // selecionada, o primeiro da lista.
    const auto arquivoEscolhido = [this] {
        const int n = validar_->entradaSelecionada();
        return sessao_.arquivos.value(n < 0 ? 0 : n).caminho;
    };
    validar_->defineAcaoNotasFiscais([this, arquivoEscolhido] {
        Log(LogOperacao, QStringLiteral("BotaoValidarNotasFiscais_Click..."));
        companheiros_->ExecutaUtilitarioQd(true, arquivoEscolhido());
    });
    validar_->defineAcaoVisualizar([this, arquivoEscolhido] {
        Log(LogOperacao, QStringLiteral("BotaoValidarVisualizar_Click..."));
        companheiros_->ExecutaUtilitarioQd(false, arquivoEscolhido());
    });
    utilitarios_->botaoNotasFiscais()->defineAcao(
        [this] { companheiros_->ExecutaUtilitarioQd(true, QString()); });
    utilitarios_->botaoArquivoTexto()->defineAcao(
        [this] { companheiros_->ExecutaUtilitarioQd(false, QString()); });
    utilitarios_->botaoNotasFiscais()->permite(true);
    utilitarios_->botaoArquivoTexto()->permite(true);
    resumo_->botaoTransmitir()->defineAcao(
        [this] { companheiros_->ExecutarQIV(sessao_.arquivos[0].caminhoMidia); });
}

QWidget* Principal::moldura(int indice) const {
    return molduras_->widget(indice);
}

QString Principal::creditos() {
    return QStringLiteral("Validador KORVENTA||Validação de arquivos fiscais do Convênio ICMS "
                          "57/95.|Feito com cuidado pela equipe do validador,|com a ajuda dos "
                          "contadores que testaram cada versão.||Obrigado por usar!");
}

void Principal::trocaPagina(int indiceAba) {
    Log(LogOperacao, QStringLiteral("TabStrip1_Click..."));
    if (sessao_.validando) {
        // Durante a validação a faixa volta para a aba da página à vista (o Resumo, com vários
        // arquivos): outra aba escolhida deixaria a faixa e a moldura desencontradas.
        const int abaAtual =
            sessao_.paginaAtual == MolduraResumoVarios ? int(MolduraResumo) : sessao_.paginaAtual;
        if (indiceAba != abaAtual) abas_->setCurrentIndex(abaAtual);
        return;
    }
    if (sessao_.paginaAtual == MolduraConfigurar && sessao_.configuracaoAlterada &&
        confereConfigurar) {
        if (QWidget* campo = confereConfigurar()) {
            sessao_.paginaAtual = -2;
            selecionaAba(1);
            campo->setFocus();
            return;
        }
    }
    if (sessao_.paginaAtual == -2) {
        // Evento da volta à aba Configurar depois de uma verificação recusada.
        sessao_.paginaAtual = MolduraConfigurar;
        return;
    }

    const int anterior = sessao_.paginaAtual;
    int pagina = indiceAba;
    if (pagina == MolduraResumo && sessao_.variosArquivos()) pagina = MolduraResumoVarios;
    sessao_.paginaAtual = std::int16_t(pagina);

    if (pagina == MolduraConfigurar) {
        LePastaComprovantesQIV(sessao_);
        configurar_->mostraPastaComprovantes();
        sessao_.configuracaoAlterada = false;
    } else if (pagina == MolduraValidar && sessao_.paginaValidarMostrada) {
        sessao_.paginaValidarMostrada();
    }

    molduras_->setCurrentIndex(pagina);

    if (pagina == MolduraCriticas) {
        if (sessao_.variosArquivos() && anterior == MolduraResumoVarios &&
            sessao_.selecionaArquivoCriticasDoResumo)
            sessao_.selecionaArquivoCriticasDoResumo();
        criticas_->aoMostrarPagina(); // relista, com a ampulheta, se uma validação correu
    }
    if (pagina == MolduraResumoVarios && sessao_.preencheVariosArquivos)
        sessao_.preencheVariosArquivos();
    Log(LogOperacao, QStringLiteral("Fim TabStrip1_Click..."));
}

void Principal::selecionaAba(int aba) {
    // Reescolher a aba que já está escolhida não gera evento da faixa: a troca roda assim mesmo.
    if (abas_->currentIndex() == aba - 1)
        trocaPagina(aba - 1);
    else
        abas_->setCurrentIndex(aba - 1);
}

bool Principal::abreArquivos(const QStringList& arquivos) {
    // Uma validação em andamento ou um diálogo aberto ainda usam o arquivo aberto: trocá-lo
    // por baixo deles perderia o trabalho; o usuário pede de novo quando terminar.
    if (arquivos.isEmpty()) return false;
    if (sessao_.carregando || sessao_.validando || QApplication::activeModalWidget()) {
        Log(LogDetalhe,
            QStringLiteral("Arquivos da linha de comando nao abertos: programa ocupado."));
        return false;
    }
    validar_->AbrirEscolhidos(arquivos);
    // A página Configurar fica: pode ter alterações ainda não conferidas.
    if (sessao_.paginaAtual != MolduraConfigurar) selecionaAba(2);
    return true;
}

bool Principal::pedidoFechamento() {
    Log(LogDetalhe, QStringLiteral("Entrou no QueryUnload..."));
    if (sessao_.validando) return false;
    midias_->cancelaListagem();
    // Início interrompido: nada foi lido, nada se grava nem se apaga.
    if (fechada_ || sessao_.paginaAtual == -1) return true;
    guardaConfiguracoesDasPaginas();
    GravaConfiguracoes(sessao_);
    if (sessao_.preencheValidar) sessao_.preencheValidar(); // fecha o arquivo aberto
    apagaArquivosDeTrabalho();
    Log(LogDetalhe, QStringLiteral("Encerrando o programa..."));
    fechada_ = true;
    return true;
}

void Principal::guardaConfiguracoesDasPaginas() {
    sessao_.cfg.geometriaJanela = saveGeometry();
    LeLargurasColunas(this, QStringLiteral("ListaCriticas"), sessao_.cfg.colunasCriticas);
    LeLargurasColunas(this, QStringLiteral("ListaMidias"), sessao_.cfg.colunasMidias);
    midias_->guardaConfiguracoes();
}

void Principal::apagaArquivosDeTrabalho() {
    for (const QString& caminho :
         {sessao_.caminhoTotaisCFOP, sessao_.caminhoResumo, sessao_.caminhoTotaisSituacao,
          sessao_.caminhoTotaisOutrasIEs, sessao_.caminhoTotaisPorUF, sessao_.caminhoComprovante})
        if (!caminho.isEmpty()) QFile::remove(caminho); // falhas aqui não importam
}

void Principal::closeEvent(QCloseEvent* evento) {
    if (!pedidoFechamento()) {
        evento->ignore();
        return;
    }
    evento->accept();
    if (aoEncerrar) aoEncerrar();
}

bool Principal::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonDblClick &&
        objeto->objectName() == QLatin1String("Image1"))
        duploCliqueBanner();
    return QWidget::eventFilter(objeto, evento);
}

void Principal::duploCliqueBanner() {
    if (abas_->currentIndex() != MolduraSobre) return;
    if (++cliquesSobre_ < 5) return;
    cliquesSobre_ = 0;
    sessao_.plataforma.mensagem(creditos().split(QLatin1Char('|')).join(QLatin1Char('\r')),
                                Icone::Nenhum);
}

void Principal::mostraJanela() {
    show();
}

void Principal::ampliaLeiaute() {
    // Na primeira vez tudo à vista: a grade do Resumo até "Total" e as colunas das listas
    // inteiras, sem passar do que a tela oferece.
    const GradeTotalizadores* grade = resumo_->gradeTotalizadores();
    const int faltaNaGrade = qMax(0, grade->alturaInteira() - grade->sizeHint().height());
    QSize alvo(qMax(LarguraAmpliada, sizeHint().width()), sizeHint().height() + faltaNaGrade);
    if (const QScreen* tela = screen())
        alvo = alvo.boundedTo(tela->availableGeometry().size() -
                              QSize(FolgaTelaLargura, FolgaTelaAltura));
    resize(alvo.expandedTo(QSize(LarguraProjeto, AlturaProjeto)));
}

void Principal::trazParaFrente() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void Principal::mostraVersoesComponentes(const VersoesComponentes& versoes) {
    sessao_.versaoValkora2 = versoes.valkora2;
    sobre_->mostraVersoesComponentes(versoes);
}

void Principal::mostraVersaoPrograma(const QString& versao, bool versaoDeTeste) {
    sobre_->mostraVersaoPrograma(versao);
    labelVersao_->setText(versao);
    labelVersaoDeTeste_->setVisible(versaoDeTeste);
}

void Principal::aplicaConfiguracoes() {
    // Tamanho e posição da última vez (o Qt recoloca a janela numa tela que exista).
    if (!sessao_.cfg.geometriaJanela.isEmpty()) restoreGeometry(sessao_.cfg.geometriaJanela);
    criticas_->aplicaConfiguracoes(); // larguras de ListaCriticas e o filtro
    // A lista de arquivos recentes acabou de ser preenchida: nenhum deles vem escolhido.
    validar_->comboArquivo()->setCurrentIndex(-1);
    AplicaLargurasColunas(this, QStringLiteral("ListaMidias"), sessao_.cfg.colunasMidias);
    midias_->aplicaConfiguracoes();
}

void Principal::preencheConfigurar() {
    configurar_->preenche();
}

void Principal::preencheMidias() {
    midias_->preenche();
}

} // namespace korventa
