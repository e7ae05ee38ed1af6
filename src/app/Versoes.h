// Versões dos componentes: conferência exata no início e comparação numérica de versões.
#pragma once

#include "engine/ComparacaoVersoes.h"
#include "platform/Plataforma.h"

#include <cstdint>

namespace korventa {

// true quando as versões são iguais (texto exato); senão mostra a mensagem crítica de
// reinstalação e devolve false.
bool ConfereVersao(Plataforma& plataforma, const QString& nome, const QString& esperada,
                   const QString& atual);

} // namespace korventa
