// Biblioteca do utilitário de notas: só informa a sua versão, que o Sobre mostra.
#include "engine/Cabecalhos.h"

KORVENTA_API const char* KORVENTA_CALL GetVersaoDll(void) { return TRAMIL_VERSAO; }
