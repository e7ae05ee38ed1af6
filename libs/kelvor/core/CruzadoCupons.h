// Registros 60 entre si, pela data e pelo número de série de fabricação do equipamento
// (posições 4-31 em todos):
//   60M repetido no mesmo dia e equipamento, 60A repetido no mesmo totalizador (situação
//   tributária/alíquota), dia e equipamento: Rejeição no repetido, na hora;
//   60A, 60D e 60I sem o 60M do mesmo dia e equipamento: Rejeição em cada um. A ordem dentro do
//   tipo 60 é só advertência, então o 60M pode vir depois: a falta só se decide no fim, e os
//   registros que a têm são achados na segunda passada.
#pragma once

#include "core/CruzadoRegra.h"
#include "core/CruzadoTabela.h"

namespace kelvor::cruzado {

class CruzadoCupons final : public Regra {
public:
    void registro(RegistroAtual& r) override;
    void fim(CriticasTardias& t, const LocalRegistro* ultimo) override;
    bool precisaReler() const override { return faltas_.tamanho() > 0; }
    void relido(RegistroAtual& r) override;

private:
    Tabela<std::int64_t> mestres_;       // dia e equipamento -> linha do primeiro 60M
    Tabela<std::int64_t> totalizadores_; // totalizador, dia e equipamento -> linha do 60A
    Conjunto pendentes_;                 // usados antes de aparecer o 60M deles
    Conjunto faltas_;                    // no fim: os que ficaram sem 60M
};

} // namespace kelvor::cruzado
