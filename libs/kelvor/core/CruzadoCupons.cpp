#include "core/CruzadoCupons.h"

#include "core/CruzadoMensagens.h"

#include <cstring>

namespace kelvor::cruzado {

namespace {

constexpr int Indice60 = 9;

std::uint64_t chave(std::string_view t) {
    Chave c;
    c.com(t, 4, 28);
    return c.resumo();
}

} // namespace

void CruzadoCupons::registro(RegistroAtual& r) {
    if (r.indice() != Indice60) return;
    const char subtipo = r.subtipo();
    if (subtipo == 'M') {
        if (r.cobre(31)) mestres_.insere(chave(r.texto()));
        return;
    }
    if ((subtipo != 'A' && subtipo != 'D' && subtipo != 'I') || !r.tamanhoValido()) return;
    const auto k = chave(r.texto());
    if (mestres_.contem(k)) return;
    auto [indice, nova] = pendentes_.insere(k);
    if (nova)
        guardar_ = k; // o endereço vai com a situação final, em guarda()
    else
        ++pendentesDados_[*indice - 1].registros;
}

void CruzadoCupons::guarda(const RegistroAtual& r) {
    if (guardar_ == 0) return;
    Pendente p;
    p.onde = r.local();
    std::memcpy(p.serie, r.texto().data() + 11, sizeof p.serie);
    p.subtipo = r.subtipo();
    p.registros = 1;
    pendentesDados_.push_back(p);
    *pendentes_.procura(guardar_) = static_cast<std::uint32_t>(pendentesDados_.size());
    guardar_ = 0;
}

void CruzadoCupons::fim(CriticasTardias& t, const LocalRegistro*) {
    pendentes_.paraCada([&](std::uint64_t k, std::uint32_t indice) {
        if (mestres_.contem(k)) return; // o 60M veio depois
        const auto& p = pendentesDados_[indice - 1];
        char codigo[4] = {'6', '0', p.subtipo, ' '};
        const auto* leiaute = leiautePara(std::string_view(codigo, 4));
        t.critica(p.onde, Gravidade::Rejeicao,
                  campoEm(leiaute, 12, 20, "Nº de série de fabricação"),
                  std::string(p.serie, sizeof p.serie), mensagem::sem60M(p.subtipo, p.registros));
    });
}

} // namespace kelvor::cruzado
