// Relatórios dos totais de um arquivo: por registro (uma página em retrato), por CFOP e por
// registro e CFOP (páginas em paisagem, com o número de páginas previsto). Os totais são os das
// listas do Resumo. Não terminam o documento.
#pragma once

#include <QDateTime>

namespace korventa {

class SuperficieImpressao;
struct ArquivoAberto;
struct LinhaTotaisRegistro;

// Linha vazia com que a lista de totais por registro separa as seções.
bool SeparadorDeSecao(const LinhaTotaisRegistro& linha);

void ImprimirTotaisPorRegistro(SuperficieImpressao& s, const ArquivoAberto& a,
                               const QDateTime& agora);
// Devolvem as páginas previstas, ou -1 quando não há linha de totais e nada foi impresso.
int ImprimirTotaisPorCFOP(SuperficieImpressao& s, const ArquivoAberto& a, const QDateTime& agora);
int ImprimirTotaisPorRegistro_CFOP(SuperficieImpressao& s, const ArquivoAberto& a,
                                   const QDateTime& agora);

} // namespace korventa
