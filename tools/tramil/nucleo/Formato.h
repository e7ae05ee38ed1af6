// Números, datas e documentos como o contador lê, sempre no formato brasileiro.
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

namespace tramil {

// 123456 com 2 casas -> "1.234,56"; negativos com "-".
QString FormataDecimal(std::int64_t valor, int casas);
// Inteiro com pontos de milhar.
QString FormataInteiro(std::int64_t valor);
// "AAAAMMDD" -> "DD/MM/AAAA"; vazio quando não são 8 dígitos.
QString FormataData(std::string_view aaaammdd);
// CNPJ (14 dígitos) ou CPF ("000" + 11 dígitos válidos) formatado; zeros -> vazio.
QString FormataCnpjCpf(std::string_view campo14);
// Bytes Windows-1252 como texto; controles viram um ponto médio, para as colunas não andarem.
QString TextoDoArquivo(std::string_view bytes);

} // namespace tramil
