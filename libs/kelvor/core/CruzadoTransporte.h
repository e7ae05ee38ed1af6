// Registro 71 (carga transportada) com o seu registro 70 (o conhecimento), que vem antes pela
// ordem dos tipos. Chave: data de emissão, modelo, série, subsérie e número. CNPJ, IE e UF
// ficam de fora: nas vendas em bolsa os campos do tomador do 71 trazem o remetente.
#pragma once

#include "core/CruzadoRegra.h"
#include "core/CruzadoTabela.h"

namespace kelvor::cruzado {

class CruzadoTransporte final : public Regra {
public:
    void registro(RegistroAtual& r) override;

private:
    Conjunto conhecimentos_;
};

} // namespace kelvor::cruzado
