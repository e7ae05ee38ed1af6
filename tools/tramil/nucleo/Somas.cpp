#include "nucleo/Somas.h"

#include "core/Texto.h"

#include <cstdlib>

namespace tramil {

std::int64_t ValorCampo(const char* r, const Pos& p) {
    if (p.inicio <= 0) return 0;
    const auto n = kelvor::texto::numero(p.de(r));
    return n < 0 ? 0 : n;
}

std::int64_t IcmsEsperado(std::int64_t base, std::int64_t aliquota) {
    return (base * aliquota + 5000) / 10000;
}

bool IcmsConfere(std::int64_t base, std::int64_t aliquota, std::int64_t icms) {
    return std::llabs(icms - IcmsEsperado(base, aliquota)) <= 1;
}

std::int64_t ValorDoItem54(const char* r) {
    const auto& c = Campos().r54;
    if (ValorCampo(r, c.item) >= 991) return ValorCampo(r, c.desconto) + ValorCampo(r, c.ipi);
    return ValorCampo(r, c.valor) - ValorCampo(r, c.desconto) + ValorCampo(r, c.ipi);
}

bool IcmsDoCupomConfere(const char* r) {
    const auto& c = Campos();
    const bool diario = r[2] == 'D';
    const Pos& sit = diario ? c.r60D.situacao : c.r60I.situacao;
    if (!kelvor::texto::soDigitos(sit.de(r))) return true;
    return IcmsConfere(ValorCampo(r, diario ? c.r60D.base : c.r60I.base), ValorCampo(r, sit),
                       ValorCampo(r, diario ? c.r60D.icms : c.r60I.icms));
}

bool TotalConfere(std::int64_t itens, std::int64_t total, std::int64_t retido, std::int64_t ipi51) {
    return itens == total || itens + retido == total || itens + ipi51 == total ||
           itens + retido + ipi51 == total;
}

} // namespace tramil
