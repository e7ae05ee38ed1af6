#include "core/CruzadoCupons.h"

#include "core/CruzadoMensagens.h"

namespace kelvor::cruzado {

namespace {

constexpr int Indice60 = 9;

std::uint64_t chave(std::string_view t) {
    Chave c;
    c.com(t, 4, 28);
    return c.resumo();
}

// 60A, 60D e 60I de tamanho certo dependem do 60M.
bool usa60M(const RegistroAtual& r) {
    const char s = r.subtipo();
    return r.indice() == Indice60 && r.tamanhoValido() && (s == 'A' || s == 'D' || s == 'I');
}

} // namespace

void CruzadoCupons::registro(RegistroAtual& r) {
    // Registro de tamanho errado não dá nem usa chave: o conteúdo dele não é confiável.
    if (r.indice() != Indice60 || !r.tamanhoValido()) return;
    const auto t = r.texto();
    if (r.subtipo() == 'M') {
        auto [linha, novo] = mestres_.insere(chave(t));
        if (novo)
            *linha = r.lido().linha;
        else
            r.critica(Gravidade::Rejeicao, r.campo(12, 20, "Nº de série de fabricação"),
                      mensagem::repetido60M(*linha));
        return;
    }
    if (!usa60M(r)) return;
    if (r.subtipo() == 'A') {
        Chave k;
        k.com(t, 4, 32); // data, equipamento e situação tributária/alíquota
        auto [linha, novo] = totalizadores_.insere(k.resumo());
        if (novo)
            *linha = r.lido().linha;
        else
            r.critica(Gravidade::Rejeicao, r.campo(32, 4, "Situação tributária"),
                      mensagem::repetido60A(*linha));
    }
    const auto k = chave(t);
    if (!mestres_.contem(k)) pendentes_.insere(k);
}

void CruzadoCupons::fim(CriticasTardias&, const LocalRegistro*) {
    pendentes_.paraCada([&](std::uint64_t k, SemValor) {
        if (!mestres_.contem(k)) faltas_.insere(k); // sem 60M nem depois
    });
}

void CruzadoCupons::relido(RegistroAtual& r) {
    if (!usa60M(r) || !faltas_.contem(chave(r.texto()))) return;
    r.critica(Gravidade::Rejeicao, r.campo(12, 20, "Nº de série de fabricação"),
              mensagem::sem60M(r.subtipo()));
}

} // namespace kelvor::cruzado
