// Mensagens de falha legíveis: o GoogleTest mostra QString como texto, não como bytes.
// Incluído em todo executável de testes; os do motor não usam Qt.
#pragma once

#if __has_include(<QString>)
#include <QString>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* saida) {
    *saida << '"' << texto.toStdString() << '"';
}
#endif
