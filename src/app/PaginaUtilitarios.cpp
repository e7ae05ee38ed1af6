#include "app/PaginaUtilitarios.h"

#include "platform/Acessivel.h"
#include "platform/Nomeado.h"
#include "validation/Ajuda.h"
#include "validation/BotaoComAcao.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace korventa {

namespace {

// Moldura de um modo: a descrição à esquerda e o botão à direita.
QGroupBox* moldura(const QString& nome, const QString& titulo, const QString& descricao,
                   QPushButton* botao, QWidget* pai) {
    auto* caixa = new QGroupBox(titulo, pai);
    caixa->setObjectName(nome);
    auto* texto = new QLabel(descricao, caixa);
    texto->setTextFormat(Qt::PlainText);
    texto->setWordWrap(true);
    botao->setAccessibleName(titulo.trimmed() + QStringLiteral(": abrir"));
    botao->setAccessibleDescription(descricao);
    auto* layout = new QHBoxLayout(caixa);
    layout->addWidget(texto, 1);
    layout->addWidget(botao, 0, Qt::AlignTop);
    return caixa;
}

} // namespace

PaginaUtilitarios::PaginaUtilitarios(Sessao& sessao, QWidget* pai)
    : QWidget(pai), notasFiscais_(new BotaoComAcao(QStringLiteral("BotaoUtilNotasFiscais"),
                                                   QStringLiteral("A&brir..."), this)),
      arquivoTexto_(new BotaoComAcao(QStringLiteral("BotaoUtilArquivoTexto"),
                                     QStringLiteral("Abr&ir..."), this)) {
    setObjectName(QStringLiteral("PaginaUtilitarios"));
    auto* ajuda = Nomeado<QPushButton>(QStringLiteral("BotaoUtilitariosAjuda"),
                                       QStringLiteral("&Ajuda"), this);
    connect(ajuda, &QPushButton::clicked, this, [&sessao] { Ajuda(sessao, 6); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(moldura(
        QStringLiteral("FrameUtilNotasFiscais"), QStringLiteral(" Consulta Nota Fiscal "),
        QStringLiteral("Este programa é um visualizador das notas fiscais declaradas em arquivos "
                       "Convênio 57/95. Ele oferece fácil navegação entre as notas fiscais, "
                       "verificação do somatório e impressão das próprias notas fiscais e "
                       "visualização dos registros responsáveis pela nota fiscal."),
        notasFiscais_, this));
    layout->addWidget(moldura(
        QStringLiteral("FrameUtilArquivoTexto"), QStringLiteral(" Visualizar Arquivo "),
        QStringLiteral("Este programa é um visualizador de arquivos Convênio 57/95. Ele oferece "
                       "rápida visualização, busca por palavras-chave dentro do arquivo e "
                       "informações sobre os campos de cada registro."),
        arquivoTexto_, this));
    layout->addStretch(1);
    auto* linhaAjuda = new QHBoxLayout;
    linhaAjuda->addStretch(1);
    linhaAjuda->addWidget(ajuda);
    layout->addLayout(linhaAjuda);
    OrdemTab({notasFiscais_, arquivoTexto_, ajuda});
}

} // namespace korventa
