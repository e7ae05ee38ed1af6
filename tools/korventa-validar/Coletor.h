// Críticas de um arquivo já formatadas, guardadas até a vez dele na saída. Sem limite (--max 0)
// um arquivo pode ter milhões delas: passando de alguns MiB vão para um arquivo temporário, e a
// memória não cresce com elas.
#pragma once

#include "core/Validador.h"

#include <cstdint>
#include <cstdio>
#include <string>

class ColetorCriticas final : public kelvor::ObservadorCriticas {
public:
    // maximo 0: todas.
    ColetorCriticas(bool json, std::size_t maximo, std::size_t limiteMemoria = 4u << 20);
    ~ColetorCriticas() override;
    ColetorCriticas(const ColetorCriticas&) = delete;
    ColetorCriticas& operator=(const ColetorCriticas&) = delete;

    void critica(const kelvor::Critica& c) override;
    std::int64_t quantas() const { return quantas_; }
    // Grava as críticas guardadas, na ordem em que chegaram; falso numa falha de E/S.
    bool copiaPara(std::FILE* saida);

private:
    void descarrega();

    bool json_;
    std::size_t maximo_, limite_;
    std::int64_t quantas_ = 0;
    std::string memoria_;
    std::FILE* temporario_ = nullptr;
    bool semTemporario_ = false;
    bool perdeu_ = false;
};
