// Contagens por tipo de registro, totais por CFOP e totais por registro de uma validação.
#pragma once

#include "core/Critica.h"
#include "core/CruzadoTabela.h"
#include "core/Leiaute.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kelvor {

// Tabela de Kelvor_Totalizador: linhas 0..20 os tipos, 21 o total; colunas sem crítica,
// só advertências, rejeitados, total.
class Contagens {
public:
    void conta(int indiceTipo, Situacao s);
    // Crítica tardia: o registro passa da situação de para a situação para.
    void muda(int indiceTipo, Situacao de, Situacao para);
    std::int64_t celula(int linha, int coluna) const;

private:
    std::array<std::array<std::int64_t, 3>, 21> n_{};
};

// Soma dos valores por (tipo, CFOP, alíquota) dos registros 50, 51, 53, 54, 60A, 61 e 70.
class TotaisCfop {
public:
    static constexpr int Valores = 9;   // campos 3 a 11 da linha
    using Chave = std::array<char, 10>; // tipo (2), CFOP (4), alíquota (4)
    using Somas = std::array<std::int64_t, Valores>;

    // Registro de tamanho certo e leiaute conhecido.
    void acumula(const LeiauteRegistro& l, std::string_view registro);

    // Linhas de 146 caracteres, sem fim de linha, ordenadas por tipo, CFOP e alíquota.
    std::vector<std::string> linhas() const;
    // Linhas 0 a 30 de Kelvor_TotalizadorRegistro.
    std::vector<std::string> linhasPorRegistro() const;

    const std::map<Chave, Somas>& mapa() const { return mapa_; }

private:
    Somas& somas(std::string_view tipo, std::string_view cfop, std::string_view aliquota);

    std::map<Chave, Somas> mapa_;
    Chave ultimaChave_{};
    Somas* ultimas_ = nullptr;
    // Documentos (resumo da chave do 54) de registros 50 cancelados, denegados ou inutilizados:
    // 8 bytes por documento, como nas verificações entre registros.
    cruzado::Conjunto semValor_;
};

} // namespace kelvor
