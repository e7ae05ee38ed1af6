// Auxiliares comuns do programa: textos, caminhos, números, formatos, totais por CFOP e a
// conversão Windows-1252. Funções puras, sem estado.
#pragma once

#include "common/Argumentos.h"
#include "common/Caminhos.h"
#include "common/Formatos.h"
#include "common/Numeros.h"
#include "common/Texto.h"
#include "common/TotaisCFOP.h"
#include "common/Windows1252.h"
