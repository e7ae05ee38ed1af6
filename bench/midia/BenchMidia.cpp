// Mede a geração inteira da mídia de um arquivo fiscal como o programa faz: os arquivos para a
// GIA (Kelvor) e a gravação (GerarMidiaQIV), carregadas com dlopen. Imprime tempo de parede e
// de CPU, MB/s do arquivo fiscal e o tamanho da mídia.
//   bench-midia --pasta-bin DIR ARQUIVO
#include "engine/Cabecalhos.h"
#include "midia/ChavesMidia.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

double cpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double agora() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

template <typename F> F simbolo(void* lib, const char* nome) {
    void* s = lib ? dlsym(lib, nome) : nullptr;
    if (!s) {
        std::fprintf(stderr, "bench-midia: %s não encontrada\n", nome);
        std::exit(1);
    }
    return reinterpret_cast<F>(s);
}

void grava(const fs::path& p, const std::string& t) {
    std::ofstream(p, std::ios::binary) << t;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], "--pasta-bin") != 0) {
        std::fprintf(stderr, "Uso: bench-midia --pasta-bin DIR ARQUIVO\n");
        return 1;
    }
    const fs::path bin = argv[2], fiscal = fs::absolute(argv[3]);
    void* kelvor = dlopen((bin / "libKelvor.so").c_str(), RTLD_NOW);
    void* gravador = dlopen((bin / "libGerarMidiaQIV.so").c_str(), RTLD_NOW);
    auto gia = simbolo<korventa::assinaturas::GerarArquivosParaGia>(kelvor, "GerarArquivosParaGia");
    auto gerar = simbolo<korventa::assinaturas::GerarMidiaQivEx>(gravador, "GerarMidiaQivEx");

    const fs::path pasta = fiscal.parent_path();
    const fs::path resumo = pasta / "Validacao2.resumo", totais = pasta / "Totais.CFOP",
                   comprovante = pasta / "Comprovante.tmp",
                   situacao = pasta / "TotaisSituacao.CFOP",
                   outras = pasta / "TotaisOutrasIEs.CFOP", porUF = pasta / "TotaisPorUF.CFOP",
                   midia = pasta / "midia.zip";
    grava(resumo, "resumo da validação\r\n");
    grava(totais, " ");
    grava(comprovante, "comprovante\r\n");
    const std::string info = "0123456789" + std::string(492, ' ') + "ABCDEF0101";
    const std::string lista = fiscal.string() + ",txt,1;" + resumo.string() + ",resumo,0;" +
                              totais.string() + ",CFOP,0;" + situacao.string() + ",CFOP,0;" +
                              outras.string() + ",CFOP,0;" + porUF.string() + ",CFOP,0;";
    const std::string chave = *korventa::midia::ChaveDaUF("SP");
    const std::string variante = korventa::midia::ChaveVariante(false);

    char mensagem[1000] = {};
    const double c0 = cpu(), t0 = agora();
    if (gia(fiscal.c_str(), situacao.c_str(), outras.c_str(), porUF.c_str(), mensagem, 1000) != 0) {
        std::fprintf(stderr, "bench-midia: %s\n", mensagem);
        return 2;
    }
    const double c1 = cpu(), t1 = agora();
    if (gerar(lista.c_str(), midia.c_str(), comprovante.c_str(), "CL_PADRAO", "", "CONV579532v2",
              variante.c_str(), "01", "5", "4", "0", "", info.c_str(), chave.c_str(), mensagem,
              1000) != 0) {
        std::fprintf(stderr, "bench-midia: %s\n", mensagem);
        return 2;
    }
    const double c2 = cpu(), t2 = agora();
    const double mb = double(fs::file_size(fiscal)) / 1e6;
    std::printf("Arquivo fiscal: %.0f MB\n", mb);
    std::printf("Arquivos da GIA: %.2f s de parede, %.2f s de CPU\n", t1 - t0, c1 - c0);
    std::printf("Gravação da mídia: %.2f s de parede, %.2f s de CPU\n", t2 - t1, c2 - c1);
    std::printf("Geração inteira: %.2f s de parede, %.2f s de CPU: %.0f MB/s (parede), %.0f MB/s "
                "(CPU)\n",
                t2 - t0, c2 - c0, mb / (t2 - t0), mb / (c2 - c0));
    std::printf("Mídia: %.1f MB (%.1f%% do arquivo)\n", double(fs::file_size(midia)) / 1e6,
                100.0 * double(fs::file_size(midia)) / 1e6 / mb);
    for (const auto& p : {resumo, totais, comprovante, situacao, outras, porUF, midia})
        fs::remove(p);
    return 0;
}
