#include "core/CruzadoTransporte.h"

#include "core/CruzadoMensagens.h"

namespace kelvor::cruzado {

namespace {

constexpr int Indice70 = 11, Indice71 = 12;

// As posições são as mesmas no 70 e no 71.
std::uint64_t chave(std::string_view t) {
    Chave c;
    c.com(t, 31, 8).com(t, 41, 11);
    return c.resumo();
}

} // namespace

void CruzadoTransporte::registro(RegistroAtual& r) {
    if (r.indice() == Indice70 && r.tamanhoValido())
        conhecimentos_.insere(chave(r.texto()));
    else if (r.indice() == Indice71 && r.tamanhoValido() &&
             !conhecimentos_.contem(chave(r.texto())))
        r.critica(Gravidade::Rejeicao, r.campo(46, 6, "Número"), mensagem::Sem70);
}

} // namespace kelvor::cruzado
