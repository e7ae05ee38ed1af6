// Índice de linhas, filtro por tipo e busca, contados contra uma contagem de referência feita
// linha a linha (como `grep -c`) no mesmo arquivo.
#include "Registros.h"

#include "GeradorExemplo.h"
#include "nucleo/Busca.h"
#include "nucleo/Classes.h"
#include "nucleo/IndiceLinhas.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tramil;

namespace {

// Linhas como o motor as vê: LF com CR opcional, a última sem LF conta, o 26 final não.
std::vector<std::string> Linhas(std::string_view d) {
    if (!d.empty() && d.back() == '\x1A') d.remove_suffix(1);
    std::vector<std::string> r;
    std::size_t p = 0;
    while (p < d.size()) {
        auto nl = d.find('\n', p);
        if (nl == std::string_view::npos) nl = d.size();
        std::string l(d.substr(p, nl - p));
        if (!l.empty() && l.back() == '\r') l.pop_back();
        r.push_back(l);
        p = nl + 1;
    }
    return r;
}

std::vector<std::uint32_t> Busca(std::string_view dados, const CriterioBusca& c) {
    QString erro;
    auto b = Buscador::cria(c, erro);
    EXPECT_TRUE(b) << erro.toStdString();
    if (!b) return {};
    Varredura v(dados.size() + 1, [&](Varredura& x) { b->varre(dados, x); });
    v.executaAqui();
    std::vector<std::uint32_t> r;
    for (std::size_t i = 0; i < v.linhas().tamanho(); ++i)
        r.push_back(v.linhas()[i]);
    return r;
}

// Referência: QRegularExpression em cada linha (sem o fim de linha), como o grep.
std::vector<std::uint32_t> Referencia(const std::vector<std::string>& linhas, const QString& padrao,
                                      bool regex, bool maiusculas) {
    QRegularExpression re(regex ? padrao : QRegularExpression::escape(padrao),
                          maiusculas ? QRegularExpression::NoPatternOption
                                     : QRegularExpression::CaseInsensitiveOption);
    std::vector<std::uint32_t> r;
    for (std::size_t i = 0; i < linhas.size(); ++i)
        if (re.match(
                  QString::fromLatin1(linhas[i].data(), static_cast<qsizetype>(linhas[i].size())))
                .hasMatch())
            r.push_back(static_cast<std::uint32_t>(i));
    return r;
}

std::string Gerado(std::uint64_t registros, bool soLf, bool eof26 = false) {
    kelvor::exemplo::Opcoes o;
    o.registros = registros;
    o.soLf = soLf;
    o.eof26 = eof26;
    o.falhas = {kelvor::exemplo::Falha::Tamanho, kelvor::exemplo::Falha::Tipo,
                kelvor::exemplo::Falha::Icms};
    return kelvor::exemplo::geraTexto(o);
}

} // namespace

TEST(IndiceLinhas, LinhasDeslocamentosEContagemPorTipo) {
    for (const bool soLf : {false, true}) {
        const std::string d = Gerado(20000, soLf, true);
        const auto ref = Linhas(d);
        IndiceLinhas ix(d);
        ix.indexaAqui();
        ASSERT_TRUE(ix.completo());
        ASSERT_EQ(ix.linhasConhecidas(), static_cast<std::int64_t>(ref.size()));
        std::size_t desl = 0;
        std::vector<std::int64_t> porClasse(static_cast<std::size_t>(ClasseOutros()) + 1, 0);
        for (std::size_t i = 0; i < ref.size(); ++i) {
            ASSERT_EQ(ix.linha(static_cast<std::int64_t>(i)), ref[i]) << i;
            ASSERT_EQ(ix.inicioLinha(static_cast<std::int64_t>(i)),
                      static_cast<std::int64_t>(desl));
            ASSERT_EQ(ix.linhaDoDeslocamento(static_cast<std::int64_t>(desl + 5)),
                      static_cast<std::int64_t>(i));
            ++porClasse[static_cast<std::size_t>(ClasseDe(ref[i]))];
            desl = d.find('\n', desl) + 1;
        }
        EXPECT_EQ(ix.contagemPorClasse(), porClasse);
        EXPECT_GT(porClasse[static_cast<std::size_t>(ClasseOutros())],
                  0); // o registro de tipo "62"
        EXPECT_EQ(ix.linhaDoDeslocamento(static_cast<std::int64_t>(d.size()) - 1),
                  -1); // a marca 26
    }
    // Sem fim de linha no fim, e um arquivo de uma linha enorme.
    IndiceLinhas semFim(std::string_view("10ABC\r\n11DEF"));
    semFim.indexaAqui();
    EXPECT_EQ(semFim.linhasConhecidas(), 2);
    EXPECT_EQ(semFim.linha(1), "11DEF");
    const std::string enorme(3'000'000, 'x');
    IndiceLinhas uma(enorme);
    uma.indexaAqui();
    EXPECT_EQ(uma.linhasConhecidas(), 1);
    EXPECT_EQ(uma.linha(0).size(), enorme.size());
}

TEST(IndiceLinhas, FiltroPorTipoIgualAContagem) {
    const std::string d = Gerado(20000, false);
    const auto ref = Linhas(d);
    for (const QString& codigo :
         {QStringLiteral("54"), QStringLiteral("60A"), QStringLiteral("61")}) {
        const int classe = static_cast<int>(CodigosClasses().indexOf(codigo));
        std::vector<bool> marcadas(static_cast<std::size_t>(ClasseOutros()) + 1, false);
        marcadas[static_cast<std::size_t>(classe)] = true;
        Varredura v(d.size(), TrabalhoFiltroClasses(d, marcadas));
        v.executaAqui();
        std::vector<std::uint32_t> esperado;
        for (std::size_t i = 0; i < ref.size(); ++i)
            if (ClasseDe(ref[i]) == classe) esperado.push_back(static_cast<std::uint32_t>(i));
        ASSERT_EQ(v.linhas().tamanho(), esperado.size()) << codigo.toStdString();
        EXPECT_GT(esperado.size(), 0u);
        for (std::size_t i = 0; i < esperado.size(); ++i)
            ASSERT_EQ(v.linhas()[i], esperado[i]);
    }
}

// Palavras e expressões contadas como o grep conta: linhas com ao menos uma ocorrência.
TEST(Busca, ContagemIgualAReferenciaLinhaALinha) {
    for (const bool soLf : {false, true}) {
        const std::string d = Gerado(30000, soLf);
        const auto ref = Linhas(d);
        struct Caso {
            QString padrao;
            bool regex, maiusculas;
        };
        const Caso casos[] = {
            {QStringLiteral("ISENTO"), false, true},
            {QStringLiteral("isento"), false, false},
            {QStringLiteral("isento"), false, true}, // nenhuma: só existe em maiúsculas
            {QStringLiteral("000000000100"), false, true},
            {QStringLiteral("^54"), true, true},
            {QStringLiteral("N$"), true, true}, // o CR antes do LF não atrapalha o $
            {QStringLiteral("^60[AM].*ECF0+1\\b"), true, true},
            {QStringLiteral("5102|6102"), true, false},
            {QStringLiteral("^$"), true, true},
        };
        for (const auto& c : casos) {
            CriterioBusca k{c.padrao, c.regex, c.maiusculas};
            EXPECT_EQ(Busca(d, k), Referencia(ref, c.padrao, c.regex, c.maiusculas))
                << c.padrao.toStdString() << (soLf ? " LF" : " CRLF");
        }
    }
}

TEST(Busca, OcorrenciaNaFronteiraDaJanelaAcentosEMarcaDeFim) {
    // A ocorrência atravessa o limite de 4 MiB entre um trecho e o outro.
    std::string d;
    const std::string linha = std::string(125, 'a') + "\r\n";
    while (d.size() < (std::size_t(4) << 20) - 3)
        d += linha;
    d.resize((std::size_t(4) << 20) - 3);
    d += "AGULHA\r\n";
    d += "ultima linha sem fim com AGULHA";
    const auto ref = Linhas(d);
    EXPECT_EQ(Busca(d, {QStringLiteral("AGULHA"), false, true}),
              Referencia(ref, QStringLiteral("AGULHA"), false, true));
    EXPECT_EQ(Busca(d, {QStringLiteral("agulha$"), true, false}).size(), 2u);

    // Acentos do Windows-1252, com e sem diferenciar maiúsculas.
    const std::string acentos =
        "10 MUNIC\xCDPIO DE S\xC3O PAULO\r\n11 munic\xEDpio\r\n12 MUNICIPIO\r\n\x1A";
    EXPECT_EQ(Busca(acentos, {QStringLiteral("Município"), false, false}),
              (std::vector<std::uint32_t>{0, 1}));
    // Palavra só com letras ASCII: as acentuadas do arquivo não viram ASCII ao ignorar a caixa.
    EXPECT_EQ(Busca(acentos, {QStringLiteral("paulo"), false, false}),
              (std::vector<std::uint32_t>{0}));
    EXPECT_TRUE(Busca(acentos, {QStringLiteral("sao"), false, false}).empty());
    EXPECT_EQ(Busca(acentos, {QStringLiteral("MUNICÍPIO"), false, true}),
              (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(Busca(acentos, {QStringLiteral("são"), true, false}),
              (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(Busca(acentos, {QStringLiteral("\\x1A"), true, true}).size(),
              0u); // a marca não é linha

    QString erro;
    EXPECT_FALSE(Buscador::cria({QStringLiteral("(abc"), true, true}, erro));
    EXPECT_TRUE(erro.startsWith(QStringLiteral("Expressão regular inválida: ")))
        << erro.toStdString();
    EXPECT_FALSE(Buscador::cria({QString(), false, true}, erro));
    EXPECT_EQ(erro, QStringLiteral("Informe o texto a procurar."));
    EXPECT_FALSE(Buscador::cria({QStringLiteral("€uro ✓"), false, true}, erro));
}

TEST(Busca, OcorrenciasNumaLinhaParaDestacar) {
    QString erro;
    const auto b = Buscador::cria({QStringLiteral("ab"), false, false}, erro);
    const auto o = b->ocorrencias("xxABxab abab");
    ASSERT_EQ(o.size(), 4u);
    EXPECT_EQ(o[0].inicio, 2);
    EXPECT_EQ(o[3].inicio, 10);
    const auto r = Buscador::cria({QStringLiteral("\\d{3}"), true, true}, erro);
    const auto n = r->ocorrencias("a1234b567");
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[1].inicio, 6);
    EXPECT_EQ(n[1].tamanho, 3);
}

// O índice em fundo é lido enquanto cresce (a tela faz isso na abertura): toda linha que ele já
// diz conhecer sai inteira e certa, sem esperar o fim.
TEST(IndiceLinhas, LidoEnquantoCresce) {
    const std::string d = Gerado(300000, false);
    const auto ref = Linhas(d);
    IndiceLinhas ix(d);
    ix.iniciaFundo();
    std::size_t conferidas = 0;
    std::uint64_t k = 1;
    std::int64_t anterior = 0;
    while (!ix.completo() || conferidas < 2000) {
        const std::int64_t n = ix.linhasConhecidas();
        ASSERT_GE(n, anterior); // só cresce
        anterior = n;
        if (n == 0) continue;
        k = k * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto i = static_cast<std::int64_t>((k >> 33) % static_cast<std::uint64_t>(n));
        ASSERT_EQ(ix.linha(i), ref[static_cast<std::size_t>(i)]) << i << " de " << n;
        ++conferidas;
    }
    EXPECT_EQ(ix.linhasConhecidas(), static_cast<std::int64_t>(ref.size()));
    EXPECT_EQ(ix.progresso(), 1.0);
}
