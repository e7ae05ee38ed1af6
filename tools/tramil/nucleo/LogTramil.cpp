#include "nucleo/LogTramil.h"

#include "engine/Bibliotecas.h"
#include "engine/Definicoes.h"

namespace tramil {

bool LigaLog(bool detalhado) {
    auto* ligar = KORVENTA_FUNCAO("Kelvor", LigarLog);
    if (!ligar) return false;
    ligar(korventa::NomeLogMotor, detalhado ? korventa::LogOperacao : korventa::LogErro);
    return true;
}

} // namespace tramil
