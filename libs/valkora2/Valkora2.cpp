// Biblioteca companheira do motor: informa a sua versão ao Kelvor.
#include "engine/Cabecalhos.h"

KORVENTA_API const char* KORVENTA_CALL Valkora2_Versao(void) { return "1.7.8.9"; }
