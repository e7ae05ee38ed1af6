// Conversões numéricas comuns: arredondamento, twips e números em texto.
#pragma once

#include <QString>
#include <cstdint>

namespace korventa {

// Inteiro mais próximo, metades para o vizinho par (2,5 -> 2; 3,5 -> 4; -2,5 -> -2).
// Fora da faixa do tipo, satura no limite; NaN dá 0.
std::int32_t ArredondaPar(double valor);
std::int16_t ArredondaPar16(double valor);

// Medidas da página impressa: 56,7 twips por milímetro.
inline constexpr double TwipsPorMilimetro = 56.7;
double MilimetrosParaTwips(double milimetros);
double TwipsParaMilimetros(double twips);

// Número em texto com um branco antes quando não negativo (0 -> " 0", -3 -> "-3"); é o sufixo
// dos arquivos de trabalho de cada arquivo aberto.
QString NumeroComBrancoInicial(int numero);

// Número com que o texto começa, com "." como ponto decimal (brancos iniciais ignorados);
// 0 quando o texto não começa por um número ("3.5" -> 3,5; "7x" -> 7; "x7" -> 0).
double ValorInicialNumerico(const QString& texto);

} // namespace korventa
