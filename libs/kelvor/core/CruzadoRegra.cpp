#include "core/CruzadoRegra.h"

#include "core/Texto.h"

#include <algorithm>
#include <cstdint>

namespace kelvor::cruzado {

void CriticasTardias::critica(const LocalRegistro& onde, Gravidade g, const CampoCriticado& campo,
                              std::string conteudo, std::string mensagem) {
    Item it;
    auto& c = it.critica;
    c.linha = onde.linha;
    c.offset = onde.offset;
    c.tipo = std::string(onde.tipo, 2);
    texto::trocaControles(c.tipo);
    c.campo = campo.nome ? campo.nome : "";
    c.docItem = onde.docItem;
    c.conteudo = std::move(conteudo);
    texto::trocaControles(c.conteudo);
    c.mensagem = std::move(mensagem);
    c.gravidade = g;
    c.inicio = campo.inicio;
    c.tamanho = campo.tamanho;
    it.situacaoBase = onde.situacao;
    it.contado = onde.contado;
    itens_.push_back(std::move(it));
}

Situacao CriticasTardias::entregaAte(std::int64_t linha, ReceptorCriticas& saida, Situacao base) {
    if (!ordenadas_) {
        std::stable_sort(itens_.begin(), itens_.end(), [](const Item& a, const Item& b) {
            return a.critica.linha < b.critica.linha;
        });
        ordenadas_ = true;
    }
    Situacao naLinha = base;
    for (; proxima_ < itens_.size() && itens_[proxima_].critica.linha <= linha; ++proxima_) {
        const auto& it = itens_[proxima_];
        if (it.critica.linha != linhaAtual_) {
            linhaAtual_ = it.critica.linha;
            atual_ = it.situacaoBase;
        }
        const auto depois = pior(atual_, situacaoDe(it.critica.gravidade));
        // Registro que não entrou em nenhuma linha das contagens: nada a mover.
        saida.criticaTardia(it.critica, it.contado ? atual_ : depois);
        atual_ = depois;
        if (linhaAtual_ == linha) naLinha = atual_;
    }
    return naLinha;
}

void CriticasTardias::entrega(ReceptorCriticas& saida) {
    entregaAte(INT64_MAX, saida, Situacao::SemCritica);
    itens_.clear();
    itens_.shrink_to_fit();
    ordenadas_ = false;
    proxima_ = 0;
    linhaAtual_ = -1;
}

} // namespace kelvor::cruzado
