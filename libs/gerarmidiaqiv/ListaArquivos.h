// Lista de arquivos que o programa entrega à biblioteca: entradas "caminho,tipo,marca;" coladas.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korventa::gravacao {

struct ArquivoLista {
    std::string caminho;
    std::string tipo;    // "txt", "resumo" ou "CFOP"
    bool cifrar = false; // marca "1": o arquivo fiscal, cifrado com a chave da UF
};

// As entradas, ou nada quando o texto não segue a forma (toda entrada termina em ";").
// O caminho pode ter vírgulas e ponto e vírgula: o fim de cada entrada é ",tipo,marca;".
std::optional<std::vector<ArquivoLista>> LeListaArquivos(const std::string& texto);

// Nome da entrada na mídia: o que vem depois da última barra (de qualquer dos dois tipos).
std::string NomeNaMidia(const std::string& caminho);

} // namespace korventa::gravacao
