#include "telas/Mensagens.h"

#include "engine/Log.h"

namespace tramil {

void Mensagem(QWidget* pai, QMessageBox::Icon icone, const QString& texto) {
    korventa::Log(icone == QMessageBox::Information ? korventa::LogDetalhe : korventa::LogErro,
                  QStringLiteral("Tramil: ") + texto);
    QMessageBox caixa(icone, QStringLiteral("Tramil"), texto, QMessageBox::Ok, pai);
    caixa.setTextFormat(Qt::PlainText);
    caixa.exec();
}

} // namespace tramil
