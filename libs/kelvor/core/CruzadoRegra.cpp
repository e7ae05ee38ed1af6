#include "core/CruzadoRegra.h"

#include "core/Texto.h"

#include <algorithm>

namespace kelvor::cruzado {

void CriticasTardias::critica(const LocalRegistro& onde, Gravidade g, const CampoCriticado& campo,
                              std::string conteudo, std::string mensagem) {
    Item it;
    auto& c = it.critica;
    c.linha = onde.linha;
    c.offset = onde.offset;
    c.tipo = std::string(onde.tipo, 2);
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

void CriticasTardias::entrega(ReceptorCriticas& saida) {
    std::stable_sort(itens_.begin(), itens_.end(), [](const Item& a, const Item& b) {
        return a.critica.linha < b.critica.linha;
    });
    std::int64_t linha = -1;
    Situacao atual = Situacao::SemCritica;
    for (const auto& it : itens_) {
        if (it.critica.linha != linha) {
            linha = it.critica.linha;
            atual = it.situacaoBase;
        }
        const auto depois = pior(atual, situacaoDe(it.critica.gravidade));
        // Registro que não entrou em nenhuma linha das contagens: nada a mover.
        saida.criticaTardia(it.critica, it.contado ? atual : depois);
        atual = depois;
    }
    itens_.clear();
}

} // namespace kelvor::cruzado
