// O arquivo passa pelas mesmas recusas que o programa faz ao abri-lo: a pré-verificação do motor
// (Kelvor_VerificaArquivo) e as duas primeiras linhas com o convênio.
#pragma once

#include <optional>
#include <string>

// O motivo da recusa, com as mesmas palavras do programa; nada quando o arquivo pode ser validado.
std::optional<std::string> recusaNaAbertura(const std::string& caminho);

// Nenhum relatório ou arquivo de totais do lote pode cair sobre um arquivo a validar nem sobre
// outra saída: o motivo quando cai, antes de qualquer gravação.
struct Opcoes;
std::optional<std::string> confereSaidasDoLote(const Opcoes& o);
