#include "platform/JanelaAjuda.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace korventa {

QPointer<JanelaAjuda> JanelaAjuda::instancia_;

JanelaAjuda::JanelaAjuda() : texto_(new QTextBrowser(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ajuda do ValidadorKorventa2017"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(texto_);
    texto_->setOpenLinks(true);
    texto_->setOpenExternalLinks(false);
    resize(720, 560);
}

void JanelaAjuda::mostra(const QString& arquivoAjuda, int topico) {
    if (!instancia_)
        instancia_ = new JanelaAjuda;
    instancia_->abre(arquivoAjuda, topico);
    instancia_->show();
    instancia_->raise();
    instancia_->activateWindow();
}

void JanelaAjuda::abre(const QString& arquivoAjuda, int topico) {
    if (arquivoAberto_ != arquivoAjuda) {
        QFile arquivo(arquivoAjuda);
        if (!arquivo.open(QIODevice::ReadOnly)) {
            texto_->setHtml(QStringLiteral("<p>O arquivo de ajuda não foi encontrado: %1</p>")
                                .arg(arquivoAjuda.toHtmlEscaped()));
            arquivoAberto_.clear();
            return;
        }
        texto_->setHtml(QString::fromUtf8(arquivo.readAll()));
        arquivoAberto_ = arquivoAjuda;
    }
    texto_->scrollToAnchor(QString::number(topico));
}

} // namespace korventa
