#include "critiques/DlgSetupCriticas.h"

#include "critiques/DlgPrintCriticas.h"
#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "printing/CabecalhoRelatorio.h"
#include "printing/ImpressoraAtual.h"
#include "printing/NomesImpressao.h"
#include "printing/SuperficieQt.h"
#include "printing/clsPrintDialog.h"
#include "validation/Ajuda.h"
#include "validation/Sessao.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korventa {

namespace {

const QString Documento = QStringLiteral("Relatório de Críticas");

std::int64_t Quantidade(const ArquivoAberto& a, FiltroCriticas tipo) {
    switch (tipo) {
    case FiltroCriticas::Erros:
        return a.erros;
    case FiltroCriticas::Advertencias:
        return a.advertencias;
    case FiltroCriticas::Tudo:
        break;
    }
    return std::int64_t(a.erros) + a.advertencias;
}

QPushButton* Botao(const QString& nome, const QString& texto, QWidget* pai) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(nome);
    b->setAutoDefault(false);
    return b;
}

} // namespace

std::unique_ptr<DlgSetupCriticas> DlgSetupCriticas::Carrega(Sessao& s, std::optional<int> arquivo,
                                                            FiltroCriticas filtroDaPagina,
                                                            QWidget* pai) {
    if (!arquivo || *arquivo < 0 || *arquivo >= s.arquivos.size()) {
        s.plataforma.mensagem(QStringLiteral("Aviso: Nenhum arquivo selecionado!"),
                              Icone::Exclamacao);
        return nullptr;
    }
    const ArquivoAberto& a = s.arquivos.at(*arquivo);
    if (std::int64_t(a.erros) + a.advertencias == 0) {
        s.plataforma.mensagem(QStringLiteral("O arquivo não contém erros ou advertências."),
                              Icone::Informacao);
        return nullptr;
    }
    if (!ImpressoraPronta(s, QStringLiteral("Erro5 "))) return nullptr;
    s.impressora.orientacao = Paisagem;

    std::unique_ptr<DlgSetupCriticas> dlg(new DlgSetupCriticas(s, *arquivo, pai));
    dlg->atualizaImpressora();
    FiltroCriticas tipo = filtroDaPagina;
    if (a.advertencias == 0) {
        dlg->tipos_[int(FiltroCriticas::Advertencias)]->setEnabled(false);
        tipo = FiltroCriticas::Erros;
    } else if (a.erros == 0) {
        dlg->tipos_[int(FiltroCriticas::Erros)]->setEnabled(false);
        tipo = FiltroCriticas::Advertencias;
    }
    dlg->escolheTipo(tipo);
    return dlg;
}

DlgSetupCriticas::DlgSetupCriticas(Sessao& s, int arquivo, QWidget* pai)
    : QDialog(pai), s_(s), arquivo_(arquivo) {
    setObjectName(QStringLiteral("DlgSetupCriticas"));
    setWindowTitle(QStringLiteral("Impressão do Relatório de Críticas"));
    montaControles();
}

void DlgSetupCriticas::montaControles() {
    auto* frameTipo = new QGroupBox(QStringLiteral(" Imprimir "), this);
    frameTipo->setObjectName(QStringLiteral("FrameImprimir"));
    grupoTipo_ = new QButtonGroup(this);
    const char* nomes[3] = {"OptionErros", "OptionAdvertencias", "OptionAmbos"};
    const QString textos[3] = {QStringLiteral("&Erros"), QStringLiteral("A&dvertências"),
                               QStringLiteral("&Tudo")};
    auto* linhaTipo = new QHBoxLayout(frameTipo);
    for (int i = 0; i < 3; ++i) {
        tipos_[i] = new QRadioButton(textos[i], frameTipo);
        tipos_[i]->setObjectName(QString::fromLatin1(nomes[i]));
        grupoTipo_->addButton(tipos_[i], i);
        linhaTipo->addWidget(tipos_[i]);
        connect(tipos_[i], &QRadioButton::toggled, this, [this, i](bool marcado) {
            if (marcado) escolheTipo(static_cast<FiltroCriticas>(i));
        });
    }

    auto* frameIntervalo = new QGroupBox(QStringLiteral(" Intervalo "), this);
    frameIntervalo->setObjectName(QStringLiteral("FrameIntervalo"));
    todas_ = new QRadioButton(QStringLiteral("Todas as &páginas"), frameIntervalo);
    todas_->setObjectName(QStringLiteral("OptionTodas"));
    intervalo_ = new QRadioButton(QStringLiteral("Da pá&gina"), frameIntervalo);
    intervalo_->setObjectName(QStringLiteral("OptionIntervalo"));
    inicio_ = new QLineEdit(frameIntervalo);
    inicio_->setObjectName(QStringLiteral("TextInicio"));
    inicio_->setAccessibleName(QStringLiteral("Primeira página"));
    fim_ = new QLineEdit(frameIntervalo);
    fim_->setObjectName(QStringLiteral("TextFim"));
    fim_->setAccessibleName(QStringLiteral("Última página"));
    for (QLineEdit* caixa : {inicio_, fim_}) {
        caixa->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
        connect(caixa, &QLineEdit::textEdited, this, [this, caixa] { somenteDigitos(caixa); });
    }
    auto* ate = new QLabel(QStringLiteral("&até"), frameIntervalo);
    ate->setBuddy(fim_);
    auto* linhaIntervalo = new QHBoxLayout;
    linhaIntervalo->addWidget(intervalo_);
    linhaIntervalo->addWidget(inicio_);
    linhaIntervalo->addWidget(ate);
    linhaIntervalo->addWidget(fim_);
    linhaIntervalo->addStretch();
    auto* colunaIntervalo = new QVBoxLayout(frameIntervalo);
    colunaIntervalo->addWidget(todas_);
    colunaIntervalo->addLayout(linhaIntervalo);

    const auto valor = [this](const char* nome) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(nome));
        l->setTextFormat(Qt::PlainText);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    labelImpressora_ = valor("LabelImpressora");
    labelOrientacao_ = valor("LabelOrientacao");
    labelPapel_ = valor("LabelPapel");
    auto* impressora = new QFormLayout;
    impressora->addRow(QStringLiteral("Impressora:"), labelImpressora_);
    impressora->addRow(QStringLiteral("Orientação:"), labelOrientacao_);
    impressora->addRow(QStringLiteral("Papel:"), labelPapel_);

    QPushButton* setup =
        Botao(QStringLiteral("CommandSetup"), QStringLiteral("I&mpressora..."), this);
    QPushButton* visualizar =
        Botao(QStringLiteral("CommandVisualizar"), QStringLiteral("&Visualizar..."), this);
    QPushButton* imprimir =
        Botao(QStringLiteral("CommandImprimir"), QStringLiteral("&Imprimir"), this);
    imprimir->setDefault(true);
    QPushButton* cancelar = Botao(QStringLiteral("CancelButton"), QStringLiteral("Cancelar"), this);
    QPushButton* ajuda = Botao(QStringLiteral("CommandAjuda"), QStringLiteral("Aj&uda"), this);
    auto* botoes = new QVBoxLayout;
    for (QPushButton* b : {imprimir, visualizar, setup, cancelar})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(ajuda);

    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(frameTipo);
    esquerda->addWidget(frameIntervalo);
    esquerda->addLayout(impressora);
    esquerda->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(esquerda, 1);
    layout->addLayout(botoes);

    connect(setup, &QPushButton::clicked, this, [this] { AbrePrintSetup(); });
    connect(visualizar, &QPushButton::clicked, this, [this] { CommandVisualizar_Click(); });
    connect(imprimir, &QPushButton::clicked, this, [this] { CommandImprimir_Click(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ajuda, &QPushButton::clicked, this, [this] { Ajuda(s_, 11); });
}

void DlgSetupCriticas::somenteDigitos(QLineEdit* caixa) {
    const QString texto = caixa->text();
    int cursor = caixa->cursorPosition();
    QString digitos;
    for (int i = 0; i < texto.size(); ++i) {
        if (texto.at(i) >= u'0' && texto.at(i) <= u'9')
            digitos += texto.at(i);
        else if (i < caixa->cursorPosition())
            --cursor; // o cursor fica onde estava em relação aos dígitos
    }
    if (digitos != texto) {
        caixa->setText(digitos);
        caixa->setCursorPosition(cursor);
    }
    // Digitar um intervalo é escolher "Da página".
    intervalo_->setChecked(true);
}

FiltroCriticas DlgSetupCriticas::tipo() const {
    const int marcado = grupoTipo_->checkedId();
    return marcado < 0 ? FiltroCriticas::Tudo : static_cast<FiltroCriticas>(marcado);
}

void DlgSetupCriticas::escolheTipo(FiltroCriticas tipo) {
    QRadioButton* botao = tipos_[int(tipo)];
    if (!botao->isChecked()) {
        const QSignalBlocker bloqueio(botao);
        botao->setChecked(true);
    }
    paginas_ = PaginasCriticas(Quantidade(s_.arquivos.at(arquivo_), tipo), linhas_);
    todas_->setChecked(true);
    inicio_->setText(QStringLiteral("1"));
    fim_->setText(QString::number(paginas_));
}

void DlgSetupCriticas::atualizaImpressora() {
    linhas_ = LinhasPorPaginaCriticas(AlturaImprimivelAtual(s_));
    labelImpressora_->setText(NomeImpressoraAtual(s_));
    labelOrientacao_->setText(NomeOrientacao(s_.impressora.orientacao));
    labelPapel_->setText(NomePapel(CodigoPapelAtual(s_)));
}

void DlgSetupCriticas::AbrePrintSetup() {
    clsPrintDialog dialogo;
    dialogo.defineMax(qMax(1, paginas_));
    dialogo.defineMin(1);
    dialogo.defineToPage(qMax(1, paginas_));
    dialogo.defineFromPage(1);
    for (;;) {
        if (!dialogo.ShowPrinter(s_, Documento)) {
            Log(LogOperacao, QStringLiteral("Cancelou AbrePrintSetup."));
            return;
        }
        if (s_.impressora.orientacao == Retrato &&
            s_.plataforma.mensagem(
                QStringLiteral("A impressora está configurada para imprimir no modo Retrato.\r"
                               "A impressão do Relatório de Críticas deve ser feita no modo "
                               "Paisagem.\rDeseja alterar a configuração da impressora?"),
                Icone::Pergunta, Botoes::SimNao) == Resposta::Sim)
            continue;
        break;
    }
    atualizaImpressora();
    escolheTipo(tipo());
    if (dialogo.visualizar()) CommandVisualizar_Click();
}

std::optional<PedidoCriticas> DlgSetupCriticas::conferePedido() {
    Plataforma& p = s_.plataforma;
    const FiltroCriticas t = tipo();
    if (paginas_ == 0 && t != FiltroCriticas::Tudo) {
        p.mensagem(MensagemSemCriticas(t), Icone::Exclamacao);
        return std::nullopt;
    }
    int de = 1;
    int ate = paginas_;
    if (intervalo_->isChecked()) {
        de = inicio_->text().toInt();
        ate = fim_->text().toInt();
    }
    const auto recusa = [&](const QString& mensagem) {
        p.mensagem(mensagem, Icone::Exclamacao);
        inicio_->setFocus();
        inicio_->selectAll();
    };
    if (de > paginas_ || ate < 1) {
        recusa(QStringLiteral("O intervalo de impressão deve ser de 1 a") +
               QString::number(paginas_) + QLatin1Char('.'));
        return std::nullopt;
    }
    if (ate < de) {
        recusa(QStringLiteral("Intervalo de páginas inválido!"));
        return std::nullopt;
    }
    if (s_.impressora.orientacao == Retrato) {
        p.mensagem(QStringLiteral("A impressora está configurada para imprimir no modo Retrato.\r"
                                  "A impressão do Relatório de Críticas precisa ser feita no "
                                  "modo Paisagem.\rAltere as configurações de impressão para o "
                                  "modo Paisagem\re tente novamente imprimir."),
                   Icone::Exclamacao);
        return std::nullopt;
    }

    const ArquivoAberto& a = s_.arquivos.at(arquivo_);
    PedidoCriticas pedido;
    pedido.tipo = t;
    // Um intervalo que só cruza 1..P vale: antes da primeira página não há o que imprimir.
    pedido.paginaInicial = qMax(1, de);
    pedido.paginaFinal = ate;
    pedido.ultimaPagina = paginas_;
    pedido.relatorios = RelatoriosDoArquivo(s_, arquivo_);
    const DadosCabecalho cabecalho = CabecalhoDoArquivo(a, QString(), p.agora());
    pedido.arquivo = a.caminho;
    pedido.contribuinte = cabecalho.contribuinte;
    pedido.periodo = cabecalho.periodo;
    pedido.agora = p.agora();
    return pedido;
}

void DlgSetupCriticas::CommandImprimir_Click() {
    const std::optional<PedidoCriticas> pedido = conferePedido();
    if (!pedido || !EscolheArquivoPdf(s_, Documento)) return;
    DlgPrintCriticas impressao(s_, *pedido, this);
    impressao.exec();
    accept();
}

void DlgSetupCriticas::CommandVisualizar_Click() {
    const std::optional<PedidoCriticas> pedido = conferePedido();
    if (!pedido) return;
    const QString impressora = NomeImpressoraAtual(s_);
    const bool imprimiu = s_.plataforma.visualizaImpressao(
        RegistroImpressoraAtual(s_, Documento), [&](QPagedPaintDevice& dispositivo) {
            s_.plataforma.cursorOcupado(true);
            SuperficieQt pagina(dispositivo, impressora);
            DesenhaCriticas(pagina, *pedido, {});
            pagina.fimDocumento();
            s_.plataforma.cursorOcupado(false);
        });
    if (!imprimiu) return;
    s_.plataforma.mensagem(QStringLiteral("Relatório de Críticas impresso."), Icone::Informacao);
    accept();
}

void BotaoCriticasImprimir_Click(Sessao& s, std::optional<int> arquivo,
                                 FiltroCriticas filtroDaPagina, QWidget* pai) {
    Log(LogOperacao, QStringLiteral("BotaoCriticasImprimir_Click..."));
    std::unique_ptr<DlgSetupCriticas> dlg =
        DlgSetupCriticas::Carrega(s, arquivo, filtroDaPagina, pai);
    if (!dlg) return;
    dlg->exec();
    dlg.reset();
    // Um PDF escolhido no diálogo e não impresso não vale para o próximo trabalho.
    EsqueceArquivoPdf(s);
    Log(LogOperacao, QStringLiteral("Fim BotaoCriticasImprimir_Click."));
}

} // namespace korventa
