// As regras entre registros de uma validação, vistas pelo núcleo como uma só verificação:
// cada registro passa por todas as regras (críticas imediatas) e só então elas guardam o que
// precisam para o fim, já com a situação final do registro.
#pragma once

#include "core/CruzadoRegra.h"
#include "core/CruzadoSituacoes.h"
#include "core/Verificacao.h"

#include <cstring>
#include <memory>
#include <vector>

namespace kelvor::cruzado {

class ConjuntoDeRegras final : public Verificacao {
public:
    template <class R, class... A> R& cria(A&&... args) {
        auto r = std::make_unique<R>(std::forward<A>(args)...);
        R& ref = *r;
        regras_.push_back(std::move(r));
        return ref;
    }

    void registro(const RegistroLido& r, bool tamanhoValido, ReceptorCriticas& saida) override;
    void fim(ReceptorCriticas& saida, Releitura& releitura) override;
    void antecipa(const RegistroLido& r) override {
        for (auto& regra : regras_)
            regra->antecipa(r);
    }

private:
    std::vector<std::unique_ptr<Regra>> regras_;
    RegistroAtual atual_;
    // O último registro, para as faltas do arquivo (sem 90, sem 11): guardado a cada registro
    // só com cópia do começo do texto; o endereço completo é montado no fim.
    RegistroLido ultimo_;
    char textoUltimo_[128];
    bool temUltimo_ = false;
    // Para a segunda passada: a situação dos registros que saíram da leitura com crítica.
    SituacoesAnteriores anteriores_;
};

} // namespace kelvor::cruzado
