// Um arquivo pequeno com documentos conhecidos, cada um com a sua conferência esperada.
#pragma once

#include <string>

namespace tramil::teste {

// Documentos, na ordem em que o índice os acha:
//  0 NF-e 55/1/000100 saída, dois CFOP (5102 e 5405), itens + frete = total: confere.
//  1 NF 01/2/000200 entrada de terceiros, 53 com o CNPJ do substituído: o total inclui o
//    ICMS retido (200,00): confere.
//  2 NF-e 55/1/000300 saída para RJ: itens somam 1.900,00, total 2.000,00: não confere.
//  3 NF-e 55/1/000400: ICMS 20,00 para base 100,00 a 18%: não confere; sem itens.
//  4 NF-e 55/1/000500 cancelada (S), valores zerados.
//  5 itens 54 da nota 000999 sem registro 50.
//  6 cupom do ECF001 em 10/05/2023: 60A somam a venda bruta; 60D com ICMS errado.
//  7 cupom do ECF002 em 10/05/2023: 60A somam 400,00 para venda bruta de 500,00.
//  8 conhecimento 08/1/000010, dois CFOP (5353 e 6353), duas notas transportadas.
std::string ArquivoComNotasConhecidas();

} // namespace tramil::teste
