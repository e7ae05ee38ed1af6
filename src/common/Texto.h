// Textos curtos usados em todo o programa: saídas das bibliotecas, dígitos e veredictos.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace korventa {

// Texto antes do primeiro NUL; o texto inteiro quando não há NUL.
QString CortaNoNulo(const QString& texto);

// Dígitos sem os zeros à esquerda, mantendo ao menos o último caractere ("000" -> "0").
QString TiraZerosEsquerda(const QString& digitos);

// Texto do veredicto de uma validação; "" para códigos que não são 0, 1 ou 2.
QString TextoResultado(std::int32_t codigo);

// Tipos de registro na ordem fixa, posições 0 a 20 (também a ordem das linhas dos totalizadores).
inline constexpr std::array<std::int16_t, 21> TiposRegistro = {
    10, 11, 50, 51, 53, 54, 55, 56, 57, 60, 61, 70, 71, 74, 75, 76, 77, 85, 86, 88, 90};

// Posição 0 a 20 do tipo de registro na ordem fixa; -1 para qualquer outro.
int IndiceDoRegistro(std::int16_t tipo);

} // namespace korventa
