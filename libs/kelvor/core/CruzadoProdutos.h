// Códigos de produto ou serviço dos registros 54, 60D, 60I, 60R, 61R, 74 e 77 contra os
// registros 75. Os 75 vêm depois da maior parte dos que os usam, então tudo se decide no fim,
// com uma entrada por código distinto:
//   código sem 75: Rejeição em cada registro que o usou (achados na segunda passada);
//   data do registro fora da validade do 75 (54 pela data do seu 50; 60D/60I pela data;
//   60R/61R pelo mês): Advertência no registro de data mais antiga ou mais nova que escapa;
//   75 que ninguém usa: Advertência no primeiro 75 do código, a não ser que algum registro que
//   usaria um código tenha sido recusado pelo tamanho (o uso dele não pode ser conhecido).
// A validade de um código é a menor data inicial e a maior data final dos seus 75. A data do
// 74 (inventário, em geral de um período anterior) não é comparada com a validade.
// Registro de tamanho errado não dá nem usa código.
#pragma once

#include "core/CruzadoDocumentos.h"
#include "core/CruzadoRegra.h"
#include "core/CruzadoTabela.h"

#include <deque>

namespace kelvor::cruzado {

class CruzadoProdutos final : public Regra {
public:
    explicit CruzadoProdutos(const CruzadoDocumentos& documentos) : documentos_(documentos) {}
    void registro(RegistroAtual&) override {} // nada imediato: tudo se decide no fim
    void guarda(const RegistroAtual& r) override;
    void fim(CriticasTardias& t, const LocalRegistro* ultimo) override;
    bool precisaReler() const override { return faltas_.tamanho() > 0; }
    void relido(RegistroAtual& r) override;

private:
    struct Uso {
        LocalRegistro onde;
        int data = 0; // AAAAMMDD (no mês: o dia que decide)
        std::uint8_t origem = 0;
        bool mes = false;
    };
    struct Codigo {
        char texto[14];
        bool usado = false;
        Uso maisAntigo, maisNovo;
        bool temDatas = false;
        bool tem75 = false;
        bool validadeConhecida = true;
        int inicio75 = 0, fim75 = 0;
        LocalRegistro primeiro75;
    };

    Codigo& codigo(std::string_view texto);
    void uso(const RegistroAtual& r, std::uint8_t origem, int de, int ate, bool mes);
    void usoNoMes(const RegistroAtual& r, std::uint8_t origem);
    void registro75(const RegistroAtual& r);

    const CruzadoDocumentos& documentos_;
    Tabela<std::uint32_t> indices_; // código -> índice em codigos_
    std::deque<Codigo> codigos_;    // em blocos: crescer não copia nem dobra a reserva
    bool usoIlegivel_ = false;      // registro que usaria código, recusado pelo tamanho
    Conjunto faltas_;               // no fim: códigos usados sem nenhum 75
};

} // namespace kelvor::cruzado
