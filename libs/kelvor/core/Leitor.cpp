#include "core/Leitor.h"

#include "core/Crc32.h"

namespace kelvor {

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

} // namespace kelvor
