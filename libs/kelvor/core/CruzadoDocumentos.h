// Vínculos das notas fiscais: 51, 53 e 54 com o seu registro 50 (o 50 vem antes: a ordem
// dos tipos o exige), o mesmo documento duas vezes, e a nota modelo 01/55 em situação
// normal sem nenhum registro 54.
//   51 -> 50: CNPJ, data, UF, série, número e CFOP (o 51 não tem modelo), e a mesma situação;
//   53 -> 50: data, UF, modelo, série, número e CFOP (o CNPJ do 53 é o do substituído);
//   54 -> 50: CNPJ, modelo, série, número e CFOP;
//   documento repetido: CNPJ, modelo, série, número, emitente, CFOP e alíquota.
// Registro de tamanho errado não dá nem usa chave.
// A memória é uma entrada por chave distinta de registro 50 em cada tabela.
#pragma once

#include "core/CruzadoNotas.h"
#include "core/CruzadoRegra.h"
#include "core/CruzadoTabela.h"

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

    // Devolve se a nota mudou (o primeiro 50 de tamanho certo da chave).
    bool documentoRepetido(RegistroAtual& r, Nota& nota);

    NotasPorChave notas_;
    // 51: as chaves e, à parte, a situação do primeiro 50 delas quando não é N (o comum).
    Conjunto chaves51_;
    Tabela<char> situacaoNaoNormal51_;
    Conjunto chaves53_;
    // Documento repetido com outra alíquota ou emitente que o primeiro 50 da chave (caso raro):
    // chave completa -> linha do primeiro.
    Tabela<std::int64_t> linhaDoDocumento_;
    int dataAtual_ = 0;
    std::uint64_t precisaGuardar_ = 0; // chave 54 do 50 em curso que precisa de 54
    bool item54Ilegivel_ = false;      // algum 54 recusado pelo tamanho
};

} // namespace kelvor::cruzado
