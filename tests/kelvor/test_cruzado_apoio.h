// Apoio dos testes das verificações entre registros: passa uma sequência de linhas pelas
// verificações (sem as de campo) e grava cada crítica, imediata ou tardia, com a situação
// anterior que as tardias informam.
#pragma once

#include "motor_exemplos.h"

#include "core/Tabelas.h"
#include "core/Verificacao.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace cruzado_teste {

using exemplos::com;
using exemplos::reg;
using exemplos::z;

struct Gravada {
    kelvor::Critica c;
    bool tardia = false;
    kelvor::Situacao anterior = kelvor::Situacao::SemCritica;
};

struct Gravador : kelvor::ReceptorCriticas {
    std::vector<Gravada> lista;
    void critica(const kelvor::Critica& c) override { lista.push_back({c, false, {}}); }
    void criticaTardia(const kelvor::Critica& c, kelvor::Situacao anterior) override {
        lista.push_back({c, true, anterior});
    }
};

// Registro como a leitura o entrega (CR LF contado no offset): tipo pelas duas posições; -1
// quando o subtipo não existe.
inline kelvor::RegistroLido lido(const std::string& l, std::int64_t linha, std::int64_t offset) {
    kelvor::RegistroLido r;
    r.texto = l;
    r.linha = linha;
    r.offset = offset;
    r.indiceTipo = kelvor::tabelas::indiceTipo(l);
    if (l.size() == 126 && !kelvor::leiautePara(l)) r.indiceTipo = -1;
    return r;
}

// A segunda passada sobre as mesmas linhas; conta quantas vezes foi pedida.
struct ReleituraLinhas : kelvor::Releitura {
    explicit ReleituraLinhas(const std::vector<std::string>& linhas) : linhas_(linhas) {}
    bool percorre(const Visita& visita) override {
        ++vezes;
        std::int64_t offset = 0, linha = 0;
        for (const auto& l : linhas_) {
            visita(lido(l, ++linha, offset), l.size() == 126);
            offset += static_cast<std::int64_t>(l.size()) + 2;
        }
        return true;
    }
    int vezes = 0;

private:
    const std::vector<std::string>& linhas_;
};

// Roda as linhas (texto sem fim de linha) pelas verificações.
// situacoes: situação "depois das verificações de campo" de algumas linhas (1-based).
inline std::vector<Gravada> roda(const std::vector<std::string>& linhas,
                                 kelvor::Contexto ctx = exemplos::contexto(),
                                 std::map<std::int64_t, kelvor::Situacao> situacoes = {},
                                 int* releituras = nullptr) {
    Gravador g;
    auto vs = kelvor::criaVerificacoesEntreRegistros(ctx);
    std::int64_t offset = 0, linha = 0;
    for (const auto& l : linhas) {
        auto r = lido(l, ++linha, offset);
        if (auto s = situacoes.find(linha); s != situacoes.end()) r.situacao = s->second;
        for (auto& v : vs)
            v->registro(r, l.size() == 126, g);
        offset += static_cast<std::int64_t>(l.size()) + 2;
    }
    ReleituraLinhas releitura(linhas);
    for (auto& v : vs)
        v->fim(g, releitura);
    if (releituras) *releituras = releitura.vezes;
    return g.lista;
}

// Registro 90 com os pares dados (tipo de 2 dígitos, total) e a posição 126.
inline std::string r90(const std::vector<std::pair<int, long long>>& pares, int quantos90 = 1,
                       const std::string& cnpj = exemplos::Cnpj,
                       const std::string& ie = exemplos::IeSP) {
    std::string s = reg({{1, "90"}, {3, cnpj}, {17, ie}});
    int col = 31;
    for (auto [tipo, total] : pares) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d%08lld", tipo, total);
        s.replace(col - 1, 10, b);
        col += 10;
    }
    s[125] = static_cast<char>('0' + quantos90);
    return s;
}

// Arquivo completo: 10, 11, o miolo e os registros 90 com os totais certos (nove pares por
// registro 90, o total geral no último).
inline std::vector<std::string> arquivo(const std::vector<std::string>& miolo) {
    std::vector<std::string> a{exemplos::r10(), exemplos::r11()};
    a.insert(a.end(), miolo.begin(), miolo.end());
    std::map<int, long long> porTipo;
    for (const auto& l : miolo)
        ++porTipo[std::stoi(l.substr(0, 2))];
    std::vector<std::pair<int, long long>> pares(porTipo.begin(), porTipo.end());
    const int quantos90 = static_cast<int>(pares.size()) / 9 + 1;
    pares.emplace_back(99, static_cast<long long>(a.size()) + quantos90);
    for (int i = 0; i < quantos90; ++i) {
        const auto de = pares.begin() + i * 9;
        const auto ate = pares.begin() + std::min<std::size_t>(pares.size(), (i + 1) * 9);
        a.push_back(r90({de, ate}, quantos90));
    }
    return a;
}

inline std::string descreve(const std::vector<Gravada>& cs) {
    std::string s;
    for (const auto& g : cs)
        s += std::to_string(g.c.linha) + " [" + g.c.campo + " " + std::to_string(g.c.inicio) + "/" +
             std::to_string(g.c.tamanho) + "] " + g.c.mensagem + (g.tardia ? " (fim)" : "") + "\n";
    return s;
}

inline std::vector<std::string> mensagens(const std::vector<Gravada>& cs) {
    std::vector<std::string> m;
    for (const auto& g : cs)
        m.push_back(g.c.mensagem);
    return m;
}

} // namespace cruzado_teste
