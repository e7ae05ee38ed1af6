// Gravação da mídia: um ZIP num arquivo temporário da pasta de destino, selado e conferido,
// que só então toma o nome pedido. Uma falha (disco cheio inclusive) não deixa nem mídia pela
// metade nem o temporário.
#pragma once

#include "ListaArquivos.h"
#include "midia/FormatoMidia.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace korventa::gravacao {

struct PedidoMidia {
    std::vector<ArquivoLista> arquivos;
    std::string caminhoMidia;
    std::string comprovante;
    std::string info;          // bloco de 512 caracteres (comentário do ZIP)
    midia::DadosIni ini;       // sem o selo
    std::string chaveVariante; // selo
    std::string chave;         // cifra do arquivo fiscal; vazia: sem cifra
};

// Percentual da gravação em andamento (0 a 100), para quem acompanha de outra thread.
std::atomic<int>& Progresso();

// nullopt: mídia gravada em caminhoMidia; senão a mensagem para o usuário (UTF-8).
std::optional<std::string> GravaMidia(const PedidoMidia& p);

// Troca as colunas 193 a 502 do bloco de informações de uma mídia íntegra e renova o selo; a
// mídia só é substituída quando a nova está completa e conferida.
std::optional<std::string> RegravaInfo(const std::string& caminhoMidia, const std::string& info);

} // namespace korventa::gravacao
