#include "core/CruzadoOffsets.h"

#include <algorithm>

namespace kelvor::cruzado {

namespace {
constexpr std::int64_t PassoComum = 128; // 126 posições e CR LF
} // namespace

std::int64_t OffsetsPorLinha::offsetDe(std::int64_t linha) const {
    if (marcas_.empty() || linha < marcas_.front().linha) return -1;
    auto m = marcas_.end() - 1;
    if (linha < m->linha)
        m = std::upper_bound(marcas_.begin(), marcas_.end(), linha,
                             [](std::int64_t l, const Marca& x) { return l < x.linha; }) -
            1;
    return m->offset + (linha - m->linha) * m->passo;
}

bool OffsetsPorLinha::garante(std::int64_t linha, std::int64_t offset) {
    if (offsetDe(linha) == offset) return true;
    if (!marcas_.empty() && linha <= marcas_.back().linha) return false;
    // O passo novo é o que leva da marca anterior a esta, quando é inteiro: arquivo só com LF,
    // ou com registros de outro tamanho, dá uma marca só na primeira linha que quebra o passo.
    std::int64_t passo = PassoComum;
    if (!marcas_.empty()) {
        const auto& m = marcas_.back();
        const auto linhas = linha - m.linha, bytes = offset - m.offset;
        if (bytes > 0 && bytes % linhas == 0) passo = bytes / linhas;
    }
    marcas_.push_back({linha, offset, passo});
    return true;
}

} // namespace kelvor::cruzado
