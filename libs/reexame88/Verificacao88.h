// Verificação dos registros 88 de MS: tamanho de 126 posições, subtipo (posições 3 a 5)
// alfanumérico e CNPJ do informante (posições 6 a 19) igual ao do registro 10. As críticas vão
// para um relatório no formato do motor, numeradas a partir do número dado.
#pragma once

#include <cstdint>
#include <string>

namespace reexame {

struct Resultado88 {
    std::int64_t erros = 0;        // críticas de Rejeição
    std::int64_t advertencias = 0; // críticas de Advertência
    std::int64_t linhasComErro = 0;
    std::int64_t linhasComAdvertencia = 0; // só advertências (sem erro): a grade do Resumo
                                           // tira as duas contagens dos aceitos
    std::string falha;                     // vazio quando a verificação foi até o fim (UTF-8)
};

// Lê o arquivo fiscal numa passada, em blocos; a memória não cresce com o arquivo.
Resultado88 Verifica88(const std::string& caminhoArquivo, const std::string& caminhoCriticas,
                       std::int64_t primeiraSequencia);

} // namespace reexame
