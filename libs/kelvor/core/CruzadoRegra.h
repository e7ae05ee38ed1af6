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
    // Entrega as das linhas até a dada, inclusive (chamadas em ordem crescente de linha, depois
    // de juntadas todas); devolve a situação daquela linha depois delas, ou base se não tinha.
    Situacao entregaAte(std::int64_t linha, ReceptorCriticas& saida, Situacao base);
    // Entrega todas as que faltam.
    void entrega(ReceptorCriticas& saida);
    std::size_t quantas() const { return itens_.size(); }

private:
    struct Item {
        Critica critica;
        Situacao situacaoBase;
        bool contado;
    };
    std::vector<Item> itens_;
    bool ordenadas_ = false;
    std::size_t proxima_ = 0;
    std::int64_t linhaAtual_ = -1;
    Situacao atual_ = Situacao::SemCritica;
};

// Uma regra entre registros. Para cada registro o conjunto chama registro() em todas as
// regras (críticas imediatas) e depois guarda() em todas (memória para o fim, já com a
// situação final do registro); no fim do arquivo, fim(). Se depois do fim alguma regra
// precisaReler(), o arquivo é lido de novo e cada registro passa por relido() dessas regras:
// o que elas criticam ali (r.critica) sai como crítica tardia, na ordem do arquivo.
class Regra {
public:
    virtual ~Regra() = default;
    virtual void registro(RegistroAtual& r) = 0;
    virtual void guarda(const RegistroAtual&) {}
    // Registro que vem adiante: só antecipa leituras de memória (veja Verificacao::antecipa).
    virtual void antecipa(const RegistroLido&) {}
    virtual void fim(CriticasTardias&, const LocalRegistro* /*ultimo*/) {}
    virtual bool precisaReler() const { return false; }
    virtual void relido(RegistroAtual&) {}
};

} // namespace kelvor::cruzado
