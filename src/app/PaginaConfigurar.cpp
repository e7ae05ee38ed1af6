#include "app/PaginaConfigurar.h"

#include "app/ConferenciaConfigurar.h"
#include "app/ProgramaQIV.h"
#include "common/Caminhos.h"
#include "engine/Log.h"
#include "platform/Acessivel.h"
#include "platform/Nomeado.h"
#include "platform/Plataforma.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korventa {

PaginaConfigurar::PaginaConfigurar(Sessao& sessao, QWidget* pai)
    : QWidget(pai), sessao_(sessao), editLocalQIV_(new QLineEdit(this)),
      editMaxCriticas_(new QLineEdit(this)), labelPastaComprovantes_(new QLabel(this)) {
    setObjectName(QStringLiteral("PaginaConfigurar"));
    editLocalQIV_->setObjectName(QStringLiteral("EditLocalQIV"));
    editMaxCriticas_->setObjectName(QStringLiteral("EditMaxCriticas"));
    editMaxCriticas_->setMaximumWidth(80);
    labelPastaComprovantes_->setObjectName(QStringLiteral("LabelPastaComprovantesQIV"));
    labelPastaComprovantes_->setFrameShape(QFrame::StyledPanel);
    labelPastaComprovantes_->setFrameShadow(QFrame::Sunken);
    labelPastaComprovantes_->setTextFormat(Qt::PlainText); // pasta vinda das configurações
    labelPastaComprovantes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelPastaComprovantes_->setMinimumHeight(editLocalQIV_->sizeHint().height());
    labelPastaComprovantes_->setTextFormat(Qt::PlainText);

    auto* browse = new QPushButton(QStringLiteral("&..."), this);
    browse->setObjectName(QStringLiteral("BrowseQIV"));
    browse->setAccessibleName(QStringLiteral("Procurar o programa de transmissão"));
    browse->setMaximumWidth(40);
    browse->setToolTip(QStringLiteral("Procurar o programa de transmissão"));
    browse->setAccessibleName(QStringLiteral("Procurar o programa de transmissão"));
    auto* ajuda = new QPushButton(QStringLiteral("&Ajuda"), this);
    ajuda->setObjectName(QStringLiteral("BotaoConfigurarAjuda"));

    auto* legendaQiv = Nomeado<QLabel>(QStringLiteral("LabelLocalQIV"),
                              QStringLiteral("Informe o caminho completo do programa de "
                                             "transmissão de arquivos (QIV):"),
                              this);
    legendaQiv->setBuddy(editLocalQIV_);

    auto* linhaQiv = new QHBoxLayout;
    linhaQiv->addWidget(editLocalQIV_, 1);
    linhaQiv->addWidget(browse);

    auto* linhaMax = new QHBoxLayout;
    auto* label8 =
        Nomeado<QLabel>(QStringLiteral("Label8"), QStringLiteral("Listar somente as primeiras"), this);
    label8->setBuddy(editMaxCriticas_);
    linhaMax->addWidget(label8);
    linhaMax->addWidget(editMaxCriticas_);
    linhaMax->addWidget(Nomeado<QLabel>(QStringLiteral("Label10"),
                               QStringLiteral("críticas do Relatório de Críticas."), this));
    linhaMax->addStretch(1);

    auto* linhaAjuda = new QHBoxLayout;
    linhaAjuda->addStretch(1);
    linhaAjuda->addWidget(ajuda);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(legendaQiv);
    layout->addLayout(linhaQiv);
    layout->addSpacing(16);
    layout->addLayout(linhaMax);
    layout->addSpacing(16);
    auto* legendaPasta =
        Nomeado<QLabel>(QStringLiteral("Label4"),
                        QStringLiteral("Pasta dos Comprovantes de Transmissão do QIV:"), this);
    LigaLegenda(labelPastaComprovantes_, legendaPasta);
    layout->addWidget(legendaPasta);
    layout->addWidget(labelPastaComprovantes_);
    layout->addStretch(1);
    layout->addLayout(linhaAjuda);

    // De cima para baixo: o "..." logo depois do caminho que ele procura.
    OrdemTab({editLocalQIV_, browse, editMaxCriticas_, ajuda});

    // Qualquer mudança dos dois campos, digitada ou não, pede as verificações ao sair da página.
    connect(editLocalQIV_, &QLineEdit::textChanged, this,
            [this] { sessao_.configuracaoAlterada = true; });
    connect(editMaxCriticas_, &QLineEdit::textChanged, this,
            [this] { sessao_.configuracaoAlterada = true; });
    connect(browse, &QPushButton::clicked, this, [this] { procuraQIV(); });
    connect(ajuda, &QPushButton::clicked, this, [this] {
        if (sessao_.ajuda) sessao_.ajuda(1);
    });
}

void PaginaConfigurar::preenche() {
    mostraPastaComprovantes();
    editLocalQIV_->setText(sessao_.cfg.pathQiv);
    editMaxCriticas_->setText(QString::number(sessao_.cfg.maxCriticas));
}

void PaginaConfigurar::mostraPastaComprovantes() {
    labelPastaComprovantes_->setText(sessao_.cfg.pastaComprovantesQIV);
}

void PaginaConfigurar::procuraQIV() {
    Log(LogOperacao, QStringLiteral("BrowseQIV_Click..."));
    DialogoArquivo d;
    d.titulo = QStringLiteral("Indique o local onde o QIV foi instalado...");
    d.filtro = QStringLiteral("Programa QIV (qiv.exe)|qiv.exe|Todos os tipos (*.*)|*.*");
    d.pastaInicial = PastaDoArquivo(editLocalQIV_->text());
    d.nomeProposto = QStringLiteral("QIV.EXE");
    const auto escolha = sessao_.plataforma.abrirArquivos(d);
    if (!escolha || escolha->isEmpty()) {
        Log(LogOperacao, QStringLiteral("Cancelou BrowseQIV_Click..."));
        return;
    }
    editLocalQIV_->setText(escolha->first());
    sessao_.configuracaoAlterada = true;
    Log(LogOperacao, QStringLiteral("Fim BrowseQIV_Click."));
}

QWidget* PaginaConfigurar::confereAoSair() {
    Plataforma& p = sessao_.plataforma;
    const auto limite = LeLimiteCriticas(editMaxCriticas_->text(), p.formatoNumerico());
    if (!limite) {
        p.mensagem(QStringLiteral("Número de críticas inválido!"), Icone::Nenhum);
        return editMaxCriticas_;
    }
    if (*limite != sessao_.cfg.maxCriticas) {
        if (*limite == 0) {
            p.mensagem(QStringLiteral("O número de críticas não pode ser zero!"), Icone::Nenhum);
            return editMaxCriticas_;
        }
        sessao_.cfg.maxCriticas = *limite;
        if (listaCriticasVisivel && listaCriticasVisivel())
            sessao_.listaCriticasDesatualizada = true;
    }

    // O caminho vale como digitado, mesmo quando uma verificação adiante o recusa.
    sessao_.cfg.pathQiv = editLocalQIV_->text();
    // Atualiza "QIV encontrado" também com o caminho vazio: a transmissão pede a configuração.
    VerificaQIV(sessao_);
    if (sessao_.cfg.pathQiv.isEmpty()) {
        p.mensagem(QStringLiteral("O caminho completo do QIV não foi definido.\rDesta forma não "
                                  "será possível a transmissão automática de arquivos."),
                   Icone::Informacao);
        return nullptr;
    }
    if (!TerminaNoProgramaQIV(sessao_.cfg.pathQiv)) {
        sessao_.qivEncontrado = false; // caminho recusado não é usado para transmitir
        p.mensagem(QStringLiteral("O caminho completo do QIV deve incluir o nome do programa "
                                  "(qiv.exe)."),
                   Icone::Exclamacao);
        return editLocalQIV_;
    }
    if (!sessao_.qivEncontrado) {
        p.mensagem(QStringLiteral("O QIV não foi encontrado no local especificado!"),
                   Icone::Exclamacao);
        return editLocalQIV_;
    }
    return nullptr;
}

} // namespace korventa
