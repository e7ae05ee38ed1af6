// Repete no ctest o corpus guardado de um alvo de fuzzing, com o alvo compilado normalmente:
// cada arquivo das pastas dadas passa uma vez pela mesma função que o fuzzer chama.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int arquivos = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> lista;
        for (const auto& e : fs::directory_iterator(argv[i]))
            if (e.is_regular_file()) lista.push_back(e.path());
        std::sort(lista.begin(), lista.end());
        for (const auto& p : lista) {
            std::ifstream f(p, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(f),
                                    std::istreambuf_iterator<char>()};
            std::printf("%s\n", p.filename().string().c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++arquivos;
        }
    }
    std::printf("%d entradas repetidas\n", arquivos);
    return arquivos > 0 ? 0 : 1;
}
