// Tabela de totais de uma entrada (5 colunas x 23 linhas de textos): contagens do motor por tipo
// de registro, já com o ponto de milhar, e o ajuste das linhas do registro 88 da pós-validação.
#pragma once

#include <QString>
#include <array>

namespace korventa {

struct ArquivoAberto;

using TabelaTotais = std::array<std::array<QString, 23>, 5>;

inline constexpr int LinhaRegistro88 = 19;
inline constexpr int LinhaTotal = 21;

// Preenche a tabela da entrada n com a última execução do motor.
void CarregaTotalizadores(ArquivoAberto& e);

// Tira do "aceito sem advertência" do registro 88 as linhas com erro (E) e com advertência (W)
// da pós-validação e as põe nas colunas de advertência e de rejeitados, também no total geral.
void AjustaRegistro88(TabelaTotais& t, int linhasErro, int linhasAdvertencia);

// Valor de uma célula escrita com ou sem ponto de milhar ("1.234" -> 1234).
long long ValorDaCelula(const QString& celula);

} // namespace korventa
