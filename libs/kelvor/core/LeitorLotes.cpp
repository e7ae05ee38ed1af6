#include "core/LeitorLotes.h"

#include "core/Crc32.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kelvor {

namespace {

constexpr char MarcaFim = 26;

const char* ultimoLf(const char* p, std::size_t n) {
#if defined(__GLIBC__)
    return static_cast<const char*>(memrchr(p, '\n', n));
#else
    for (std::size_t i = n; i-- > 0;)
        if (p[i] == '\n') return p + i;
    return nullptr;
#endif
}

} // namespace

LeitorLotes::LeitorLotes(std::FILE* arquivo, std::size_t bloco, std::size_t limiteLinha)
    : arq_(arquivo), bloco_(std::max<std::size_t>(bloco, 1)), limite_(limiteLinha) {}

std::size_t LeitorLotes::le(char* destino, std::size_t n) {
    if (eof_ || n == 0) return 0;
    errno = 0;
    const std::size_t k = std::fread(destino, 1, n, arq_);
    lidos_ += k;
    if (k < n) {
        if (std::ferror(arq_)) erro_ = errno ? errno : EIO;
        eof_ = true;
    }
    return k;
}

bool LeitorLotes::proximo(Lote& l) {
    l.longa = false;
    l.final = false;
    l.separado = false;
    l.usados = 0;
    if (acabou_ || erro_) return false;
    if (parar_ && parar_->load(std::memory_order_relaxed)) return false;
    if (l.bruto.size() < bloco_ + resto_.size()) l.bruto.resize(bloco_ + resto_.size());
    char* p = l.bruto.data();
    std::size_t n = resto_.size();
    if (n) std::memcpy(p, resto_.data(), n);
    resto_.clear();
    if (n < bloco_) n += le(p + n, bloco_ - n);
    l.offset = base_;
    if (erro_) {
        // Só as linhas inteiras antes da falha; a validação termina com a mensagem.
        const char* lf = ultimoLf(p, n);
        if (!lf) return false;
        n = static_cast<std::size_t>(lf - p) + 1;
        acabou_ = true;
    } else if (eof_) {
        acabou_ = true;
        l.final = true;
        if (n == 0) return false;
    } else if (const char* lf = ultimoLf(p, n)) {
        const auto fim = static_cast<std::size_t>(lf - p) + 1;
        resto_.assign(p + fim, p + n);
        n = fim;
    } else {
        l.usados = n;
        return linhaLonga(l);
    }
    l.usados = n;
    l.bytes = n;
    base_ += static_cast<std::int64_t>(n);
    return true;
}

// O bloco inteiro é o começo de uma linha só: segue lendo até o LF (ou o fim do arquivo),
// guardando até o limite e contando o resto.
bool LeitorLotes::linhaLonga(Lote& l) {
    l.longa = true;
    std::size_t n = l.usados;
    std::uint32_t crc = crc32Bytes(0, l.bruto.data(), n);
    std::uint64_t bytes = n;
    char ultimos[2] = {n > 1 ? l.bruto[n - 2] : '\0', l.bruto[n - 1]};
    aux_.resize(bloco_);
    for (;;) {
        if (parar_ && parar_->load(std::memory_order_relaxed)) return false;
        const std::size_t k = le(aux_.data(), bloco_);
        if (erro_) return false;
        const char* q = aux_.data();
        const auto* lf = static_cast<const char*>(std::memchr(q, '\n', k));
        const std::size_t parte = lf ? static_cast<std::size_t>(lf - q) : k;
        if (l.usados < limite_) {
            const std::size_t guarda = std::min(parte, limite_ - l.usados);
            if (l.bruto.size() < l.usados + guarda) l.bruto.resize(l.usados + guarda);
            std::memcpy(l.bruto.data() + l.usados, q, guarda);
            l.usados += guarda;
        }
        if (parte >= 2) {
            ultimos[0] = q[parte - 2];
            ultimos[1] = q[parte - 1];
        } else if (parte == 1) {
            ultimos[0] = ultimos[1];
            ultimos[1] = q[0];
        }
        bytes += parte;
        if (lf) {
            crc = crc32Bytes(crc, q, parte + 1);
            l.tamanhoLonga = static_cast<std::int64_t>(bytes) - (ultimos[1] == '\r');
            ++bytes;
            resto_.assign(lf + 1, q + k);
            break;
        }
        crc = crc32Bytes(crc, q, k);
        if (eof_) {
            // Última linha, sem LF: tira a marca de fim (26) e um CR antes dela.
            auto tam = static_cast<std::int64_t>(bytes);
            int i = 1;
            if (ultimos[i] == MarcaFim) {
                --tam;
                --i;
            }
            if (ultimos[i] == '\r') --tam;
            l.tamanhoLonga = tam;
            l.final = true;
            acabou_ = true;
            break;
        }
    }
    l.crcLonga = crc;
    l.bytes = bytes;
    base_ += static_cast<std::int64_t>(bytes);
    return true;
}

void separaLinhas(Lote& l, std::size_t limite) {
    l.separado = true;
    l.registros.clear();
    const char* p = l.bruto.data();
    auto poe = [&](std::size_t inicio, std::size_t tamanho) {
        RegistroLote r;
        r.inicio = static_cast<std::uint32_t>(inicio);
        r.guardado = static_cast<std::uint32_t>(std::min(tamanho, limite));
        r.tamanho = static_cast<std::int64_t>(tamanho);
        r.offset = l.offset + static_cast<std::int64_t>(inicio);
        l.registros.push_back(r);
    };
    if (l.longa) {
        // No fim do arquivo, o que sobra sem a marca 26 e o CR pode não ser linha nenhuma.
        if (l.final && l.tamanhoLonga == 0) return;
        RegistroLote r;
        r.guardado = static_cast<std::uint32_t>(
            std::min<std::int64_t>({static_cast<std::int64_t>(l.usados),
                                    static_cast<std::int64_t>(limite), l.tamanhoLonga}));
        r.tamanho = l.tamanhoLonga;
        r.offset = l.offset;
        l.registros.push_back(r);
        return;
    }
    std::size_t ini = 0;
    const std::size_t n = l.usados;
    while (ini < n) {
        const auto* lf = static_cast<const char*>(std::memchr(p + ini, '\n', n - ini));
        if (!lf) break;
        const auto pos = static_cast<std::size_t>(lf - p);
        std::size_t tam = pos - ini;
        if (tam && p[pos - 1] == '\r') --tam;
        poe(ini, tam);
        ini = pos + 1;
    }
    if (ini < n && l.final) {
        // Última linha, sem LF: tira a marca de fim (26) e um CR que tenha sobrado.
        std::size_t tam = n - ini;
        if (p[n - 1] == MarcaFim) --tam;
        if (tam && p[ini + tam - 1] == '\r') --tam;
        if (tam) poe(ini, tam);
    }
}

} // namespace kelvor
