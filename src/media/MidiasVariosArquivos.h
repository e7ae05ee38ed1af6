// Comandos do Resumo de vários arquivos: as mídias de todo o lote numa pasta, a transmissão da
// linha selecionada, e os recibos e as informações das linhas selecionadas.
#pragma once

#include <QString>

namespace korventa {

struct ArquivoAberto;
struct Sessao;
class PaginaResumoArquivos;

// Nome da mídia de uma entrada do lote: CNPJ, "_", início da validação (ddmmaaaahhmmss), "_",
// o índice da entrada (sem branco) e ".zip".
QString NomeMidiaLote(const ArquivoAberto& e, int n);

// Texto da caixa do fim: "Foi gerado um arquivo de mídia." ou "Foram gerados N arquivos de
// mídia.".
QString TextoMidiasGeradas(int quantidade);

void BotaoResumoXGerarMidias_Click(Sessao& s, PaginaResumoArquivos& pagina);
void BotaoResumoXTransmitir_Click(Sessao& s, PaginaResumoArquivos& pagina);

// Liga os botões do Resumo de vários arquivos.
void LigaMidiasVariosArquivos(Sessao& s, PaginaResumoArquivos& pagina);

} // namespace korventa
