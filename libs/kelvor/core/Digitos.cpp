#include "core/Digitos.h"

#include <array>
#include <cstddef>

namespace kelvor::digitos {

namespace {

// Resto "módulo 11 padrão": 0 ou 1 dão dígito 0, os demais 11 − resto.
int mod11Padrao(int soma) {
    const int r = soma % 11;
    return r < 2 ? 0 : 11 - r;
}

// Σ d[i] × peso[i].
template <std::size_t N> int somaPesos(const int* d, const std::array<int, N>& pesos) {
    int s = 0;
    for (std::size_t i = 0; i < N; ++i)
        s += d[i] * pesos[i];
    return s;
}

// Pesos decrescentes de (n + 1) até 2 sobre os n primeiros dígitos.
int somaDecrescente(const int* d, int n) {
    int s = 0;
    for (int i = 0; i < n; ++i)
        s += d[i] * (n + 1 - i);
    return s;
}

bool todosIguais(std::string_view s) {
    for (char c : s)
        if (c != s[0]) return false;
    return true;
}

bool soDigitos(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// CNPJ: pesos 2..9 repetidos da direita para a esquerda sobre os n primeiros dígitos.
int dvCnpj(const char* d, int n) {
    int s = 0;
    int peso = 2;
    for (int i = n - 1; i >= 0; --i) {
        s += (d[i] - '0') * peso;
        peso = peso == 9 ? 2 : peso + 1;
    }
    return mod11Padrao(s);
}

int dvCpf(const char* d, int n) {
    int s = 0;
    for (int i = 0; i < n; ++i)
        s += (d[i] - '0') * (n + 1 - i);
    return mod11Padrao(s);
}

// ---- IE: cada função recebe exatamente os dígitos do formato (já sem zeros à esquerda a mais).

// Nove dígitos, pesos 9..2, módulo 11 padrão (CE, ES, MA, PA, PB, PI, SC, SE e base de outros).
bool nove11(const int* d) {
    return d[8] == mod11Padrao(somaDecrescente(d, 8));
}

bool prefixo(const int* d, int a, int b) {
    return d[0] == a && d[1] == b;
}

// AC e DF: dois dígitos, pesos 2..9 cíclicos da direita.
bool acDf(const int* d) {
    static constexpr std::array<int, 11> p1{4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 12> p2{5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    return d[11] == mod11Padrao(somaPesos(d, p1)) && d[12] == mod11Padrao(somaPesos(d, p2));
}
bool ac(const int* d) {
    return prefixo(d, 0, 1) && acDf(d);
}
bool df(const int* d) {
    return (prefixo(d, 0, 7) || prefixo(d, 0, 8)) && acDf(d);
}

// AL e RN: D = (S × 10) mod 11, 10 vira 0.
int dvVezesDez(int soma) {
    const int r = soma * 10 % 11;
    return r == 10 ? 0 : r;
}
bool al(const int* d) {
    return prefixo(d, 2, 4) && d[8] == dvVezesDez(somaDecrescente(d, 8));
}
bool rn9(const int* d) {
    return prefixo(d, 2, 0) && d[8] == dvVezesDez(somaDecrescente(d, 8));
}
bool rn10(const int* d) {
    return prefixo(d, 2, 0) && d[9] == dvVezesDez(somaDecrescente(d, 9));
}

// AP: faixas da base mudam a parcela inicial p e o dígito d usado quando o cálculo dá 11.
bool ap(const int* d) {
    if (!prefixo(d, 0, 3)) return false;
    int base = 0;
    for (int i = 0; i < 8; ++i)
        base = base * 10 + d[i];
    int p = 0, dig = 0;
    if (base >= 3000001 && base <= 3017000) {
        p = 5;
    } else if (base >= 3017001 && base <= 3019022) {
        p = 9;
        dig = 1;
    }
    int dv = 11 - (p + somaDecrescente(d, 8)) % 11;
    if (dv == 10)
        dv = 0;
    else if (dv == 11)
        dv = dig;
    return d[8] == dv;
}

bool am(const int* d) {
    const int s = somaDecrescente(d, 8);
    const int dv = s < 11 ? 11 - s : mod11Padrao(s);
    return d[8] == dv;
}

// BA: o segundo dígito verificador é calculado primeiro; o módulo (10 ou 11) depende de um
// dígito da base.
int dvBa(int soma, bool modulo10) {
    if (modulo10) {
        const int r = soma % 10;
        return r == 0 ? 0 : 10 - r;
    }
    return mod11Padrao(soma);
}
bool baModulo10(int digito) {
    return digito != 6 && digito != 7 && digito != 9;
}
bool baGenerico(const int* d, int base, bool modulo10) {
    const int dv2 = dvBa(somaDecrescente(d, base), modulo10);
    if (d[base + 1] != dv2) return false;
    // Pesos base+2..2 sobre a base seguida do segundo dígito.
    int s = 0;
    for (int i = 0; i < base; ++i)
        s += d[i] * (base + 2 - i);
    s += dv2 * 2;
    return d[base] == dvBa(s, modulo10);
}
bool ba8(const int* d) {
    return baGenerico(d, 6, baModulo10(d[0]));
}
bool ba9(const int* d) {
    return baGenerico(d, 7, baModulo10(d[1]));
}

// GO: prefixos 10, 11, 15 e 20–29. Na faixa 10103105–10119997 o resto 1 dá dígito 1 em algumas
// descrições e 0 em outras: os dois são aceitos para não recusar inscrição válida.
bool go(const int* d) {
    const int pre = d[0] * 10 + d[1];
    if (pre != 10 && pre != 11 && pre != 15 && (pre < 20 || pre > 29)) return false;
    const int s = somaDecrescente(d, 8);
    if (d[8] == mod11Padrao(s)) return true;
    int base = 0;
    for (int i = 0; i < 8; ++i)
        base = base * 10 + d[i];
    return s % 11 == 1 && d[8] == 1 && base >= 10103105 && base <= 10119997;
}

bool ma(const int* d) {
    return prefixo(d, 1, 2) && nove11(d);
}
bool pa(const int* d) {
    return prefixo(d, 1, 5) && nove11(d);
}
bool ms(const int* d) {
    return (prefixo(d, 2, 8) || prefixo(d, 5, 0)) && nove11(d);
}

bool mt(const int* d) {
    static constexpr std::array<int, 10> p{3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    return d[10] == mod11Padrao(somaPesos(d, p));
}

// MG: D1 pelo módulo 10 com soma dos algarismos dos produtos, sobre a base com um 0 inserido
// depois do código do município; D2 módulo 11 sobre a base e D1.
bool mg(const int* d) {
    std::array<int, 12> e{d[0], d[1], d[2], 0, d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10]};
    int s = 0;
    for (int i = 0; i < 12; ++i) {
        const int prod = e[static_cast<std::size_t>(i)] * (i % 2 == 0 ? 1 : 2);
        s += prod / 10 + prod % 10;
    }
    const int d1 = (10 - s % 10) % 10;
    if (d[11] != d1) return false;
    static constexpr std::array<int, 12> p2{3, 2, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    return d[12] == mod11Padrao(somaPesos(d, p2));
}

bool pr(const int* d) {
    static constexpr std::array<int, 8> p1{3, 2, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 9> p2{4, 3, 2, 7, 6, 5, 4, 3, 2};
    return d[8] == mod11Padrao(somaPesos(d, p1)) && d[9] == mod11Padrao(somaPesos(d, p2));
}

bool pe9(const int* d) {
    return d[7] == mod11Padrao(somaDecrescente(d, 7)) && d[8] == mod11Padrao(somaDecrescente(d, 8));
}
bool pe14(const int* d) {
    static constexpr std::array<int, 13> p{5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4, 3, 2};
    int dv = 11 - somaPesos(d, p) % 11;
    if (dv > 9) dv -= 10;
    return d[13] == dv;
}

bool rj(const int* d) {
    static constexpr std::array<int, 7> p{2, 7, 6, 5, 4, 3, 2};
    return d[7] == mod11Padrao(somaPesos(d, p));
}

bool rs(const int* d) {
    static constexpr std::array<int, 9> p{2, 9, 8, 7, 6, 5, 4, 3, 2};
    return d[9] == mod11Padrao(somaPesos(d, p));
}

// RO: 10 ou 11 perdem a dezena.
int dvRo(int soma) {
    const int dv = 11 - soma % 11;
    return dv >= 10 ? dv - 10 : dv;
}
bool ro9(const int* d) {
    static constexpr std::array<int, 5> p{6, 5, 4, 3, 2};
    return d[8] == dvRo(somaPesos(d + 3, p));
}
bool ro14(const int* d) {
    static constexpr std::array<int, 13> p{6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    return d[13] == dvRo(somaPesos(d, p));
}

bool rr(const int* d) {
    if (!prefixo(d, 2, 4)) return false;
    int s = 0;
    for (int i = 0; i < 8; ++i)
        s += d[i] * (i + 1);
    return d[8] == s % 9;
}

// SP: o resto módulo 11, guardado só o algarismo das unidades (10 vira 0).
int dvSp(int soma) {
    return soma % 11 % 10;
}
bool spBase(const int* d) {
    static constexpr std::array<int, 8> p{1, 3, 4, 5, 6, 7, 8, 10};
    return d[8] == dvSp(somaPesos(d, p));
}
bool sp(const int* d) {
    static constexpr std::array<int, 11> p2{3, 2, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    return spBase(d) && d[11] == dvSp(somaPesos(d, p2));
}

// TO: os dígitos 3 e 4 indicam a categoria e ficam fora do cálculo. O formato de 9 dígitos
// (sem a categoria) também circula.
bool to11(const int* d) {
    const int cat = d[2] * 10 + d[3];
    if (cat != 1 && cat != 2 && cat != 3 && cat != 99) return false;
    const std::array<int, 8> base{d[0], d[1], d[4], d[5], d[6], d[7], d[8], d[9]};
    return d[10] == mod11Padrao(somaDecrescente(base.data(), 8));
}

// O quanto do formato foi conferido na descrição pública do Estado.
enum class Conferido : std::uint8_t {
    Nada,     // nem o formato
    Formato,  // tamanho e composição, não o cálculo do dígito
    Tudo,     // formato e dígito
    Modulo10, // BA de 8 dígitos: só o cálculo pelo módulo 10
};

struct Formato {
    char uf[3];
    int tamanho;
    bool (*valida)(const int*);
    bool completaComZeros; // aceita número mais curto completado com zeros à esquerda
    Conferido conferido = Conferido::Nada;
};

constexpr auto Tudo = Conferido::Tudo;

// Várias linhas para a mesma UF quando o Estado tem mais de um formato em uso.
constexpr Formato formatos[] = {
    {"AC", 13, ac, false},
    {"AL", 9, al, false},
    {"AP", 9, ap, false},
    {"AM", 9, am, false},
    {"BA", 8, ba8, false, Conferido::Modulo10},
    {"BA", 9, ba9, false, Tudo},
    {"CE", 9, nove11, false},
    {"DF", 13, df, false},
    {"ES", 9, nove11, false},
    {"GO", 9, go, false, Tudo},
    {"MA", 9, ma, false},
    {"MT", 11, mt, true},
    {"MS", 9, ms, false, Tudo},
    {"MG", 13, mg, false, Tudo},
    {"PA", 9, pa, false},
    {"PB", 9, nove11, false},
    {"PR", 10, pr, false},
    {"PE", 9, pe9, false, Tudo},
    {"PE", 14, pe14, false, Tudo},
    {"PI", 9, nove11, false},
    {"RJ", 8, rj, false},
    {"RN", 9, rn9, false},
    {"RN", 10, rn10, false},
    {"RS", 10, rs, false},
    {"RO", 9, ro9, false, Tudo},
    {"RO", 14, ro14, false, Conferido::Formato}, // pesos do cálculo novo não conferidos
    {"RR", 9, rr, false},
    {"SC", 9, nove11, false},
    {"SP", 12, sp, false},
    {"SE", 9, nove11, false},
    {"TO", 11, to11, false, Tudo},
    {"TO", 9, nove11, false}, // formato novo, não conferido
};

constexpr const char* confirmadas[] = {"BA", "GO", "MG", "MS", "PE", "RO", "TO"};

// Modelos para gerar inscrições: '#' dígito sorteado, 'D' dígito verificador procurado.
struct ModeloIE {
    char uf[3];
    const char* modelo;
};
constexpr ModeloIE modelos[] = {
    {"AC", "01#########DD"},  {"AL", "240#####D"},   {"AP", "03######D"},
    {"AM", "########D"},      {"BA", "#######DD"},   {"CE", "0#######D"},
    {"DF", "07#########DD"},  {"ES", "########D"},   {"GO", "10######D"},
    {"MA", "12######D"},      {"MT", "##########D"}, {"MS", "28######D"},
    {"MG", "#########00DD"},  {"PA", "15######D"},   {"PB", "16######D"},
    {"PR", "########DD"},     {"PE", "#######DD"},   {"PI", "19######D"},
    {"RJ", "#######D"},       {"RN", "20######D"},   {"RS", "#########D"},
    {"RO", "#############D"}, {"RR", "24######D"},   {"SC", "25######D"},
    {"SP", "########D##D"},   {"SE", "27######D"},   {"TO", "2902######D"},
};

std::uint64_t proximo(std::uint64_t& estado) {
    std::uint64_t z = (estado += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

bool mesmaUf(const char* a, std::string_view uf) {
    return uf.size() == 2 && a[0] == uf[0] && a[1] == uf[1];
}

// Os n dígitos d no tamanho do formato f (zeros à esquerda a mais descartados, ou completados
// quando o formato aceita); nullptr quando não cabem nele.
const int* ajustaAoFormato(const Formato& f, const int* d, int n, std::array<int, 14>& completo) {
    if (n >= f.tamanho) {
        for (int i = 0; i < n - f.tamanho; ++i)
            if (d[i] != 0) return nullptr;
        return d + (n - f.tamanho);
    }
    if (!f.completaComZeros || n == 0) return nullptr;
    completo.fill(0);
    for (int i = 0; i < n; ++i)
        completo[static_cast<std::size_t>(f.tamanho - n + i)] = d[i];
    return completo.data();
}

bool confereFormato(const Formato& f, const int* d, int n) {
    std::array<int, 14> completo;
    const int* a = ajustaAoFormato(f, d, n, completo);
    return a != nullptr && f.valida(a);
}

// Dígitos do campo sem os brancos à direita; -1 se houver outro caractere.
int extraiDigitos(std::string_view campo, int* d) {
    while (!campo.empty() && campo.back() == ' ')
        campo.remove_suffix(1);
    if (campo.empty() || campo.size() > 14) return -1;
    for (std::size_t i = 0; i < campo.size(); ++i) {
        const char c = campo[i];
        if (c < '0' || c > '9') return -1;
        d[i] = c - '0';
    }
    return static_cast<int>(campo.size());
}

} // namespace

bool cnpjValido(std::string_view d14) {
    // Uma passada só: é chamada em quase todo registro de documento.
    static constexpr int p1[12] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr int p2[12] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3};
    if (d14.size() != 14) return false;
    int s1 = 0, s2 = 0;
    bool iguais = true;
    for (int i = 0; i < 14; ++i) {
        const unsigned d = static_cast<unsigned char>(d14[static_cast<std::size_t>(i)]) - '0';
        if (d > 9) return false;
        iguais = iguais && d14[static_cast<std::size_t>(i)] == d14[0];
        if (i < 12) {
            s1 += static_cast<int>(d) * p1[i];
            s2 += static_cast<int>(d) * p2[i];
        }
    }
    const int dv1 = mod11Padrao(s1);
    return !iguais && d14[12] - '0' == dv1 && d14[13] - '0' == mod11Padrao(s2 + dv1 * 2);
}

bool cpfValido(std::string_view d11) {
    if (d11.size() != 11 || !soDigitos(d11) || todosIguais(d11)) return false;
    return d11[9] - '0' == dvCpf(d11.data(), 9) && d11[10] - '0' == dvCpf(d11.data(), 10);
}

void completaCnpj(char* d14) {
    d14[12] = static_cast<char>('0' + dvCnpj(d14, 12));
    d14[13] = static_cast<char>('0' + dvCnpj(d14, 13));
}

void completaCpf(char* d11) {
    d11[9] = static_cast<char>('0' + dvCpf(d11, 9));
    d11[10] = static_cast<char>('0' + dvCpf(d11, 10));
}

bool ieValida(std::string_view ie, std::string_view uf) {
    int d[14];
    // Produtor rural de SP: "P" seguido de 12 dígitos; só o dígito da base é conferido.
    if (mesmaUf("SP", uf) && !ie.empty() && ie[0] == 'P') {
        const int n = extraiDigitos(ie.substr(1), d);
        return n == 12 && spBase(d);
    }
    const int n = extraiDigitos(ie, d);
    if (n < 0) return false;
    for (const Formato& f : formatos)
        if (mesmaUf(f.uf, uf) && confereFormato(f, d, n)) return true;
    return false;
}

int geraIE(std::string_view uf, std::uint64_t semente, char saida[14]) {
    const ModeloIE* m = nullptr;
    for (const ModeloIE& c : modelos)
        if (mesmaUf(c.uf, uf)) m = &c;
    if (m == nullptr) return 0;
    const std::string_view modelo = m->modelo;
    const int n = static_cast<int>(modelo.size());
    std::uint64_t estado = semente;
    // Nem toda base admite dígito (AM com soma menor que 11, por exemplo): sorteia outra.
    for (;;) {
        int posDv[2] = {-1, -1};
        int qtdDv = 0;
        for (int i = 0; i < 14; ++i) {
            if (i >= n) {
                saida[i] = ' ';
            } else if (modelo[static_cast<std::size_t>(i)] == '#') {
                saida[i] = static_cast<char>('0' + proximo(estado) % 10);
            } else if (modelo[static_cast<std::size_t>(i)] == 'D') {
                posDv[qtdDv++] = i;
            } else {
                saida[i] = modelo[static_cast<std::size_t>(i)];
            }
        }
        const int combinacoes = qtdDv == 2 ? 100 : 10;
        const int inicio =
            static_cast<int>(proximo(estado) % static_cast<std::uint64_t>(combinacoes));
        for (int k = 0; k < combinacoes; ++k) {
            const int v = (inicio + k) % combinacoes;
            saida[posDv[0]] = static_cast<char>('0' + v % 10);
            if (qtdDv == 2) saida[posDv[1]] = static_cast<char>('0' + v / 10);
            if (ieValida(std::string_view(saida, 14), uf)) return n;
        }
    }
}

bool algoritmoIEConfirmado(std::string_view uf) {
    for (const char* c : confirmadas)
        if (mesmaUf(c, uf)) return true;
    return false;
}

bool algoritmoIEConfirmado(std::string_view ie, std::string_view uf) {
    if (!algoritmoIEConfirmado(uf)) return false;
    int d[14];
    const int n = extraiDigitos(ie, d);
    if (n < 0) return true; // caracteres fora do formato de qualquer Estado
    bool cabe = false, formatosConferidos = true;
    for (const Formato& f : formatos) {
        if (!mesmaUf(f.uf, uf)) continue;
        formatosConferidos = formatosConferidos && f.conferido != Conferido::Nada;
        std::array<int, 14> completo;
        const int* a = ajustaAoFormato(f, d, n, completo);
        if (a == nullptr) continue;
        cabe = true;
        const bool conferido = f.conferido == Conferido::Tudo ||
                               (f.conferido == Conferido::Modulo10 && baModulo10(a[0]));
        if (!conferido) return false; // um formato possível ainda não conferido
    }
    // Tamanho de nenhum formato: só é certo que está errado quando todos foram conferidos.
    return cabe || formatosConferidos;
}

bool ufConhecida(std::string_view uf) {
    for (const Formato& f : formatos)
        if (mesmaUf(f.uf, uf)) return true;
    return false;
}

} // namespace kelvor::digitos
