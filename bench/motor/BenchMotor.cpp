// bench-motor: valida um arquivo com o motor (a mesma execução em thread própria que a
// biblioteca Kelvor usa por trás da interface C) e mede registros por segundo, MB/s, memória
// de pico e a razão para `wc -l` no mesmo arquivo, medido na mesma execução. Com -j N (N > 1)
// valida também com uma thread e confere que o relatório de críticas e os totais por CFOP
// saem iguais, byte a byte.
#include "core/Execucao.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using Relogio = std::chrono::steady_clock;

namespace {

constexpr double MetaNumNucleo = 1'500'000.0;

double segundos(Relogio::time_point a, Relogio::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// Tempo de `wc -l` no arquivo e o número de linhas que ele contou.
bool medeWc(const std::string& arquivo, double& tempo, long long& linhas) {
    const std::string comando = "wc -l < '" + arquivo + "'";
    const auto t0 = Relogio::now();
    std::FILE* p = popen(comando.c_str(), "r");
    if (p == nullptr) return false;
    const bool leu = std::fscanf(p, "%lld", &linhas) == 1;
    const bool ok = pclose(p) == 0 && leu;
    tempo = segundos(t0, Relogio::now());
    return ok;
}

long long vmHwmKb() {
    std::ifstream f("/proc/self/status");
    std::string linha;
    while (std::getline(f, linha))
        if (linha.rfind("VmHWM:", 0) == 0) return std::atoll(linha.c_str() + 6);
    return -1;
}

// Zera o pico de memória do processo (Linux 4.0 em diante), para medir cada validação.
void zeraPico() {
    std::ofstream f("/proc/self/clear_refs");
    f << "5";
}

double cpuSegundos() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::string conteudo(const std::string& caminho, bool semCabecalho) {
    std::ifstream f(caminho, std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    // O cabeçalho do relatório tem a hora da validação.
    if (semCabecalho) s.erase(0, s.find('\n') + 1);
    return s;
}

struct Medida {
    kelvor::Resultado resultado;
    double parede = 0, cpu = 0;
    long long picoKb = 0;
    std::string criticas, totais;
};

bool valida(const std::string& arquivo, int threads, const fs::path& pasta, Medida& m) {
    kelvor::Parametros p;
    p.arquivo = arquivo;
    p.relatorio = (pasta / ("Criticas-" + std::to_string(threads) + ".tmp")).string();
    p.totaisCfop = (pasta / ("Totais-" + std::to_string(threads) + ".CFOP")).string();
    p.threads = threads;
    zeraPico();
    kelvor::ExecucaoValidacao execucao;
    std::string mensagem;
    const double cpu0 = cpuSegundos();
    const auto t0 = Relogio::now();
    if (!execucao.inicia(p, mensagem)) {
        std::fprintf(stderr, "A validação não começou: %s\n", mensagem.c_str());
        return false;
    }
    // Como o programa: pergunta o estado de tempos em tempos até terminar.
    int pct = 0, lidos = 0, total = 0;
    while (execucao.estado(pct, lidos, total) == kelvor::EstadoEmAndamento)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    execucao.espera();
    m.parede = segundos(t0, Relogio::now());
    m.cpu = cpuSegundos() - cpu0;
    m.picoKb = vmHwmKb();
    m.resultado = execucao.resultado();
    m.criticas = conteudo(p.relatorio, true);
    m.totais = conteudo(p.totaisCfop, false);
    if (!m.resultado.falha.empty()) {
        std::fprintf(stderr, "A validação falhou: %s\n", m.resultado.falha.c_str());
        return false;
    }
    return true;
}

void mostra(int threads, const Medida& m, double mb, double wc) {
    const auto registros = static_cast<double>(m.resultado.registros);
    std::printf("  -j %d: %.3f s de parede, %.3f s de CPU\n", threads, m.parede, m.cpu);
    std::printf("        registros por segundo: %.0f pela parede, %.0f por segundo de CPU\n",
                registros / m.parede, registros / m.cpu);
    std::printf("        MB/s: %.1f pela parede; razão validação / wc -l: %.1f\n", mb / m.parede,
                m.parede / wc);
    std::printf("        memória de pico (VmHWM): %lld kB\n", m.picoKb);
}

int uso() {
    std::fprintf(stderr, "Uso: bench-motor [-j N] ARQUIVO\n"
                         "  -j N  threads da validação (padrão: todos os núcleos); com N > 1\n"
                         "        valida também com -j 1 e confere que as saídas são iguais\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string arquivo;
    int threads = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-j" && i + 1 < argc)
            threads = std::atoi(argv[++i]);
        else if (a == "-h" || a == "--help" || (!a.empty() && a[0] == '-'))
            return uso();
        else if (arquivo.empty())
            arquivo = a;
        else
            return uso();
    }
    if (arquivo.empty() || threads < 0) return uso();
    if (threads == 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::error_code ec;
    const auto bytes = fs::file_size(arquivo, ec);
    if (ec) {
        std::fprintf(stderr, "Arquivo não encontrado: %s\n", arquivo.c_str());
        return 1;
    }

    // O primeiro `wc -l` também põe o arquivo no cache: o motor e o wc leem da memória.
    double wcAntes = 0, wcDepois = 0;
    long long linhasWc = 0;
    if (!medeWc(arquivo, wcAntes, linhasWc) || !medeWc(arquivo, wcAntes, linhasWc)) {
        std::fprintf(stderr, "wc -l falhou em %s\n", arquivo.c_str());
        return 1;
    }

    const fs::path pasta = fs::temp_directory_path() / ("bench-motor-" + std::to_string(getpid()));
    fs::create_directories(pasta);
    Medida um, varios;
    bool ok = valida(arquivo, 1, pasta, um);
    if (ok && threads > 1) ok = valida(arquivo, threads, pasta, varios);
    fs::remove_all(pasta, ec);
    if (!ok) return 1;
    medeWc(arquivo, wcDepois, linhasWc);
    const double wc = std::min(wcAntes, wcDepois);

    const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    const auto& r = um.resultado;
    std::printf("Arquivo: %s (%llu bytes, %.1f MB)\n", arquivo.c_str(),
                static_cast<unsigned long long>(bytes), mb);
    std::printf("Registros lidos pelo motor: %lld (wc -l: %lld)\n",
                static_cast<long long>(r.registros), linhasWc);
    std::printf("Veredito: %d  erros: %lld  advertências: %lld  CRC: %s  relatório: %zu bytes\n",
                r.veredito, static_cast<long long>(r.erros), static_cast<long long>(r.advertencias),
                kelvor::crcHexa(r.crc).c_str(), um.criticas.size());
    std::printf("wc -l: %.3f s (antes %.3f s, depois %.3f s)\n", wc, wcAntes, wcDepois);
    mostra(1, um, mb, wc);
    if (threads > 1) {
        mostra(threads, varios, mb, wc);
        bool iguais = um.criticas == varios.criticas && um.totais == varios.totais &&
                      um.resultado.erros == varios.resultado.erros &&
                      um.resultado.advertencias == varios.resultado.advertencias &&
                      um.resultado.crc == varios.resultado.crc &&
                      um.resultado.totaisPorRegistro == varios.resultado.totaisPorRegistro;
        for (int l = 0; l <= 21; ++l)
            for (int c = 0; c <= 3; ++c)
                iguais = iguais && um.resultado.contagens.celula(l, c) ==
                                       varios.resultado.contagens.celula(l, c);
        std::printf("Relatório, totais por CFOP e contagens de -j 1 e -j %d: %s\n", threads,
                    iguais ? "idênticos" : "DIFERENTES");
        if (!iguais) return 1;
    }
    // A meta é num núcleo: registros por segundo de CPU da validação com uma thread.
    const double porNucleo = static_cast<double>(r.registros) / um.cpu;
    std::printf("Meta de %.0f registros/s num núcleo (por segundo de CPU, -j 1): %s\n",
                MetaNumNucleo, porNucleo >= MetaNumNucleo ? "atingida" : "NÃO atingida");
    return r.veredito < 0 ? 1 : 0;
}
