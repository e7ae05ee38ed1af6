// Tabela das verificações entre registros: crescimento com muitas chaves e chaves que disputam
// a mesma posição.
#include "core/CruzadoAdiadas.h"
#include "core/CruzadoTabela.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using kelvor::cruzado::Conjunto;
using kelvor::cruzado::resumo;
using kelvor::cruzado::Tabela;

namespace {

// Valor de 12 bytes, como o das notas: a entrada fica com 20.
struct Tres {
    std::uint32_t a, b, c;
};

} // namespace

TEST(CruzadoTabela, MuitasChavesSobrevivemAoCrescimento) {
    Tabela<Tres> t;
    std::vector<std::uint64_t> chaves;
    const int n = 300000;
    for (int i = 0; i < n; ++i) {
        const auto k = resumo("documento " + std::to_string(i));
        chaves.push_back(k);
        auto [v, novo] = t.insere(k);
        ASSERT_TRUE(novo) << i;
        *v = {static_cast<std::uint32_t>(i), 7u, static_cast<std::uint32_t>(n - i)};
        // A mesma chave de novo devolve o mesmo valor, sem criar outro.
        if (i % 1000 == 0) {
            auto [w, outra] = t.insere(chaves[static_cast<std::size_t>(i / 2)]);
            EXPECT_FALSE(outra);
            EXPECT_EQ(w->a, static_cast<std::uint32_t>(i / 2));
        }
    }
    EXPECT_EQ(t.tamanho(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const Tres* v = t.procura(chaves[static_cast<std::size_t>(i)]);
        ASSERT_NE(v, nullptr) << i;
        EXPECT_EQ(v->a, static_cast<std::uint32_t>(i));
        EXPECT_EQ(v->c, static_cast<std::uint32_t>(n - i));
    }
    EXPECT_EQ(t.procura(resumo("documento que não existe")), nullptr);
    std::size_t vistos = 0;
    std::uint64_t soma = 0;
    t.paraCada([&](std::uint64_t, const Tres& v) {
        ++vistos;
        soma += v.a;
    });
    EXPECT_EQ(vistos, static_cast<std::size_t>(n));
    EXPECT_EQ(soma, static_cast<std::uint64_t>(n) * (n - 1) / 2);
    // Ocupação alta: 20 bytes por entrada, nunca o dobro do necessário.
    EXPECT_EQ(sizeof(Tres) + 8, 20u);
    EXPECT_LT(t.bytes(), static_cast<std::size_t>(n) * 20 * 8 / 5);
}

TEST(CruzadoTabela, ChavesDaMesmaPosicaoFicamTodas) {
    // Mesmos 36 bits altos: mesmo segmento e mesma posição inicial em qualquer capacidade.
    // Também chaves no fim do segmento, que dão a volta ao começo dele.
    Conjunto c;
    Tabela<std::int64_t> t;
    std::vector<std::uint64_t> chaves;
    // E chaves do começo do segmento: a fila delas passa da posição de onde a capacidade nova
    // as começa, e o crescimento no lugar tem de pô-las à parte e de volta.
    for (std::uint64_t i = 1; i <= 500; ++i) {
        chaves.push_back(0x5A5A5A5A50000000ULL | i);
        chaves.push_back(0x7FFFFFFFF0000000ULL | i);
        chaves.push_back(0x2000000000000000ULL | i);
    }
    for (std::size_t i = 0; i < chaves.size(); ++i) {
        EXPECT_TRUE(c.insere(chaves[i]).second);
        *t.insere(chaves[i]).first = static_cast<std::int64_t>(i) * 3;
        EXPECT_FALSE(c.insere(chaves[i]).second);
    }
    EXPECT_EQ(c.tamanho(), chaves.size());
    for (std::size_t i = 0; i < chaves.size(); ++i) {
        EXPECT_TRUE(c.contem(chaves[i])) << i;
        ASSERT_NE(t.procura(chaves[i]), nullptr);
        EXPECT_EQ(*t.procura(chaves[i]), static_cast<std::int64_t>(i) * 3);
    }
    // Vizinhas das guardadas, na mesma posição, não aparecem.
    EXPECT_FALSE(c.contem(0x5A5A5A5A50000000ULL | 501));
    EXPECT_FALSE(c.contem(0x7FFFFFFFF0000000ULL | 1000));
    EXPECT_FALSE(c.contem(0x2000000000000000ULL | 501));
    EXPECT_EQ(Conjunto().procura(chaves[0]), nullptr);
}

// Chaves adiadas: até a primeira consulta só uma lista; a tabela montada depois dá o mesmo que
// inserir uma a uma (a marca da primeira vez vale, antes e depois de montar).
TEST(CruzadoTabela, ChavesAdiadasDaoOMesmoQueInserirUmaAUma) {
    using kelvor::cruzado::ChavesAdiadas;
    ChavesAdiadas c;
    for (int i = 0; i < 20000; ++i) // passa de um bloco da lista
        c.insere(resumo("k" + std::to_string(i)), i % 7 == 0 ? 'S' : ChavesAdiadas::SemMarca);
    c.insere(resumo("k1"), 'X'); // já veio sem marca: continua sem
    c.insere(resumo("k7"), 'X'); // já veio com S: continua S
    c.insere(resumo("k0"), '\0');
    EXPECT_TRUE(c.contem(resumo("k19999")));
    EXPECT_FALSE(c.contem(resumo("k20000")));
    EXPECT_EQ(c.marca(resumo("k1")), ChavesAdiadas::SemMarca);
    EXPECT_EQ(c.marca(resumo("k7")), 'S');
    EXPECT_EQ(c.marca(resumo("k0")), 'S');
    // Depois de montada, as novas entram direto, com a mesma regra.
    c.insere(resumo("nova"), '\0');
    c.insere(resumo("nova"), 'S');
    c.insere(resumo("k14"), 'X');
    EXPECT_TRUE(c.contem(resumo("nova")));
    EXPECT_EQ(c.marca(resumo("nova")), 0);
    EXPECT_EQ(c.marca(resumo("k14")), 'S');
    EXPECT_EQ(c.marca(resumo("nada")), ChavesAdiadas::SemMarca);
}

TEST(CruzadoTabela, ReservadaNaoCresceAteAQuantidadePrevistaEDepoisCresceSemPerderNada) {
    const int n = 200000;
    Tabela<Tres> t;
    t.reserva(n);
    const auto reservado = t.bytes();
    // 3/4 ocupada com as n chaves, fora a folga dos segmentos desiguais: nem o dobro.
    EXPECT_GE(reservado, static_cast<std::size_t>(n) * 20 * 4 / 3);
    EXPECT_LT(reservado, static_cast<std::size_t>(n) * 20 * 3 / 2);
    std::vector<std::uint64_t> chaves;
    for (int i = 0; i < 2 * n; ++i) {
        chaves.push_back(resumo("nota " + std::to_string(i)));
        ASSERT_TRUE(t.insere(chaves.back()).second) << i;
        t.procura(chaves.back())->a = static_cast<std::uint32_t>(i);
        if (i == n - 1) {
            EXPECT_EQ(t.bytes(), reservado) << "cresceu antes das chaves previstas";
        }
    }
    EXPECT_GT(t.bytes(), reservado);
    EXPECT_EQ(t.tamanho(), static_cast<std::size_t>(2 * n));
    for (int i = 0; i < 2 * n; ++i) {
        const Tres* v = t.procura(chaves[static_cast<std::size_t>(i)]);
        ASSERT_NE(v, nullptr) << i;
        EXPECT_EQ(v->a, static_cast<std::uint32_t>(i));
    }
    // Reservar uma tabela que já tem chaves não muda nada (nem as perde).
    t.reserva(10 * n);
    EXPECT_EQ(t.tamanho(), static_cast<std::size_t>(2 * n));
    EXPECT_NE(t.procura(chaves.front()), nullptr);
    // Justa: 7/8 ocupada com as n, menos memória, e ainda sem crescer até elas.
    Conjunto justa;
    justa.reserva(n, true);
    const auto reservadoJusto = justa.bytes();
    EXPECT_LT(reservadoJusto, static_cast<std::size_t>(n) * 8 * 5 / 4);
    for (int i = 0; i < n; ++i)
        justa.insere(chaves[static_cast<std::size_t>(i)]);
    EXPECT_EQ(justa.bytes(), reservadoJusto);
    EXPECT_EQ(justa.tamanho(), static_cast<std::size_t>(n));
    // Reserva pequena numa tabela vazia funciona como a comum.
    Tabela<Tres> pequena;
    pequena.reserva(3);
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(pequena.insere(resumo(std::to_string(i))).second);
    EXPECT_EQ(pequena.tamanho(), 100u);
}
