#include "app/PaginaUtilitarios.h"

#include "platform/Acessivel.h"
#include "platform/Nomeado.h"
#include "validation/Ajuda.h"
#include "validation/BotaoComAcao.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korventa {

namespace {

constexpr int TopicoAjuda = 6;

// Quadro com a descrição do utilitário à esquerda e o botão que o abre à direita.
QGroupBox* Quadro(const QString& titulo, const QString& descricao, BotaoComAcao* botao,
                  QWidget* pai) {
    auto* quadro = new QGroupBox(titulo, pai);
    auto* texto = new QLabel(descricao, quadro);
    texto->setWordWrap(true);
    texto->setTextFormat(Qt::PlainText);
    botao->setParent(quadro);
    // Dois botões "Abrir...": o leitor de tela diz qual utilitário cada um abre.
    botao->setAccessibleName(QStringLiteral("Abrir ") + titulo.trimmed());
    botao->setAccessibleDescription(descricao);
    botao->permite(true);
    auto* linha = new QHBoxLayout(quadro);
    linha->addWidget(texto, 1);
    linha->addWidget(botao, 0, Qt::AlignTop);
    return quadro;
}

} // namespace

PaginaUtilitarios::PaginaUtilitarios(Sessao& sessao, QWidget* pai)
    : QWidget(pai), sessao_(sessao),
      notasFiscais_(new BotaoComAcao(QStringLiteral("BotaoUtilNotasFiscais"),
                                     QStringLiteral("A&brir..."), this)),
      arquivoTexto_(new BotaoComAcao(QStringLiteral("BotaoUtilArquivoTexto"),
                                     QStringLiteral("Abr&ir..."), this)) {
    setObjectName(QStringLiteral("PaginaUtilitarios"));
    auto* notas = Quadro(
        QStringLiteral(" Consulta Nota Fiscal "),
        QStringLiteral("Este programa é um visualizador das notas fiscais declaradas em arquivos "
                       "Convênio 57/95. Ele oferece fácil navegação entre as notas fiscais, "
                       "verificação do somatório e impressão das próprias notas fiscais e "
                       "visualização dos registros responsáveis pela nota fiscal."),
        notasFiscais_, this);
    notas->setObjectName(QStringLiteral("FrameUtilNotasFiscais"));
    auto* arquivo = Quadro(
        QStringLiteral(" Visualizar Arquivo "),
        QStringLiteral("Este programa é um visualizador de arquivos Convênio 57/95. Ele oferece "
                       "rápida visualização, busca por palavras-chave dentro do arquivo e "
                       "informações sobre os campos de cada registro."),
        arquivoTexto_, this);
    arquivo->setObjectName(QStringLiteral("FrameUtilArquivoTexto"));

    auto* ajuda =
        Nomeado<QPushButton>(QStringLiteral("BotaoUtilAjuda"), QStringLiteral("&Ajuda"), this);
    connect(ajuda, &QPushButton::clicked, this, [this] { Ajuda(sessao_, TopicoAjuda); });
    auto* linhaAjuda = new QHBoxLayout;
    linhaAjuda->addStretch(1);
    linhaAjuda->addWidget(ajuda);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notas);
    layout->addWidget(arquivo);
    layout->addStretch(1);
    layout->addLayout(linhaAjuda);

    OrdemTab({notasFiscais_, arquivoTexto_, ajuda});
}

} // namespace korventa
