// EM CONSTRUÇÃO: as verificações entre registros entram no próximo commit deste arquivo.
#include "core/Verificacao.h"

namespace kelvor {

std::vector<std::unique_ptr<Verificacao>> criaVerificacoesEntreRegistros(const Contexto&) {
    return {};
}

} // namespace kelvor
