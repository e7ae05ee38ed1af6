// Abertura e pré-verificação do arquivo fiscal, com as mensagens que o programa mostra.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace kelvor {

// Abre para leitura binária; a mensagem quando não existe, é pasta ou não pode ser lido.
std::optional<std::string> abreParaLer(const std::string& caminho, std::FILE*& arquivo);

// Kelvor_VerificaArquivo: também recusa arquivo vazio e arquivo com NUL nos primeiros 64 KiB.
std::optional<std::string> verificaArquivo(const std::string& caminho);

} // namespace kelvor
