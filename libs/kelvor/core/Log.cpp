#include "core/Log.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>

namespace kelvor::log {

namespace {

struct Estado {
    std::mutex m;
    std::FILE* arq = nullptr;
    std::string caminho;
    int limite = 0;
    ~Estado() {
        if (arq) std::fclose(arq);
    }
};

Estado& estado() {
    static Estado e;
    return e;
}

} // namespace

void liga(std::string_view aplicacao, int limite) {
    auto& e = estado();
    std::lock_guard t(e.m);
    if (e.arq) {
        std::fclose(e.arq);
        e.arq = nullptr;
    }
    std::error_code ec;
    auto pasta = std::filesystem::temp_directory_path(ec);
    if (ec) pasta = ".";
    std::string nome(aplicacao.empty() ? std::string_view("Kelvor") : aplicacao);
    e.caminho = (pasta / (nome + ".log")).string();
    e.limite = limite;
    e.arq = std::fopen(e.caminho.c_str(), "ab");
}

void evento(int nivel, std::string_view texto) {
    auto& e = estado();
    std::lock_guard t(e.m);
    if (!e.arq || nivel > e.limite) return;
    auto agora = std::chrono::system_clock::now();
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(agora.time_since_epoch()) % 1000;
    std::time_t tt = std::chrono::system_clock::to_time_t(agora);
    std::tm q{};
#if defined(_WIN32)
    localtime_s(&q, &tt);
#else
    localtime_r(&tt, &q);
#endif
    std::fprintf(e.arq, "%04d-%02d-%02d %02d:%02d:%02d.%03d [%d] ", q.tm_year + 1900, q.tm_mon + 1,
                 q.tm_mday, q.tm_hour, q.tm_min, q.tm_sec, static_cast<int>(ms.count()), nivel);
    std::fwrite(texto.data(), 1, texto.size(), e.arq);
    std::fputc('\n', e.arq);
    std::fflush(e.arq);
}

std::string caminho() {
    auto& e = estado();
    std::lock_guard t(e.m);
    return e.caminho;
}

} // namespace kelvor::log
