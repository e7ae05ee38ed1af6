// Apoio dos alvos de fuzzing: cada entrada vira um arquivo numa pasta própria do processo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korventa::fuzz {

// Pasta temporária deste processo (criada na primeira chamada), com a barra no fim.
const std::string& pasta();
// Grava os bytes no arquivo (substitui o que houver); aborta se não conseguir.
void grava(const std::string& caminho, const std::uint8_t* dados, std::size_t tamanho);
std::string le(const std::string& caminho);
// Um achado: uma regra do formato foi quebrada. Aborta com a explicação, para o fuzzer guardar.
[[noreturn]] void falha(const char* o_que);

} // namespace korventa::fuzz
