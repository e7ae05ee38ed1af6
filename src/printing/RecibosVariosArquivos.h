// "Recibos..." do Resumo de vários arquivos: o recibo de cada linha selecionada, um depois do
// outro, parando quando uma mídia foi trocada ou uma impressão não aconteceu.
#pragma once

namespace korventa {

struct Sessao;
struct EstadoMidias;
class PaginaResumoArquivos;

void BotaoResumoXRecibos_Click(Sessao& s, EstadoMidias& estado, PaginaResumoArquivos& pagina);

} // namespace korventa
