#include "AlvoApoio.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace korventa::fuzz {

const std::string& pasta() {
    static const std::string p = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("korventa-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d.string() + "/";
    }();
    return p;
}

void grava(const std::string& caminho, const std::uint8_t* dados, std::size_t tamanho) {
    std::FILE* f = std::fopen(caminho.c_str(), "wb");
    if (!f || std::fwrite(dados, 1, tamanho, f) != tamanho || std::fclose(f) != 0)
        falha("não foi possível gravar a entrada na pasta temporária");
}

std::string le(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void falha(const char* o_que) {
    std::fprintf(stderr, "ACHADO: %s\n", o_que);
    std::abort();
}

} // namespace korventa::fuzz
