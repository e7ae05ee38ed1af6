// Ligações dos botões de impressão das páginas, feitas pela janela principal.
#pragma once

namespace korventa {

struct Sessao;
class PaginaResumo;

// "Imprimir..." do Resumo: o relatório da opção marcada em OptionListarResumo, do primeiro
// arquivo da tabela.
void LigaImpressaoResumo(Sessao& s, PaginaResumo& resumo);

} // namespace korventa
