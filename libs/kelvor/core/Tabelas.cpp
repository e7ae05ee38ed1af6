#include "core/Tabelas.h"

#include "core/Texto.h"

#include <bitset>

namespace kelvor::tabelas {

namespace {

constexpr std::array<int, 100> montaIndices() {
    std::array<int, 100> r{};
    for (auto& v : r)
        v = -1;
    for (int i = 0; i < QuantidadeTipos; ++i)
        r[Tipos[i]] = i;
    return r;
}
constexpr auto IndicePorTipo = montaIndices();

constexpr std::string_view Ufs[] = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                                    "MA", "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI",
                                    "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"};

// Os modelos em uso desde 2003, eletrônicos inclusive (59 SAT, 60 CF-e-ECF, 62 NFCom, 63 BP-e,
// 65 NFC-e, 66 NF3e). Onde o registro de um deles não é conhecido, a lista do campo deixa de
// fora e fica advertência: modelo desconhecido é rejeição.
constexpr std::string_view Modelos[] = {"01", "02", "03", "04", "06", "07", "08", "09", "10", "11",
                                        "13", "14", "15", "16", "17", "18", "20", "21", "22", "23",
                                        "24", "25", "26", "27", "28", "29", "30", "55", "57", "59",
                                        "60", "62", "63", "65", "66", "67", "2B", "2C", "2D"};

constexpr int Cfops[] = {
#include "CfopTabela.inc"
};

const std::bitset<10000>& tabelaCfop() {
    static const std::bitset<10000> t = [] {
        std::bitset<10000> b;
        for (int c : Cfops)
            b.set(static_cast<std::size_t>(c));
        return b;
    }();
    return t;
}

} // namespace

int indiceTipo(std::string_view s) {
    if (s.size() < 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return -1;
    return IndicePorTipo[(s[0] - '0') * 10 + (s[1] - '0')];
}

namespace {
// Códigos de dois caracteres numa tabela de 64 Ki bits: consulta sem comparar textos.
using TabelaPares = std::bitset<65536>;

std::size_t par(std::string_view s) {
    return static_cast<unsigned char>(s[0]) * 256u + static_cast<unsigned char>(s[1]);
}

template <std::size_t N> TabelaPares montaPares(const std::string_view (&lista)[N]) {
    TabelaPares t;
    for (auto s : lista)
        t.set(par(s));
    return t;
}
} // namespace

bool ufValida(std::string_view uf) {
    static const TabelaPares t = montaPares(Ufs);
    return uf.size() == 2 && t.test(par(uf));
}

bool cfopValido(std::string_view cfop) {
    auto n = texto::numero(cfop);
    return cfop.size() == 4 && n >= 0 && tabelaCfop().test(static_cast<std::size_t>(n));
}

bool modeloConhecido(std::string_view modelo) {
    static const TabelaPares t = montaPares(Modelos);
    return modelo.size() == 2 && t.test(par(modelo));
}

bool situacaoTributariaValida(std::string_view c) {
    if (c.size() != 4) return false;
    if (texto::soDigitos(c)) return true;
    return c == "F   " || c == "I   " || c == "N   " || c == "CANC" || c == "DESC" || c == "ISS ";
}

int diasNoMes(int ano, int mes) {
    static constexpr int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mes < 1 || mes > 12) return 0;
    bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
    return mes == 2 && bissexto ? 29 : dias[mes - 1];
}

int dataValida(std::string_view d) {
    auto n = texto::numero(d);
    if (d.size() != 8 || n < 0) return 0;
    int ano = static_cast<int>(n / 10000), mes = static_cast<int>(n / 100 % 100),
        dia = static_cast<int>(n % 100);
    if (ano < 1900 || dia < 1 || dia > diasNoMes(ano, mes)) return 0;
    return static_cast<int>(n);
}

bool mesAnoValido(std::string_view m) {
    auto n = texto::numero(m);
    if (m.size() != 6 || n < 0) return false;
    int mes = static_cast<int>(n / 10000), ano = static_cast<int>(n % 10000);
    return mes >= 1 && mes <= 12 && ano >= 1900;
}

bool anoAnterior1900(std::string_view d, bool mesAno) {
    auto n = texto::numero(d);
    if (n < 0 || d.size() != (mesAno ? 6u : 8u)) return false;
    if (mesAno) {
        int mes = static_cast<int>(n / 10000);
        return mes >= 1 && mes <= 12 && n % 10000 < 1900;
    }
    int ano = static_cast<int>(n / 10000), mes = static_cast<int>(n / 100 % 100),
        dia = static_cast<int>(n % 100);
    return ano < 1900 && dia >= 1 && dia <= diasNoMes(ano, mes);
}

} // namespace kelvor::tabelas
