#include "GeradorExemplo.h"

#include "Cenario.h"
#include "Escritor.h"
#include "core/Digitos.h"

#include <algorithm>
#include <cstring>

namespace kelvor::exemplo {

namespace {

// Tipos que o registro 90 totaliza, em ordem crescente.
constexpr int tiposTotalizados[] = {50, 51, 53, 54, 55, 56, 57, 60, 61,
                                    70, 71, 74, 75, 76, 77, 85, 86, 88};
constexpr int paresPor90 = 9; // posições 31 a 120

// Campo do registro que a crítica de vínculo aponta: o que carrega a chave do parceiro.
constexpr int inicioNumero54 = 22, larguraNumero54 = 6;
constexpr int inicioSerie60 = 12, larguraSerie60 = 20;

class Gerador {
public:
    Gerador(const Opcoes& o, const Cenario& c, Escritor& e, Resumo& resumo)
        : o_(o), c_(c), e_(e), resumo_(resumo) {
        for (Falha f : o.falhas)
            quer_[static_cast<int>(f)] = true;
    }

    void executa() {
        registro10();
        registro11();
        registros50();
        registros51();
        registros53();
        registros54();
        if (quer(Falha::Ordem)) registro53(c_.documento(c_.docOrdem), true);
        registros60();
        registros61();
        registros70();
        registros74();
        registros75();
        registros88();
        registros90();
    }

private:
    bool quer(Falha f) const { return quer_[static_cast<int>(f)]; }

    void marca(Falha f, int inicio, int tamanho) {
        resumo_.falhas.push_back({f, e_.proximaLinha(), inicio, tamanho});
    }

    void parte(const Parceiro& p) {
        r_.txt(3, 14, std::string_view(p.cnpj, 14));
        r_.txt(17, 14, std::string_view(p.ie, 14));
    }

    void chaveDocumento(Documento& d, int inicioData) {
        const Parceiro& p = c_.parteComIe(d);
        parte(p);
        r_.num(inicioData, 8, static_cast<std::uint64_t>(c_.data(d.dia)));
        r_.txt(inicioData + 8, 2, std::string_view(p.uf, 2));
    }

    void serie(int inicio, int largura, int s) {
        char buf[4];
        int n = 0;
        if (s >= 100) buf[n++] = static_cast<char>('0' + s / 100 % 10);
        if (s >= 10) buf[n++] = static_cast<char>('0' + s / 10 % 10);
        buf[n++] = static_cast<char>('0' + s % 10);
        r_.txt(inicio, largura, std::string_view(buf, static_cast<std::size_t>(n)));
    }

    static std::uint64_t icms(std::uint64_t base, int aliq) {
        return (base * static_cast<std::uint64_t>(aliq) + 5000) / 10000;
    }

    std::uint64_t frete(const Documento& d) const { return d.frete ? 500 + d.h % 5000 : 0; }

    void registro10() {
        r_.limpa();
        r_.num(1, 2, 10);
        r_.txt(3, 14, std::string_view(c_.cnpj, 14));
        r_.txt(17, 14, std::string_view(c_.ie, 14));
        r_.txt(31, 35, "EMPRESA DE EXEMPLO LTDA");
        r_.txt(66, 30, "MUNICIPIO DE EXEMPLO");
        r_.txt(96, 2, std::string_view(c_.uf, 2));
        r_.num(98, 10, 0);
        r_.num(108, 8, static_cast<std::uint64_t>(c_.dataInicial()));
        r_.num(116, 8, static_cast<std::uint64_t>(c_.dataFinal()));
        r_.txt(124, 3, "331");
        e_.linha(r_);
    }

    void registro11() {
        r_.limpa();
        r_.num(1, 2, 11);
        r_.txt(3, 34, "RUA DAS FLORES");
        r_.num(37, 5, 123);
        r_.txt(42, 22, "SALA 1");
        r_.txt(64, 15, "CENTRO");
        r_.num(79, 8, 1001000);
        r_.txt(87, 28, "CONTATO DE EXEMPLO");
        r_.num(115, 12, 1133334444);
        e_.linha(r_);
    }

    void registros50() {
        for (std::int64_t i = 0; i < c_.documentos; ++i) {
            if (i == c_.docSem50 && quer(Falha::Sem50)) continue;
            Documento d = c_.documento(i);
            for (int a = 0; a < d.nAliq; ++a) {
                const std::uint64_t base = c_.totalAliq(d, d.aliq[a]);
                std::uint64_t imposto = icms(base, d.aliq[a]);
                r_.limpa();
                r_.num(1, 2, 50);
                chaveDocumento(d, 31);
                r_.num(41, 2, 55);
                serie(43, 3, d.serie);
                r_.num(46, 6, static_cast<std::uint64_t>(d.numero));
                r_.num(52, 4, static_cast<std::uint64_t>(d.cfop));
                r_.txt(56, 1, d.saida ? "P" : "T");
                r_.num(57, 13, base + (a == 0 ? frete(d) : 0));
                r_.num(70, 13, base);
                if (i == c_.docIcms && a == 0 && quer(Falha::Icms)) {
                    imposto += 100;
                    marca(Falha::Icms, 83, 13);
                }
                r_.num(83, 13, imposto);
                r_.num(96, 13, 0);
                r_.num(109, 13, 0);
                r_.num(122, 4, static_cast<std::uint64_t>(d.aliq[a]));
                r_.txt(126, 1, "N");
                e_.linha(r_);
            }
        }
    }

    std::uint64_t totalDocumento(const Documento& d) const {
        std::uint64_t t = frete(d);
        for (int j = 0; j < d.itens; ++j)
            t += c_.valorItem(d, j);
        return t;
    }

    void registros51() {
        for (std::int64_t i = 0; i < c_.documentos; ++i) {
            Documento d = c_.documento(i);
            if (!d.tem51) continue;
            const std::uint64_t total = totalDocumento(d);
            r_.limpa();
            r_.num(1, 2, 51);
            chaveDocumento(d, 31);
            serie(41, 3, d.serie);
            r_.num(44, 6, static_cast<std::uint64_t>(d.numero));
            r_.num(50, 4, static_cast<std::uint64_t>(d.cfop));
            r_.num(54, 13, total);
            r_.num(67, 13, total / 10);
            r_.num(80, 13, 0);
            r_.num(93, 13, 0);
            r_.txt(126, 1, "N");
            e_.linha(r_);
        }
    }

    void registro53(Documento d, bool foraDeOrdem) {
        const std::uint64_t base = c_.totalAliq(d, d.aliq[0]);
        const std::uint64_t baseSt = base * 14 / 10;
        const std::uint64_t retido = icms(baseSt, d.aliq[0]) - icms(base, d.aliq[0]);
        r_.limpa();
        r_.num(1, 2, 53);
        chaveDocumento(d, 31);
        r_.num(41, 2, 55);
        serie(43, 3, d.serie);
        r_.num(46, 6, static_cast<std::uint64_t>(d.numero));
        r_.num(52, 4, static_cast<std::uint64_t>(d.cfop));
        r_.txt(56, 1, "P");
        r_.num(57, 13, baseSt);
        r_.num(70, 13, retido);
        r_.num(83, 13, 0);
        r_.txt(96, 1, "N");
        if (foraDeOrdem) marca(Falha::Ordem, 1, 2);
        e_.linha(r_);
    }

    void registros53() {
        for (std::int64_t i = 0; i < c_.documentos; ++i) {
            const Documento d = c_.documento(i);
            if (d.tem53 && !(i == c_.docOrdem && quer(Falha::Ordem))) registro53(d, false);
        }
    }

    // A nota sem itens: uma do meio do arquivo.
    std::int64_t notaSemItens() const { return o_.notaSemItens ? c_.documentos / 2 : -1; }

    void registros54() {
        for (std::int64_t i = 0; i < c_.documentos; ++i) {
            if (i == notaSemItens()) continue;
            const Documento d = c_.documento(i);
            const Parceiro& p = d.parte;
            for (int j = 0; j < d.itens + (d.frete ? 1 : 0); ++j) {
                r_.limpa();
                r_.num(1, 2, 54);
                r_.txt(3, 14, std::string_view(p.cnpj, 14));
                r_.num(17, 2, 55);
                serie(19, 3, d.serie);
                r_.num(22, 6, static_cast<std::uint64_t>(d.numero));
                r_.num(28, 4, static_cast<std::uint64_t>(d.cfop));
                if (j == d.itens) {
                    // Frete: só as chaves do documento e o valor no campo 12.
                    r_.num(35, 3, 991);
                    r_.num(52, 11, 0);
                    r_.num(63, 12, 0);
                    r_.num(75, 12, frete(d));
                    r_.num(87, 12, 0);
                    r_.num(123, 4, 0);
                } else {
                    const std::uint64_t valor = c_.valorItem(d, j);
                    char codigo[14];
                    Cenario::codigoProduto(c_.produtoItem(d, j), codigo);
                    r_.txt(32, 3, "000");
                    r_.num(35, 3, static_cast<std::uint64_t>(j) + 1);
                    if (i == c_.docSem75 && j == 0 && quer(Falha::Sem75)) {
                        std::memcpy(codigo, "SEMREGISTRO75 ", 14);
                        marca(Falha::Sem75, 38, 14);
                    }
                    r_.txt(38, 14, std::string_view(codigo, 14));
                    r_.num(52, 11, 1000 * (1 + valor % 20));
                    r_.num(63, 12, valor);
                    r_.num(75, 12, 0);
                    r_.num(87, 12, valor);
                    r_.num(123, 4, static_cast<std::uint64_t>(c_.aliqItem(d, j)));
                }
                r_.num(99, 12, 0);
                r_.num(111, 12, 0);
                if (i == c_.docSem50 && quer(Falha::Sem50))
                    marca(Falha::Sem50, inicioNumero54, larguraNumero54);
                e_.linha(r_);
            }
        }
    }

    void registros60() {
        static constexpr const char* situacoes[] = {"1800", "1200", "F", "I"};
        for (int dia = 0; dia < c_.dias60; ++dia) {
            const auto data = static_cast<std::uint64_t>(c_.data(dia));
            for (int eq = 0; eq < c_.equipamentos; ++eq) {
                char serieEcf[20];
                std::memcpy(serieEcf, "ECF000000", 9);
                for (int k = 8, v = eq + 1; k >= 3; --k, v /= 10)
                    serieEcf[k] = static_cast<char>('0' + v % 10);
                const std::string_view serieFab(serieEcf, 9);
                std::uint64_t valores[4];
                std::uint64_t bruto = 0;
                for (int s = 0; s < 4; ++s) {
                    valores[s] = 1000 + c_.mistura(data * 1000 + static_cast<std::uint64_t>(eq),
                                                   static_cast<std::uint64_t>(s)) %
                                            500000;
                    bruto += valores[s];
                }
                const bool semMestre = dia == 0 && eq == 0 && quer(Falha::Sem60M);
                const auto cupons = static_cast<std::uint64_t>(std::max(100, c_.itens60I / 5));
                const auto coo = static_cast<std::uint64_t>(dia) * cupons + 1;
                if (!semMestre) {
                    r_.limpa();
                    r_.txt(1, 3, "60M");
                    r_.num(4, 8, data);
                    r_.txt(12, 20, serieFab);
                    r_.num(32, 3, static_cast<std::uint64_t>(eq) + 1);
                    r_.txt(35, 2, "2D");
                    r_.num(37, 6, coo);
                    r_.num(43, 6, coo + cupons - 1);
                    r_.num(49, 6, static_cast<std::uint64_t>(dia) + 1);
                    r_.num(55, 3, 1);
                    r_.num(58, 16, bruto);
                    r_.num(74, 16, 100000000 + bruto);
                    e_.linha(r_);
                }
                for (int s = 0; s < 4; ++s) {
                    r_.limpa();
                    r_.txt(1, 3, "60A");
                    r_.num(4, 8, data);
                    r_.txt(12, 20, serieFab);
                    r_.txt(32, 4, situacoes[s]);
                    r_.num(36, 12, valores[s]);
                    // Cada 60A do dia e equipamento sem 60M tem a sua falta.
                    if (semMestre) marca(Falha::Sem60M, inicioSerie60, larguraSerie60);
                    e_.linha(r_);
                }
                itensDoDia(data, eq, serieFab, coo);
            }
        }
    }

    // Forma de cupons: resumo diário por produto (60D) e itens dos cupons (60I).
    void itensDoDia(std::uint64_t data, int eq, std::string_view serieFab, std::uint64_t coo) {
        for (int k = 0; k < c_.itens60D + c_.itens60I; ++k) {
            const bool resumo = k < c_.itens60D;
            const int item = k - c_.itens60D;
            const std::uint64_t h = c_.mistura(data * 1000 + static_cast<std::uint64_t>(eq),
                                               0x60D0 + static_cast<std::uint64_t>(k));
            const std::uint64_t valor = 100 + h % (resumo ? 900000 : 20000);
            char codigo[14];
            Cenario::codigoProduto(static_cast<int>((static_cast<std::uint64_t>(eq) * 11 +
                                                     static_cast<std::uint64_t>(k) * 7) %
                                                    static_cast<std::uint64_t>(c_.produtos)),
                                   codigo);
            r_.limpa();
            r_.txt(1, 3, resumo ? "60D" : "60I");
            r_.num(4, 8, data);
            r_.txt(12, 20, serieFab);
            if (resumo) {
                r_.txt(32, 14, std::string_view(codigo, 14));
                r_.num(46, 13, 1000 * (1 + h % 50));
                r_.num(59, 16, valor);
                r_.num(75, 16, valor);
                r_.txt(91, 4, "1800");
                r_.num(95, 13, icms(valor, 1800));
            } else {
                r_.txt(32, 2, "2D");
                r_.num(34, 6, coo + static_cast<std::uint64_t>(item / 5));
                r_.num(40, 3, static_cast<std::uint64_t>(item % 5) + 1);
                r_.txt(43, 14, std::string_view(codigo, 14));
                r_.num(57, 13, 1000);
                r_.num(70, 13, valor);
                r_.num(83, 12, valor);
                r_.txt(95, 4, "1800");
                r_.num(99, 12, icms(valor, 1800));
            }
            e_.linha(r_);
        }
    }

    void registros61() {
        const int total = c_.dias61 * c_.series61;
        int k = 0;
        for (int dia = 0; dia < c_.dias61; ++dia) {
            for (int s = 0; s < c_.series61; ++s, ++k) {
                const std::uint64_t base =
                    1000 + c_.mistura(0x61000 + static_cast<std::uint64_t>(k), 0) % 900000;
                std::uint64_t data = static_cast<std::uint64_t>(c_.data(dia));
                r_.limpa();
                r_.num(1, 2, 61);
                r_.num(39, 2, 2);
                serie(41, 3, s + 1);
                r_.num(46, 6, static_cast<std::uint64_t>(dia) * 50 + 1);
                r_.num(52, 6, static_cast<std::uint64_t>(dia) * 50 + 50);
                r_.num(58, 13, base);
                r_.num(71, 13, base);
                r_.num(84, 12, icms(base, 1800));
                r_.num(96, 13, 0);
                r_.num(109, 13, 0);
                r_.num(122, 4, 1800);
                int posicoes = Registro::tamanho;
                if (k == 0 && quer(Falha::Tamanho)) {
                    posicoes = Registro::tamanho - 1;
                    marca(Falha::Tamanho, 0, 0);
                } else if (k == 1 && quer(Falha::Tipo)) {
                    // Tipo desconhecido: o registro inteiro fica sem leiaute.
                    r_.campo(2)[0] = '2';
                    marca(Falha::Tipo, 0, 0);
                } else if (k == 2 && quer(Falha::Numerico)) {
                    r_.campo(60)[0] = 'X';
                    marca(Falha::Numerico, 58, 13);
                } else if (k == 3 && quer(Falha::Data)) {
                    data = data / 100 * 100 + 32;
                    marca(Falha::Data, 31, 8);
                } else if (k == total - 1 && quer(Falha::ForaDoPeriodo)) {
                    data = static_cast<std::uint64_t>(c_.dataMesSeguinte());
                    marca(Falha::ForaDoPeriodo, 31, 8);
                }
                r_.num(31, 8, data);
                e_.linha(r_, posicoes);
            }
        }
    }

    // Muda o último caractere significativo até o campo deixar de ser válido.
    template <typename Valido> static void estraga(char* campo, int largura, Valido valido) {
        int u = largura - 1;
        while (u > 0 && campo[u] == ' ')
            --u;
        do
            campo[u] = static_cast<char>('0' + (campo[u] - '0' + 1) % 10);
        while (valido());
    }

    void registros70() {
        const std::int64_t n = c_.transportes;
        for (std::int64_t t = 0; t < n; ++t) {
            const Parceiro& p = c_.parceiros()[static_cast<std::size_t>(c_.parceiroDe(t, n))];
            const std::uint64_t total =
                2000 + c_.mistura(0x70000 + static_cast<std::uint64_t>(t), 0) % 300000;
            r_.limpa();
            r_.num(1, 2, 70);
            parte(p);
            r_.num(31, 8,
                   static_cast<std::uint64_t>(c_.data(static_cast<int>(t * c_.diasMes / n))));
            r_.txt(39, 2, std::string_view(p.uf, 2));
            r_.num(41, 2, 8);
            r_.txt(43, 1, "1");
            r_.num(46, 6, static_cast<std::uint64_t>(t) + 1);
            r_.num(52, 4, p.mesmaUf ? 1353 : 2353);
            r_.num(56, 13, total);
            r_.num(69, 14, total);
            r_.num(83, 14, icms(total, 1200));
            r_.num(97, 14, 0);
            r_.num(111, 14, 0);
            r_.txt(125, 2, "1N");
            if (t == n - 1 && quer(Falha::Cnpj)) {
                estraga(r_.campo(3), 14, [&] {
                    const std::string_view v(r_.campo(3), 14);
                    return digitos::cnpjValido(v) || digitos::cpfValido(v.substr(3));
                });
                marca(Falha::Cnpj, 3, 14);
            } else if (t == n - 2 && quer(Falha::Ie)) {
                estraga(r_.campo(17), 14, [&] {
                    return digitos::ieValida(std::string_view(r_.campo(17), 14),
                                             std::string_view(p.uf, 2));
                });
                marca(Falha::Ie, 17, 14);
            } else if (t == n - 3 && quer(Falha::Cfop)) {
                r_.num(52, 4, 1350);
                marca(Falha::Cfop, 52, 4);
            } else if (t == n - 4 && quer(Falha::Uf)) {
                r_.txt(39, 2, "XX");
                marca(Falha::Uf, 39, 2);
            }
            e_.linha(r_);
        }
    }

    void registros74() {
        for (int p = 0; p < c_.produtos; ++p) {
            char codigo[14];
            Cenario::codigoProduto(p, codigo);
            r_.limpa();
            r_.num(1, 2, 74);
            r_.num(3, 8, static_cast<std::uint64_t>(c_.dataFinal()));
            r_.txt(11, 14, std::string_view(codigo, 14));
            r_.num(25, 13, 1000 * (static_cast<std::uint64_t>(p) % 50 + 1));
            r_.num(38, 13, 1000 + static_cast<std::uint64_t>(p) * 37 % 100000);
            r_.txt(51, 1, "1");
            r_.num(52, 14, 0);
            e_.linha(r_);
        }
    }

    // Os produtos sem 75 ficam espalhados: um a cada 100/porcentagem.
    bool sem75(int p) const {
        const auto pct = static_cast<std::int64_t>(o_.porcentoSem75);
        return (p + 1) * pct / 100 > p * pct / 100;
    }

    void registros75() {
        for (int p = 0; p < c_.produtos; ++p) {
            if (sem75(p)) continue;
            char codigo[14];
            Cenario::codigoProduto(p, codigo);
            r_.limpa();
            r_.num(1, 2, 75);
            r_.num(3, 8, static_cast<std::uint64_t>(c_.dataInicial()));
            r_.num(11, 8, static_cast<std::uint64_t>(c_.dataFinal()));
            r_.txt(19, 14, std::string_view(codigo, 14));
            r_.txt(33, 8, "84713012");
            r_.txt(41, 19, "PRODUTO DE EXEMPLO ");
            r_.txt(60, 10, std::string_view(codigo, 10));
            r_.txt(94, 6, "UN");
            r_.num(100, 5, 0);
            r_.num(105, 4, 1800);
            r_.num(109, 5, 0);
            r_.num(114, 13, 0);
            e_.linha(r_);
        }
    }

    void registros88() {
        for (std::int64_t k = 0; k < o_.registros88; ++k) {
            const bool outroCnpj = k < o_.registros88OutroCnpj;
            const bool subtipoInvalido =
                !outroCnpj && k < o_.registros88OutroCnpj + o_.registros88SubtipoInvalido;
            r_.limpa();
            r_.num(1, 2, 88);
            r_.txt(3, 3, subtipoInvalido ? "S-E" : (k % 2 ? "SMS" : "SME"));
            const Parceiro& p = c_.parceiros()[0];
            r_.txt(6, 14, std::string_view(outroCnpj ? p.cnpj : c_.cnpj, 14));
            r_.txt(20, 34, k % 2 ? "Sem Movimento de Saidas" : "Sem Movimento de Entradas");
            e_.linha(r_);
        }
    }

    void registros90() {
        struct Par {
            int tipo;
            std::int64_t total;
        };
        Par pares[std::size(tiposTotalizados) + 1];
        int n = 0;
        for (int t : tiposTotalizados)
            if (resumo_.porTipo[static_cast<std::size_t>(t)] > 0)
                pares[n++] = {t, resumo_.porTipo[static_cast<std::size_t>(t)]};
        const int qtd90 = (n + 1 + paresPor90 - 1) / paresPor90;
        pares[n++] = {99, resumo_.linhas + qtd90};
        for (int r = 0, k = 0; r < qtd90; ++r) {
            r_.limpa();
            r_.num(1, 2, 90);
            r_.txt(3, 14, std::string_view(c_.cnpj, 14));
            r_.txt(17, 14, std::string_view(c_.ie, 14));
            for (int pos = 31; pos < 31 + 10 * paresPor90 && k < n; pos += 10, ++k) {
                std::int64_t total = pares[k].total;
                if (pares[k].tipo == 54 && quer(Falha::Total90)) {
                    ++total;
                    marca(Falha::Total90, pos + 2, 8);
                }
                r_.num(pos, 2, static_cast<std::uint64_t>(pares[k].tipo));
                r_.num(pos + 2, 8, static_cast<std::uint64_t>(total));
            }
            r_.num(126, 1, static_cast<std::uint64_t>(qtd90));
            e_.linha(r_);
        }
        resumo_.registros90 = qtd90;
    }

    const Opcoes& o_;
    const Cenario& c_;
    Escritor& e_;
    Resumo& resumo_;
    Registro r_;
    bool quer_[quantidadeFalhas] = {};
};

} // namespace

std::string opcoesInvalidas(const Opcoes& o) {
    if (!digitos::ufConhecida(o.uf)) return "UF inválida: " + o.uf;
    if (o.mes < 1 || o.mes > 12 || o.ano < 1990 || o.ano > 9999)
        return "Mês de referência inválido.";
    if (o.porcentoSem75 < 0 || o.porcentoSem75 > 100)
        return "Porcentagem de códigos sem registro 75 inválida (de 0 a 100).";
    if (o.registros88 < 0 || o.registros88OutroCnpj < 0 || o.registros88SubtipoInvalido < 0 ||
        o.registros88OutroCnpj + o.registros88SubtipoInvalido > o.registros88)
        return "Registros 88 com falha a mais que os registros 88.";
    return {};
}

bool gera(const Opcoes& opcoes, Destino& destino, Resumo& resumo, std::string& erro) {
    resumo = Resumo{};
    const Cenario cenario(opcoes);
    if (!cenario.erro().empty()) {
        erro = cenario.erro();
        return false;
    }
    Escritor escritor(destino, resumo, opcoes.soLf);
    Gerador(opcoes, cenario, escritor, resumo).executa();
    std::stable_sort(
        resumo.falhas.begin(), resumo.falhas.end(),
        [](const FalhaInjetada& a, const FalhaInjetada& b) { return a.linha < b.linha; });
    if (!escritor.termina(!opcoes.semQuebraFinal, opcoes.eof26)) {
        erro = "Falha ao gravar o arquivo.";
        return false;
    }
    return true;
}

bool geraArquivo(const Opcoes& opcoes, const std::string& caminho, Resumo& resumo,
                 std::string& erro) {
    DestinoArquivo destino(caminho);
    if (!destino.aberto()) {
        erro = "Não foi possível criar o arquivo: " + caminho;
        return false;
    }
    if (!gera(opcoes, destino, resumo, erro)) return false;
    if (!destino.fecha()) {
        erro = "Falha ao gravar o arquivo: " + caminho;
        return false;
    }
    return true;
}

std::string geraTexto(const Opcoes& opcoes, Resumo* resumo) {
    std::string texto;
    DestinoTexto destino(texto);
    Resumo local;
    std::string erro;
    if (!gera(opcoes, destino, resumo != nullptr ? *resumo : local, erro)) return {};
    return texto;
}

} // namespace kelvor::exemplo
