// Registro no log do motor (EventoLog). Antes de LigarLog, ou sem o motor, não registra nada.
#pragma once

#include <QString>

namespace korventa {

// Níveis usados pelo programa.
inline constexpr int LogErro = 0;
inline constexpr int LogDetalhe = 3;
inline constexpr int LogOperacao = 4;
inline constexpr int LogImpressao = 7;
inline constexpr int LogVersao = 9;

void Log(int nivel, const QString& texto);

} // namespace korventa
