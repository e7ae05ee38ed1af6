// Caixas de mensagem do Tramil: texto sempre simples (caminhos e conteúdo de arquivo nunca são
// lidos como formatação) e o mesmo registro no log do validador.
#pragma once

#include <QMessageBox>
#include <QString>

namespace tramil {

void Mensagem(QWidget* pai, QMessageBox::Icon icone, const QString& texto);

} // namespace tramil
