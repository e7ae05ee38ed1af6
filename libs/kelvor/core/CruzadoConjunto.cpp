#include "core/CruzadoConjunto.h"

#include <algorithm>

namespace kelvor::cruzado {

void ConjuntoDeRegras::registro(const RegistroLido& r, bool tamanhoValido,
                                ReceptorCriticas& saida) {
    atual_.inicia(r, tamanhoValido, saida);
    for (auto& regra : regras_)
        regra->registro(atual_);
    for (auto& regra : regras_)
        regra->guarda(atual_);
    ultimo_ = r;
    ultimo_.situacao = atual_.situacao();
    const auto n = std::min(r.texto.size(), sizeof textoUltimo_);
    std::memcpy(textoUltimo_, r.texto.data(), n);
    ultimo_.texto = std::string_view(textoUltimo_, n);
    temUltimo_ = true;
}

void ConjuntoDeRegras::fim(ReceptorCriticas& saida) {
    LocalRegistro ultimo;
    if (temUltimo_) {
        RegistroAtual r;
        r.inicia(ultimo_, false, saida);
        ultimo = r.local();
    }
    CriticasTardias tardias;
    for (auto& regra : regras_)
        regra->fim(tardias, temUltimo_ ? &ultimo : nullptr);
    tardias.entrega(saida);
}

} // namespace kelvor::cruzado
