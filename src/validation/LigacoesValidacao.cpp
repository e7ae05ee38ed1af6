#include "validation/LigacoesValidacao.h"

#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"
#include "validation/PaginaValidar.h"
#include "validation/Sessao.h"

#include <QPointer>

namespace korventa {

void LigaPaginasValidacao(Sessao& s, PaginaValidar& validar, PaginaResumo& resumo,
                          PaginaResumoArquivos& resumoArquivos) {
    QPointer<PaginaValidar> v(&validar);
    QPointer<PaginaResumo> r(&resumo);
    QPointer<PaginaResumoArquivos> ra(&resumoArquivos);
    s.preencheValidar = [v] {
        if (v) v->FecharArquivo();
    };
    s.preencheResumo = [r, ra] {
        if (r) r->Limpa();
        if (ra) ra->Limpa();
    };
    s.paginaValidarMostrada = [v] {
        if (v) v->AoMostrar();
    };
    s.preencheVariosArquivos = [ra] {
        if (ra) ra->AtualizaBotoes();
    };
}

} // namespace korventa
