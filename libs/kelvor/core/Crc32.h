// CRC-32 (o da zlib) dos bytes do arquivo fiscal, no ritmo da leitura.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvor {

// Mesmo resultado que crc32(crc, p, n) da zlib, para qualquer tamanho. Nos processadores com
// multiplicação sem vai-um, umas cinco vezes mais rápido: com a zlib o CRC sozinho pesava um
// décimo da validação.
std::uint32_t crc32Bytes(std::uint32_t crc, const char* p, std::size_t n);

// CRC de a seguido de b, dados os CRCs de cada um e o tamanho de b.
std::uint32_t crc32Junta(std::uint32_t a, std::uint32_t b, std::uint64_t tamanhoB);

} // namespace kelvor
