// Índice de documentos, conferência das somas e filtro da lista, num arquivo com documentos
// conhecidos e em arquivos do gerador de exemplos.
#include "ArquivoNotas.h"
#include "Registros.h"

#include "GeradorExemplo.h"
#include "nucleo/DocumentoNota.h"
#include "nucleo/IndiceNotas.h"
#include "nucleo/ListaNotas.h"

#include <gtest/gtest.h>
#include <set>

using namespace tramil;

namespace {

std::vector<std::uint32_t> Filtra(const IndiceNotas& ix, const FiltroNotas& f) {
    QString erro;
    auto c = CriterioNotas::de(f, erro);
    EXPECT_TRUE(c) << erro.toStdString();
    std::vector<std::uint32_t> r;
    for (std::uint32_t i = 0; i < ix.documentos().size(); ++i)
        if (c && c->aceita(ix, i)) r.push_back(i);
    return r;
}

QString Conferencias(const DocumentoNota& n) {
    QStringList t;
    for (const auto& c : n.conferencias)
        t << (c.confere ? QStringLiteral("ok ") : QStringLiteral("NAO ")) + c.descricao +
                 QStringLiteral(": ") + c.detalhe;
    return t.join(QLatin1Char('\n'));
}

const Tabela* TabelaDe(const DocumentoNota& n, const QString& comeco) {
    for (const auto& t : n.tabelas)
        if (t.titulo.startsWith(comeco)) return &t;
    return nullptr;
}

class NotasConhecidas : public ::testing::Test {
protected:
    void SetUp() override { ix.indexaAqui(); }
    const std::string dados = teste::ArquivoComNotasConhecidas();
    IndiceNotas ix{dados};
};

} // namespace

TEST_F(NotasConhecidas, DocumentosESomas) {
    ASSERT_TRUE(ix.completo());
    const auto& d = ix.documentos();
    ASSERT_EQ(d.size(), 9u);
    const TipoDocumento tipos[] = {
        TipoDocumento::NotaFiscal, TipoDocumento::NotaFiscal, TipoDocumento::NotaFiscal,
        TipoDocumento::NotaFiscal, TipoDocumento::NotaFiscal, TipoDocumento::NotaFiscal,
        TipoDocumento::Cupom,      TipoDocumento::Cupom,      TipoDocumento::Transporte};
    for (std::size_t i = 0; i < d.size(); ++i)
        EXPECT_EQ(d[i].tipo, tipos[i]) << i;
    EXPECT_EQ(d[0].total, 151500);
    EXPECT_EQ(d[0].itens, 151500);
    EXPECT_TRUE(d[0].marcas & VariosCfops);
    EXPECT_FALSE(NaoConfere(d[0]));
    EXPECT_EQ(TextoConferencia(d[1]), QStringLiteral("Confere")); // total com o ICMS retido
    EXPECT_EQ(TextoConferencia(d[2]), QStringLiteral("Itens não conferem"));
    EXPECT_EQ(d[2].total - d[2].itens, 10000);
    EXPECT_EQ(TextoConferencia(d[3]), QStringLiteral("ICMS não confere"));
    EXPECT_EQ(TextoConferencia(d[4]), QStringLiteral("Confere (sem itens)"));
    EXPECT_EQ(TextoConferencia(d[5]), QStringLiteral("Sem o registro 50"));
    EXPECT_EQ(TextoConferencia(d[6]), QStringLiteral("ICMS não confere")); // o 60D
    EXPECT_EQ(TextoConferencia(d[7]),
              QStringLiteral("Totalizadores não conferem")); // 60A x venda bruta
    EXPECT_EQ(TextoConferencia(d[8]), QStringLiteral("Confere"));
    EXPECT_TRUE(d[8].marcas & VariosCfops);
    EXPECT_EQ(d[8].total, 40000);
    EXPECT_EQ(d[8].itens, 500000); // valor das duas notas transportadas

    // Registros de cada documento, em ordem de arquivo.
    std::vector<std::string> tipos1;
    ix.paraCadaRegistro(1, [&](std::string_view r, std::uint64_t desl) {
        tipos1.emplace_back(r.substr(0, 2));
        EXPECT_EQ(ix.registroEm(desl), r);
    });
    EXPECT_EQ(tipos1, (std::vector<std::string>{"50", "53", "54"})); // o 53 achado sem o CNPJ
    int registros0 = 0;
    ix.paraCadaRegistro(0, [&](std::string_view, std::uint64_t) { ++registros0; });
    EXPECT_EQ(registros0, 5);
    ASSERT_TRUE(ix.produto("P1            "));
    EXPECT_FALSE(ix.produto("P2            "));
}

TEST_F(NotasConhecidas, FormularioComAConferenciaDeCadaDocumento) {
    const DocumentoNota a = MontaDocumento(ix, 0);
    EXPECT_EQ(a.titulo, QStringLiteral("Nota Fiscal Eletrônica (NF-e) nº 000100, série 1"));
    EXPECT_TRUE(a.confere()) << Conferencias(a).toStdString();
    ASSERT_EQ(a.participantes.size(), 2u);
    EXPECT_EQ(a.participantes[0].papel, QStringLiteral("Emitente"));
    EXPECT_EQ(a.participantes[0].dados[0].second, QStringLiteral("EMPRESA DE TESTE LTDA"));
    EXPECT_EQ(a.participantes[1].dados[1].second, QStringLiteral("11.222.333/0001-81"));
    const Tabela* itens = TabelaDe(a, QStringLiteral("Produtos"));
    ASSERT_TRUE(itens);
    ASSERT_EQ(itens->linhas.size(), 2u);
    EXPECT_EQ(itens->linhas[0][2], QStringLiteral("PRODUTO UM")); // descrição do 75
    EXPECT_EQ(itens->linhas[1][2], QStringLiteral("(sem registro 75)"));
    EXPECT_EQ(itens->linhas[0][8], QStringLiteral("500,00")); // 1.000,00 / 2,000
    const Tabela* despesas = TabelaDe(a, QStringLiteral("Despesas"));
    ASSERT_TRUE(despesas);
    EXPECT_EQ(despesas->linhas[0][1], QStringLiteral("Frete"));
    EXPECT_EQ(despesas->linhas[0][3], QStringLiteral("15,00"));
    EXPECT_EQ(a.totais.back(),
              (Par{QStringLiteral("Valor total da nota"), QStringLiteral("1.515,00")}));
    EXPECT_EQ(a.registros.size(), 5u);

    const DocumentoNota b = MontaDocumento(ix, 1);
    EXPECT_TRUE(b.confere());
    EXPECT_EQ(b.participantes[0].papel, QStringLiteral("Emitente")); // de terceiros: o outro emite
    EXPECT_TRUE(Conferencias(b).contains(QStringLiteral("O total inclui o ICMS retido (200,00).")))
        << Conferencias(b).toStdString();

    const DocumentoNota c = MontaDocumento(ix, 2);
    EXPECT_FALSE(c.confere());
    EXPECT_EQ(c.conferencias[0].descricao, QStringLiteral("Itens × valor total"));
    EXPECT_EQ(c.conferencias[0].detalhe,
              QStringLiteral("Produtos 1.900,00 − descontos 0,00 + despesas 0,00 + IPI 0,00 = "
                             "1.900,00; valor total da "
                             "nota 2.000,00. Diferença de 100,00."));

    const DocumentoNota d = MontaDocumento(ix, 3);
    EXPECT_FALSE(d.confere());
    EXPECT_TRUE(Conferencias(d).contains(
        QStringLiteral("NAO ICMS do CFOP 6102 a 18,00%: Base 100,00 × 18,00% = 18,00; informado "
                       "20,00 (diferença de 2,00).")))
        << Conferencias(d).toStdString();
    const Tabela* icms = TabelaDe(d, QStringLiteral("ICMS por CFOP"));
    ASSERT_TRUE(icms);
    EXPECT_TRUE(icms->marcada[0]);

    const DocumentoNota orfa = MontaDocumento(ix, 5);
    EXPECT_FALSE(orfa.confere());
    EXPECT_EQ(orfa.titulo, QStringLiteral("Registros de nota fiscal sem o registro 50"));

    const DocumentoNota cupom = MontaDocumento(ix, 6);
    EXPECT_TRUE(
        Conferencias(cupom).contains(QStringLiteral("ok Totalizadores parciais × venda bruta")));
    EXPECT_TRUE(Conferencias(cupom).contains(QStringLiteral("NAO ICMS de produto P1")));
    EXPECT_TRUE(std::find(cupom.totais.begin(), cupom.totais.end(),
                          Par{QStringLiteral("Venda líquida"), QStringLiteral("900,00")}) !=
                cupom.totais.end());
    const DocumentoNota cupom2 = MontaDocumento(ix, 7);
    EXPECT_TRUE(Conferencias(cupom2).contains(QStringLiteral("Diferença de 100,00.")))
        << Conferencias(cupom2).toStdString();

    const DocumentoNota ct = MontaDocumento(ix, 8);
    EXPECT_EQ(ct.titulo,
              QStringLiteral("Conhecimento de Transporte Rodoviário de Cargas nº 000010, série 1"));
    const Tabela* transportadas = TabelaDe(ct, QStringLiteral("Notas fiscais transportadas"));
    ASSERT_TRUE(transportadas);
    EXPECT_EQ(transportadas->linhas.size(), 2u);
    EXPECT_EQ(TabelaDe(ct, QStringLiteral("Valores por CFOP"))->linhas.size(), 2u);
}

TEST_F(NotasConhecidas, FiltroDaLista) {
    const auto filtro = [](auto ajusta) {
        FiltroNotas f;
        ajusta(f);
        return f;
    };
    using V = std::vector<std::uint32_t>;
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.numero = QStringLiteral("300"); })), V{2});
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.numero = QStringLiteral("120"); })),
              V{6}); // COO do dia
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.cnpj = QStringLiteral("11.222.333"); })),
              V{0});
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.cfop = QStringLiteral("5405"); })),
              V{0}); // o 2º CFOP
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.cfop = QStringLiteral("6"); })),
              (V{2, 3, 4, 5, 8}));
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.situacao = QLatin1Char('S'); })), V{4});
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.data = QStringLiteral("12/05/2023"); })),
              V{8});
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) {
                         f.data = QStringLiteral("01/05/2023 a 11/05/2023");
                     })),
              (V{0, 1, 2, 3, 4, 6, 7}));
    EXPECT_EQ(
        Filtra(ix, filtro([](FiltroNotas& f) { f.tipo = static_cast<int>(TipoDocumento::Cupom); })),
        (V{6, 7}));
    EXPECT_EQ(Filtra(ix, filtro([](FiltroNotas& f) { f.soNaoConferem = true; })),
              (V{2, 3, 5, 6, 7}));

    QString erro;
    FiltroNotas ruim;
    ruim.data = QStringLiteral("31/13/2023");
    EXPECT_FALSE(CriterioNotas::de(ruim, erro));
    EXPECT_FALSE(erro.isEmpty());
    ruim = {};
    ruim.numero = QStringLiteral("12a");
    EXPECT_FALSE(CriterioNotas::de(ruim, erro));

    // A varredura de fundo dá o mesmo que o critério documento a documento.
    auto c = CriterioNotas::de(filtro([](FiltroNotas& f) { f.soNaoConferem = true; }), erro);
    Varredura v(ix.documentos().size(), TrabalhoFiltroNotas(ix, *c));
    v.executaAqui();
    ASSERT_EQ(v.linhas().tamanho(), 5u);
    EXPECT_EQ(v.linhas()[4], 7u);

    const QStringList colunas = ResumeDocumento(ix, 0);
    EXPECT_EQ(colunas[ColNumero], QStringLiteral("000100"));
    EXPECT_EQ(colunas[ColCfop], QStringLiteral("5102 e outros"));
    EXPECT_EQ(colunas[ColValor], QStringLiteral("1.515,00"));
    EXPECT_EQ(ResumeDocumento(ix, 6)[ColNumero], QStringLiteral("COO 000101 a 000150"));
}

// No arquivo do gerador (válido por construção, frete no 991, 51 e 53 fora do total) todas as
// notas conferem, menos a do ICMS errado de propósito; o índice acha um documento por nota,
// conhecimento e dia de equipamento.
TEST(IndiceNotas, ArquivoDoGerador) {
    kelvor::exemplo::Opcoes o;
    o.registros = 60000;
    o.falhas = {kelvor::exemplo::Falha::Icms};
    kelvor::exemplo::Resumo resumo;
    const std::string d = kelvor::exemplo::geraTexto(o, &resumo);
    IndiceNotas ix(d);
    ix.indexaAqui();
    std::set<std::string> chaves;
    std::size_t p = 0;
    std::int64_t linha = 0, linhaIcms = 0;
    for (const auto& f : resumo.falhas)
        if (f.falha == kelvor::exemplo::Falha::Icms) linhaIcms = f.linha;
    std::string chaveIcms;
    while (p < d.size()) {
        const auto nl = d.find('\n', p);
        const std::string_view r(d.data() + p, nl - p);
        ++linha;
        std::string chave;
        if (r.substr(0, 2) == "50")
            chave = "N" + std::string(r.substr(2, 14)) + std::string(r.substr(40, 11)) +
                    (r[51] < '5' ? "E" : "S");
        if (r.substr(0, 2) == "70")
            chave = "T" + std::string(r.substr(30, 8)) + std::string(r.substr(40, 11));
        if (r.substr(0, 3) == "60M") chave = "C" + std::string(r.substr(3, 28));
        if (!chave.empty()) chaves.insert(chave);
        if (linha == linhaIcms) chaveIcms = chave;
        p = nl + 1;
    }
    ASSERT_FALSE(chaveIcms.empty());
    ASSERT_EQ(ix.documentos().size(), chaves.size());
    std::size_t naoConferem = 0, comItens = 0;
    for (std::uint32_t i = 0; i < ix.documentos().size(); ++i) {
        const auto& doc = ix.documentos()[i];
        if (doc.tipo != TipoDocumento::Transporte)
            comItens += (doc.marcas & TemItens) != 0;
        else
            ++comItens; // o gerador não escreve registros 71
        if (NaoConfere(doc)) {
            ++naoConferem;
            EXPECT_EQ(TextoConferencia(doc), QStringLiteral("ICMS não confere"));
            EXPECT_FALSE(MontaDocumento(ix, i).confere());
        }
    }
    EXPECT_EQ(naoConferem, 1u);
    EXPECT_EQ(comItens, ix.documentos().size()); // notas com 54, cupons com 60A
    EXPECT_EQ(ix.registrosLidos(), resumo.linhas);
}

// Arquivo fora de ordem e itens sem o seu principal: o item que chega antes vira documento "sem
// principal" e o principal que vem depois assume o documento; os órfãos ficam à parte.
TEST(IndiceNotas, ForaDeOrdemEOrfaos) {
    using teste::Registro;
    const auto r54 = [](const char* numero, const char* item) {
        return Registro("54", {{"CNPJ", "11222333000181"},
                               {"Modelo", "55"},
                               {"Série", "1"},
                               {"Número", numero},
                               {"CFOP", "5102"},
                               {"Número do item", item},
                               {"Valor do produto", "10000"}}) +
               "\r\n";
    };
    std::string t = teste::Cabecalho();
    t += r54("1", "1"); // antes do seu 50
    t += Registro("50", {{"CNPJ", "11222333000181"},
                         {"Data emissão/recebimento", "20230510"},
                         {"Unidade da Federação", "SP"},
                         {"Modelo", "55"},
                         {"Série", "1"},
                         {"Número", "1"},
                         {"CFOP", "5102"},
                         {"Emitente", "P"},
                         {"Valor total", "20000"},
                         {"Situação", "N"}}) +
         "\r\n";
    t += r54("1", "2");
    // 51 de NF-e: sem modelo no 51, achado pela nota modelo 55.
    t += Registro("51", {{"CNPJ", "11222333000181"},
                         {"Data emissão/recebimento", "20230510"},
                         {"Unidade da Federação", "SP"},
                         {"Série", "1"},
                         {"Número", "1"},
                         {"CFOP", "5102"},
                         {"Valor total", "20000"},
                         {"Situação", "N"}}) +
         "\r\n";
    t += Registro("71", {{"CNPJ do tomador", "11222333000181"},
                         {"Data de emissão", "20230512"},
                         {"Modelo", "08"},
                         {"Série", "1"},
                         {"Número", "77"}}) +
         "\r\n";
    std::string a = Registro("60A", {{"Situação tributária", "1800"}, {"Valor acumulado", "500"}});
    a.replace(3, 8, "20230510");
    t += a + "\r\n";
    IndiceNotas ix(t);
    ix.indexaAqui();
    const auto& d = ix.documentos();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].tipo, TipoDocumento::NotaFiscal);
    EXPECT_FALSE(d[0].marcas & SemPrincipal);
    EXPECT_EQ(ix.registroEm(d[0].deslocamento).substr(0, 2), "50"); // o principal assumiu
    EXPECT_EQ(d[0].linha, 3u);
    EXPECT_EQ(TextoConferencia(d[0]), QStringLiteral("Confere"));
    std::vector<std::string> tipos;
    ix.paraCadaRegistro(
        0, [&](std::string_view r, std::uint64_t) { tipos.emplace_back(r.substr(0, 2)); });
    EXPECT_EQ(tipos, (std::vector<std::string>{"54", "50", "54", "51"}));
    EXPECT_EQ(TextoConferencia(d[1]), QStringLiteral("Sem o registro 70"));
    EXPECT_EQ(TextoConferencia(d[2]), QStringLiteral("Sem o registro 60M"));
    const DocumentoNota cupom = MontaDocumento(ix, 2);
    EXPECT_EQ(cupom.titulo, QStringLiteral("Registros de cupom fiscal sem o registro 60M"));
    EXPECT_FALSE(cupom.confere());
}
