// Nomes de orientação e de papel mostrados ao usuário.
#pragma once

#include <QString>

namespace korventa {

// 1 "Retrato", 2 "Paisagem", qualquer outro valor vazio.
QString NomeOrientacao(int orientacao);
// Pelo código de papel padrão do sistema de impressão (1 Carta, 9 A4...); "Desconhecido" fora
// da tabela.
QString NomePapel(int codigo);

} // namespace korventa
