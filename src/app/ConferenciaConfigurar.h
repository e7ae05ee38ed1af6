// Regras dos dois campos da página Configurar, sem tela: o limite de críticas digitado e o nome
// do programa de transmissão no fim do caminho.
#pragma once

#include "platform/Plataforma.h"

#include <cstdint>
#include <optional>

namespace korventa {

// Limite de críticas digitado, lido com os símbolos regionais (agrupamento só de três em três
// dígitos) e levado ao inteiro mais próximo, metades para o par: "12,5" → 12, "13,5" → 14,
// "3.000" → 3000. nullopt quando o texto não é número ou o valor não cabe em 32 bits.
std::optional<std::int32_t> LeLimiteCriticas(const QString& texto, const FormatoNumerico& formato);

// O caminho termina em "qiv.exe" (qualquer caixa) logo depois de um separador, "\" ou "/".
bool TerminaNoProgramaQIV(const QString& caminho);

} // namespace korventa
