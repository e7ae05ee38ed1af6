#include "core/Arquivo.h"

#include "core/Texto.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace kelvor {

std::optional<std::string> abreParaLer(const std::string& caminho, std::FILE*& arq) {
    namespace fs = std::filesystem;
    arq = nullptr;
    std::error_code ec;
    auto st = fs::status(caminho, ec);
    if (caminho.empty() || !fs::exists(st)) return "Arquivo não encontrado: " + caminho;
    if (fs::is_directory(st)) return "O caminho indicado é uma pasta: " + caminho;
    errno = 0;
    arq = std::fopen(caminho.c_str(), "rb");
    if (!arq)
        return "Não foi possível ler o arquivo " + caminho + ": " +
               texto::motivoSistema(errno ? errno : EIO);
    return std::nullopt;
}

std::optional<std::string> verificaArquivo(const std::string& caminho) {
    std::FILE* arq = nullptr;
    if (auto e = abreParaLer(caminho, arq)) return e;
    std::vector<char> inicio(64 * 1024);
    errno = 0;
    std::size_t n = std::fread(inicio.data(), 1, inicio.size(), arq);
    bool falhou = std::ferror(arq) != 0;
    int erro = errno;
    std::fclose(arq);
    if (falhou)
        return "Não foi possível ler o arquivo " + caminho + ": " +
               texto::motivoSistema(erro ? erro : EIO);
    if (n == 0) return "O arquivo está vazio: " + caminho;
    if (std::memchr(inicio.data(), '\0', n)) return "O arquivo não é um arquivo texto: " + caminho;
    return std::nullopt;
}

} // namespace kelvor
