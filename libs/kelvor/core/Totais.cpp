#include "core/Totais.h"

#include "core/Texto.h"

#include <algorithm>
#include <cstring>

namespace kelvor {

void Contagens::conta(int i, Situacao s) {
    if (i >= 0 && i < 21) ++n_[i][static_cast<int>(s)];
}

void Contagens::muda(int i, Situacao de, Situacao para) {
    if (i < 0 || i >= 21 || de == para) return;
    auto& linha = n_[i];
    if (linha[static_cast<int>(de)] > 0) {
        --linha[static_cast<int>(de)];
        ++linha[static_cast<int>(para)];
    }
}

std::int64_t Contagens::celula(int linha, int coluna) const {
    if (linha < 0 || linha > 21 || coluna < 0 || coluna > 3) return 0;
    auto soma = [&](int l, int c) -> std::int64_t {
        if (c < 3) return n_[l][c];
        return n_[l][0] + n_[l][1] + n_[l][2];
    };
    if (linha < 21) return soma(linha, coluna);
    std::int64_t t = 0;
    for (int l = 0; l < 21; ++l)
        t += soma(l, coluna);
    return t;
}

namespace {

// Índices em Somas dos campos 3 a 11 da linha.
enum Campo : int { Total = 0, Base, Icms, Isentas, Outras, DespAcessorias, BaseST, Ipi, Desconto };

constexpr const char* NomesValores[TotaisCfop::Valores] = {
    "Valor total",         "Base de cálculo", "ICMS", "Isentas", "Outras",
    "Despesas acessórias", "Base ST",         "IPI",  "Desconto"};

bool situacaoSoma(char s) {
    return s == 'N' || s == 'E';
}

std::uint64_t chaveDocumento54(std::string_view cnpj, std::string_view modelo,
                               std::string_view serie, std::string_view numero,
                               std::string_view cfop) {
    std::array<char, 29> k{};
    char* p = k.data();
    for (auto s : {cnpj, modelo, serie, numero, cfop}) {
        std::memcpy(p, s.data(), s.size());
        p += s.size();
    }
    return cruzado::resumo(std::string_view(k.data(), k.size()));
}

// Monta as parcelas de um registro.
class Montagem {
public:
    Montagem(std::string_view r, Parcelas& p) : r_(r), p_(p) { p_.quantas = 0; }

    void chave(std::string_view tipo, std::string_view cfop, std::string_view aliquota) {
        auto& k = p_.chave;
        std::memcpy(k.data(), tipo.data(), 2);
        std::memcpy(k.data() + 2, cfop.data(), 4);
        std::memset(k.data() + 6, ' ', 4);
        std::memcpy(k.data() + 6, aliquota.data(), std::min<std::size_t>(aliquota.size(), 4));
    }
    // O valor do campo (1-based) vai para o destino; não numérico conta zero (já criticado).
    std::int64_t campo(int destino, int inicio, int tamanho) {
        // O registro tem 126 posições (quem chama confere): recorte sem conferir limites. Os
        // valores zerados (isentas, outras, IPI, ST...) são a maioria: saem sem conversão. Os
        // campos de valor têm de 12 a 14 posições.
        namespace d = texto::detalhe;
        const char* p = r_.data() + inicio - 1;
        const auto zeros = d::Repete('0');
        const auto v =
            d::oito(p) == zeros && d::oito(p + tamanho - 8) == zeros
                ? 0
                : std::max<std::int64_t>(
                      texto::numero(std::string_view(p, static_cast<std::size_t>(tamanho))), 0);
        poe(destino, inicio, tamanho, v);
        return v;
    }
    void poe(int destino, int inicio, int tamanho, std::int64_t v) {
        p_.itens[static_cast<std::size_t>(p_.quantas++)] = {static_cast<std::int8_t>(destino),
                                                            static_cast<std::uint8_t>(inicio),
                                                            static_cast<std::uint8_t>(tamanho), v};
    }

private:
    std::string_view r_;
    Parcelas& p_;
};

} // namespace

std::uint64_t documentoDo54(std::string_view r) {
    return chaveDocumento54(r.substr(2, 14), r.substr(16, 2), r.substr(18, 3), r.substr(21, 6),
                            r.substr(27, 4));
}

const char* nomeValorTotal(int destino) {
    return destino >= 0 && destino < TotaisCfop::Valores ? NomesValores[destino] : "";
}

bool parcelasDe(const LeiauteRegistro& l, std::string_view r, Parcelas& p) {
    p.documentoSemValor = 0;
    p.quantas = 0;
    if (r.size() < 126) return false; // só registros de tamanho certo somam
    Montagem m(r, p);
    switch (l.indiceTipo) {
    case 2: // 50
        if (!situacaoSoma(r[125])) {
            p.documentoSemValor =
                chaveDocumento54(r.substr(2, 14), r.substr(40, 2), r.substr(42, 3), r.substr(45, 6),
                                 r.substr(51, 4));
            return false;
        }
        m.chave("50", r.substr(51, 4), r.substr(121, 4));
        m.campo(Total, 57, 13);
        m.campo(Base, 70, 13);
        m.campo(Icms, 83, 13);
        m.campo(Isentas, 96, 13);
        m.campo(Outras, 109, 13);
        return true;
    case 3: // 51
        if (!situacaoSoma(r[125])) return false;
        m.chave("51", r.substr(49, 4), "0000");
        m.campo(Total, 54, 13);
        m.campo(Ipi, 67, 13);
        m.campo(Isentas, 80, 13);
        m.campo(Outras, 93, 13);
        return true;
    case 4: // 53
        if (!situacaoSoma(r[95])) return false;
        m.chave("53", r.substr(51, 4), "0000");
        m.campo(BaseST, 57, 13);
        m.campo(Icms, 70, 13);
        m.campo(DespAcessorias, 83, 13);
        return true;
    case 5: { // 54: a situação é a do registro 50 do documento (veja itemSemValor)
        m.chave("54", r.substr(27, 4), r.substr(122, 4));
        const auto item = texto::numero(r.substr(34, 3));
        m.campo(Total, 63, 12);
        m.campo(Base, 87, 12);
        m.campo(BaseST, 99, 12);
        m.campo(Ipi, 111, 12);
        if (item >= 1 && item <= 990)
            m.campo(Desconto, 75, 12);
        else if (item == 991 || item == 992 || item == 999)
            m.campo(DespAcessorias, 75, 12);
        return true;
    }
    case 9: { // 60A, pela situação tributária
        if (l.codigo != "60A") return false;
        const auto st = r.substr(31, 4);
        int destino;
        if (texto::soDigitos(st))
            destino = Base;
        else if (st == "I   ")
            destino = Isentas;
        else if (st == "N   ")
            destino = Outras;
        else if (st == "F   ")
            destino = BaseST;
        else
            return false; // CANC, DESC e ISS não somam
        m.chave("60", "    ", st);
        const auto v = m.campo(Total, 36, 12);
        m.poe(destino, 36, 12, v);
        // Valor de 12 dígitos vezes alíquota de 4: cabe no int64.
        if (destino == Base) m.poe(Icms, 36, 12, (v * texto::numero(st) + 5000) / 10000);
        return true;
    }
    case 10: // 61 (não o 61R)
        if (l.codigo != "61") return false;
        m.chave("61", "    ", r.substr(121, 4));
        m.campo(Total, 58, 13);
        m.campo(Base, 71, 13);
        m.campo(Icms, 84, 12);
        m.campo(Isentas, 96, 13);
        m.campo(Outras, 109, 13);
        return true;
    case 11: // 70
        if (!situacaoSoma(r[125])) return false;
        m.chave("70", r.substr(51, 4), "0000");
        m.campo(Total, 56, 13);
        m.campo(Base, 69, 14);
        m.campo(Icms, 83, 14);
        m.campo(Isentas, 97, 14);
        m.campo(Outras, 111, 14);
        return true;
    default:
        return false;
    }
}

TotaisCfop::Somas& TotaisCfop::somas(const Chave& k) {
    const auto igual = [&](const Chave& a) {
        return std::memcmp(k.data(), a.data(), 8) == 0 && k[8] == a[8] && k[9] == a[9];
    };
    if (ultimas_ && igual(ultimaChave_)) return *ultimas_;
    std::uint64_t w;
    std::memcpy(&w, k.data(), 8);
    w ^= static_cast<std::uint64_t>(static_cast<unsigned char>(k[8])) << 8 ^
         static_cast<unsigned char>(k[9]);
    auto& rec = recentes_[(w * 0x9E3779B97F4A7C15ULL) >> 60];
    if (!rec.somas || !igual(rec.chave)) {
        rec.chave = k;
        rec.somas = &mapa_[k];
    }
    ultimaChave_ = k;
    ultimas_ = rec.somas;
    return *ultimas_;
}

const TotaisCfop::Somas* TotaisCfop::somasDe(const Chave& k) const {
    auto it = mapa_.find(k);
    return it == mapa_.end() ? nullptr : &it->second;
}

void TotaisCfop::soma(const Parcelas& p) {
    auto& s = somas(p.chave);
    for (int i = 0; i < p.quantas; ++i) {
        const auto& x = p.itens[static_cast<std::size_t>(i)];
        s[static_cast<std::size_t>(x.destino)] =
            somaSaturada(s[static_cast<std::size_t>(x.destino)], x.valor);
    }
}

void TotaisCfop::subtrai(const Parcelas& p) {
    auto& s = somas(p.chave);
    for (int i = 0; i < p.quantas; ++i) {
        const auto& x = p.itens[static_cast<std::size_t>(i)];
        auto& v = s[static_cast<std::size_t>(x.destino)];
        if (v != INT64_MAX) v -= x.valor; // a saturada já passou de 15 dígitos e fica assim
    }
}

void TotaisCfop::junta(const TotaisCfop& outra) {
    for (const auto& [k, o] : outra.mapa_) {
        auto& s = somas(k);
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = somaSaturada(s[i], o[i]);
    }
}

void TotaisCfop::limpa() {
    mapa_.clear();
    ultimas_ = nullptr;
    recentes_ = {};
}

void TotaisCfop::acumula(const LeiauteRegistro& l, std::string_view r) {
    Parcelas p;
    if (!parcelasDe(l, r, p)) {
        if (p.documentoSemValor) registraSemValor(p.documentoSemValor);
        return;
    }
    if (!itemSemValor(l, r)) soma(p);
}

std::vector<std::string> TotaisCfop::linhas() const {
    std::vector<std::string> r;
    r.reserve(mapa_.size());
    for (const auto& [k, s] : mapa_) {
        std::string l(k.data(), k.size());
        for (auto v : s) {
            char d[24];
            std::snprintf(d, sizeof d, "%015lld",
                          static_cast<long long>(std::clamp<std::int64_t>(v, 0, MaximoColuna)));
            l += d;
        }
        l += ' ';
        r.push_back(std::move(l));
    }
    return r;
}

std::vector<std::string> TotaisCfop::linhasPorRegistro() const {
    // Linhas da tabela "Valores Totais por Registro" e os campos de cada uma das 4 colunas.
    struct Linha {
        const char* rotulo;
        const char* tipo;
        char sentido;              // 'E' entradas, 'S' saídas, ' ' todas
        std::array<int, 4> campos; // -1: coluna em branco
    };
    static constexpr Linha Tabela[] = {
        {"50E", "50", 'E', {Total, Base, Icms, -1}},
        {"50S", "50", 'S', {Total, Base, Icms, -1}},
        {"51E", "51", 'E', {Total, -1, Ipi, -1}},
        {"51S", "51", 'S', {Total, -1, Ipi, -1}},
        {"53E", "53", 'E', {DespAcessorias, BaseST, Icms, -1}},
        {"53S", "53", 'S', {DespAcessorias, BaseST, Icms, -1}},
        {"54E", "54", 'E', {Total, Base, Desconto, DespAcessorias}},
        {"54S", "54", 'S', {Total, Base, Desconto, DespAcessorias}},
        {"60A", "60", ' ', {Total, Base, Icms, -1}},
        {"61", "61", ' ', {Total, Base, Icms, -1}},
        {"70E", "70", 'E', {Total, Base, Icms, -1}},
        {"70S", "70", 'S', {Total, Base, Icms, -1}},
    };
    std::vector<std::string> r(31);
    for (std::size_t i = 0; i < std::size(Tabela); ++i) {
        const auto& t = Tabela[i];
        std::array<std::int64_t, 4> soma{};
        for (const auto& [k, s] : mapa_) {
            if (k[0] != t.tipo[0] || k[1] != t.tipo[1]) continue;
            std::string_view cfop(k.data() + 2, 4);
            bool entrada = cfop >= "1000" && cfop <= "3999";
            bool saida = cfop >= "5000" && cfop <= "7999";
            if ((t.sentido == 'E' && !entrada) || (t.sentido == 'S' && !saida)) continue;
            for (int c = 0; c < 4; ++c)
                if (t.campos[c] >= 0) soma[c] = somaSaturada(soma[c], s[t.campos[c]]);
        }
        r[i] = t.rotulo;
        // Até 18 dígitos: a linha cabe nos 100 bytes de Kelvor_TotalizadorRegistro.
        for (auto v : soma)
            r[i] += ':' + std::to_string(std::min<std::int64_t>(v, 999'999'999'999'999'999));
    }
    return r;
}

} // namespace kelvor
