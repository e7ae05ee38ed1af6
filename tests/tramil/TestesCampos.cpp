// O painel de campos de todos os tipos de registro, sobre a tabela de leiaute do motor, e os
// significados (CFOP, UF, modelo, situação, valores, datas).
#include "Registros.h"

#include "core/Leiaute.h"
#include "core/Significados.h"
#include "nucleo/CamposNota.h"
#include "nucleo/Classes.h"
#include "nucleo/DescricaoRegistro.h"
#include "nucleo/Formato.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>

using namespace tramil;
namespace sig = kelvor::significados;

namespace {

std::string Completo(const QString& codigo) {
    std::string r = codigo.toStdString();
    r.resize(126, ' ');
    return r;
}

// Conteúdo diferente em cada campo: o painel tem de mostrar o pedaço certo no campo certo.
std::string RegistroMarcado(const kelvor::LeiauteRegistro& l) {
    std::string r(l.codigo);
    r.resize(126, ' ');
    for (std::size_t i = 1; i < l.campos.size(); ++i) {
        const auto& c = l.campos[i];
        if (c.especie == kelvor::Especie::Tipo || c.especie == kelvor::Especie::Brancos) continue;
        for (int k = 0; k < c.tamanho; ++k)
            r[static_cast<std::size_t>(c.inicio - 1 + k)] =
                static_cast<char>(c.especie == kelvor::Especie::N ? '0' + static_cast<int>(i % 10)
                                                                  : 'A' + static_cast<int>(i % 26));
    }
    return r;
}

QString Significado(const RegistroExibido& r, const char* campo) {
    for (const auto& c : r.campos)
        if (c.nome == QString::fromUtf8(campo)) return c.significado;
    ADD_FAILURE() << "campo ausente: " << campo;
    return {};
}

std::map<int, QString> CfopsDoArquivo() {
    std::map<int, QString> m;
    QFile f(QStringLiteral(KORVENTA_SOURCE_DIR "/libs/kelvor/dados/cfop.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    for (const QString& l : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString s = l.trimmed();
        if (s.size() > 5 && s.at(0).isDigit() && s.at(4) == QLatin1Char('\t'))
            m[s.left(4).toInt()] = s.mid(5);
    }
    return m;
}

} // namespace

// Cada tipo (e subtipo) do leiaute: nome, posição e conteúdo de cada campo vêm da tabela do
// motor, e toda coluna de 1 a 126 cai em exatamente um campo.
TEST(PainelCampos, TodoTipoDeRegistroPelaTabelaDoMotor) {
    int tipos = 0;
    for (const QString& codigo : CodigosClasses()) {
        const std::string base = Completo(codigo);
        const kelvor::LeiauteRegistro* l = kelvor::leiautePara(base);
        ASSERT_NE(l, nullptr) << codigo.toStdString();
        if (l->codigo == "88" || l->codigo == "90") continue; // leiautes próprios, abaixo
        ++tipos;
        const std::string r = RegistroMarcado(*l);
        const RegistroExibido e = DescreveRegistro(r);
        EXPECT_EQ(e.codigo, codigo);
        EXPECT_TRUE(
            e.titulo.startsWith(QStringLiteral("Registro ") + codigo + QStringLiteral(" - ")))
            << e.titulo.toStdString();
        EXPECT_TRUE(e.aviso.isEmpty()) << e.aviso.toStdString();
        ASSERT_EQ(e.campos.size(), l->campos.size()) << codigo.toStdString();
        for (std::size_t i = 0; i < l->campos.size(); ++i) {
            const auto& c = l->campos[i];
            const auto& x = e.campos[i];
            EXPECT_EQ(x.numero, static_cast<int>(i) + 1);
            EXPECT_EQ(x.nome, QString::fromUtf8(c.nome));
            EXPECT_EQ(x.inicio, c.inicio);
            EXPECT_EQ(x.tamanho, c.tamanho);
            EXPECT_EQ(x.conteudo,
                      TextoDoArquivo(std::string_view(r).substr(c.inicio - 1u, c.tamanho)));
            EXPECT_FALSE(x.incompleto);
        }
        for (int coluna = 1; coluna <= 126; ++coluna) {
            const int i = CampoNaColuna(e, coluna);
            ASSERT_GE(i, 0) << codigo.toStdString() << " coluna " << coluna;
            const auto& c = e.campos[static_cast<std::size_t>(i)];
            EXPECT_TRUE(coluna >= c.inicio && coluna < c.inicio + c.tamanho);
        }
        EXPECT_EQ(CampoNaColuna(e, 127), -1);
    }
    EXPECT_EQ(tipos, ClasseOutros() - 2);
}

TEST(PainelCampos, SignificadosDosCodigosValoresEDatas) {
    const auto cfops = CfopsDoArquivo();
    const auto r50 =
        DescreveRegistro(teste::Registro("50", {{"CNPJ", "00012345678909"},
                                                {"Inscrição Estadual", "ISENTO"},
                                                {"Data emissão/recebimento", "20230515"},
                                                {"Unidade da Federação", "EX"},
                                                {"Modelo", "55"},
                                                {"CFOP", "5102"},
                                                {"Emitente", "T"},
                                                {"Valor total", "123456"},
                                                {"Alíquota", "1800"},
                                                {"Situação", "S"}}));
    EXPECT_EQ(Significado(r50, "CNPJ"), QStringLiteral("CPF 123.456.789-09"));
    EXPECT_EQ(Significado(r50, "Inscrição Estadual"),
              QStringLiteral("isento de inscrição estadual"));
    EXPECT_EQ(Significado(r50, "Data emissão/recebimento"), QStringLiteral("15/05/2023"));
    EXPECT_EQ(Significado(r50, "Unidade da Federação"), QStringLiteral("Exterior"));
    EXPECT_EQ(Significado(r50, "Modelo"), QStringLiteral("Nota Fiscal Eletrônica (NF-e)"));
    EXPECT_EQ(Significado(r50, "CFOP"), cfops.at(5102));
    EXPECT_EQ(Significado(r50, "Emitente"), QStringLiteral("Terceiros"));
    EXPECT_EQ(Significado(r50, "Valor total"), QStringLiteral("1.234,56"));
    EXPECT_EQ(Significado(r50, "Alíquota"), QStringLiteral("18,00%"));
    EXPECT_EQ(Significado(r50, "Situação"), QStringLiteral("Documento fiscal cancelado"));
    EXPECT_EQ(Significado(r50, "Série"), QStringLiteral("(em branco)"));

    const auto ruim =
        DescreveRegistro(teste::Registro("50", {{"CNPJ", "86024835000105"},
                                                {"Data emissão/recebimento", "20230532"},
                                                {"Unidade da Federação", "XX"},
                                                {"CFOP", "5100"},
                                                {"Situação", "Z"}}));
    EXPECT_EQ(Significado(ruim, "CNPJ"), QStringLiteral("CNPJ 86.024.835/0001-05"));
    EXPECT_EQ(Significado(ruim, "Data emissão/recebimento"), QStringLiteral("data inválida"));
    EXPECT_EQ(Significado(ruim, "Unidade da Federação"), QStringLiteral("UF desconhecida"));
    EXPECT_EQ(Significado(ruim, "CFOP"), QStringLiteral("CFOP fora da tabela"));
    EXPECT_EQ(Significado(ruim, "Situação"), QStringLiteral("código fora da tabela"));

    const auto r54 = DescreveRegistro(
        teste::Registro("54", {{"Número do item", "991"}, {"Quantidade", "12345"}}));
    EXPECT_EQ(Significado(r54, "Número do item"), QStringLiteral("Frete"));
    EXPECT_EQ(Significado(r54, "Quantidade"), QStringLiteral("12,345"));
    const auto a = DescreveRegistro(teste::Registro("60A", {{"Situação tributária", "1800"}}));
    EXPECT_EQ(Significado(a, "Situação tributária"), QStringLiteral("Tributado a 18,00%"));
    const auto canc = DescreveRegistro(teste::Registro("60A", {{"Situação tributária", "CANC"}}));
    EXPECT_EQ(Significado(canc, "Situação tributária"), QStringLiteral("Cancelamentos"));
    const auto r10 = DescreveRegistro(
        teste::Registro("10", {{"Código da finalidade", "5"}, {"Código da natureza", "9"}}));
    EXPECT_EQ(Significado(r10, "Código da finalidade"), QStringLiteral("Desfazimento"));
    EXPECT_EQ(Significado(r10, "Código da natureza"), QStringLiteral("código fora da tabela"));
    const auto r76 = DescreveRegistro(teste::Registro("76", {{"Alíquota", "17"}}));
    EXPECT_EQ(Significado(r76, "Alíquota"), QStringLiteral("17%")); // inteira neste registro
    const auto r70 = DescreveRegistro(teste::Registro("70", {{"CIF/FOB/Outros", "2"}}));
    EXPECT_EQ(Significado(r70, "CIF/FOB/Outros"), QStringLiteral("FOB"));
}

// O registro 90 tem pares (tipo, total) que mudam de registro para registro; 88 é da UF.
TEST(PainelCampos, Registros90E88EOsQueNaoTemLeiaute) {
    std::string r90 = "90" + std::string("86024835000105") + "590518532008  " + "5000000200" +
                      "5400000400" + "9900000603";
    r90.resize(125, ' ');
    r90 += '1';
    const auto e = DescreveRegistro(r90);
    ASSERT_EQ(e.campos.size(), 11u);
    EXPECT_EQ(e.campos[3].nome, QStringLiteral("Tipo a ser totalizado"));
    EXPECT_EQ(e.campos[3].inicio, 31);
    EXPECT_EQ(e.campos[3].significado, QStringLiteral("Registro 50 - Nota fiscal quanto ao ICMS"));
    EXPECT_EQ(e.campos[4].inicio, 33);
    EXPECT_EQ(e.campos[4].significado, QStringLiteral("200"));
    EXPECT_EQ(e.campos[7].significado, QStringLiteral("Total geral do arquivo"));
    EXPECT_EQ(e.campos[9].nome, QStringLiteral("Brancos"));
    EXPECT_EQ(e.campos[9].inicio, 61);
    EXPECT_EQ(e.campos[10].inicio, 126);
    for (int coluna = 1; coluna <= 126; ++coluna)
        EXPECT_GE(CampoNaColuna(e, coluna), 0) << coluna;

    std::string r88 = "88SME86024835000105";
    r88.resize(126, ' ');
    const auto e88 = DescreveRegistro(r88);
    ASSERT_EQ(e88.campos.size(), 2u);
    EXPECT_EQ(e88.campos[1].conteudo.left(17), QStringLiteral("SME86024835000105"));

    const auto desconhecido = DescreveRegistro("99XYZ");
    EXPECT_TRUE(desconhecido.codigo.isEmpty());
    EXPECT_EQ(desconhecido.aviso, QStringLiteral("Tipo de registro desconhecido: 99."));
    ASSERT_EQ(desconhecido.campos.size(), 1u);
    EXPECT_EQ(desconhecido.campos[0].conteudo, QStringLiteral("99XYZ"));

    // Registro curto: os campos depois do fim aparecem incompletos, sem significado inventado.
    const std::string curto = teste::Registro("50", {{"Valor total", "100"}}).substr(0, 60);
    const auto c = DescreveRegistro(curto);
    EXPECT_EQ(c.aviso, QStringLiteral("Registro com 60 posições (deve ter 126)."));
    EXPECT_TRUE(c.campos.back().incompleto);
    EXPECT_TRUE(c.campos.back().conteudo.isEmpty());
    EXPECT_TRUE(c.campos[10].incompleto); // Valor total: 57-69
    EXPECT_TRUE(c.campos[10].significado.isEmpty());

    // Bytes de controle e acentos do Windows-1252 na tela, um caractere por byte.
    const auto acento =
        DescreveRegistro(teste::Registro("75", {{"Descrição", "CAF\xC9 \x01 TORRADO"}}));
    EXPECT_EQ(acento.campos[5].conteudo.left(14), QStringLiteral("CAFÉ · TORRADO"));
}

// As tabelas que completam o leiaute (casas decimais, CFOP, posições da consulta de notas)
// continuam batendo com ele.
TEST(PainelCampos, TabelasComplementaresBatemComOLeiaute) {
    for (const QString& codigo : CodigosClasses()) {
        const auto* l = kelvor::leiautePara(Completo(codigo));
        ASSERT_NE(l, nullptr);
        for (const auto& c : l->campos) {
            const int casas = sig::decimais(l->codigo, c.inicio);
            if (casas > 0) {
                EXPECT_EQ(c.especie, kelvor::Especie::N) << codigo.toStdString() << " " << c.nome;
            }
            const std::string nome = c.nome;
            const bool valor =
                nome.rfind("Valor", 0) == 0 || nome.rfind("Base", 0) == 0 || nome == "Quantidade";
            if (valor && c.especie == kelvor::Especie::N) {
                EXPECT_GT(casas, 0) << codigo.toStdString() << " " << c.nome;
            }
        }
    }
    const auto cfops = CfopsDoArquivo();
    ASSERT_GT(cfops.size(), 500u);
    for (const auto& [codigo, descricao] : cfops) {
        const std::string c = std::to_string(codigo);
        EXPECT_EQ(
            QString::fromUtf8(sig::cfop(c).data(), static_cast<qsizetype>(sig::cfop(c).size())),
            descricao)
            << c;
    }
    EXPECT_TRUE(sig::cfop("5100").empty());
    EXPECT_TRUE(Campos().faltando.isEmpty())
        << Campos().faltando.join(QStringLiteral("; ")).toStdString();
}

TEST(PainelCampos, Formatos) {
    EXPECT_EQ(FormataDecimal(0, 2), QStringLiteral("0,00"));
    EXPECT_EQ(FormataDecimal(-123456789, 2), QStringLiteral("-1.234.567,89"));
    EXPECT_EQ(FormataDecimal(1234567, 3), QStringLiteral("1.234,567"));
    EXPECT_EQ(FormataInteiro(1234567890123), QStringLiteral("1.234.567.890.123"));
    EXPECT_EQ(FormataData("20240229"), QStringLiteral("29/02/2024"));
    EXPECT_TRUE(FormataData("2024022X").isEmpty());
    EXPECT_TRUE(FormataCnpjCpf("00000000000000").isEmpty());
}
