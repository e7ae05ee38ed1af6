// Versões dos componentes: conferência exata no início e comparação numérica de versões.
#pragma once

#include "platform/Plataforma.h"

#include <cstdint>

namespace korventa {

// true quando as versões são iguais (texto exato); senão mostra a mensagem crítica de
// reinstalação e devolve false.
bool ConfereVersao(Plataforma& plataforma, const QString& nome, const QString& esperada,
                   const QString& atual);

// -1 quando a primeira é menor, 1 quando é maior, 0 quando iguais nas três primeiras partes ou
// quando um dos textos não é uma versão válida.
std::int16_t CompararVersoes(const QString& primeira, const QString& segunda);

} // namespace korventa
