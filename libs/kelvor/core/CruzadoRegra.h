// Peças comuns das regras entre registros: a interface de uma regra e o coletor das críticas
// achadas no fim do arquivo sobre registros já lidos.
#pragma once

#include "core/CruzadoRegistro.h"

#include <string>
#include <vector>

namespace kelvor::cruzado {

// Críticas tardias: juntadas no fim, entregues em ordem de linha, cada uma com a situação
// que o registro tinha antes dela (várias críticas tardias no mesmo registro se encadeiam).
class CriticasTardias {
public:
    void critica(const LocalRegistro& onde, Gravidade g, const CampoCriticado& campo,
                 std::string conteudo, std::string mensagem);
    void entrega(ReceptorCriticas& saida);
    std::size_t quantas() const { return itens_.size(); }

private:
    struct Item {
        Critica critica;
        Situacao situacaoBase;
        bool contado;
    };
    std::vector<Item> itens_;
};

// Uma regra entre registros. Para cada registro o conjunto chama registro() em todas as
// regras (críticas imediatas) e depois guarda() em todas (memória para o fim, já com a
// situação final do registro); no fim do arquivo, fim().
class Regra {
public:
    virtual ~Regra() = default;
    virtual void registro(RegistroAtual& r) = 0;
    virtual void guarda(const RegistroAtual&) {}
    // Registro que vem adiante: só antecipa leituras de memória (veja Verificacao::antecipa).
    virtual void antecipa(const RegistroLido&) {}
    virtual void fim(CriticasTardias&, const LocalRegistro* /*ultimo*/) {}
};

} // namespace kelvor::cruzado
