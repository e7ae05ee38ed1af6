// Listas recentes (arquivos fiscais e pastas de mídia), mais novo no topo.
#pragma once

#include "validation/Sessao.h"

namespace korventa {

// Põe o caminho no topo de ComboArquivo, a menos que o mesmo texto (letras iguais, maiúsculas
// e minúsculas inclusive) já esteja na lista: aí ele não sai do lugar.
void IncluiArquivoRecente(Sessao& sessao, const QString& caminho);

// O mesmo para ComboPastaMidias.
void IncluiPastaMidiaRecente(Sessao& sessao, const QString& pasta);

} // namespace korventa
