// As verificações de campo dos lotes em várias threads. Quem chama lê os lotes, envia-os e os
// pega de volta na ordem do arquivo; enquanto o próximo da ordem não fica pronto, ele mesmo
// confere outro lote em vez de esperar. Com uma thread só, tudo corre em quem chama.
#pragma once

#include "core/Lote.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kelvor {

class Esteira {
public:
    // confere(lote, thread): thread 0 é quem chama, 1 a threads - 1 as auxiliares.
    using Conferencia = std::function<void(Lote&, std::size_t)>;

    Esteira(std::size_t threads, Conferencia confere);
    ~Esteira(); // para as auxiliares (cada uma termina o lote que tem nas mãos)
    Esteira(const Esteira&) = delete;
    Esteira& operator=(const Esteira&) = delete;

    Lote* livre();                         // um lote vazio para o leitor
    void envia(Lote* l);                   // para conferir
    Lote* espera(std::uint64_t sequencia); // o lote dessa sequência, conferido
    void devolve(Lote* l);                 // volta ao estoque

private:
    void auxiliar(std::size_t indice);

    Conferencia confere_;
    std::mutex m_;
    std::condition_variable trabalho_, pronto_;
    std::deque<Lote*> fila_;
    std::vector<Lote*> prontos_;
    std::vector<Lote*> estoque_;
    std::vector<std::unique_ptr<Lote>> lotes_;
    bool parar_ = false;
    std::vector<std::thread> threads_;
};

// Threads de uma validação: o pedido, ou todos os núcleos quando é 0 (ao menos 1).
std::size_t threadsDaValidacao(int pedido);

} // namespace kelvor
