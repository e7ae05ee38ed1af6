// Recibos cifrados (".RCB"): "KRCB", versão 1, nonce de 12 bytes, texto cifrado com AES-256-GCM
// e a marca de 16 bytes. Um recibo alterado em qualquer byte é recusado.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvor::recibo {

// Conteúdo de um arquivo de recibo com o texto dado, cifrado com a chave do motor e um nonce
// novo. nullopt só quando a biblioteca de cifra falha.
std::optional<std::string> Cifra(std::string_view texto);

// Texto do recibo; nullopt quando a marca, a versão ou a autenticação não conferem.
std::optional<std::string> Decifra(std::string_view conteudo);

// Linhas de um texto separado por CR LF (ou só LF); a última linha vazia depois do fim não conta.
std::vector<std::string> Linhas(std::string_view texto);

} // namespace kelvor::recibo
