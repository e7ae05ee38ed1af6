// Contas rápidas sobre bytes do arquivo mapeado.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tramil {

// Quantos '\n' há em [p, p + n): 64 bytes por vez com SSE2, oito sem ele.
std::int64_t ContaQuebras(const char* p, std::size_t n);
std::int64_t ContaQuebrasPalavras(const char* p, std::size_t n);

// Só as letras ASCII em minúsculas (A-Z), 16 bytes por vez: basta quando o que se procura é
// ASCII, porque as letras acentuadas nunca viram ASCII.
void MinusculasAscii(const char* de, std::size_t n, char* para);

// Primeira ocorrência de `agulha` em [p, p + n); nullptr quando não há.
const char* ProcuraBytes(const char* p, std::size_t n, const char* agulha, std::size_t tamanho);

// Tabela de maiúsculas e minúsculas do Windows-1252: cada byte na sua forma minúscula.
const unsigned char* TabelaMinusculas();

} // namespace tramil
