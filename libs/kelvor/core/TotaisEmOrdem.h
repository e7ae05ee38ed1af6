// Os totais por CFOP na etapa em ordem: junta as somas que cada lote fez à parte, tira os itens
// de documentos cancelados antes deles e aponta a soma que passa de 15 dígitos no registro em
// que ela passa (uma vez por soma).
#pragma once

#include "core/Lote.h"
#include "core/Totais.h"

#include <string>

namespace kelvor {

class TotaisEmOrdem {
public:
    // Uma soma que passou de 15 dígitos no registro: o campo do registro e a mensagem.
    struct Passou {
        int inicio, tamanho;
        std::string mensagem;
    };

    // Antes dos registros do lote. Quando alguma soma pode passar de 15 dígitos neste lote, ele
    // é somado registro a registro para achar onde; senão, de uma vez.
    void iniciaLote(const Lote& l);
    // Cada registro do lote, em ordem; devolve quantas somas passaram nele (em passou()).
    int registro(const RegistroLote& r, std::string_view texto);
    const Passou& passou(int i) const { return passou_[static_cast<std::size_t>(i)]; }

    const TotaisCfop& totais() const { return totais_; }

private:
    TotaisCfop totais_;
    bool registroARegistro_ = false;
    Parcelas parcelas_;
    std::vector<Passou> passou_;
};

// "Soma de <valor> do registro 70, CFOP 5102, alíquota 0000, passa de 15 dígitos."
std::string mensagemSomaGrande(const TotaisCfop::Chave& chave, int destino);

} // namespace kelvor
