// Biblioteca companheira do motor: informa a sua versão ao Kelvor.
#include "engine/Cabecalhos.h"

KORVENTA_API const char* KORVENTA_CALL Valkora3_Versao(void) { return "1.8.2"; }
