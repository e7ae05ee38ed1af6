// Recibo de transmissão numa página em retrato, como formulário em caixas: cabeçalho, protocolo,
// identificação, resumo dos registros, valores por registro, carimbo e, quando houve, os dados
// da transmissão. Não termina o documento.
#pragma once

namespace korventa {

class SuperficieImpressao;
struct DadosRecibo;

void ImprimirReciboLayoutNovo(SuperficieImpressao& s, const DadosRecibo& d);

} // namespace korventa
