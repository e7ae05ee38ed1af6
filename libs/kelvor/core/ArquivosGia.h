// Arquivos de totais do registro 50 que vão na mídia para a GIA: por CFOP e situação, por CFOP e
// tipo de destinatário/remetente (contribuinte ou ISENTO) e por UF e CFOP das operações
// interestaduais. Cada arquivo começa por uma linha de títulos, então nenhum fica vazio.
#pragma once

#include <optional>
#include <string>

namespace kelvor::gia {

// nullopt: os três arquivos gravados; senão a mensagem (UTF-8).
std::optional<std::string> geraArquivos(const std::string& fiscal, const std::string& porSituacao,
                                        const std::string& porOutrasIEs, const std::string& porUF);

} // namespace kelvor::gia
