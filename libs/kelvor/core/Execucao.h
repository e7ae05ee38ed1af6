// A validação na sua própria thread: uma de cada vez, com andamento e cancelamento.
#pragma once

#include "core/Validador.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace kelvor {

inline constexpr int EstadoEmAndamento = -2;

class ExecucaoValidacao {
public:
    ExecucaoValidacao() = default;
    ~ExecucaoValidacao();
    ExecucaoValidacao(const ExecucaoValidacao&) = delete;
    ExecucaoValidacao& operator=(const ExecucaoValidacao&) = delete;

    // Falso, com o motivo em mensagem, quando a validação não começou.
    bool inicia(const Parametros& p, std::string& mensagem,
                ObservadorCriticas* observador = nullptr);
    // -2 enquanto corre; depois o veredito da validação (-1 cancelada ou interrompida).
    int estado(int& percentual, int& lidos, int& total) const;
    void cancela();
    bool emAndamento() const { return rodando_.load(std::memory_order_acquire); }
    void espera();
    // Resultado da última validação terminada (vazio enquanto uma corre).
    Resultado resultado() const;

private:
    std::mutex mThread_;   // início e espera da thread
    mutable std::mutex m_; // resultado_
    std::thread thread_;
    std::atomic<bool> rodando_{false};
    std::atomic<bool> cancelar_{false};
    Progresso progresso_;
    Resultado resultado_;
};

} // namespace kelvor
