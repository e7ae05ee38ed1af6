// Verificações de campo de um lote: cada registro só olha a si mesmo (e o registro 10, pelo
// contexto), então os lotes podem ser conferidos em qualquer thread e em qualquer ordem.
#pragma once

#include "core/Lote.h"
#include "core/VerificadorCampos.h"

#include <atomic>

namespace kelvor {

class EtapaCampos {
public:
    // Os contextos são da validação e não mudam enquanto algum lote os usa.
    EtapaCampos(const Contexto& antes10, const Contexto& depois10, std::size_t limiteLinha);
    EtapaCampos(const EtapaCampos&) = delete;
    EtapaCampos& operator=(const EtapaCampos&) = delete;

    // Separa as linhas, confere os campos, soma as parcelas dos totais e calcula o CRC do
    // lote. As críticas ficam no lote com a linha relativa a ele (1 = a primeira do lote).
    void confere(Lote& l, const std::atomic<bool>& cancelar);

private:
    class Coletor final : public ReceptorCriticas {
    public:
        void inicia(Lote& l, RegistroLote& r) {
            lote_ = &l;
            atual_ = &r;
        }
        void critica(const Critica& c) override;
        void criticaTardia(const Critica&, Situacao) override {} // não há na conferência de campo

    private:
        Lote* lote_ = nullptr;
        RegistroLote* atual_ = nullptr;
    };

    void registro(Lote& l, std::size_t i);

    Coletor coletor_;
    VerificadorCampos antes10_, depois10_;
    const Contexto* depois_;
    std::size_t limite_;
    int flagLeiaute_;
    Parcelas parcelas_;
};

} // namespace kelvor
