#include "core/Arquivo.h"

#include "core/Texto.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kelvor {

namespace {

constexpr char MarcaFim = 26;

std::string naoLido(const std::string& caminho, int erro) {
    return "Não foi possível ler o arquivo " + caminho + ": " +
           texto::motivoSistema(erro ? erro : EIO);
}

std::string naoComum(const std::string& caminho) {
    return "O caminho indicado não é um arquivo comum (dispositivo, FIFO ou soquete): " + caminho;
}

} // namespace

std::optional<std::string> abreParaLer(const std::string& caminho, std::FILE*& arq) {
    namespace fs = std::filesystem;
    arq = nullptr;
    std::error_code ec;
    auto st = fs::status(caminho, ec);
    if (caminho.empty() || !fs::exists(st)) return "Arquivo não encontrado: " + caminho;
    if (fs::is_directory(st)) return "O caminho indicado é uma pasta: " + caminho;
    // Um FIFO sem quem escreva prenderia a abertura; /dev/zero não acaba nunca.
    if (!fs::is_regular_file(st)) return naoComum(caminho);
#if defined(_WIN32)
    errno = 0;
    arq = std::fopen(caminho.c_str(), "rb");
    if (!arq) return naoLido(caminho, errno);
#else
    // O caminho pode ter sido trocado depois do stat: abre sem bloquear e confere o aberto.
    int fd = ::open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return naoLido(caminho, errno);
    struct stat aberto {};
    if (::fstat(fd, &aberto) != 0 || !S_ISREG(aberto.st_mode)) {
        ::close(fd);
        return naoComum(caminho);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    errno = 0;
    arq = ::fdopen(fd, "rb");
    if (!arq) {
        int erro = errno;
        ::close(fd);
        return naoLido(caminho, erro);
    }
#endif
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
    if (falhou) return naoLido(caminho, erro);
    // Só a marca de fim também é um arquivo sem nenhuma linha.
    if (n == 0 || (n == 1 && inicio[0] == MarcaFim)) return "O arquivo está vazio: " + caminho;
    if (std::memchr(inicio.data(), '\0', n)) return "O arquivo não é um arquivo texto: " + caminho;
    return std::nullopt;
}

bool mesmoArquivo(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec)) {
        bool igual = fs::equivalent(a, b, ec);
        if (!ec) return igual;
    }
    auto absA = fs::weakly_canonical(fs::absolute(a, ec), ec);
    auto absB = fs::weakly_canonical(fs::absolute(b, ec), ec);
    return absA.lexically_normal() == absB.lexically_normal();
}

namespace recusaSaida {
std::string relatorioSobreEntrada(const std::string& relatorio) {
    return "O relatório de críticas não pode ser gravado sobre o arquivo a validar: " + relatorio;
}
std::string totaisSobreEntrada(const std::string& totaisCfop) {
    return "O arquivo de totais por CFOP não pode ser gravado sobre o arquivo a validar: " +
           totaisCfop;
}
std::string relatorioIgualTotais(const std::string& relatorio) {
    return "O relatório de críticas e o arquivo de totais por CFOP não podem ser o mesmo "
           "arquivo: " +
           relatorio;
}
} // namespace recusaSaida

std::optional<std::string> confereSaidas(const std::string& entrada, const std::string& relatorio,
                                         const std::string& totaisCfop) {
    if (!relatorio.empty() && mesmoArquivo(relatorio, entrada))
        return recusaSaida::relatorioSobreEntrada(relatorio);
    if (!totaisCfop.empty() && mesmoArquivo(totaisCfop, entrada))
        return recusaSaida::totaisSobreEntrada(totaisCfop);
    if (!relatorio.empty() && !totaisCfop.empty() && mesmoArquivo(relatorio, totaisCfop))
        return recusaSaida::relatorioIgualTotais(relatorio);
    return std::nullopt;
}

} // namespace kelvor
