// Ligações dos botões de impressão das páginas, feitas pela janela principal.
#pragma once

namespace korventa {

struct Sessao;
struct EstadoMidias;
class PaginaResumo;
class PaginaResumoArquivos;

// "Imprimir..." do Resumo: o relatório da opção marcada em OptionListarResumo, do primeiro
// arquivo da tabela.
void LigaImpressaoResumo(Sessao& s, PaginaResumo& resumo);

// Impressões pedidas pelas mídias: o recibo ("Recibo..." do Resumo e "Recibo" das Mídias; sem
// recibo lido, o comprovante provisório), os dois botões "Imprimir" das informações da mídia e
// "Recibos..." do Resumo de vários arquivos.
void LigaImpressaoMidias(Sessao& s, EstadoMidias& estado, PaginaResumo& resumo,
                         PaginaResumoArquivos& resumoArquivos);

} // namespace korventa
