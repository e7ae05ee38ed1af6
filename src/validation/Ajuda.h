// Ajuda do programa: o arquivo "ValidadorKorventa2017.hlp" da pasta do programa, no tópico.
#pragma once

#include "validation/Sessao.h"

namespace korventa {

// Tópicos: 1 Configurar, 2 Validar (102 com vários arquivos), 3 Resumo (103 com vários),
// 4 Críticas (104 com vários), 5 Mídias, 6 Utilitários, 10 informações da mídia, 11
// configuração da impressão de críticas.
void Ajuda(Sessao& sessao, int topico);

} // namespace korventa
