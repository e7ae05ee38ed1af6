// Resultado da verificação de validade de um arquivo, numa página em retrato: veredicto, início,
// fim e duração da validação e a tabela de registros por tipo. Não termina o documento.
#pragma once

#include <QDateTime>

namespace korventa {

class SuperficieImpressao;
struct ArquivoAberto;

void ImprimirResumoValidacao(SuperficieImpressao& s, const ArquivoAberto& a,
                             const QDateTime& agora);

} // namespace korventa
