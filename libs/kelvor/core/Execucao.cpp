#include "core/Execucao.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace kelvor {

namespace {
int limita(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, INT_MAX));
}
} // namespace

ExecucaoValidacao::~ExecucaoValidacao() {
    cancela();
    espera();
}

bool ExecucaoValidacao::inicia(const Parametros& p, std::string& mensagem,
                               ObservadorCriticas* observador) {
    std::lock_guard trava(mThread_);
    if (rodando_.load(std::memory_order_acquire)) {
        mensagem = "Já existe uma validação em andamento.";
        return false;
    }
    if (thread_.joinable()) thread_.join();
    auto v = std::make_unique<Validador>(p, observador);
    if (auto e = v->prepara()) {
        mensagem = *e;
        return false;
    }
    {
        std::lock_guard t(m_);
        resultado_ = Resultado{};
    }
    cancelar_ = false;
    progresso_.percentual = 0;
    progresso_.lidos = 0;
    progresso_.total = 0;
    rodando_.store(true, std::memory_order_release);
    thread_ = std::thread([this, v = std::move(v)] {
        Resultado r = v->executa(progresso_, cancelar_);
        {
            std::lock_guard t(m_);
            resultado_ = std::move(r);
        }
        rodando_.store(false, std::memory_order_release);
    });
    mensagem.clear();
    return true;
}

int ExecucaoValidacao::estado(int& percentual, int& lidos, int& total) const {
    bool rodando = rodando_.load(std::memory_order_acquire);
    percentual = progresso_.percentual.load(std::memory_order_relaxed);
    lidos = limita(progresso_.lidos.load(std::memory_order_relaxed));
    total = limita(progresso_.total.load(std::memory_order_relaxed));
    if (rodando) return EstadoEmAndamento;
    std::lock_guard trava(m_);
    return resultado_.veredito;
}

void ExecucaoValidacao::cancela() {
    cancelar_.store(true, std::memory_order_relaxed);
}

void ExecucaoValidacao::espera() {
    std::lock_guard trava(mThread_);
    if (thread_.joinable() && std::this_thread::get_id() != thread_.get_id()) thread_.join();
}

Resultado ExecucaoValidacao::resultado() const {
    std::lock_guard trava(m_);
    if (rodando_.load(std::memory_order_acquire)) return Resultado{};
    return resultado_;
}

} // namespace kelvor
