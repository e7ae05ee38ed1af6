// Registros 60A, 60D e 60I com o 60M do mesmo dia e equipamento (data e número de série de
// fabricação, posições 4-31 em todos). A ordem dentro do tipo 60 é só advertência, então o
// 60M pode vir depois: a falta só é decidida no fim, e cada chave distinta sem 60M é
// criticada uma vez, no primeiro registro que a usou.
#pragma once

#include "core/CruzadoRegra.h"
#include "core/CruzadoTabela.h"

#include <deque>

namespace kelvor::cruzado {

class CruzadoCupons final : public Regra {
public:
    void registro(RegistroAtual& r) override;
    void guarda(const RegistroAtual& r) override;
    void fim(CriticasTardias& t, const LocalRegistro* ultimo) override;

private:
    struct Pendente {
        LocalRegistro onde;
        char serie[20];
        char subtipo;
        std::int64_t registros = 0;
    };

    Conjunto mestres_;
    Tabela<std::uint32_t> pendentes_;     // chave -> índice em pendentesDados_ + 1
    std::deque<Pendente> pendentesDados_; // em blocos: crescer não copia
    std::uint64_t guardar_ = 0;
};

} // namespace kelvor::cruzado
