// Carga das bibliotecas companheiras (Valkora2, Valkora3, GerarMidiaQIV, Tramil) para saber
// as suas versões.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvor::bibliotecas {

// Pasta do módulo (biblioteca ou executável) que contém o endereço dado.
std::string pastaDoModulo(const void* endereco);
// Nome do arquivo da biblioteca na plataforma: libValkora2.so, Valkora2.dll.
std::string nomeArquivo(std::string_view base);

// Versão informada pela biblioteca do caminho: por Valkora2_Versao, Valkora3_Versao,
// VersaoGerarMidiaQIV ou GetVersaoDll. Vazio quando não carrega ou não informa versão.
std::optional<std::string> versaoDe(const std::string& caminho);

// Versão pela função de nome dado (const char* f(void)) da biblioteca do caminho.
std::optional<std::string> versaoPorFuncao(const std::string& caminho, const char* funcao);

} // namespace kelvor::bibliotecas
