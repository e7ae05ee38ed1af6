#include "validation/Ajuda.h"

#include "common/Caminhos.h"
#include "engine/Definicoes.h"
#include "platform/Plataforma.h"

namespace korventa {

void Ajuda(Sessao& sessao, int topico) {
    sessao.plataforma.mostrarAjuda(
        JuntaCaminho(sessao.pastaPrograma, QString::fromLatin1(ArquivoAjuda)), topico);
}

} // namespace korventa
