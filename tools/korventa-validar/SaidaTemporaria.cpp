#include "SaidaTemporaria.h"

#include "core/Texto.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

SaidaTemporaria::~SaidaTemporaria() {
    if (!temporario_.empty()) std::remove(temporario_.c_str());
}

std::optional<std::string> SaidaTemporaria::cria() {
    if (destino_.empty()) return std::nullopt;
    const std::filesystem::path destino(destino_);
    const auto pasta =
        destino.has_parent_path() ? destino.parent_path() : std::filesystem::path(".");
    std::string modelo = (pasta / ("." + destino.filename().string() + ".XXXXXX")).string();
    errno = 0;
    const int fd = ::mkstemp(modelo.data());
    if (fd < 0 && errno == EACCES) {
        struct stat st {};
        direto_ = ::stat(destino_.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                  ::access(destino_.c_str(), W_OK) == 0;
        if (direto_) return std::nullopt;
        errno = EACCES;
    }
    if (fd < 0)
        return "Não foi possível criar o arquivo " + destino_ + ": " +
               kelvor::texto::motivoSistema(errno ? errno : EIO);
    // O mkstemp cria só para o dono; o destino fica com a permissão de um arquivo novo comum.
    // A máscara só se lê trocando-a: uma vez, antes de qualquer outra thread chegar aqui (num
    // lote com -j, trocas simultâneas deixariam o processo com a máscara 0).
    static const mode_t mascara = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    ::fchmod(fd, 0666 & ~mascara);
    ::close(fd);
    temporario_ = modelo;
    return std::nullopt;
}

std::optional<std::string> SaidaTemporaria::confirma() {
    if (temporario_.empty()) return std::nullopt;
    errno = 0;
    if (std::rename(temporario_.c_str(), destino_.c_str()) != 0)
        return "Não foi possível gravar o arquivo " + destino_ + ": " +
               kelvor::texto::motivoSistema(errno ? errno : EIO);
    temporario_.clear();
    return std::nullopt;
}

std::string SaidaTemporaria::comDestino(std::string mensagem) const {
    if (temporario_.empty()) return mensagem;
    for (auto p = mensagem.find(temporario_); p != std::string::npos;
         p = mensagem.find(temporario_, p + destino_.size()))
        mensagem.replace(p, temporario_.size(), destino_);
    return mensagem;
}
