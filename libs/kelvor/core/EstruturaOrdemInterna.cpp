#include "core/EstruturaOrdemInterna.h"

#include "core/CruzadoMensagens.h"
#include "core/CruzadoTabela.h"
#include "core/Tabelas.h"

#include <cstring>
#include <string>

namespace kelvor::cruzado {

namespace {

struct Trecho {
    int inicio;
    int tamanho;
};

struct Criterio {
    const char* descricao = nullptr; // nullptr: tipo sem ordem interna conferida
    Trecho trechos[4] = {};
    bool noLeiauteAntigo = false; // mesmas posições no leiaute anterior a 2003
};

constexpr Criterio PorData{"data", {{31, 8}}, true};

constexpr std::array<Criterio, 21> montaCriterios() {
    std::array<Criterio, 21> c{};
    for (int i : {2, 3, 4, 6, 10, 11, 12}) // 50, 51, 53, 55, 61, 70, 71
        c[i] = PorData;
    c[5] = {"CNPJ, série, número e item", {{3, 14}, {19, 3}, {22, 6}, {35, 3}}, false}; // 54
    c[9] = {"data e equipamento", {{4, 8}, {12, 20}}, false};                           // 60
    c[14] = {"código do produto ou serviço", {{19, 14}}, true};                         // 75
    return c;
}
constexpr auto Criterios = montaCriterios();

} // namespace

void EstruturaOrdemInterna::registro(RegistroAtual& r) {
    const int indice = r.indice();
    if (indice < 0 || !r.tamanhoValido()) return;
    const Criterio& criterio = Criterios[indice];
    auto& anterior = anteriores_[indice];
    if (!criterio.descricao || anterior.avisado || (!leiauteAtual_ && !criterio.noLeiauteAntigo))
        return;
    const char subtipo = r.subtipo();
    if ((indice == 9 && subtipo == 'R') || (indice == 10 && subtipo == 'R')) return;

    Chave chave;
    for (const auto& t : criterio.trechos)
        if (t.tamanho > 0) chave.com(r.texto(), t.inicio, t.tamanho);
    if (indice == 9)
        chave.com(subtipo == 'M' ? '0' : '1'); // o mestre vem antes dos seus analíticos

    const auto atual = chave.texto();
    const std::string_view antes(anterior.chave, anterior.tamanho);
    if (anterior.tamanho > 0 && atual < antes) {
        anterior.avisado = true;
        const auto& primeiro = criterio.trechos[0];
        r.critica(Gravidade::Advertencia, r.campo(primeiro.inicio, primeiro.tamanho),
                  mensagem::ordemDentroDoTipo(std::to_string(tabelas::Tipos[indice]),
                                              criterio.descricao));
        return;
    }
    std::memcpy(anterior.chave, atual.data(), atual.size());
    anterior.tamanho = atual.size();
}

} // namespace kelvor::cruzado
