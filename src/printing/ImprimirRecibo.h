// Impressão do recibo de transmissão na impressora: retrato, confirmação no diálogo, a página do
// recibo e a conferência de que ela coube numa folha. A recusa das mídias antigas e a leitura
// do recibo vêm antes, de quem chama.
#pragma once

namespace korventa {

struct Sessao;
struct DadosRecibo;

void ImprimirReciboKorventa(Sessao& s, const DadosRecibo& dados);

} // namespace korventa
