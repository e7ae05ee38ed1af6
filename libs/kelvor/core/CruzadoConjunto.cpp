#include "core/CruzadoConjunto.h"

#include "core/CruzadoMensagens.h"
#include "core/SegundaPassada.h"

#include <algorithm>
#include <new>

namespace kelvor::cruzado {

void ConjuntoDeRegras::registro(const RegistroLido& r, bool tamanhoValido,
                                ReceptorCriticas& saida) {
    atual_.inicia(r, tamanhoValido, saida);
    try {
        for (auto& regra : regras_)
            regra->registro(atual_);
        for (auto& regra : regras_)
            regra->guarda(atual_);
        anteriores_.anota(r.linha, atual_.situacao());
    } catch (const std::bad_alloc&) {
        // Sem memória para as chaves: as regras são largadas (a memória volta) e o arquivo
        // fica rejeitado com o motivo, em vez de aceito sem os vínculos conferidos.
        regras_.clear();
        atual_.critica(Gravidade::Rejeicao, {}, mensagem::SemMemoria);
    }
    ultimo_ = r;
    ultimo_.situacao = atual_.situacao();
    const auto n = std::min(r.texto.size(), sizeof textoUltimo_);
    std::memcpy(textoUltimo_, r.texto.data(), n);
    ultimo_.texto = std::string_view(textoUltimo_, n);
    temUltimo_ = true;
}

void ConjuntoDeRegras::fim(ReceptorCriticas& saida, Releitura& releitura) {
    if (regras_.empty()) return;
    LocalRegistro ultimo;
    if (temUltimo_) {
        RegistroAtual r;
        r.inicia(ultimo_, false, saida);
        ultimo = r.local();
    }
    CriticasTardias tardias;
    for (auto& regra : regras_)
        regra->fim(tardias, temUltimo_ ? &ultimo : nullptr);
    std::vector<Regra*> relendo;
    for (auto& regra : regras_)
        if (regra->precisaReler()) relendo.push_back(regra.get());
    if (!relendo.empty()) cruzado::segundaPassada(relendo, releitura, tardias, anteriores_, saida);
    tardias.entrega(saida);
}

} // namespace kelvor::cruzado
