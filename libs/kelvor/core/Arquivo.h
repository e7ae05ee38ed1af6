// Abertura e pré-verificação do arquivo fiscal, com as mensagens que o programa mostra.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace kelvor {

// Abre para leitura binária; a mensagem quando não existe, é pasta, não é arquivo comum (FIFO,
// dispositivo) ou não pode ser lido. Nunca bloqueia esperando quem escreva.
std::optional<std::string> abreParaLer(const std::string& caminho, std::FILE*& arquivo);

// Kelvor_VerificaArquivo: também recusa arquivo vazio (ou só com a marca de fim) e arquivo com
// NUL nos primeiros 64 KiB.
std::optional<std::string> verificaArquivo(const std::string& caminho);

// Os dois caminhos levam ao mesmo arquivo: mesmo dispositivo e inode quando existem (atalhos e
// ligações incluídos); senão o mesmo caminho absoluto.
bool mesmoArquivo(const std::string& a, const std::string& b);

// Relatório e totais não podem cair sobre o arquivo a validar nem um sobre o outro: a mensagem
// quando caem, antes de qualquer gravação. Caminhos de saída vazios não são conferidos.
std::optional<std::string> confereSaidas(const std::string& entrada, const std::string& relatorio,
                                         const std::string& totaisCfop);

// Os textos dessas recusas, também para quem confere um lote inteiro de saídas.
namespace recusaSaida {
std::string relatorioSobreEntrada(const std::string& relatorio);
std::string totaisSobreEntrada(const std::string& totaisCfop);
std::string relatorioIgualTotais(const std::string& relatorio);
} // namespace recusaSaida

} // namespace kelvor
