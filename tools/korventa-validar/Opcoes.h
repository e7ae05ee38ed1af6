// Opções da linha de comando do korventa-validar.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Opcoes {
    std::vector<std::string> arquivos;
    std::string relatorio;  // -c
    std::string totaisCfop; // -t
    bool json = false;
    int maxCriticas = 20; // 0: todas
    int threads = 0;      // -j: threads ao todo, repartidas entre os arquivos; 0: uma por núcleo
    int flagLeiaute = 1;
    int versaoConvenio = 3;
    bool ajuda = false;
    std::string midia; // --midia: mostra uma mídia em vez de validar
};

// As opções, ou a mensagem de erro de uso.
std::optional<std::string> leOpcoes(int argc, char** argv, Opcoes& o);
const char* textoAjuda();
// Caminho de saída para o arquivo i (0-based) de n: com mais de um, acrescenta ".<i+1>".
std::string caminhoPara(const std::string& base, std::size_t i, std::size_t n);
