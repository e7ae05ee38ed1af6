// korventa-validar: valida arquivos fiscais em lote, para scripts.
#include "Lote.h"
#include "Midia.h"
#include "Opcoes.h"

#include <cstdio>

int main(int argc, char** argv) {
    Opcoes o;
    if (auto erro = leOpcoes(argc, argv, o)) {
        std::fprintf(stderr, "korventa-validar: %s\n\n%s", erro->c_str(), textoAjuda());
        return 3;
    }
    if (o.ajuda) {
        std::fputs(textoAjuda(), stdout);
        return 0;
    }
    if (!o.midia.empty()) return mostraMidia(o.midia, o.json);
    return validaLote(o);
}
