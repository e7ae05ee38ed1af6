// Controle criado já com o nome pelo qual as páginas, os testes e as configurações o acham.
#pragma once

#include <QString>
#include <QWidget>

namespace korventa {

template <typename Controle>
Controle* Nomeado(const QString& nome, const QString& texto, QWidget* pai) {
    auto* c = new Controle(texto, pai);
    c->setObjectName(nome);
    return c;
}

} // namespace korventa
