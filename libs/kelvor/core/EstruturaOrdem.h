// Ordem do arquivo: registro 10 primeiro e único, 11 segundo e único, registros 90 no fim
// (pelo menos um), tipos em ordem crescente.
#pragma once

#include "core/CruzadoRegra.h"

namespace kelvor::cruzado {

class EstruturaOrdem final : public Regra {
public:
    void registro(RegistroAtual& r) override;
    void fim(CriticasTardias& t, const LocalRegistro* ultimo) override;

private:
    void ordemDosTipos(RegistroAtual& r, int indice);

    std::int64_t registros_ = 0;
    int quantos10_ = 0;
    int quantos11_ = 0;
    std::int64_t quantos90_ = 0;
    int anterior_ = -2;    // índice do tipo do registro anterior (-1: desconhecido)
    int maiorIndice_ = -1; // maior tipo visto desde o início (ou desde o último 90)
};

} // namespace kelvor::cruzado
