// Contas rápidas sobre bytes do arquivo mapeado.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tramil {

// Quantos '\n' há em [p, p + n), oito bytes por vez.
std::int64_t ContaQuebras(const char* p, std::size_t n);

// Primeira ocorrência de `agulha` em [p, p + n); nullptr quando não há.
const char* ProcuraBytes(const char* p, std::size_t n, const char* agulha, std::size_t tamanho);

// Tabela de maiúsculas e minúsculas do Windows-1252: cada byte na sua forma minúscula.
const unsigned char* TabelaMinusculas();

} // namespace tramil
