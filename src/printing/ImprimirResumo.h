// Botão "Imprimir..." do Resumo: prepara a impressora, deixa o usuário confirmá-la, imprime um
// dos quatro relatórios do Resumo e confere se ele coube nas páginas.
#pragma once

namespace korventa {

struct Sessao;
struct ArquivoAberto;

// Relatórios do Resumo, na ordem das opções de OptionListarResumo.
enum TipoResumo : int {
    ResumoValidacao = 0,
    ResumoTotaisRegistro = 1,
    ResumoTotaisCFOP = 2,
    ResumoTotaisRegistroCFOP = 3
};

// Relatório `tipo` da entrada `arquivo` da tabela de arquivos abertos.
void ImprimirResumo(Sessao& s, int tipo, int arquivo);
// O mesmo sobre os dados de um arquivo que não está na tabela (as informações de uma mídia).
void ImprimirResumo(Sessao& s, int tipo, const ArquivoAberto& dados);

} // namespace korventa
