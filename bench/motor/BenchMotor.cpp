// bench-motor: valida um arquivo pela interface C da biblioteca Kelvor (carregada com dlopen,
// como o programa faz) e mede registros por segundo, MB/s, memória de pico e a razão para
// `wc -l` no mesmo arquivo, medido na mesma execução.
#include "engine/Cabecalhos.h"

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using Relogio = std::chrono::steady_clock;

namespace {

using FnInicio = decltype(&Kelvor_InicioValidacao);
using FnEstado = decltype(&Kelvor_EstadoValidacao);
using FnResultado = decltype(&Kelvor_ResultadoValidacao);

constexpr double metaRegistrosPorSegundo = 1'000'000.0;

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

double cpuSegundos() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::string bibliotecaPadrao() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path() / "libKelvor.so").string();
}

int uso() {
    std::fprintf(stderr, "Uso: bench-motor [--biblioteca libKelvor.so] ARQUIVO\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string arquivo, biblioteca = bibliotecaPadrao();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--biblioteca" && i + 1 < argc)
            biblioteca = argv[++i];
        else if (a == "-h" || a == "--help")
            return uso();
        else if (arquivo.empty())
            arquivo = a;
        else
            return uso();
    }
    if (arquivo.empty()) return uso();
    std::error_code ec;
    const auto bytes = fs::file_size(arquivo, ec);
    if (ec) {
        std::fprintf(stderr, "Arquivo não encontrado: %s\n", arquivo.c_str());
        return 1;
    }

    void* lib = dlopen(biblioteca.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) {
        std::fprintf(stderr, "Não foi possível carregar %s: %s\n", biblioteca.c_str(), dlerror());
        return 1;
    }
    auto inicio = reinterpret_cast<FnInicio>(dlsym(lib, "Kelvor_InicioValidacao"));
    auto estado = reinterpret_cast<FnEstado>(dlsym(lib, "Kelvor_EstadoValidacao"));
    auto resultado = reinterpret_cast<FnResultado>(dlsym(lib, "Kelvor_ResultadoValidacao"));
    if (!inicio || !estado || !resultado) {
        std::fprintf(stderr, "Funções da interface C não encontradas em %s\n", biblioteca.c_str());
        return 1;
    }

    // O primeiro `wc -l` também põe o arquivo no cache: as duas medições do motor e do wc leem
    // da memória.
    double wc1 = 0, wc2 = 0;
    long long linhasWc = 0;
    if (!medeWc(arquivo, wc1, linhasWc)) {
        std::fprintf(stderr, "wc -l falhou em %s\n", arquivo.c_str());
        return 1;
    }
    medeWc(arquivo, wc1, linhasWc);

    const fs::path pasta = fs::temp_directory_path() / ("bench-motor-" + std::to_string(getpid()));
    fs::create_directories(pasta);
    const std::string criticas = (pasta / "Criticas.tmp").string();
    const std::string totais = (pasta / "Totais.CFOP").string();

    char mensagem[1000] = {};
    const double cpu0 = cpuSegundos();
    const auto t0 = Relogio::now();
    if (inicio(arquivo.c_str(), criticas.c_str(), totais.c_str(), 1, 3, mensagem) == 0) {
        std::fprintf(stderr, "Kelvor_InicioValidacao falhou: %s\n", mensagem);
        fs::remove_all(pasta, ec);
        return 1;
    }
    int32 percentual = 0, lidos = 0, total = 0;
    while (estado(&percentual, &lidos, &total) == -2)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const double tempo = segundos(t0, Relogio::now());
    const double cpu = cpuSegundos() - cpu0;
    char crc[100] = {};
    int32 erros = 0, advertencias = 0;
    const int32 veredito = resultado(crc, &erros, &advertencias);
    std::error_code ecCriticas;
    const auto tamanhoCriticas = fs::file_size(criticas, ecCriticas);
    fs::remove_all(pasta, ec);

    double wcDepois = 0;
    medeWc(arquivo, wcDepois, linhasWc);
    wc2 = std::min(wc1, wcDepois);

    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    const double porSegundo = lidos / tempo;
    std::printf("Arquivo: %s (%llu bytes, %.1f MB)\n", arquivo.c_str(),
                static_cast<unsigned long long>(bytes), mb);
    std::printf("Registros lidos pelo motor: %d (wc -l: %lld)\n", lidos, linhasWc);
    std::printf("Veredito: %d  erros: %d  advertências: %d  CRC: %s  relatório: %llu bytes\n",
                veredito, erros, advertencias, crc,
                static_cast<unsigned long long>(ecCriticas ? 0 : tamanhoCriticas));
    std::printf("Validação: %.3f s  (CPU %.3f s)\n", tempo, cpu);
    std::printf("Registros por segundo: %.0f\n", porSegundo);
    std::printf("MB/s: %.1f\n", mb / tempo);
    std::printf("wc -l: %.3f s (antes %.3f s, depois %.3f s)\n", wc2, wc1, wcDepois);
    std::printf("Razão validação / wc -l: %.1f\n", tempo / wc2);
    std::printf("Memória de pico: VmHWM %lld kB, ru_maxrss %ld kB\n", vmHwmKb(), u.ru_maxrss);
    std::printf("Meta de %.0f registros/s num núcleo: %s\n", metaRegistrosPorSegundo,
                porSegundo >= metaRegistrosPorSegundo ? "atingida" : "NÃO atingida");
    dlclose(lib);
    return veredito < 0 ? 1 : 0;
}
