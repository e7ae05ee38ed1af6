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

#include "core/CruzadoAdiadas.h"
#include "core/CruzadoNotas.h"
#include "core/CruzadoRegra.h"
#include "core/CruzadoTabela.h"

namespace kelvor::cruzado {

class CruzadoDocumentos final : public Regra {
public:
    // registros50: quantos 50 se espera (0: não se sabe); as notas já nascem desse tamanho.
    explicit CruzadoDocumentos(std::int64_t registros50 = 0) {
        if (registros50 > 0) notas_.reserva(static_cast<std::size_t>(registros50));
    }
    void registro(RegistroAtual& r) override;
    void guarda(const RegistroAtual& r) override;
    void fim(CriticasTardias& t, const LocalRegistro* ultimo) override;
    void antecipa(const RegistroLido& r) override;

    // Resumos das chaves de um 50 (as do 54, do 51 e do 53 que ele dá) ou de um 54 (a do seu 50)
    // de tamanho certo; falso para os outros. Só lê o texto: as verificações de campo os fazem
    // em qualquer thread e eles chegam no RegistroLido.
    static bool resumosDasChaves(std::string_view texto, std::uint64_t saida[3]);

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
    // 51: as chaves e, marcada nelas, a situação do primeiro 50 de cada uma quando não é N (o
    // comum). As duas só viram tabela se algum 51 (53) as consultar.
    ChavesAdiadas chaves51_;
    ChavesAdiadas chaves53_;
    // Documento repetido com outra alíquota ou emitente que o primeiro 50 da chave (caso raro):
    // chave completa -> linha do primeiro.
    Tabela<std::int64_t> linhaDoDocumento_;
    // Resumos das chaves dos registros antecipados, pela linha: registro50/54 não os refazem.
    struct Resumos {
        std::int64_t linha = 0;
        const char* texto = nullptr;
        std::uint64_t k54 = 0, k51 = 0, k53 = 0;
    };
    Resumos antecipados_[64];
    const Resumos& resumos(const RegistroLido& r);
    int dataAtual_ = 0;
    // Nota do 50 em curso que precisa de 54: gravada em guarda(), com a situação do registro.
    NotasPorChave::Compacta* pendente_ = nullptr;
    Nota notaPendente_;
    bool item54Ilegivel_ = false; // algum 54 recusado pelo tamanho
};

} // namespace kelvor::cruzado
