// Identificação do programa nas mensagens ao usuário.
#pragma once

namespace korventa {

// Nome do produto nas mensagens de versão e de instalação.
inline constexpr const char* NomeProduto = "Validador KORVENTA";

// Identificação na área de trabalho: nome do arquivo .desktop (sem a extensão) e do ícone
// instalados pelo pacote.
inline constexpr const char* IdentificacaoDesktop = "br.com.korventa.ValidadorKorventa2017";

} // namespace korventa
