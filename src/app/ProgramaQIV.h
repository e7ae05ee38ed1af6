// O programa de transmissão: se o caminho configurado aponta para um arquivo.
#pragma once

#include "validation/Sessao.h"

namespace korventa {

// Põe em sessao.qivEncontrado se cfg.pathQiv é um arquivo existente (uma pasta não serve).
void VerificaQIV(Sessao& sessao);

} // namespace korventa
