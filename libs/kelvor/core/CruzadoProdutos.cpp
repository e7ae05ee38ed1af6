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

// Onde o registro traz o código que usa (sem olhar o tamanho; 75 à parte); falso quando não
// usa nenhum. Os itens 991 a 999 do 54 são frete, seguro e despesas, sem código.
inline bool origemDoCodigo(const RegistroAtual& r, std::uint8_t& origem) {
    switch (r.indice()) {
    case Indice54:
        origem = De54;
        return !r.tamanhoValido() || texto::numero(r.texto().substr(34, 3)) < 991;
    case Indice60:
        switch (r.subtipo()) {
        case 'D':
            origem = De60D;
            return true;
        case 'I':
            origem = De60I;
            return true;
        case 'R':
            origem = De60R;
            return true;
        default:
            return false;
        }
    case Indice61:
        origem = De61R;
        return r.subtipo() == 'R';
    case Indice74:
        origem = De74;
        return true;
    case Indice77:
        origem = De77;
        return true;
    default:
        return false;
    }
}

// O código que o registro usa, quando usa um e o registro tem o tamanho certo: a mesma decisão
// nas duas passadas.
inline bool usaCodigo(const RegistroAtual& r, std::uint8_t& origem) {
    return origemDoCodigo(r, origem) && r.tamanhoValido();
}

std::uint64_t resumoDoCodigo(std::string_view texto) {
    return resumo(texto::semBrancosDireita(texto));
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
    if (r.indice() == Indice75) {
        registro75(r);
        return;
    }
    std::uint8_t origem = 0;
    if (!origemDoCodigo(r, origem)) return;
    if (!r.tamanhoValido()) {
        usoIlegivel_ = true;
        return;
    }
    switch (origem) {
    case De54: {
        const int data = documentos_.dataDoDocumento();
        uso(r, origem, data, data, false);
        break;
    }
    case De60D:
    case De60I: {
        const int data = tabelas::dataValida(r.texto().substr(3, 8));
        uso(r, origem, data, data, false);
        break;
    }
    case De60R:
    case De61R:
        usoNoMes(r, origem);
        break;
    default:
        uso(r, origem, 0, 0, false);
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
    c.usado = true;
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
    if (!r.tamanhoValido()) return;
    auto& c = codigo(r.trecho(19, 14));
    if (!c.tem75) c.primeiro75 = r.local();
    const int inicio = tabelas::dataValida(r.trecho(3, 8));
    const int fim = tabelas::dataValida(r.trecho(11, 8));
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
        if (!c.usado) {
            if (!usoIlegivel_)
                t.critica(c.primeiro75, Gravidade::Advertencia,
                          campoEm(leiautePara("75 "), 19, 14, "Código do produto"), texto,
                          mensagem::Nao75Referenciado);
            continue;
        }
        if (!c.tem75) {
            faltas_.insere(resumoDoCodigo(texto));
            continue;
        }
        if (!c.temDatas || !c.validadeConhecida || c.inicio75 == 0) continue;
        const Uso* fora = c.maisAntigo.data < c.inicio75 ? &c.maisAntigo
                          : c.maisNovo.data > c.fim75    ? &c.maisNovo
                                                         : nullptr;
        if (fora)
            t.critica(fora->onde, Gravidade::Advertencia, campoDaOrigem(fora->origem),
                      texto.substr(0, static_cast<std::size_t>(Origens[fora->origem].tamanho)),
                      mensagem::foraDaValidade75(fora->data, fora->mes, c.inicio75, c.fim75));
    }
}

void CruzadoProdutos::relido(RegistroAtual& r) {
    std::uint8_t origem = 0;
    if (!usaCodigo(r, origem)) return;
    const auto& o = Origens[origem];
    if (faltas_.contem(resumoDoCodigo(r.trecho(o.inicio, o.tamanho))))
        r.critica(Gravidade::Rejeicao, campoDaOrigem(origem), mensagem::Sem75);
}

} // namespace kelvor::cruzado
