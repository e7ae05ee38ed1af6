#include "core/EstruturaOrdemInterna.h"

#include "core/CruzadoMensagens.h"
#include "core/CruzadoTabela.h"
#include "core/Tabelas.h"
#include "core/Texto.h"

#include <cstring>
#include <initializer_list>
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
    // Os campos dos trechos (bit i = campos[i] do leiaute, igual em todos os subtipos
    // conferidos): registro com um deles criticado na própria conferência fica de fora.
    CamposFalhos campos = 0;
};

constexpr CamposFalhos Bits(std::initializer_list<int> indices) {
    CamposFalhos b = 0;
    for (int i : indices)
        b |= CamposFalhos{1} << i;
    return b;
}

constexpr Criterio PorData{"data", {{31, 8}}, true, Bits({3})};

constexpr std::array<Criterio, 21> montaCriterios() {
    std::array<Criterio, 21> c{};
    for (int i : {2, 3, 4, 6, 10, 11, 12}) // 50, 51, 53, 55, 61, 70, 71
        c[i] = PorData;
    c[5] = {"CNPJ, série, número e item",
            {{3, 14}, {19, 3}, {22, 6}, {35, 3}},
            false,
            Bits({1, 3, 4, 7})};                                            // 54
    c[9] = {"data e equipamento", {{4, 8}, {12, 20}}, false, Bits({2, 3})}; // 60M/A/D/I
    c[14] = {"código do produto ou serviço", {{19, 14}}, true, Bits({3})};  // 75
    return c;
}
constexpr auto Criterios = montaCriterios();

constexpr int Indice75 = 14;

// Código do 75 em ordem: dois códigos só de dígitos (escritos à esquerda, sem zeros na frente:
// 59, 82, 249) valem como números; os demais, byte a byte.
bool codigoAntes(std::string_view a, std::string_view b) {
    a = texto::semBrancosDireita(a);
    b = texto::semBrancosDireita(b);
    if (a.empty() || b.empty() || !texto::soDigitos(a) || !texto::soDigitos(b)) return a < b;
    while (a.size() > 1 && a.front() == '0')
        a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0')
        b.remove_prefix(1);
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

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
    // Campo da chave que já falhou na própria conferência (data que não existe...) não diz
    // nada sobre a ordem: o registro nem é comparado nem serve de comparação.
    if (r.lido().camposFalhos & criterio.campos) return;

    Chave chave;
    for (const auto& t : criterio.trechos)
        if (t.tamanho > 0) chave.com(r.texto(), t.inicio, t.tamanho);
    if (indice == 9)
        chave.com(subtipo == 'M' ? '0' : '1'); // o mestre vem antes dos seus analíticos

    const auto atual = chave.texto();
    const std::string_view antes(anterior.chave, anterior.tamanho);
    const bool voltou = indice == Indice75 ? codigoAntes(atual, antes) : atual < antes;
    if (anterior.tamanho > 0 && voltou) {
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
