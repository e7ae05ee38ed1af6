#include "core/Leitor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <zlib.h>

namespace kelvor {

namespace {
constexpr char MarcaFim = 26;
} // namespace

LeitorLinhas::LeitorLinhas(std::FILE* arquivo, std::size_t bloco, std::size_t limiteLinha)
    : arq_(arquivo), bloco_(bloco), limite_(limiteLinha), buf_(bloco + limiteLinha) {
    comeco_.reserve(limite_);
}

bool LeitorLinhas::le() {
    if (eof_) return false;
    errno = 0;
    std::size_t n = std::fread(buf_.data() + fim_, 1, bloco_, arq_);
    if (n > 0) {
        if (!semCrc_)
            crc_ = static_cast<std::uint32_t>(crc32(
                crc_, reinterpret_cast<const Bytef*>(buf_.data() + fim_), static_cast<uInt>(n)));
        lidos_ += n;
        fim_ += n;
    }
    if (n < bloco_) {
        if (std::ferror(arq_)) erro_ = errno ? errno : EIO;
        eof_ = true;
    }
    return n > 0;
}

bool LeitorLinhas::entrega(Linha& l, std::string_view t, std::int64_t tamanho,
                           std::int64_t offset) {
    l.texto = t;
    l.tamanho = tamanho;
    l.numero = ++numero_;
    l.offset = offset;
    return true;
}

bool LeitorLinhas::proxima(Linha& l) {
    for (;;) {
        char* p = buf_.data();
        const void* nl = ini_ < fim_ ? std::memchr(p + ini_, '\n', fim_ - ini_) : nullptr;
        if (nl) {
            std::size_t pos = static_cast<const char*>(nl) - p;
            std::size_t parte = pos - ini_;
            if (longa_) {
                char ultimo = parte ? p[pos - 1] : ultimoLonga_;
                comeco_.append(p + ini_, std::min(parte, limite_ - comeco_.size()));
                tamanhoLonga_ += static_cast<std::int64_t>(parte) - (ultimo == '\r');
                ini_ = pos + 1;
                longa_ = false;
                auto t = std::string_view(comeco_).substr(
                    0, static_cast<std::size_t>(std::max<std::int64_t>(tamanhoLonga_, 0)));
                return entrega(l, t, tamanhoLonga_, offsetLonga_);
            }
            if (parte && p[pos - 1] == '\r') --parte;
            std::int64_t offset = static_cast<std::int64_t>(base_ + ini_);
            std::string_view t(p + ini_, std::min(parte, limite_));
            ini_ = pos + 1;
            return entrega(l, t, static_cast<std::int64_t>(parte), offset);
        }
        std::size_t resto = fim_ - ini_;
        if (eof_) {
            if (erro_) return false;
            if (!longa_ && resto == 0) return false;
            // Última linha, sem LF: tira a marca de fim (26) e um CR que tenha sobrado.
            std::size_t tam = resto;
            if (tam && p[fim_ - 1] == MarcaFim) --tam;
            if (tam && p[ini_ + tam - 1] == '\r') --tam;
            std::int64_t offset = static_cast<std::int64_t>(base_ + ini_);
            if (longa_) {
                comeco_.append(p + ini_, std::min(tam, limite_ - comeco_.size()));
                tamanhoLonga_ += static_cast<std::int64_t>(tam);
                if (resto == 0 && ultimoLonga_ == MarcaFim) --tamanhoLonga_;
                ini_ = fim_;
                longa_ = false;
                return entrega(l, comeco_, tamanhoLonga_, offsetLonga_);
            }
            ini_ = fim_;
            if (tam == 0) return false;
            return entrega(l, std::string_view(p + fim_ - resto, std::min(tam, limite_)),
                           static_cast<std::int64_t>(tam), offset);
        }
        if (longa_ || resto >= limite_) {
            // Linha gigante: guarda só o começo, conta o resto e descarta o buffer.
            if (!longa_) {
                longa_ = true;
                comeco_.clear();
                tamanhoLonga_ = 0;
                offsetLonga_ = static_cast<std::int64_t>(base_ + ini_);
            }
            comeco_.append(p + ini_, std::min(resto, limite_ - comeco_.size()));
            tamanhoLonga_ += static_cast<std::int64_t>(resto);
            if (resto) ultimoLonga_ = p[fim_ - 1];
            base_ += fim_;
            ini_ = fim_ = 0;
        } else {
            std::memmove(p, p + ini_, resto);
            base_ += ini_;
            ini_ = 0;
            fim_ = resto;
        }
        if (parar_ && parar_->load(std::memory_order_relaxed)) return false;
        le();
    }
}

std::optional<std::int64_t> contaLinhas(std::FILE* arquivo, const std::atomic<bool>* parar,
                                        std::size_t bloco) {
    std::vector<char> buf(bloco);
    std::int64_t linhas = 0;
    std::int64_t depoisDoUltimoLF = 0; // bytes da última linha, ainda sem LF
    char ultimo = 0, penultimo = 0;
    for (;;) {
        if (parar && parar->load(std::memory_order_relaxed)) return std::nullopt;
        std::size_t n = std::fread(buf.data(), 1, bloco, arquivo);
        const char* p = buf.data();
        const char* fim = p + n;
        while (const void* nl =
                   p < fim ? std::memchr(p, '\n', static_cast<std::size_t>(fim - p)) : nullptr) {
            ++linhas;
            depoisDoUltimoLF = 0;
            p = static_cast<const char*>(nl) + 1;
        }
        depoisDoUltimoLF += fim - p;
        if (n >= 2) {
            penultimo = buf[n - 2];
            ultimo = buf[n - 1];
        } else if (n == 1) {
            penultimo = ultimo;
            ultimo = buf[0];
        }
        if (n < bloco) {
            if (std::ferror(arquivo)) return std::nullopt;
            break;
        }
    }
    // A última linha sem LF conta como o leitor a entrega: sem a marca de fim e sem um CR final.
    std::int64_t resto = depoisDoUltimoLF;
    char fimDoResto = ultimo;
    if (resto > 0 && fimDoResto == MarcaFim) {
        --resto;
        fimDoResto = penultimo;
    }
    if (resto > 0 && fimDoResto == '\r') --resto;
    return linhas + (resto > 0 ? 1 : 0);
}

} // namespace kelvor
