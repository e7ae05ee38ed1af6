#pragma once

#include <QPointer>
#include <QWidget>

class QTextBrowser;

namespace korventa {

// Janela de ajuda: o arquivo de ajuda é HTML com âncoras numéricas ("<a name="2">"), uma por
// tópico. Uma única janela, reaproveitada a cada pedido.
class JanelaAjuda : public QWidget {
public:
    static void mostra(const QString& arquivoAjuda, int topico);

private:
    JanelaAjuda();
    void abre(const QString& arquivoAjuda, int topico);

    QTextBrowser* texto_;
    QString arquivoAberto_;
    static QPointer<JanelaAjuda> instancia_;
};

} // namespace korventa
