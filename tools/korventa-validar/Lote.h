// Validação de um lote de arquivos: N ao mesmo tempo, saída na ordem dos argumentos, código de
// saída o pior veredito e, com mais de um arquivo, uma linha de resumo no fim.
#pragma once

#include "Divisao.h"
#include "Opcoes.h"

// Valida os arquivos das opções e imprime cada resultado; devolve o código de saída.
int validaLote(const Opcoes& o);
