// Diálogos de arquivo em português qualquer que seja o idioma da máquina: o Qt formata
// tamanhos e datas pelo idioma do sistema e não traduz "Folder".
#pragma once

class QFileDialog;

namespace korventa {

// Usa o diálogo do próprio Qt com tamanhos, tipos e datas em português do Brasil e colunas que
// cabem nos seus títulos.
void PreparaDialogoArquivo(QFileDialog& dialogo);

} // namespace korventa
