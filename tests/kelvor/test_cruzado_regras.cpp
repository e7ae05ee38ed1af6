// Regras entre registros revistas: 60M e 60A repetidos, ordem numérica dos códigos do 75,
// registro de tamanho errado fora das chaves, e a segunda passada (só quando falta chave;
// arquivo mudado no meio; situações guardadas fora da memória).
#include "test_cruzado_apoio.h"

#include "core/CruzadoMensagens.h"
#include "core/CruzadoSituacoes.h"
#include "core/SegundaPassada.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>

using namespace cruzado_teste;
using namespace exemplos;
namespace m = kelvor::cruzado::mensagem;
using kelvor::Gravidade;
using kelvor::Situacao;

TEST(CruzadoRegras, CupomRepetidoNoMesmoDiaEEquipamento) {
    const auto outroEcf = [](const std::string& r) { return com(r, 12, "ECF0002"); };
    const auto cs = roda(arquivo({r60M(), r60M(), r60A(), r60A("1200"), r60A(), outroEcf(r60M()),
                                  outroEcf(r60A()), com(r60M(), 4, "20240116")}));
    ASSERT_EQ(cs.size(), 2u) << descreve(cs);
    EXPECT_EQ(cs[0].c.linha, 4);
    EXPECT_EQ(cs[0].c.mensagem, "Registro 60M repetido: mesma data e equipamento da linha 3.");
    EXPECT_EQ(cs[0].c.inicio, 12);
    EXPECT_EQ(cs[0].c.gravidade, Gravidade::Rejeicao);
    EXPECT_FALSE(cs[0].tardia);
    EXPECT_EQ(cs[1].c.linha, 7);
    EXPECT_EQ(cs[1].c.mensagem, "Registro 60A repetido: mesma situação tributária/alíquota, data "
                                "e equipamento da linha 5.");
    EXPECT_EQ(cs[1].c.inicio, 32);
    EXPECT_EQ(cs[1].c.conteudo, "1800");
}

TEST(CruzadoRegras, CodigosSoDeDigitosDo75EmOrdemNumerica) {
    const auto ordem = [](std::initializer_list<const char*> codigos) {
        std::vector<std::string> miolo;
        for (const char* c : codigos)
            miolo.push_back(com(r75(), 19, std::string(c) + std::string(14, ' ')).substr(0, 126));
        int avisos = 0;
        for (const auto& g : roda(arquivo(miolo)))
            avisos += g.c.mensagem == m::ordemDentroDoTipo("75", "código do produto ou serviço");
        return avisos;
    };
    EXPECT_EQ(ordem({"59", "82", "249", "372", "1000"}), 0);
    EXPECT_EQ(ordem({"007", "59", "0060"}), 0); // zeros à esquerda não mudam o número
    EXPECT_EQ(ordem({"82", "59"}), 1);
    // Com letras, byte a byte.
    EXPECT_EQ(ordem({"59", "A10", "A9"}), 0);
    EXPECT_EQ(ordem({"B1", "A1"}), 1);
}

TEST(CruzadoRegras, RegistroDeTamanhoErradoNaoDaNemUsaChave) {
    const auto curto = [](const std::string& r) { return r.substr(0, 120); };
    // Itens curtos: nem pedem o 75 nem o deixam "sem uso"; a nota deles não é cobrada.
    auto cs = roda(arquivo({r50(), curto(r54()), curto(r54("002")), r75()}));
    EXPECT_TRUE(cs.empty()) << descreve(cs);
    // 75, 60M e 70 curtos não dão a chave a quem depende deles.
    cs = roda(arquivo({r50(), r54(), curto(r75())}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::Sem75);
    EXPECT_EQ(cs[0].c.linha, 4);
    cs = roda(arquivo({curto(r60M()), r60A()}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::sem60M('A'));
    cs = roda(arquivo({curto(r70()), r71()}));
    ASSERT_EQ(cs.size(), 1u) << descreve(cs);
    EXPECT_EQ(cs[0].c.mensagem, m::Sem70);
    // Nem 60M repetido: o curto não conta.
    EXPECT_TRUE(roda(arquivo({curto(r60M()), r60M(), r60A()})).empty());
}

TEST(CruzadoRegras, SegundaPassadaSoQuandoFaltaChave) {
    int releituras = -1;
    auto cs =
        roda(arquivo({r50(), r54(), r60M(), r60A(), r60D(), r75()}), contexto(), {}, &releituras);
    EXPECT_TRUE(cs.empty()) << descreve(cs);
    EXPECT_EQ(releituras, 0);
    // 75 e 60M vindos depois de quem os usa também não pedem releitura.
    cs = roda(arquivo({r60A(), r60M(), r75()}), contexto(), {}, &releituras);
    EXPECT_EQ(releituras, 0);
    cs = roda(arquivo({r50(), r54(), com(r75(), 19, "OUTRO")}), contexto(), {}, &releituras);
    EXPECT_EQ(releituras, 1);
}

TEST(CruzadoRegras, ReleituraRecusaArquivoMudado) {
    Pasta pasta;
    const auto caminho = pasta / "a.txt";
    const std::string bytes = linhas({r10(), r11(), r54()});
    grava(caminho, bytes);
    std::FILE* f = std::fopen(caminho.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    const std::atomic<bool> cancelar{false};
    std::vector<std::int64_t> vistas;
    const auto visita = [&](const kelvor::RegistroLido& r, bool valido) {
        EXPECT_TRUE(valido);
        vistas.push_back(r.offset);
    };
    const auto quando = std::filesystem::last_write_time(caminho);
    kelvor::ReleituraArquivo certa(f, caminho, bytes.size(), quando, cancelar);
    EXPECT_TRUE(certa.percorre(visita));
    EXPECT_EQ(vistas, (std::vector<std::int64_t>{0, 128, 256}));
    EXPECT_TRUE(certa.falha().empty());

    // Gravado de novo depois da primeira leitura (mesmo tamanho, outra data).
    std::filesystem::last_write_time(caminho, quando + std::chrono::seconds(2));
    kelvor::ReleituraArquivo mudada(f, caminho, bytes.size(), quando, cancelar);
    EXPECT_FALSE(mudada.percorre(visita));
    EXPECT_EQ(mudada.falha(), "O arquivo " + caminho + " foi alterado durante a validação.");
    std::fclose(f);
}

TEST(CruzadoRegras, SituacoesAnterioresAlemDaMemoria) {
    // Mais que três blocos: a maior parte vai para o arquivo temporário e volta em ordem.
    kelvor::cruzado::SituacoesAnteriores s;
    const std::int64_t n =
        3 * static_cast<std::int64_t>(kelvor::cruzado::SituacoesAnteriores::Bloco) + 5;
    const auto situacao = [](std::int64_t linha) {
        return linha % 3 == 0   ? Situacao::SemCritica
               : linha % 3 == 1 ? Situacao::ComAdvertencia
                                : Situacao::Rejeitado;
    };
    for (std::int64_t l = 1; l <= 3 * n / 2; ++l)
        s.anota(l, situacao(l));
    EXPECT_EQ(s.quantas(), static_cast<std::uint64_t>(3 * n / 2 - (3 * n / 2) / 3));
    s.recomeca();
    // Consultas em ordem crescente, pulando linhas.
    for (std::int64_t l = 1; l <= 3 * n / 2; l += 7)
        ASSERT_EQ(s.de(l), situacao(l)) << l;
    EXPECT_EQ(s.de(3 * n), Situacao::SemCritica);
}
