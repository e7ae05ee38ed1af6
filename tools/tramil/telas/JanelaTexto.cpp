#include "telas/JanelaTexto.h"

#include "core/Significados.h"
#include "engine/Log.h"
#include "nucleo/Classes.h"
#include "nucleo/Formato.h"
#include "telas/BarraAviso.h"
#include "telas/Comum.h"
#include "telas/Mensagens.h"
#include "telas/PainelCampos.h"
#include "telas/PainelCriticas.h"
#include "telas/Sobre.h"
#include "telas/VisaoArquivo.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tramil {

namespace {

using korventa::Log;
using korventa::LogDetalhe;
using korventa::LogOperacao;

QString Titulo(const QString& codigo) {
    const QByteArray c = codigo.toLatin1();
    const auto t = kelvor::significados::titulo(
        std::string_view(c.constData(), static_cast<std::size_t>(c.size())));
    return t.empty() ? codigo
                     : codigo + QStringLiteral(" - ") +
                           QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

// Primeira coluna com ocorrência, para pôr o cursor nela.
int ColunaDaOcorrencia(const Buscador* b, std::string_view linha) {
    if (!b) return 0;
    const auto o = b->ocorrencias(linha);
    return o.empty() ? 0 : o.front().inicio;
}

} // namespace

JanelaTexto::JanelaTexto(QWidget* pai)
    : QMainWindow(pai), aviso_(new BarraAviso), visao_(new VisaoArquivo), painel_(new PainelCampos),
      criticas_(new PainelCriticas), relogio_(new QTimer(this)), vigia_(new QTimer(this)) {
    setObjectName(QStringLiteral("JanelaTexto"));
    setWindowTitle(QStringLiteral("Visualizar Arquivo"));
    montaTela();
    montaMenus();
    relogio_->setInterval(100);
    connect(relogio_, &QTimer::timeout, this, &JanelaTexto::acompanha);
    vigia_->setInterval(2000);
    connect(vigia_, &QTimer::timeout, this, &JanelaTexto::vigia);
    connect(visao_, &VisaoArquivo::cursorMudou, this, &JanelaTexto::cursorMudou);
    connect(painel_, &PainelCampos::campoEscolhido, this,
            [this](int coluna) { visao_->vaiPara(visao_->posicaoCursor(), coluna - 1, false); });
    connect(criticas_, &PainelCriticas::criticaEscolhida, this, &JanelaTexto::criticaEscolhida);
    connect(criticas_, &PainelCriticas::falhou, this,
            [this](const QString& m) { Mensagem(this, QMessageBox::Critical, m); });
    resize(1200, 760);
}

JanelaTexto::~JanelaTexto() {
    fecha();
}

void JanelaTexto::montaTela() {
    auto* central = new QWidget(this);
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(6, 6, 6, 0);
    v->addWidget(aviso_);

    // Busca.
    auto* linhaBusca = new QHBoxLayout;
    editBusca_ = ComNome(new QLineEdit, "EditBusca", QStringLiteral("Texto a procurar"));
    ComBotaoLimpar(editBusca_);
    editBusca_->setPlaceholderText(QStringLiteral("palavra-chave ou expressão regular"));
    auto* rotuloBusca = new QLabel(QStringLiteral("&Procurar:"));
    rotuloBusca->setBuddy(editBusca_);
    opcaoExpressao_ = ComNome(new QCheckBox(QStringLiteral("Expressão &regular")),
                              "OptionExpressao", QStringLiteral("Expressão regular"));
    opcaoMaiusculas_ = ComNome(new QCheckBox(QStringLiteral("Diferenciar &maiúsculas")),
                               "OptionMaiusculas", QStringLiteral("Diferenciar maiúsculas"));
    botaoProcurar_ = ComNome(new QPushButton(QStringLiteral("Procurar")), "BotaoProcurar",
                             QStringLiteral("Procurar"));
    botaoAnterior_ = ComNome(new QPushButton(QStringLiteral("A&nterior")), "BotaoAnterior",
                             QStringLiteral("Ocorrência anterior"));
    botaoProxima_ = ComNome(new QPushButton(QStringLiteral("Pró&xima")), "BotaoProxima",
                            QStringLiteral("Próxima ocorrência"));
    resultadoBusca_ = Rotulo("LabelResultadoBusca");
    resultadoBusca_->setMinimumWidth(220);
    progressoBusca_ =
        ComNome(new QProgressBar, "ProgressoBusca", QStringLiteral("Andamento da busca"));
    progressoBusca_->setRange(0, 1000);
    progressoBusca_->setMaximumWidth(160);
    progressoBusca_->setTextVisible(false);
    progressoBusca_->hide();
    linhaBusca->addWidget(rotuloBusca);
    linhaBusca->addWidget(editBusca_, 1);
    linhaBusca->addWidget(opcaoExpressao_);
    linhaBusca->addWidget(opcaoMaiusculas_);
    linhaBusca->addWidget(botaoProcurar_);
    linhaBusca->addWidget(botaoAnterior_);
    linhaBusca->addWidget(botaoProxima_);
    linhaBusca->addWidget(progressoBusca_);
    linhaBusca->addWidget(resultadoBusca_);
    v->addLayout(linhaBusca);

    // Ir para a linha e filtro por tipo.
    auto* linhaIr = new QHBoxLayout;
    editLinha_ = ComNome(new QLineEdit, "EditLinha", QStringLiteral("Número da linha"));
    editLinha_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9.]{0,14}")), editLinha_));
    editLinha_->setMaximumWidth(140);
    auto* rotuloLinha = new QLabel(QStringLiteral("Ir para a &linha:"));
    rotuloLinha->setBuddy(editLinha_);
    botaoIr_ = ComNome(new QPushButton(QStringLiteral("&Ir")), "BotaoIrLinha",
                       QStringLiteral("Ir para a linha"));
    comboTipo_ =
        ComNome(new QComboBox, "ComboTipoRegistro", QStringLiteral("Tipo de registro mostrado"));
    comboTipo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* rotuloTipo = new QLabel(QStringLiteral("&Tipo de registro:"));
    rotuloTipo->setBuddy(comboTipo_);
    atualizaComboTipos();
    linhaIr->addWidget(rotuloLinha);
    linhaIr->addWidget(editLinha_);
    linhaIr->addWidget(botaoIr_);
    linhaIr->addSpacing(24);
    linhaIr->addWidget(rotuloTipo);
    linhaIr->addWidget(comboTipo_);
    linhaIr->addStretch(1);
    v->addLayout(linhaIr);

    auto* divisao = new QSplitter(Qt::Horizontal);
    divisao->setObjectName(QStringLiteral("DivisaoArquivoCampos"));
    divisao->addWidget(visao_);
    divisao->addWidget(painel_);
    divisao->setStretchFactor(0, 3);
    divisao->setStretchFactor(1, 2);
    divisao->setSizes({680, 520});
    divisaoVertical_ = new QSplitter(Qt::Vertical);
    divisaoVertical_->setObjectName(QStringLiteral("DivisaoCriticas"));
    divisaoVertical_->addWidget(divisao);
    divisaoVertical_->addWidget(criticas_);
    divisaoVertical_->setStretchFactor(0, 3);
    divisaoVertical_->setStretchFactor(1, 1);
    criticas_->hide();
    v->addWidget(divisaoVertical_, 1);
    setCentralWidget(central);

    posicao_ = Rotulo("LabelPosicao");
    situacao_ = Rotulo("LabelSituacao");
    situacao_->setMinimumWidth(situacao_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 46);
    situacao_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    progressoIndice_ =
        ComNome(new QProgressBar, "ProgressoIndice", QStringLiteral("Andamento da indexação"));
    progressoIndice_->setRange(0, 1000);
    progressoIndice_->setMaximumWidth(200);
    progressoIndice_->hide();
    statusBar()->addWidget(posicao_, 1);
    statusBar()->addPermanentWidget(situacao_);
    statusBar()->addPermanentWidget(progressoIndice_);

    // Tab na ordem da tela: busca, linha, tipo, arquivo, campos, críticas.
    QWidget* ordem[] = {editBusca_,     opcaoExpressao_, opcaoMaiusculas_,  botaoProcurar_,
                        botaoAnterior_, botaoProxima_,   editLinha_,        botaoIr_,
                        comboTipo_,     visao_,          painel_->tabela(), criticas_->lista()};
    for (std::size_t i = 1; i < std::size(ordem); ++i)
        QWidget::setTabOrder(ordem[i - 1], ordem[i]);

    connect(editBusca_, &QLineEdit::returnPressed, this, &JanelaTexto::procura);
    connect(botaoProcurar_, &QPushButton::clicked, this, &JanelaTexto::procura);
    connect(botaoProxima_, &QPushButton::clicked, this, &JanelaTexto::proxima);
    connect(botaoAnterior_, &QPushButton::clicked, this, &JanelaTexto::anterior);
    // Trocar uma opção refaz a busca já feita, para a contagem valer para o que está marcado.
    for (auto* o : {opcaoExpressao_, opcaoMaiusculas_})
        connect(o, &QCheckBox::toggled, this, [this] {
            if (busca_) procura();
        });
    const auto ir = [this] {
        const QString t = editLinha_->text().remove(QLatin1Char('.'));
        if (!t.isEmpty()) vaiParaLinha(t.toLongLong());
    };
    connect(editLinha_, &QLineEdit::returnPressed, this, ir);
    connect(botaoIr_, &QPushButton::clicked, this, ir);
    connect(comboTipo_, &QComboBox::activated, this,
            [this](int i) { filtraClasse(comboTipo_->itemData(i).toInt()); });
}

void JanelaTexto::montaMenus() {
    auto* arquivo = menuBar()->addMenu(QStringLiteral("&Arquivo"));
    auto* abrir = arquivo->addAction(QStringLiteral("&Abrir arquivo..."), this,
                                     &JanelaTexto::perguntaArquivo);
    abrir->setShortcut(QKeySequence::Open);
    arquivo->addAction(QStringLiteral("Abrir relatório de &críticas..."), this,
                       &JanelaTexto::perguntaCriticas);
    auto* reabrir = arquivo->addAction(QStringLiteral("&Reabrir"), this, [this] {
        if (arquivo_.aberto()) abre(arquivo_.caminho());
    });
    reabrir->setShortcut(QKeySequence::Refresh);
    arquivo->addSeparator();
    auto* sair = arquivo->addAction(QStringLiteral("&Sair"), this, &QWidget::close);
    sair->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    auto* editar = menuBar()->addMenu(QStringLiteral("&Editar"));
    auto* procurar = editar->addAction(QStringLiteral("&Procurar..."), this, [this] {
        editBusca_->setFocus();
        editBusca_->selectAll();
    });
    procurar->setShortcut(QKeySequence::Find);
    auto* proxima =
        editar->addAction(QStringLiteral("Pró&xima ocorrência"), this, &JanelaTexto::proxima);
    proxima->setShortcut(QKeySequence(Qt::Key_F3));
    auto* anterior =
        editar->addAction(QStringLiteral("Ocorrência a&nterior"), this, &JanelaTexto::anterior);
    anterior->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    auto* irLinha = editar->addAction(QStringLiteral("&Ir para a linha..."), this, [this] {
        editLinha_->setFocus();
        editLinha_->selectAll();
    });
    irLinha->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    editar->addSeparator();
    auto* copiar = editar->addAction(QStringLiteral("&Copiar a linha"), this, [this] {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
        QCoreApplication::sendEvent(visao_, &e);
    });
    copiar->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));

    auto* exibir = menuBar()->addMenu(QStringLiteral("&Visualizar"));
    auto* campos = exibir->addAction(QStringLiteral("Painel de &campos"));
    campos->setCheckable(true);
    campos->setChecked(true);
    connect(campos, &QAction::toggled, painel_, &QWidget::setVisible);
    auto* arquivoFoco = exibir->addAction(QStringLiteral("Ir para o &arquivo"), this,
                                          [this] { visao_->setFocus(); });
    arquivoFoco->setShortcut(QKeySequence(Qt::Key_F6));

    auto* ajuda = menuBar()->addMenu(QStringLiteral("Aj&uda"));
    ajuda->addAction(QStringLiteral("&Sobre o Tramil"), this, [this] { MostraSobre(this); });
}

void JanelaTexto::fecha() {
    relogio_->stop();
    vigia_->stop();
    if (busca_) busca_->cancela();
    if (filtro_) filtro_->cancela();
    if (indice_) indice_->cancela();
    visao_->defineFonte(nullptr);
    visao_->defineBusca(nullptr);
    filtrada_.reset();
    filtro_.reset();
    busca_.reset();
    buscador_.reset();
    todas_.reset();
    indice_.reset();
    arquivo_.fecha();
    pendente_ = Pendente::Nada;
    contouTipos_ = false;
    ultimaLinhaPainel_ = -1;
    linhaPendente_ = 0;
    painel_->limpa(QString());
}

bool JanelaTexto::abre(const QString& caminho) {
    fecha();
    aviso_->esconde();
    QString erro;
    if (!arquivo_.abre(caminho, erro)) {
        setWindowTitle(QStringLiteral("Visualizar Arquivo"));
        situacao_->setText(QString());
        posicao_->setText(QString());
        Mensagem(this, QMessageBox::Warning, erro);
        return false;
    }
    Log(LogDetalhe, QStringLiteral("Tramil: Visualizar Arquivo ") + caminho);
    setWindowTitle(QStringLiteral("Visualizar Arquivo - ") + QFileInfo(caminho).fileName());
    indice_ = std::make_unique<IndiceLinhas>(arquivo_.dados());
    indice_->iniciaFundo();
    todas_ = std::make_unique<FonteTodas>(*indice_);
    visao_->defineFonte(todas_.get());
    comboTipo_->setCurrentIndex(0);
    atualizaComboTipos();
    resultadoBusca_->clear();
    const QString naoConvenio = AvisoNaoConvenio(
        arquivo_, QStringLiteral("Ele é mostrado assim mesmo; os campos só são descritos nos "
                                 "registros de tipo conhecido."));
    if (!naoConvenio.isEmpty()) aviso_->mostra(naoConvenio);
    // A primeira tela sai assim que as primeiras linhas estão indexadas.
    QTimer::singleShot(10, this, &JanelaTexto::acompanha);
    relogio_->start();
    vigia_->start();
    visao_->setFocus();
    return true;
}

void JanelaTexto::abreCriticas(const QString& caminho) {
    criticas_->show();
    divisaoVertical_->setSizes({520, 200});
    criticas_->carrega(caminho);
}

void JanelaTexto::perguntaArquivo() {
    const QString c = PerguntaArquivo(this, QStringLiteral("Abrir arquivo Convênio 57/95"));
    if (!c.isEmpty()) abre(c);
}

void JanelaTexto::perguntaCriticas() {
    const QString c = QFileDialog::getOpenFileName(
        this, QStringLiteral("Abrir relatório de críticas"),
        arquivo_.aberto() ? QFileInfo(arquivo_.caminho()).absolutePath() : QString(),
        QStringLiteral("Todos os arquivos (*)"));
    if (!c.isEmpty()) abreCriticas(c);
}

void JanelaTexto::atualizaComboTipos() {
    const QStringList& codigos = CodigosClasses();
    const bool contado = indice_ && indice_->completo();
    const auto rotulo = [&](int classe, const QString& texto) {
        if (!contado) return texto;
        const auto n = indice_->contagemPorClasse()[static_cast<std::size_t>(classe)];
        return texto + QStringLiteral(" (") + FormataInteiro(n) + QLatin1Char(')');
    };
    const int atual = comboTipo_->currentIndex();
    comboTipo_->clear();
    comboTipo_->addItem(QStringLiteral("Todos os registros"), -1);
    for (int i = 0; i < codigos.size(); ++i) {
        if (contado && indice_->contagemPorClasse()[static_cast<std::size_t>(i)] == 0) continue;
        comboTipo_->addItem(rotulo(i, Titulo(codigos.at(i))), i);
    }
    if (!contado || indice_->contagemPorClasse()[static_cast<std::size_t>(ClasseOutros())] > 0)
        comboTipo_->addItem(rotulo(ClasseOutros(), QStringLiteral("Outros (tipo desconhecido)")),
                            ClasseOutros());
    comboTipo_->setCurrentIndex(std::max(0, std::min(atual, comboTipo_->count() - 1)));
}

void JanelaTexto::filtraClasse(int classe) {
    if (!indice_) return;
    const std::int64_t linha = std::max<std::int64_t>(0, visao_->linhaRealCursor());
    if (filtro_) filtro_->cancela();
    visao_->defineFonte(todas_.get());
    filtrada_.reset();
    filtro_.reset();
    const int i = comboTipo_->findData(classe);
    if (i >= 0) comboTipo_->setCurrentIndex(i);
    if (classe < 0) {
        visao_->vaiParaLinhaReal(linha, 0);
        situacao_->clear();
        return;
    }
    std::vector<bool> marcadas(static_cast<std::size_t>(ClasseOutros()) + 1, false);
    marcadas[static_cast<std::size_t>(classe)] = true;
    filtro_ =
        std::make_shared<Varredura>(static_cast<std::size_t>(arquivo_.tamanho()) + 1,
                                    TrabalhoFiltroClasses(arquivo_.dados(), std::move(marcadas)));
    filtrada_ = std::make_unique<FonteFiltrada>(*indice_, filtro_);
    visao_->defineFonte(filtrada_.get());
    filtro_->iniciaFundo();
    Log(LogOperacao, QStringLiteral("Tramil: filtro por tipo ") + comboTipo_->currentText());
    relogio_->start();
}

void JanelaTexto::procura() {
    if (!arquivo_.aberto()) return;
    CriterioBusca c;
    c.texto = editBusca_->text();
    c.expressaoRegular = opcaoExpressao_->isChecked();
    c.diferenciaMaiusculas = opcaoMaiusculas_->isChecked();
    if (busca_) busca_->cancela();
    busca_.reset();
    QString erro;
    buscador_ = Buscador::cria(c, erro);
    visao_->defineBusca(buscador_);
    if (!buscador_) {
        resultadoBusca_->setText(erro);
        progressoBusca_->hide();
        return;
    }
    Log(LogOperacao, QStringLiteral("Tramil: procura ") + c.texto);
    auto buscador = buscador_;
    const std::string_view dados = arquivo_.dados();
    busca_ =
        std::make_shared<Varredura>(static_cast<std::size_t>(arquivo_.tamanho()) + 1,
                                    [buscador, dados](Varredura& v) { buscador->varre(dados, v); });
    busca_->iniciaFundo();
    // A primeira ocorrência a partir do cursor (a própria linha conta).
    pendente_ = Pendente::Proxima;
    pendenteDe_ = std::max<std::int64_t>(-1, visao_->linhaRealCursor() - 1);
    progressoBusca_->setValue(0);
    progressoBusca_->show();
    relogio_->start();
    acompanha();
}

void JanelaTexto::proxima() {
    navega(true);
}

void JanelaTexto::anterior() {
    navega(false);
}

void JanelaTexto::navega(bool adiante) {
    if (!busca_) {
        procura();
        if (!adiante && busca_) pendente_ = Pendente::Anterior;
        return;
    }
    pendenteDe_ = visao_->linhaRealCursor();
    pendente_ = adiante ? Pendente::Proxima : Pendente::Anterior;
    acompanha();
}

// Tenta a navegação pendente com as ocorrências já achadas; verdadeiro quando resolveu.
bool JanelaTexto::navegaAgora(bool adiante) {
    const auto& achadas = busca_->linhas();
    const std::size_t n = achadas.tamanho();
    const bool completa = busca_->completa();
    const FonteLinhas* fonte = visao_->fonte();
    const auto visivel = [&](std::int64_t l) {
        const auto p = fonte->posicaoDe(l);
        return p < fonte->quantidade() && fonte->linhaReal(p) == l;
    };
    const auto vai = [&](std::int64_t l, bool deuVolta) {
        visao_->vaiParaLinhaReal(l, ColunaDaOcorrencia(buscador_.get(), indice_->linha(l)));
        if (deuVolta)
            situacao_->setText(
                adiante ? QStringLiteral("Chegou ao fim do arquivo: continuou do início.")
                        : QStringLiteral("Chegou ao início do arquivo: continuou do fim."));
        return true;
    };
    // Na vista filtrada, só as ocorrências que ela mostra; a procura para em 100 mil passos e
    // continua no próximo acompanhamento.
    int passos = 0;
    if (adiante) {
        const std::size_t de =
            pendenteDe_ < 0 ? 0 : achadas.primeiroMaiorQue(static_cast<std::uint32_t>(pendenteDe_));
        for (std::size_t i = de; i < n && passos < 100000; ++i, ++passos)
            if (visivel(achadas[i])) return vai(achadas[i], false);
        if (!completa || passos >= 100000) return false;
        for (std::size_t i = 0; i < n && static_cast<std::int64_t>(achadas[i]) <= pendenteDe_; ++i)
            if (visivel(achadas[i])) return vai(achadas[i], true);
    } else {
        if (!completa) return false; // a anterior pode dar a volta: espera a busca terminar
        std::size_t i = achadas.primeiroNaoMenorQue(
            static_cast<std::uint32_t>(std::max<std::int64_t>(pendenteDe_, 0)));
        while (i-- > 0)
            if (visivel(achadas[i])) return vai(achadas[i], false);
        for (std::size_t j = n; j-- > 0 && static_cast<std::int64_t>(achadas[j]) >= pendenteDe_;)
            if (visivel(achadas[j])) return vai(achadas[j], true);
    }
    situacao_->setText(n == 0 ? QStringLiteral("Nenhuma ocorrência.")
                              : QStringLiteral("Nenhuma ocorrência nas linhas mostradas."));
    return true;
}

void JanelaTexto::vaiParaLinha(std::int64_t linha) {
    if (!indice_ || linha < 1) return;
    if (linha > indice_->linhasConhecidas()) {
        if (indice_->completo()) {
            situacao_->setText(QStringLiteral("O arquivo tem ") +
                               FormataInteiro(indice_->linhasConhecidas()) +
                               QStringLiteral(" linhas."));
            visao_->vaiParaLinhaReal(indice_->linhasConhecidas() - 1, 0);
        } else {
            // Vai assim que o índice chegar nela.
            linhaPendente_ = linha;
            situacao_->setText(QStringLiteral("Indo para a linha ") + FormataInteiro(linha) +
                               QStringLiteral("..."));
            relogio_->start();
        }
        return;
    }
    linhaPendente_ = 0;
    visao_->vaiParaLinhaReal(linha - 1, 0);
    visao_->setFocus();
}

void JanelaTexto::criticaEscolhida(qint64 deslocamento, qint64 linha, int inicio, int) {
    if (!indice_) return;
    // O deslocamento diz onde está o registro; se não cair num começo de linha (o arquivo
    // mudou desde a validação), vale o número da linha.
    std::int64_t l = indice_->linhaDoDeslocamento(deslocamento);
    if (l < 0 || indice_->inicioLinha(l) != deslocamento) l = linha - 1;
    if (l < 0 || l >= indice_->linhasConhecidas()) {
        situacao_->setText(QStringLiteral("A linha ") + FormataInteiro(linha) +
                           QStringLiteral(" da crítica não está no arquivo aberto."));
        return;
    }
    if (filtrada_) {
        const auto p = filtrada_->posicaoDe(l);
        if (p >= filtrada_->quantidade() || filtrada_->linhaReal(p) != l) filtraClasse(-1);
    }
    visao_->vaiParaLinhaReal(l, inicio > 0 ? inicio - 1 : 0);
}

void JanelaTexto::cursorMudou(qint64 linhaReal, int) {
    const auto& r = visao_->registroCursor();
    if (linhaReal != ultimaLinhaPainel_ ||
        painel_->tabela()->rowCount() != static_cast<int>(r.campos.size()))
        painel_->mostra(r, visao_->campoCursor());
    else
        painel_->marcaCampo(visao_->campoCursor());
    ultimaLinhaPainel_ = linhaReal;
    atualizaPosicao();
}

void JanelaTexto::atualizaPosicao() {
    const auto linhaReal = visao_->linhaRealCursor();
    const auto& r = visao_->registroCursor();
    if (linhaReal < 0) return posicao_->clear();
    QString t = QStringLiteral("Linha ") + FormataInteiro(linhaReal + 1);
    if (indice_)
        t += QStringLiteral(" de ") + FormataInteiro(indice_->linhasConhecidas()) +
             (indice_->completo() ? QString() : QStringLiteral("+"));
    t += QStringLiteral(", coluna ") + QString::number(visao_->colunaCursor() + 1);
    if (!r.codigo.isEmpty()) t += QStringLiteral(" - registro ") + r.codigo;
    posicao_->setText(t);
}

QString JanelaTexto::textoResultadoBusca() const {
    return resultadoBusca_->text();
}

QString JanelaTexto::textoAviso() const {
    return aviso_->texto();
}

void JanelaTexto::acompanha() {
    if (!indice_) return;
    bool trabalhando = false;
    if (!indice_->completo()) {
        trabalhando = true;
        progressoIndice_->show();
        progressoIndice_->setValue(static_cast<int>(indice_->progresso() * 1000));
        situacao_->setText(QStringLiteral("Indexando linhas: %1%")
                               .arg(static_cast<int>(indice_->progresso() * 100)));
        visao_->atualizaQuantidade();
        atualizaPosicao();
    } else if (!contouTipos_) {
        contouTipos_ = true;
        progressoIndice_->hide();
        const auto n = indice_->linhasConhecidas();
        situacao_->setText(FormataInteiro(n) +
                           (n == 1 ? QStringLiteral(" linha, ") : QStringLiteral(" linhas, ")) +
                           FormataInteiro(arquivo_.tamanho()) + QStringLiteral(" bytes"));
        visao_->atualizaQuantidade();
        atualizaComboTipos();
        atualizaPosicao();
        Log(LogOperacao,
            QStringLiteral("Tramil: %1 linhas indexadas").arg(indice_->linhasConhecidas()));
    }
    if (linhaPendente_ > 0) {
        if (linhaPendente_ <= indice_->linhasConhecidas() || indice_->completo())
            vaiParaLinha(linhaPendente_);
        else
            trabalhando = true;
    }
    if (filtro_) {
        visao_->atualizaQuantidade();
        if (!filtro_->completa()) {
            trabalhando = true;
            situacao_->setText(
                QStringLiteral("Filtrando: %1%").arg(static_cast<int>(filtro_->progresso() * 100)));
        } else if (indice_->completo()) {
            situacao_->setText(
                FormataInteiro(static_cast<std::int64_t>(filtro_->linhas().tamanho())) +
                QStringLiteral(" linhas de ") +
                comboTipo_->currentText().section(QLatin1String(" ("), 0, 0));
        }
    }
    if (busca_) {
        const auto n = static_cast<std::int64_t>(busca_->linhas().tamanho());
        if (!busca_->completa()) {
            trabalhando = true;
            progressoBusca_->setValue(static_cast<int>(busca_->progresso() * 1000));
            resultadoBusca_->setText(QStringLiteral("Procurando... ") + FormataInteiro(n) +
                                     (n == 1 ? QStringLiteral(" linha até agora")
                                             : QStringLiteral(" linhas até agora")));
        } else {
            progressoBusca_->hide();
            resultadoBusca_->setText(n == 0 ? QStringLiteral("Nenhuma linha encontrada")
                                            : FormataInteiro(n) +
                                                  (n == 1 ? QStringLiteral(" linha encontrada")
                                                          : QStringLiteral(" linhas encontradas")));
        }
        if (pendente_ != Pendente::Nada && navegaAgora(pendente_ == Pendente::Proxima))
            pendente_ = Pendente::Nada;
        if (pendente_ != Pendente::Nada) trabalhando = true;
        visao_->viewport()->update();
    }
    if (!trabalhando) relogio_->stop();
}

void JanelaTexto::vigia() {
    if (!aviso_->texto().isEmpty()) return;
    const auto m = ConfereMudanca(arquivo_, QStringLiteral("O que aparece"));
    if (!m) return;
    Log(korventa::LogErro, QStringLiteral("Tramil: ") + m->texto);
    if (!m->podeReabrir) return aviso_->mostra(m->texto);
    aviso_->mostra(m->texto, QStringLiteral("Reabrir"), [this] {
        const auto linha = visao_->linhaRealCursor();
        if (abre(arquivo_.caminho()) && linha > 0) vaiParaLinha(linha + 1);
    });
}

} // namespace tramil
