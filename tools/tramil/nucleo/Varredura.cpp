#include "nucleo/Varredura.h"

namespace tramil {

Varredura::Varredura(std::size_t maximoLinhas, Trabalho trabalho)
    : trabalho_(std::move(trabalho)), linhas_(maximoLinhas) {}

Varredura::~Varredura() {
    cancela();
}

void Varredura::iniciaFundo() {
    if (!tarefa_.joinable()) tarefa_ = std::thread([this] { roda(); });
}

void Varredura::executaAqui() {
    roda();
}

void Varredura::cancela() {
    cancelar_.store(true);
    if (tarefa_.joinable()) tarefa_.join();
}

void Varredura::roda() {
    trabalho_(*this);
    linhas_.publica();
    if (!cancelada()) progresso_.store(1.0);
    completa_.store(true, std::memory_order_release);
}

} // namespace tramil
