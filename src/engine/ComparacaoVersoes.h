// Comparação numérica de versões "a.b.c", usada na conferência dos componentes e nas mídias.
#pragma once

#include <QString>
#include <cstdint>

namespace korventa {

// -1 quando a primeira é menor, 1 quando é maior, 0 quando iguais nas três primeiras partes ou
// quando um dos textos não é uma versão válida.
std::int16_t CompararVersoes(const QString& primeira, const QString& segunda);

} // namespace korventa
