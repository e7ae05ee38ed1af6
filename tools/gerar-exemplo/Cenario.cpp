#include "Cenario.h"

#include "Registro.h"
#include "core/Digitos.h"

#include <algorithm>
#include <cstring>

namespace kelvor::exemplo {

namespace {

constexpr const char* ufs[] = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                               "MA", "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI",
                               "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"};
constexpr int totalParceiros = 40;

std::uint64_t splitmix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void poeNumero(char* p, int largura, std::uint64_t v) {
    for (int i = largura - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
}

int diasNoMes(int ano, int mes) {
    static constexpr int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
    return mes == 2 && bissexto ? 29 : dias[mes - 1];
}

} // namespace

Cenario::Cenario(const Opcoes& o) : semente_(o.semente), ano_(o.ano), mes_(o.mes), forma_(o.forma) {
    erro_ = opcoesInvalidas(o);
    if (!erro_.empty()) return;
    std::memcpy(uf, o.uf.data(), 2);
    diasMes = diasNoMes(ano_, mes_);
    dataInicial_ = ano_ * 10000 + mes_ * 100 + 1;

    const int porLinha = Registro::tamanho + (o.soLf ? 1 : 2);
    dimensiona(o.tamanhoBytes > 0 ? static_cast<double>(o.tamanhoBytes) / porLinha
                                  : static_cast<double>(o.registros));

    for (Falha f : o.falhas) {
        if (f == Falha::Sem50)
            docSem50 = documentos / 2;
        else if (f == Falha::Sem75)
            docSem75 = documentos / 3;
        else if (f == Falha::Icms)
            docIcms = documentos / 4;
        else if (f == Falha::Ordem)
            docOrdem = documentos - 1;
    }

    // Informante.
    poeNumero(cnpj, 8, 10000000 + splitmix(semente_ ^ 0x10) % 89999999);
    std::memcpy(cnpj + 8, "0001", 4);
    digitos::completaCnpj(cnpj);
    digitos::geraIE(o.uf, semente_, ie);
    montaParceiros();
}

void Cenario::dimensiona(double linhas) {
    const bool ecf = forma_ == Forma::Ecf, atacadista = forma_ == Forma::Atacadista;
    // Parte das linhas de cada seção; na atacadista, as outras seções ficam no mínimo.
    const double linhas60 = linhas * (ecf ? 0.85 : atacadista ? 0.0 : 0.08);
    const double linhas61 = atacadista ? 0.0 : linhas * 0.04;
    const double linhas70 = atacadista ? 0.0 : linhas * 0.05;
    produtos = std::clamp(static_cast<int>(linhas / (forma_ == Forma::Itens ? 100 : 500)), 6,
                          forma_ == Forma::Itens ? 20000 : 5000);
    int porDia60 = 5; // 60M e quatro 60A
    if (ecf) {
        dias60 = diasMes;
        equipamentos = std::clamp(static_cast<int>(linhas60 / (80.0 * dias60)), 1, 999);
        itens60D = 10;
        // Cupons de cinco itens: o que sobra por dia e equipamento vai para os 60I.
        const int resto = static_cast<int>(linhas60 / (1.0 * dias60 * equipamentos)) - 15;
        itens60I = std::max(5, resto / 5 * 5);
        porDia60 += itens60D + itens60I;
    } else {
        dias60 = std::clamp(static_cast<int>(linhas60 / 5), 2, diasMes);
        equipamentos = std::clamp(static_cast<int>(linhas60 / (5.0 * dias60)), 1, 999);
    }
    dias61 = std::clamp(static_cast<int>(linhas61), 6, diasMes);
    series61 = std::clamp(static_cast<int>(linhas61 / dias61), 1, 999);
    transportes = std::max<std::int64_t>(6, static_cast<std::int64_t>(linhas70));
    // Registros por documento, em média (50, 51, 53 e 54).
    const double porDocumento = atacadista ? 2.0 : forma_ == Forma::Itens ? 31.85 : 4.41;
    const double resto = linhas - 1.0 * porDia60 * dias60 * equipamentos - 1.0 * dias61 * series61 -
                         static_cast<double>(transportes) - 2.0 * produtos - 4;
    documentos = std::max<std::int64_t>(12, static_cast<std::int64_t>(resto / porDocumento));
}

void Cenario::montaParceiros() {
    parceiros_.resize(totalParceiros);
    // Outras UFs, na ordem da tabela, sem a do informante.
    const char* outras[26];
    int n = 0;
    for (const char* u : ufs)
        if (std::memcmp(u, uf, 2) != 0) outras[n++] = u;
    std::copy(outras, outras + 26, outrasUfs_);
    for (int k = 0; k < totalParceiros; ++k) {
        Parceiro& p = parceiros_[static_cast<std::size_t>(k)];
        const std::uint64_t h = splitmix(semente_ ^ (0x1000 + static_cast<std::uint64_t>(k)));
        if (k == 0) {
            // Pessoa física: "000" + CPF, sem IE, da mesma UF. CNPJ mais baixo: fica primeiro.
            std::memcpy(p.cnpj, "000", 3);
            poeNumero(p.cnpj + 3, 9, 100000000 + h % 800000000);
            digitos::completaCpf(p.cnpj + 3);
            std::memcpy(p.ie, "ISENTO        ", 14);
            std::memcpy(p.uf, uf, 2);
            p.mesmaUf = true;
            continue;
        }
        // Raízes crescentes com k: os registros 54 saem ordenados por CNPJ.
        poeNumero(p.cnpj, 8, static_cast<std::uint64_t>(k) * 2000000 + h % 1000000);
        std::memcpy(p.cnpj + 8, "0001", 4);
        digitos::completaCnpj(p.cnpj);
        p.mesmaUf = k % 3 != 0;
        std::memcpy(p.uf, p.mesmaUf ? uf : outras[(k / 3) % 26], 2);
        digitos::geraIE(std::string_view(p.uf, 2), h, p.ie);
    }
}

std::uint64_t Cenario::mistura(std::uint64_t a, std::uint64_t b) const {
    return splitmix(semente_ ^ splitmix(a * 0x100000001B3ULL + b));
}

Parceiro Cenario::parceiroProprio(std::int64_t i) const {
    Parceiro p;
    const std::uint64_t h = splitmix(semente_ ^ (0x5000000 + static_cast<std::uint64_t>(i)));
    // Raízes crescentes com a nota: os registros 54 saem ordenados por CNPJ.
    poeNumero(p.cnpj, 8, 10000000 + static_cast<std::uint64_t>(i) % 89999999);
    std::memcpy(p.cnpj + 8, "0001", 4);
    digitos::completaCnpj(p.cnpj);
    p.mesmaUf = h % 3 != 0;
    std::memcpy(p.uf, p.mesmaUf ? uf : outrasUfs_[(h / 3) % 26], 2);
    // A IE sai em ieDoParceiro, só nos registros que a trazem: gerá-la custa mais que o resto.
    std::memset(p.ie, ' ', sizeof p.ie);
    return p;
}

const Parceiro& Cenario::parteComIe(Documento& d) const {
    if (forma_ == Forma::Atacadista && d.parte.ie[0] == ' ')
        digitos::geraIE(std::string_view(d.parte.uf, 2),
                        splitmix(semente_ ^ (0x5000000 + static_cast<std::uint64_t>(d.indice))),
                        d.parte.ie);
    return d.parte;
}

int Cenario::parceiroDe(std::int64_t i, std::int64_t total) const {
    return static_cast<int>(i * totalParceiros / total);
}

Documento Cenario::documento(std::int64_t i) const {
    Documento d;
    d.indice = i;
    d.h = mistura(static_cast<std::uint64_t>(i), 1);
    d.parceiro = parceiroDe(i, documentos);
    d.dia = static_cast<int>(i * diasMes / documentos);
    d.saida = (d.h & 1) != 0;
    d.serie = static_cast<int>(i / 999999) + 1;
    d.numero = static_cast<int>(i % 999999) + 1;
    d.nAliq = (d.h >> 4) % 4 == 0 ? 2 : 1;
    d.tem51 = (d.h >> 8) % 3 == 0;
    d.itens = 1 + static_cast<int>((d.h >> 16) % 4);
    d.frete = (d.h >> 20) % 6 == 0;
    if (forma_ == Forma::Itens) d.itens = 10 + static_cast<int>((d.h >> 16) % 41);
    d.itens = std::max(d.itens, d.nAliq); // cada alíquota com pelo menos um item
    if (forma_ == Forma::Atacadista) {
        d.nAliq = 1;
        d.itens = 1;
        d.frete = d.tem51 = false;
        d.parte = parceiroProprio(i);
    } else {
        d.parte = parceiros_[static_cast<std::size_t>(d.parceiro)];
    }
    if (i == docSem50) {
        d.nAliq = 1;
        d.tem51 = false;
        d.itens = 1;
        d.frete = false;
    }
    if (i == docOrdem) d.saida = true;
    d.tem53 = d.saida && ((d.h >> 12) % 5 == 0 || i == docOrdem) && i != docSem50 &&
              (forma_ != Forma::Atacadista || i == docOrdem);
    const bool mesma = d.parte.mesmaUf;
    d.cfop = mesma ? (d.saida ? 5102 : 1102) : (d.saida ? 6102 : 2102);
    d.aliq[0] = mesma ? 1800 : 1200;
    d.aliq[1] = mesma ? 1200 : 700;
    return d;
}

std::uint64_t Cenario::valorItem(const Documento& d, int j) const {
    return 100 +
           mistura(static_cast<std::uint64_t>(d.indice), 100 + static_cast<std::uint64_t>(j)) %
               200000;
}

int Cenario::produtoItem(const Documento& d, int j) const {
    return static_cast<int>(
        (static_cast<std::uint64_t>(d.indice) * 7 + static_cast<std::uint64_t>(j) * 13) %
        static_cast<std::uint64_t>(produtos));
}

std::uint64_t Cenario::totalAliq(const Documento& d, int aliq) const {
    std::uint64_t t = 0;
    for (int j = 0; j < d.itens; ++j)
        if (aliqItem(d, j) == aliq) t += valorItem(d, j);
    return t;
}

void Cenario::codigoProduto(int indice, char saida[14]) {
    std::memcpy(saida, "PROD", 4);
    poeNumero(saida + 4, 6, static_cast<std::uint64_t>(indice) + 1);
    std::memset(saida + 10, ' ', 4);
}

int Cenario::dataMesSeguinte() const {
    return mes_ == 12 ? (ano_ + 1) * 10000 + 101 : ano_ * 10000 + (mes_ + 1) * 100 + 1;
}

} // namespace kelvor::exemplo
