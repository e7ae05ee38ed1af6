// Vínculos das notas fiscais: 51, 53 e 54 com o seu registro 50 (o 50 vem antes: a ordem
// dos tipos o exige), o mesmo documento duas vezes, e a nota modelo 01/55 em situação
// normal sem nenhum registro 54.
//   51 -> 50: CNPJ, data, UF, série, número e CFOP (o 51 não tem modelo), e a mesma situação;
//   53 -> 50: data, UF, modelo, série, número e CFOP (o CNPJ do 53 é o do substituído);
//   54 -> 50: CNPJ, modelo, série, número e CFOP;
//   documento repetido: CNPJ, modelo, série, número, emitente, CFOP e alíquota.
// A memória é uma entrada por chave distinta de registro 50.
#pragma once

#include "core/CruzadoRegra.h"
#include "core/CruzadoTabela.h"

#include <vector>

namespace kelvor::cruzado {

class CruzadoDocumentos final : public Regra {
public:
    void registro(RegistroAtual& r) override;
    void guarda(const RegistroAtual& r) override;
    void fim(CriticasTardias& t, const LocalRegistro* ultimo) override;

    // Data (AAAAMMDD) do registro 50 do registro 54 em curso; 0 quando não há.
    int dataDoDocumento() const { return dataAtual_; }

private:
    void registro50(RegistroAtual& r);
    void registro51(RegistroAtual& r);
    void registro53(RegistroAtual& r);
    void registro54(RegistroAtual& r);

    static constexpr std::uint32_t SemLocal = 0xFFFFFFFFu;
    struct Nota {
        int data = 0;
        std::uint32_t local = SemLocal; // em notasSem54_: a primeira que precisa de 54
        bool tem54 = false;
    };
    struct NotaQuePrecisa54 {
        LocalRegistro onde;
        char numero[6];
        char modelo[2];
    };

    Tabela<Nota> porChave54_;
    Tabela<char> situacaoPorChave51_;
    Conjunto chaves53_;
    Tabela<std::int64_t> linhaDoDocumento_;
    std::vector<NotaQuePrecisa54> notasSem54_;
    int dataAtual_ = 0;
    std::uint64_t precisaGuardar_ = 0; // chave 54 do 50 em curso que precisa de 54
};

} // namespace kelvor::cruzado
