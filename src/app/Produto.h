// Identificação do programa nas mensagens ao usuário.
#pragma once

namespace korventa {

// Nome do produto nas mensagens de versão e de instalação.
inline constexpr const char* NomeProduto = "Validador KORVENTA";

} // namespace korventa
