// "Gerar Mídia..." da página Resumo de um arquivo e as listas de totais do Resumo.
#pragma once

#include <QString>

namespace korventa {

struct Sessao;
class PaginaResumo;

// Nome proposto para a mídia: CNPJ, "_", início da validação (ddmmaaaahhmmss) e ".zip".
QString NomePropostoMidia(const Sessao& s, int indice);

void BotaoResumoGerarMidia_Click(Sessao& s, PaginaResumo& resumo);

// Liga o botão "Gerar Mídia..." e o preenchimento das listas de totais do Resumo.
void LigaMidiasResumo(Sessao& s, PaginaResumo& resumo);

} // namespace korventa
