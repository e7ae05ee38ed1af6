// Conferência das opções regionais de números: o programa só roda quando o símbolo decimal e o
// de agrupamento de dígitos formam números que ele sabe ler.
#pragma once

#include "platform/Plataforma.h"

namespace korventa {

// Formata o valor com um padrão de formato ("##,##0.000", "##,##0") como as opções regionais
// do usuário o fariam: a vírgula do padrão pede agrupamento de três em três dígitos e os zeros
// depois do ponto são as casas decimais.
QString FormataComPadrao(double valor, const QString& padrao, const FormatoNumerico& formato);

// Conferências do início; cada uma mostra a mensagem crítica e devolve false quando falha.
bool ConfereSimboloDecimal(Plataforma& plataforma);
bool ConfereAgrupamentoDigitos(Plataforma& plataforma);

} // namespace korventa
