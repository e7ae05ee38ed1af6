// O documento no papel: o mesmo conteúdo do formulário, em páginas, com cabeçalho das tabelas
// repetido na página seguinte e "Página x de y" no rodapé. Desenha em qualquer impressora do
// Qt, inclusive a de PDF.
#pragma once

#include "nucleo/DocumentoNota.h"

class QPrinter;

namespace tramil {

// `origem`: o nome do arquivo, para o rodapé. Devolve o número de páginas.
int ImprimeNota(QPrinter& impressora, const DocumentoNota& n, const QString& origem);

} // namespace tramil
