// Listas recentes (arquivos fiscais e pastas de mídia), mais novo no índice 0.
#pragma once

#include <QString>

namespace korventa {

struct Sessao;

// Insere um arquivo fiscal no topo de ComboArquivo.
void IncluiArquivoRecente(Sessao& s, const QString& caminho);

} // namespace korventa
