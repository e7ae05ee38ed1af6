// Comandos do Resumo de vários arquivos: as mídias de todo o lote numa pasta, a transmissão da
// linha selecionada, e os recibos e as informações das linhas selecionadas.
#pragma once

#include <QString>
#include <functional>

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
// Informações da primeira linha selecionada, se o arquivo dela não foi trocado em disco.
void BotaoResumoXInfo_Click(Sessao& s, PaginaResumoArquivos& pagina,
                            const std::function<void(int n)>& mostraInfo);

// Liga os botões do Resumo de vários arquivos. mostraInfo abre o diálogo de informações da
// entrada n, modal sobre a janela principal.
void LigaMidiasVariosArquivos(Sessao& s, PaginaResumoArquivos& pagina,
                              std::function<void(int n)> mostraInfo);

} // namespace korventa
