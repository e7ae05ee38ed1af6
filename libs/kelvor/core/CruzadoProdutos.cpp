#include "core/CruzadoProdutos.h"

#include "core/CruzadoMensagens.h"
#include "core/Tabelas.h"
#include "core/Texto.h"

#include <cstring>

namespace kelvor::cruzado {

namespace {

constexpr int Indice54 = 5, Indice60 = 9, Indice61 = 10, Indice74 = 13, Indice75 = 14,
              Indice77 = 16;

// Onde cada registro traz o código.
struct Origem {
    const char* registro; // três posições para achar o leiaute
    int inicio;
    int tamanho;
};
constexpr Origem Origens[] = {
    {"54 ", 38, 14}, {"60D", 32, 14}, {"60I", 43, 14}, {"60R", 10, 14},
    {"61R", 10, 14}, {"74 ", 11, 14}, {"77 ", 41, 11},
};
enum : std::uint8_t { De54, De60D, De60I, De60R, De61R, De74, De77 };

CampoCriticado campoDaOrigem(std::uint8_t origem) {
    const auto& o = Origens[origem];
    return campoEm(leiautePara(o.registro), o.inicio, o.tamanho, "Código do produto");
}

} // namespace

CruzadoProdutos::Codigo& CruzadoProdutos::codigo(std::string_view texto) {
    const auto chave = texto::semBrancosDireita(texto);
    auto [indice, novo] = indices_.insere(resumo(chave));
    if (novo) {
        *indice = static_cast<std::uint32_t>(codigos_.size());
        auto& c = codigos_.emplace_back();
        std::memset(c.texto, ' ', sizeof c.texto);
        std::memcpy(c.texto, chave.data(), std::min(chave.size(), sizeof c.texto));
    }
    return codigos_[*indice];
}

void CruzadoProdutos::guarda(const RegistroAtual& r) {
    const auto t = r.texto();
    switch (r.indice()) {
    case Indice54:
        // Itens 991 a 999 (frete, seguro, despesas) não têm código de produto.
        if (r.tamanhoValido() && texto::numero(t.substr(34, 3)) < 991) {
            const int data = documentos_.dataDoDocumento();
            uso(r, De54, data, data, false);
        }
        break;
    case Indice60:
        if (!r.tamanhoValido()) break;
        if (r.subtipo() == 'D' || r.subtipo() == 'I') {
            const int data = tabelas::dataValida(t.substr(3, 8));
            uso(r, r.subtipo() == 'D' ? De60D : De60I, data, data, false);
        } else if (r.subtipo() == 'R') {
            usoNoMes(r, De60R);
        }
        break;
    case Indice61:
        if (r.tamanhoValido() && r.subtipo() == 'R') usoNoMes(r, De61R);
        break;
    case Indice74:
        if (r.tamanhoValido()) uso(r, De74, 0, 0, false);
        break;
    case Indice77:
        if (r.tamanhoValido()) uso(r, De77, 0, 0, false);
        break;
    case Indice75:
        registro75(r);
        break;
    default:
        break;
    }
}

void CruzadoProdutos::uso(const RegistroAtual& r, std::uint8_t origem, int de, int ate, bool mes) {
    const auto& o = Origens[origem];
    auto& c = codigo(r.trecho(o.inicio, o.tamanho));
    auto novoUso = [&](int data) {
        Uso u;
        u.onde = r.local();
        u.data = data;
        u.origem = origem;
        u.mes = mes;
        return u;
    };
    if (c.usos++ == 0) c.primeiro = novoUso(de);
    if (de == 0) return;
    // Para um mês basta que algum dia dele esteja na validade: o último dia decide contra
    // o início da validade e o primeiro contra o fim.
    if (!c.temDatas || ate < c.maisAntigo.data) c.maisAntigo = novoUso(ate);
    if (!c.temDatas || de > c.maisNovo.data) c.maisNovo = novoUso(de);
    c.temDatas = true;
}

void CruzadoProdutos::usoNoMes(const RegistroAtual& r, std::uint8_t origem) {
    // Mês e ano (MMAAAA) nas posições 4-9.
    const auto mesAno = r.trecho(4, 6);
    int de = 0, ate = 0;
    if (tabelas::mesAnoValido(mesAno)) {
        const int mes = static_cast<int>(texto::numero(mesAno.substr(0, 2)));
        const int ano = static_cast<int>(texto::numero(mesAno.substr(2, 4)));
        de = ano * 10000 + mes * 100 + 1;
        ate = ano * 10000 + mes * 100 + tabelas::diasNoMes(ano, mes);
    }
    uso(r, origem, de, ate, true);
}

void CruzadoProdutos::registro75(const RegistroAtual& r) {
    if (!r.cobre(32)) return;
    auto& c = codigo(r.trecho(19, 14));
    if (!c.tem75) c.primeiro75 = r.local();
    const int inicio = r.tamanhoValido() ? tabelas::dataValida(r.trecho(3, 8)) : 0;
    const int fim = r.tamanhoValido() ? tabelas::dataValida(r.trecho(11, 8)) : 0;
    if (inicio == 0 || fim == 0 || inicio > fim) {
        c.validadeConhecida = false; // a data errada já foi criticada no próprio 75
    } else if (!c.tem75) {
        c.inicio75 = inicio;
        c.fim75 = fim;
    } else {
        c.inicio75 = std::min(c.inicio75, inicio);
        c.fim75 = std::max(c.fim75, fim);
    }
    c.tem75 = true;
}

void CruzadoProdutos::fim(CriticasTardias& t, const LocalRegistro*) {
    for (const auto& c : codigos_) {
        const std::string texto(c.texto, sizeof c.texto);
        if (c.usos == 0) {
            t.critica(c.primeiro75, Gravidade::Advertencia,
                      campoEm(leiautePara("75 "), 19, 14, "Código do produto"), texto,
                      mensagem::Nao75Referenciado);
            continue;
        }
        const auto conteudo = [&](const Uso& u) {
            return texto.substr(0, static_cast<std::size_t>(Origens[u.origem].tamanho));
        };
        if (!c.tem75) {
            t.critica(c.primeiro.onde, Gravidade::Rejeicao, campoDaOrigem(c.primeiro.origem),
                      conteudo(c.primeiro), mensagem::sem75(c.usos));
            continue;
        }
        if (!c.temDatas || !c.validadeConhecida || c.inicio75 == 0) continue;
        const Uso* fora = c.maisAntigo.data < c.inicio75 ? &c.maisAntigo
                          : c.maisNovo.data > c.fim75    ? &c.maisNovo
                                                         : nullptr;
        if (fora)
            t.critica(fora->onde, Gravidade::Advertencia, campoDaOrigem(fora->origem),
                      conteudo(*fora),
                      mensagem::foraDaValidade75(fora->data, fora->mes, c.inicio75, c.fim75));
    }
}

} // namespace kelvor::cruzado
