#include "core/Registro90Pares.h"

#include "core/Texto.h"

namespace kelvor::cruzado::registro90 {

std::array<Par, MaximoPares> lePares(std::string_view registro) {
    std::array<Par, MaximoPares> pares{};
    for (int i = 0; i < MaximoPares; ++i) {
        auto& p = pares[i];
        p.coluna = colunaDoPar(i);
        const auto trecho = registro.substr(static_cast<std::size_t>(p.coluna - 1), LarguraPar);
        if (texto::emBranco(trecho)) continue;
        const auto tipo = trecho.substr(0, 2);
        if (!texto::soDigitos(tipo)) {
            p.estado = EstadoPar::TipoInvalido;
            continue;
        }
        p.tipo = (tipo[0] - '0') * 10 + (tipo[1] - '0');
        p.total = texto::numero(trecho.substr(2, LarguraTotal));
        p.estado = p.total < 0 ? EstadoPar::TotalInvalido : EstadoPar::Valido;
    }
    return pares;
}

} // namespace kelvor::cruzado::registro90
