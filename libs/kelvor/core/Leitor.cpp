#include "core/Leitor.h"

#include "core/Crc32.h"

#include <vector>

namespace kelvor {

namespace {
constexpr char MarcaFim = 26;
} // namespace

bool LeitorLinhas::proxima(Linha& l) {
    while (proximo_ >= lote_.registros.size()) {
        if (!lotes_.proximo(lote_)) return false;
        separaLinhas(lote_, lotes_.limiteLinha());
        proximo_ = 0;
        if (!semCrc_)
            crc_ = crc32Junta(crc_,
                              lote_.longa ? lote_.crcLonga
                                          : crc32Bytes(0, lote_.bruto.data(), lote_.usados),
                              lote_.bytes);
    }
    const auto& r = lote_.registros[proximo_++];
    l.texto = lote_.texto(r);
    l.tamanho = r.tamanho;
    l.numero = ++numero_;
    l.offset = r.offset;
    return true;
}

std::optional<std::int64_t> contaLinhas(std::FILE* arquivo, const std::atomic<bool>* parar,
                                        std::size_t bloco, std::int64_t* registros50) {
    std::vector<char> buf(bloco);
    std::int64_t linhas = 0, de50 = 0;
    bool primeira = true;
    std::int64_t depoisDoUltimoLF = 0; // bytes da última linha, ainda sem LF
    char ultimo = 0, penultimo = 0;
    for (;;) {
        if (parar && parar->load(std::memory_order_relaxed)) return std::nullopt;
        std::size_t n = std::fread(buf.data(), 1, bloco, arquivo);
        const char* p = buf.data();
        const char* fim = p + n;
        // Só uma previsão: a linha que começa na emenda de dois blocos não entra.
        if (primeira && n >= 2 && p[0] == '5' && p[1] == '0') ++de50;
        primeira = false;
        while (const void* nl =
                   p < fim ? std::memchr(p, '\n', static_cast<std::size_t>(fim - p)) : nullptr) {
            ++linhas;
            depoisDoUltimoLF = 0;
            p = static_cast<const char*>(nl) + 1;
            if (fim - p >= 2 && p[0] == '5' && p[1] == '0') ++de50;
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
    if (registros50) *registros50 = de50;
    return linhas + (resto > 0 ? 1 : 0);
}

} // namespace kelvor
