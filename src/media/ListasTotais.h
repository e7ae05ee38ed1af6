// Listas de totais (por registro, por CFOP, por CFOP e registro) numa QTreeWidget: as do Resumo
// e as de quem mais mostrar os mesmos totais.
#pragma once

#include <QStringList>

class QTreeWidget;

namespace korventa {

struct ArquivoAberto;
class PaginaResumo;

void PreencheListaTotaisRegistro(QTreeWidget* lista, const QStringList& totais);
void PreencheListaTotaisCFOP(QTreeWidget* lista, const QStringList& totais);
void PreencheListaTotaisRegCFOP(QTreeWidget* lista, const QStringList& totais);

// Somas da entrada e as três listas do Resumo.
void PreencheTotaisResumo(PaginaResumo& resumo, ArquivoAberto& e);

} // namespace korventa
