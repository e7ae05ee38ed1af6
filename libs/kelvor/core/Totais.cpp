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

// Índices em Somas dos campos 3 a 11 da linha de totais.
enum Campo : int { Total = 0, Base, Icms, Isentas, Outras, DespAcessorias, BaseST, Ipi, Desconto };

std::int64_t valor(std::string_view r, int inicio, int tamanho) {
    return std::max<std::int64_t>(texto::numero(r.substr(inicio - 1, tamanho)), 0);
}

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

} // namespace

TotaisCfop::Somas& TotaisCfop::somas(std::string_view tipo, std::string_view cfop,
                                     std::string_view aliquota) {
    Chave k;
    std::memcpy(k.data(), tipo.data(), 2);
    std::memcpy(k.data() + 2, cfop.data(), 4);
    std::memset(k.data() + 6, ' ', 4);
    std::memcpy(k.data() + 6, aliquota.data(), std::min<std::size_t>(aliquota.size(), 4));
    if (ultimas_ && k == ultimaChave_) return *ultimas_;
    ultimaChave_ = k;
    ultimas_ = &mapa_[k];
    return *ultimas_;
}

void TotaisCfop::acumula(const LeiauteRegistro& l, std::string_view r) {
    switch (l.indiceTipo) {
    case 2: { // 50
        if (!situacaoSoma(r[125])) {
            semValor_.insere(chaveDocumento54(r.substr(2, 14), r.substr(40, 2), r.substr(42, 3),
                                              r.substr(45, 6), r.substr(51, 4)));
            return;
        }
        auto& s = somas("50", r.substr(51, 4), r.substr(121, 4));
        s[Total] += valor(r, 57, 13);
        s[Base] += valor(r, 70, 13);
        s[Icms] += valor(r, 83, 13);
        s[Isentas] += valor(r, 96, 13);
        s[Outras] += valor(r, 109, 13);
        return;
    }
    case 3: { // 51
        if (!situacaoSoma(r[125])) return;
        auto& s = somas("51", r.substr(49, 4), "0000");
        s[Total] += valor(r, 54, 13);
        s[Ipi] += valor(r, 67, 13);
        s[Isentas] += valor(r, 80, 13);
        s[Outras] += valor(r, 93, 13);
        return;
    }
    case 4: { // 53
        if (!situacaoSoma(r[95])) return;
        auto& s = somas("53", r.substr(51, 4), "0000");
        s[BaseST] += valor(r, 57, 13);
        s[Icms] += valor(r, 70, 13);
        s[DespAcessorias] += valor(r, 83, 13);
        return;
    }
    case 5: { // 54: a situação é a do registro 50 do documento
        if (semValor_.tamanho() &&
            semValor_.contem(chaveDocumento54(r.substr(2, 14), r.substr(16, 2), r.substr(18, 3),
                                              r.substr(21, 6), r.substr(27, 4))))
            return;
        auto& s = somas("54", r.substr(27, 4), r.substr(122, 4));
        auto item = texto::numero(r.substr(34, 3));
        s[Total] += valor(r, 63, 12);
        s[Base] += valor(r, 87, 12);
        s[BaseST] += valor(r, 99, 12);
        s[Ipi] += valor(r, 111, 12);
        if (item >= 1 && item <= 990)
            s[Desconto] += valor(r, 75, 12);
        else if (item == 991 || item == 992 || item == 999)
            s[DespAcessorias] += valor(r, 75, 12);
        return;
    }
    case 9: { // 60A, pela situação tributária
        if (l.codigo != "60A") return;
        auto st = r.substr(31, 4);
        auto v = valor(r, 36, 12);
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
            return; // CANC, DESC e ISS não somam
        auto& s = somas("60", "    ", st);
        s[Total] += v;
        s[destino] += v;
        if (destino == Base) s[Icms] += (v * texto::numero(st) + 5000) / 10000;
        return;
    }
    case 10: { // 61 (não o 61R)
        if (l.codigo != "61") return;
        auto& s = somas("61", "    ", r.substr(121, 4));
        s[Total] += valor(r, 58, 13);
        s[Base] += valor(r, 71, 13);
        s[Icms] += valor(r, 84, 12);
        s[Isentas] += valor(r, 96, 13);
        s[Outras] += valor(r, 109, 13);
        return;
    }
    case 11: { // 70
        if (!situacaoSoma(r[125])) return;
        auto& s = somas("70", r.substr(51, 4), "0000");
        s[Total] += valor(r, 56, 13);
        s[Base] += valor(r, 69, 14);
        s[Icms] += valor(r, 83, 14);
        s[Isentas] += valor(r, 97, 14);
        s[Outras] += valor(r, 111, 14);
        return;
    }
    default:
        return;
    }
}

std::vector<std::string> TotaisCfop::linhas() const {
    std::vector<std::string> r;
    r.reserve(mapa_.size());
    for (const auto& [k, s] : mapa_) {
        std::string l(k.data(), k.size());
        for (auto v : s) {
            char d[24];
            std::snprintf(d, sizeof d, "%015lld",
                          static_cast<long long>(std::min<std::int64_t>(v, 999999999999999LL)));
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
                if (t.campos[c] >= 0) soma[c] += s[t.campos[c]];
        }
        r[i] = t.rotulo;
        for (auto v : soma)
            r[i] += ':' + std::to_string(v);
    }
    return r;
}

} // namespace kelvor
