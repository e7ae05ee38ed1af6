#include "validation/PosValidacao.h"

#include "engine/Definicoes.h"
#include "validation/Sessao.h"

namespace korventa {

ContagensPosValidacao VerificacoesPosValidacao(Sessao&, int) {
    // AINDA NÃO CONSTRUÍDO: as verificações de PB (Reexame, CriticaEspecifica) e do registro 88
    // de MS (Reexame88, Validacao88) entram aqui. Até lá nenhuma delas roda: a entrada fica com
    // o veredicto e as contagens do motor e a marca de críticas do registro 88 continua limpa.
    return {};
}

void AplicaCriticas88(ArquivoAberto& e, const ContagensPosValidacao& c) {
    if (!e.temCriticas88) return;
    if (c.erros > 0)
        e.resultado = ResultadoRejeitado;
    else if (c.advertencias > 0)
        e.resultado = ResultadoAceitoComAdvertencias;
    e.erros += c.erros;
    e.advertencias += c.advertencias;
}

} // namespace korventa
