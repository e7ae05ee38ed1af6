// Gerador de exemplos: geometria, registro 90, coerência entre registros, determinismo e o mapa
// das falhas injetadas. A conferência aqui é independente do motor: lê o texto gerado.
#include "GeradorExemplo.h"
#include "core/Digitos.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using namespace kelvor::exemplo;
namespace dg = kelvor::digitos;

namespace {

std::vector<std::string_view> linhasDe(std::string_view texto, std::string_view fim = "\r\n") {
    std::vector<std::string_view> linhas;
    while (!texto.empty()) {
        const std::size_t p = texto.find(fim);
        linhas.push_back(texto.substr(0, p));
        if (p == std::string_view::npos) break;
        texto.remove_prefix(p + fim.size());
    }
    return linhas;
}

long long numero(std::string_view l, int inicio, int tamanho) {
    long long v = 0;
    for (char c :
         l.substr(static_cast<std::size_t>(inicio - 1), static_cast<std::size_t>(tamanho))) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string_view campo(std::string_view l, int inicio, int tamanho) {
    return l.substr(static_cast<std::size_t>(inicio - 1), static_cast<std::size_t>(tamanho));
}

bool dataValida(long long d) {
    const long long dia = d % 100, mes = d / 100 % 100;
    static constexpr int dias[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mes >= 1 && mes <= 12 && dia >= 1 && dia <= dias[mes - 1];
}

bool contraparteValida(std::string_view cnpj, std::string_view ie, std::string_view uf) {
    const bool documento =
        dg::cnpjValido(cnpj) || (cnpj.substr(0, 3) == "000" && dg::cpfValido(cnpj.substr(3)));
    return documento && (ie == "ISENTO        " || dg::ieValida(ie, uf));
}

// Achados de uma conferência independente do arquivo gerado: linha → falha.
using Achados = std::multimap<long long, Falha>;

// Confere tudo o que o gerador promete de um arquivo limpo; cada desvio vira um achado do tipo
// de falha que o explica.
Achados confere(std::string_view texto) {
    Achados a;
    const auto linhas = linhasDe(texto);
    const std::string_view r10 = linhas.at(0);
    const long long ini = numero(r10, 108, 8), fim = numero(r10, 116, 8);
    const std::string_view uf10 = campo(r10, 96, 2);
    const std::set<long long> cfops = {1102, 2102, 5102, 6102, 1353, 2353};
    std::set<std::string> chaves50, produtos75, mestres60;
    std::map<int, long long> contagem;
    for (const std::string_view l : linhas)
        if (l.size() >= 2 && l.substr(0, 2) == "75")
            produtos75.insert(std::string(campo(l, 19, 14)));
    int tipoAnterior = 0;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const std::string_view l = linhas[i];
        const long long n = static_cast<long long>(i) + 1;
        const auto acha = [&](Falha f) { a.emplace(n, f); };
        if (l.size() != 126) {
            ++contagem[static_cast<int>(numero(l, 1, 2))];
            acha(Falha::Tamanho);
            continue;
        }
        const int tipo = static_cast<int>(numero(l, 1, 2));
        if (tipo != 10 && tipo != 11 && tipo != 50 && tipo != 51 && tipo != 53 && tipo != 54 &&
            tipo != 60 && tipo != 61 && tipo != 70 && tipo != 74 && tipo != 75 && tipo != 90) {
            acha(Falha::Tipo);
            continue;
        }
        if (tipo < tipoAnterior) acha(Falha::Ordem);
        tipoAnterior = tipo;
        if (tipo != 90) ++contagem[tipo];
        const auto confereData = [&](int inicio) {
            const long long d = numero(l, inicio, 8);
            if (!dataValida(d))
                acha(Falha::Data);
            else if (d < ini || d > fim)
                acha(Falha::ForaDoPeriodo);
        };
        const auto confereParte = [&](std::string_view uf) {
            if (!dg::ufConhecida(uf))
                acha(Falha::Uf);
            else if (!dg::cnpjValido(campo(l, 3, 14)) &&
                     !(campo(l, 3, 3) == "000" && dg::cpfValido(campo(l, 6, 11))))
                acha(Falha::Cnpj);
            else if (!contraparteValida(campo(l, 3, 14), campo(l, 17, 14), uf))
                acha(Falha::Ie);
        };
        const auto confereCfop = [&](int inicio, std::string_view uf) {
            const long long c = numero(l, inicio, 4);
            if (!cfops.count(c))
                acha(Falha::Cfop);
            else if (dg::ufConhecida(uf) && (uf == uf10) != (c / 1000 == 1 || c / 1000 == 5))
                acha(Falha::Cfop);
        };
        // Chave de documento do 50: CNPJ, modelo, série, número, CFOP (a do 54).
        const auto chave = [](std::string_view cnpj, std::string_view modelo,
                              std::string_view serie, std::string_view num, std::string_view cfop) {
            return std::string(cnpj) + std::string(modelo) + std::string(serie) + std::string(num) +
                   std::string(cfop);
        };
        switch (tipo) {
        case 10:
            if (!dg::cnpjValido(campo(l, 3, 14)) || !dg::ieValida(campo(l, 17, 14), uf10))
                acha(Falha::Cnpj);
            break;
        case 50: {
            confereParte(campo(l, 39, 2));
            confereData(31);
            confereCfop(52, campo(l, 39, 2));
            const long long base = numero(l, 70, 13), aliq = numero(l, 122, 4);
            if (numero(l, 83, 13) != (base * aliq + 5000) / 10000) acha(Falha::Icms);
            chaves50.insert(chave(campo(l, 3, 14), campo(l, 41, 2), campo(l, 43, 3),
                                  campo(l, 46, 6), campo(l, 52, 4)));
            break;
        }
        case 51:
            confereParte(campo(l, 39, 2));
            confereData(31);
            if (!chaves50.count(chave(campo(l, 3, 14), "55", campo(l, 41, 3), campo(l, 44, 6),
                                      campo(l, 50, 4))))
                acha(Falha::Sem50);
            break;
        case 53:
            confereParte(campo(l, 39, 2));
            confereData(31);
            if (!chaves50.count(chave(campo(l, 3, 14), campo(l, 41, 2), campo(l, 43, 3),
                                      campo(l, 46, 6), campo(l, 52, 4))))
                acha(Falha::Sem50);
            break;
        case 54:
            if (!chaves50.count(chave(campo(l, 3, 14), campo(l, 17, 2), campo(l, 19, 3),
                                      campo(l, 22, 6), campo(l, 28, 4))))
                acha(Falha::Sem50);
            if (numero(l, 35, 3) <= 990 && !produtos75.count(std::string(campo(l, 38, 14))))
                acha(Falha::Sem75);
            break;
        case 60:
            confereData(4);
            if ((l[2] == 'D' && !produtos75.count(std::string(campo(l, 32, 14)))) ||
                (l[2] == 'I' && !produtos75.count(std::string(campo(l, 43, 14)))))
                acha(Falha::Sem75);
            if (l[2] == 'M')
                mestres60.insert(std::string(campo(l, 4, 28)));
            else if (!mestres60.count(std::string(campo(l, 4, 28))))
                acha(Falha::Sem60M); // cada registro sem o seu 60M
            break;
        case 61:
            if (numero(l, 58, 13) < 0) acha(Falha::Numerico);
            confereData(31);
            break;
        case 70:
            confereParte(campo(l, 39, 2));
            confereData(31);
            confereCfop(52, campo(l, 39, 2));
            break;
        case 74:
            if (!produtos75.count(std::string(campo(l, 11, 14)))) acha(Falha::Sem75);
            break;
        case 90: {
            if (campo(l, 3, 28) != campo(r10, 3, 28)) acha(Falha::Total90);
            const long long qtd90 = numero(l, 126, 1);
            long long total90 = 0;
            for (const std::string_view x : linhas)
                total90 += x.substr(0, 2) == "90";
            for (int pos = 31; pos <= 111; pos += 10) {
                if (campo(l, pos, 2) == "  ") break;
                const int t = static_cast<int>(numero(l, pos, 2));
                const long long total = numero(l, pos + 2, 8);
                const bool ultimo = i + 1 == linhas.size();
                if (t == 99 ? (!ultimo || total != static_cast<long long>(linhas.size()))
                            : total != contagem[t])
                    a.emplace(n, Falha::Total90);
            }
            if (qtd90 != total90) acha(Falha::Total90);
            break;
        }
        default:
            break;
        }
    }
    return a;
}

Opcoes opcoes(std::uint64_t registros, std::uint64_t semente = 7) {
    Opcoes o;
    o.registros = registros;
    o.semente = semente;
    return o;
}

} // namespace

TEST(GerarExemplo, ArquivoLimpoTemGeometriaEConteudoCoerentes) {
    for (const char* uf : {"SP", "MG", "BA", "RR"}) {
        Opcoes o = opcoes(3000);
        o.uf = uf;
        Resumo r;
        const std::string texto = geraTexto(o, &r);
        const auto linhas = linhasDe(texto);
        ASSERT_EQ(static_cast<std::int64_t>(linhas.size()), r.linhas);
        EXPECT_EQ(texto.size(), r.bytes);
        EXPECT_EQ(texto.size(), linhas.size() * 128);
        EXPECT_EQ(texto.substr(texto.size() - 2), "\r\n");
        EXPECT_TRUE(confere(texto).empty()) << uf << ": " << confere(texto).begin()->first;
        // Todos os tipos prometidos aparecem.
        for (int t : {10, 11, 50, 51, 53, 54, 60, 61, 70, 74, 75, 90})
            EXPECT_GT(r.porTipo[static_cast<std::size_t>(t)], 0) << t;
        EXPECT_TRUE(r.falhas.empty());
    }
}

TEST(GerarExemplo, Registro90DivididoComPosicao126EUltimoCom99) {
    Resumo r;
    const std::string texto = geraTexto(opcoes(2000), &r);
    const auto linhas = linhasDe(texto);
    // Nove tipos totalizados mais o 99 não cabem num só registro 90.
    ASSERT_EQ(r.registros90, 2);
    const std::string_view penultima = linhas[linhas.size() - 2], ultima = linhas.back();
    EXPECT_EQ(penultima.substr(0, 2), "90");
    EXPECT_EQ(penultima[125], '2');
    EXPECT_EQ(ultima[125], '2');
    for (int pos = 31; pos <= 111; pos += 10)
        EXPECT_NE(campo(penultima, pos, 2), "99");
    EXPECT_EQ(campo(ultima, 31, 10),
              "99" + std::string(8 - std::to_string(linhas.size()).size(), '0') +
                  std::to_string(linhas.size()));
    EXPECT_EQ(campo(ultima, 41, 85), std::string(85, ' '));
    EXPECT_EQ(campo(penultima, 121, 5), "     ");
}

TEST(GerarExemplo, MesmaSementeMesmoArquivo) {
    const std::string a = geraTexto(opcoes(1500, 3));
    EXPECT_EQ(a, geraTexto(opcoes(1500, 3)));
    EXPECT_NE(a, geraTexto(opcoes(1500, 4)));
}

TEST(GerarExemplo, TamanhoPedidoEmBytes) {
    Opcoes o;
    o.tamanhoBytes = 2u << 20;
    Resumo r;
    const std::string texto = geraTexto(o, &r);
    EXPECT_NEAR(static_cast<double>(texto.size()), 2.0 * (1 << 20), 0.15 * (2 << 20));
}

TEST(GerarExemplo, FinsDeLinhaEMarcaDeFim) {
    Opcoes o = opcoes(500);
    o.soLf = true;
    o.eof26 = true;
    o.semQuebraFinal = true;
    Resumo r;
    const std::string texto = geraTexto(o, &r);
    EXPECT_EQ(texto.find('\r'), std::string::npos);
    EXPECT_EQ(texto.back(), '\x1a');
    EXPECT_EQ(texto[texto.size() - 2], '0' + r.registros90); // posição 126 do último 90, sem LF
    EXPECT_EQ(texto.size(), r.bytes);
    const std::string corpo = texto.substr(0, texto.size() - 1) + "\n";
    const auto linhas = linhasDe(corpo, "\n");
    EXPECT_EQ(static_cast<std::int64_t>(linhas.size()), r.linhas);
}

TEST(GerarExemplo, OpcoesInvalidas) {
    Opcoes o = opcoes(100);
    o.uf = "EX";
    EXPECT_EQ(opcoesInvalidas(o), "UF inválida: EX");
    EXPECT_TRUE(geraTexto(o).empty());
    o.uf = "SP";
    o.mes = 13;
    EXPECT_EQ(opcoesInvalidas(o), "Mês de referência inválido.");
    EXPECT_EQ(falhaPorNome("nada"), std::nullopt);
    for (int k = 0; k < quantidadeFalhas; ++k)
        EXPECT_EQ(falhaPorNome(nomeFalha(static_cast<Falha>(k))), static_cast<Falha>(k));
}

// Cada falha sozinha: o mapa aponta uma linha onde a conferência independente acha exatamente
// aquela falha, e nada mais muda no arquivo.
TEST(GerarExemplo, CadaFalhaFicaOndeOMapaDiz) {
    for (int k = 0; k < quantidadeFalhas; ++k) {
        const auto f = static_cast<Falha>(k);
        Opcoes o = opcoes(1200);
        o.falhas = {f};
        Resumo r;
        const std::string texto = geraTexto(o, &r);
        ASSERT_FALSE(r.falhas.empty()) << nomeFalha(f);
        Achados esperados;
        for (const FalhaInjetada& fi : r.falhas) {
            EXPECT_EQ(fi.falha, f);
            esperados.emplace(fi.linha, f);
        }
        EXPECT_EQ(confere(texto), esperados) << nomeFalha(f);
    }
}

TEST(GerarExemplo, TodasAsFalhasJuntasComCamposNoMapa) {
    Opcoes o = opcoes(1200);
    for (int k = 0; k < quantidadeFalhas; ++k)
        o.falhas.push_back(static_cast<Falha>(k));
    Resumo r;
    const std::string texto = geraTexto(o, &r);
    const auto linhas = linhasDe(texto);
    std::set<Falha> vistas;
    for (const FalhaInjetada& fi : r.falhas) {
        vistas.insert(fi.falha);
        ASSERT_GE(fi.linha, 1);
        ASSERT_LE(fi.linha, r.linhas);
        const std::string_view l = linhas[static_cast<std::size_t>(fi.linha - 1)];
        if (fi.falha == Falha::Tamanho || fi.falha == Falha::Tipo) {
            EXPECT_EQ(fi.inicio, 0);
            EXPECT_EQ(fi.falha == Falha::Tamanho ? l.size() : 126u, l.size());
            EXPECT_EQ(fi.falha == Falha::Tipo ? "62" : "61", l.substr(0, 2));
            continue;
        }
        ASSERT_LE(fi.inicio + fi.tamanho - 1, 126);
        const std::string_view c = campo(l, fi.inicio, fi.tamanho);
        switch (fi.falha) {
        case Falha::Numerico:
            EXPECT_EQ(numero(l, fi.inicio, fi.tamanho), -1);
            break;
        case Falha::Data:
            EXPECT_EQ(c.substr(6), "32");
            break;
        case Falha::Cfop:
            EXPECT_EQ(c, "1350");
            break;
        case Falha::Uf:
            EXPECT_EQ(c, "XX");
            break;
        case Falha::Ordem:
            EXPECT_EQ(c, "53");
            break;
        case Falha::Sem75:
            EXPECT_EQ(c, "SEMREGISTRO75 ");
            break;
        case Falha::Total90:
            EXPECT_EQ(campo(l, fi.inicio - 2, 2), "54");
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(static_cast<int>(vistas.size()), quantidadeFalhas);
    const std::string mapa = textoMapa(r);
    EXPECT_EQ(mapa.rfind("# linha\tinicio\tlargura\tfalha\n", 0), 0u);
    EXPECT_NE(mapa.find("\t0\t0\ttamanho\n"), std::string::npos);
}

TEST(GerarExemplo, FormasDasMedicoesTemOsRegistrosQuePrometem) {
    const auto contaTipos = [](std::string_view texto) {
        std::map<std::string, long long> n;
        for (const auto l : linhasDe(texto))
            ++n[std::string(l.substr(0, l.substr(0, 2) == "60" ? 3 : 2))];
        return n;
    };
    Opcoes o = opcoes(4000);

    o.forma = Forma::Atacadista;
    std::string texto = geraTexto(o);
    EXPECT_TRUE(confere(texto).empty());
    auto n = contaTipos(texto);
    // Cada nota com o seu parceiro e um item só: tantos 54 quanto 50, e CNPJs todos distintos.
    EXPECT_EQ(n["54"], n["50"]);
    EXPECT_GT(n["50"], 1800);
    EXPECT_EQ(n["51"] + n["53"], 0);
    std::set<std::string> cnpjs;
    for (const auto l : linhasDe(texto))
        if (l.substr(0, 2) == "50") cnpjs.insert(std::string(campo(l, 3, 14)));
    EXPECT_EQ(static_cast<long long>(cnpjs.size()), n["50"]);

    o.forma = Forma::Itens;
    texto = geraTexto(o);
    EXPECT_TRUE(confere(texto).empty());
    n = contaTipos(texto);
    EXPECT_GE(n["54"], 10 * n["50"] / 2); // de 10 a 50 itens por nota (e até 2 registros 50)

    o.forma = Forma::Ecf;
    texto = geraTexto(o);
    EXPECT_TRUE(confere(texto).empty());
    n = contaTipos(texto);
    EXPECT_GT(n["60I"], n["60D"]);
    EXPECT_GT(n["60D"], n["60M"]);
    EXPECT_GT(n["60M"] + n["60A"] + n["60D"] + n["60I"], 3000);

    EXPECT_EQ(formaPorNome("atacadista"), Forma::Atacadista);
    EXPECT_FALSE(formaPorNome("varejo"));
}
