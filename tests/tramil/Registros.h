// Registros de teste montados pela tabela de leiaute do motor: os campos são achados pelo nome,
// então os testes nunca repetem posições.
#pragma once

#include <QTemporaryDir>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace tramil::teste {

// Registro de 126 posições do código ("50", "60M"...): campos N com zeros à esquerda, os outros
// alinhados à esquerda com brancos; os campos não dados ficam com zeros (N) ou brancos.
std::string Registro(std::string_view codigo,
                     std::initializer_list<std::pair<const char*, std::string>> campos);

// Grava as linhas com CR LF num arquivo da pasta e devolve o caminho.
std::string Grava(const QTemporaryDir& pasta, const char* nome, const std::string& conteudo);

// Registros 10 e 11 de um informante válido de SP, período de maio de 2023.
std::string Cabecalho();

} // namespace tramil::teste
