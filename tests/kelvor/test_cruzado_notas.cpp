// Notas por chave em forma compacta: o que entra sai igual, caiba ou não nos 12 bytes; e os
// offsets dos registros guardados recuperados pela linha.
#include "core/CruzadoNotas.h"
#include "core/CruzadoOffsets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using kelvor::Situacao;
using kelvor::cruzado::Nota;
using kelvor::cruzado::NotasPorChave;
using kelvor::cruzado::OffsetsPorLinha;
using kelvor::cruzado::resumo;

namespace {

Nota notaComum(std::int64_t linha) {
    Nota n;
    n.data = 20230515;
    n.linha = linha;
    std::memcpy(n.emitenteAliquota, "P1800", 5);
    n.precisa54 = true;
    n.situacao = Situacao::ComAdvertencia;
    n.linhaSem54 = linha;
    n.offsetSem54 = (linha - 1) * 128;
    std::memcpy(n.modelo, "55", 2);
    std::memcpy(n.serie, "1  ", 3);
    std::memcpy(n.numero, "000123", 6);
    return n;
}

std::string descreve(const Nota& n) {
    return std::to_string(n.data) + " " + std::to_string(n.linha) + " " +
           std::string(n.emitenteAliquota, 5) + " " + std::to_string(n.tem54) +
           std::to_string(n.precisa54) + std::to_string(n.contado) + " " +
           std::to_string(static_cast<int>(n.situacao)) + " " + std::to_string(n.linhaSem54) + " " +
           std::to_string(n.offsetSem54) + " [" + std::string(n.modelo, 2) + "|" +
           std::string(n.serie, 3) + "|" + std::string(n.numero, 6) + "]";
}

} // namespace

TEST(CruzadoNotas, TodaNotaVoltaComoEntrou) {
    std::vector<Nota> casos;
    casos.push_back(Nota{}); // só criada
    auto so = notaComum(3);  // primeiro 50 sem precisar de itens
    so.precisa54 = false;
    so.situacao = Situacao::SemCritica;
    so.linhaSem54 = so.offsetSem54 = 0;
    std::memset(so.modelo, 0, 2);
    std::memset(so.serie, 0, 3);
    std::memset(so.numero, 0, 6);
    casos.push_back(so);
    casos.push_back(notaComum(4));
    auto t = notaComum(5);
    std::memcpy(t.emitenteAliquota, "T0000", 5);
    std::memcpy(t.modelo, "01", 2);
    t.tem54 = true;
    t.situacao = Situacao::Rejeitado;
    casos.push_back(t);
    // Os que não cabem: emitente, alíquota, datas, número, modelo, outro 50, tipo não contado,
    // linha enorme, offset fora do passo de uma linha anterior.
    auto muda = [&](auto f) {
        auto n = notaComum(static_cast<std::int64_t>(casos.size()) + 10);
        f(n);
        casos.push_back(n);
    };
    muda([](Nota& n) { n.emitenteAliquota[0] = 'X'; });
    muda([](Nota& n) { std::memcpy(n.emitenteAliquota + 1, "12 0", 4); });
    muda([](Nota& n) { n.data = 19491231; });
    muda([](Nota& n) { n.data = 20780101; });
    muda([](Nota& n) { n.data = 19500101; });
    muda([](Nota& n) { n.data = 20771231; });
    muda([](Nota& n) { std::memcpy(n.numero, "00A123", 6); });
    muda([](Nota& n) { std::memcpy(n.modelo, "1B", 2); });
    muda([](Nota& n) { n.linhaSem54 += 1; });
    muda([](Nota& n) { n.contado = false; });
    muda([](Nota& n) { n.offsetSem54 += 1; }); // o passo muda aqui: ainda cabe
    casos.push_back(notaComum(5000000000LL));
    auto atras = notaComum(7); // depois de marcas mais adiante, fora da conta
    atras.offsetSem54 = 7;
    casos.push_back(atras);
    // Mais séries do que a forma compacta distingue.
    for (int i = 0; i < 80; ++i) {
        auto n = notaComum(6000 + i);
        n.serie[0] = static_cast<char>('A' + i % 26);
        n.serie[1] = static_cast<char>('0' + i / 26);
        casos.push_back(n);
    }

    NotasPorChave notas;
    for (std::size_t i = 0; i < casos.size(); ++i) {
        auto [c, nova] = notas.insere(resumo("chave " + std::to_string(i)));
        ASSERT_TRUE(nova);
        notas.grava(*c, casos[i]);
    }
    for (std::size_t i = 0; i < casos.size(); ++i) {
        auto* c = notas.procura(resumo("chave " + std::to_string(i)));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(descreve(notas.le(*c)), descreve(casos[i])) << i;
        // Itens chegando: a data volta, e o resto fica.
        EXPECT_EQ(notas.marca54(*c), casos[i].data) << i;
        auto esperado = casos[i];
        esperado.tem54 = true;
        EXPECT_EQ(descreve(notas.le(*c)), descreve(esperado)) << i;
    }
}

TEST(CruzadoNotas, EnderecoDaNotaSemItens) {
    auto n = notaComum(9);
    std::memcpy(n.serie, "U 1", 3);
    auto l = NotasPorChave::localSem54(n);
    EXPECT_EQ(l.linha, 9);
    EXPECT_EQ(l.offset, 8 * 128);
    EXPECT_EQ(l.situacao, Situacao::ComAdvertencia);
    EXPECT_TRUE(l.contado);
    EXPECT_EQ(std::string(l.tipo, 2), "50");
    EXPECT_STREQ(l.docItem, "U 1-000123");
    std::memcpy(n.serie, "\x07  ", 3);
    n.contado = false;
    l = NotasPorChave::localSem54(n);
    EXPECT_FALSE(l.contado);
    EXPECT_STREQ(l.docItem, "?-000123"); // como no relatório: controle vira "?"
}

TEST(CruzadoOffsets, PassoDoArquivoEQuebras) {
    OffsetsPorLinha o;
    EXPECT_EQ(o.offsetDe(1), -1);
    // Só LF (127 por linha): a segunda linha guardada já acerta o passo.
    EXPECT_TRUE(o.garante(3, 2 * 127));
    EXPECT_TRUE(o.garante(5, 4 * 127));
    EXPECT_TRUE(o.garante(40, 39 * 127));
    // Uma linha de outro tamanho no meio: nova marca, e as anteriores continuam certas.
    EXPECT_TRUE(o.garante(41, 39 * 127 + 300));
    EXPECT_TRUE(o.garante(50, 39 * 127 + 300 + 9 * 127));
    EXPECT_EQ(o.offsetDe(3), 2 * 127);
    EXPECT_EQ(o.offsetDe(5), 4 * 127);
    EXPECT_EQ(o.offsetDe(40), 39 * 127);
    EXPECT_EQ(o.offsetDe(41), 39 * 127 + 300);
    EXPECT_EQ(o.offsetDe(50), 39 * 127 + 300 + 9 * 127);
    // Linha anterior à última marca que a conta não dá: quem chama guarda o offset inteiro.
    EXPECT_TRUE(o.garante(45, o.offsetDe(45)));
    EXPECT_FALSE(o.garante(45, 1));
}
