// Log do motor: "<app>.log" na pasta temporária, uma linha por evento, de qualquer thread.
#pragma once

#include <string>
#include <string_view>

namespace kelvor::log {

// Abre (acrescentando) o log da aplicação; eventos de nível acima do limite não são gravados.
void liga(std::string_view aplicacao, int limite);
// "aaaa-mm-dd hh:mm:ss.zzz [nível] texto". Sem log ligado, nada acontece.
void evento(int nivel, std::string_view texto);
std::string caminho();

} // namespace kelvor::log
