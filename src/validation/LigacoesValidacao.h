// Ligações da sessão que as páginas Validar e Resumo atendem. A janela principal chama uma vez,
// depois de pôr as páginas nas molduras 1 (Validar), 2 (Resumo) e 7 (Resumo de vários).
#pragma once

namespace korventa {

struct Sessao;
class PaginaValidar;
class PaginaResumo;
class PaginaResumoArquivos;

// preencheValidar: FecharArquivo (início do programa e fechamento da janela);
// preencheResumo: Resumo sem arquivo validado;
// paginaValidarMostrada: troca para a página Validar;
// preencheVariosArquivos: troca para o Resumo de vários arquivos (botões pela seleção).
// Cada ligação deixa de agir quando a página dela é destruída.
void LigaPaginasValidacao(Sessao& s, PaginaValidar& validar, PaginaResumo& resumo,
                          PaginaResumoArquivos& resumoArquivos);

} // namespace korventa
