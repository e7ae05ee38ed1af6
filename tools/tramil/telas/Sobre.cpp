#include "telas/Sobre.h"

#include <QMessageBox>

namespace tramil {

void MostraSobre(QWidget* pai) {
    QMessageBox caixa(
        QMessageBox::Information, QStringLiteral("Sobre o Tramil"),
        QStringLiteral(
            "Tramil %1\n\n"
            "Visualizar Arquivo: visualização rápida de arquivos Convênio 57/95, "
            "busca por palavras-chave e informações sobre os campos de cada registro.\n\n"
            "Consulta Nota Fiscal: navegação entre as notas fiscais do arquivo, "
            "verificação do somatório, impressão das notas e os registros de cada uma.")
            .arg(QStringLiteral(TRAMIL_VERSAO)),
        QMessageBox::Ok, pai);
    caixa.setTextFormat(Qt::PlainText);
    caixa.exec();
}

} // namespace tramil
