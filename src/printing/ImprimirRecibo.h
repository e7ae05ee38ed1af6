// Impressão do recibo de transmissão na impressora: retrato, confirmação no diálogo, a página do
// recibo e a conferência de que ela coube numa folha. A recusa das mídias antigas e a leitura
// do recibo vêm antes, de quem chama.
#pragma once

namespace korventa {

struct Sessao;
struct DadosRecibo;

// true quando o recibo foi impresso. Sem `avisaImpresso`, quem chama dá o aviso (vários recibos
// de uma vez contam os impressos).
bool ImprimirReciboKorventa(Sessao& s, const DadosRecibo& dados, bool avisaImpresso = true);

} // namespace korventa
