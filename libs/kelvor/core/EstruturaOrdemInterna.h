// Ordem dentro de cada tipo (classificação de montagem do arquivo): só advertência, uma vez
// por tipo, no primeiro registro que volta na ordem.
//   50, 51, 53, 55, 61 (sem subtipo), 70, 71: data (posições 31-38);
//   54: CNPJ, série, número e item;
//   60M/A/D/I: data, número de série do equipamento, e o 60M antes dos demais do mesmo dia e
//   equipamento (60R fica de fora: o lugar dele não é fixado);
//   75: código do produto ou serviço (dois códigos só de dígitos comparados como números).
// Registro de tamanho errado, ou com um campo da chave criticado na própria conferência, fica
// de fora. Os demais tipos não têm ordem interna conferida. No leiaute anterior a 2003 só valem as
// chaves que têm as mesmas posições nos dois leiautes (data e código do 75).
#pragma once

#include "core/CruzadoRegra.h"

#include <array>

namespace kelvor::cruzado {

class EstruturaOrdemInterna final : public Regra {
public:
    explicit EstruturaOrdemInterna(bool leiauteAtual) : leiauteAtual_(leiauteAtual) {}
    void registro(RegistroAtual& r) override;

private:
    struct Anterior {
        char chave[48];
        std::size_t tamanho = 0;
        bool avisado = false;
    };

    std::array<Anterior, 21> anteriores_{};
    bool leiauteAtual_;
};

} // namespace kelvor::cruzado
