// Verificação estadual da PB sobre um arquivo que o motor já aceitou: cada nota fiscal modelo
// 01 ou 55 em situação normal traz os seus registros 54, e cada código de produto dos registros
// 54 tem o seu registro 75. Os achados são Rejeições, no formato do relatório de críticas.
#pragma once

#include <cstdint>
#include <string>

namespace reexame {

struct ResultadoPB {
    std::int64_t achados = 0; // críticas gravadas no arquivo de resultado
    std::string falha;        // vazio quando a verificação foi até o fim (UTF-8)
};

// Lê o arquivo fiscal em blocos (uma passada, e outra só quando há achados, para criticá-los na
// ordem do arquivo); a memória cresce só com as chaves das notas e os códigos de produto.
ResultadoPB VerificaPB(const std::string& caminhoArquivo, const std::string& caminhoResultado);

} // namespace reexame
