// Campos de cada registro conforme o Manual de Orientação do Convênio ICMS 57/95.
#include "core/Leiaute.h"

#include "core/Tabelas.h"

namespace kelvor {

namespace {

using E = Especie;

constexpr const char* Situacoes = "NSEX24";
constexpr const char* ModelosNF = "01 03 04 06 21 22 55";
constexpr const char* ModelosST = "01 03 04 21 55";
constexpr const char* ModelosItem = "01 03 04 55";
constexpr const char* ModelosEcf = "2B 2C 2D";
// A venda a consumidor (02) vai no 61, nunca no 50; energia elétrica (06) e telecomunicações
// (22) só entram no 50, pelo lado de quem adquire.
constexpr const char* ProibidosNo50 = "02";
constexpr const char* ProibidosNosItens = "06 22";

constexpr Campo R10[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjInformante},
    {"Inscrição Estadual", 17, 14, E::IEInformante, nullptr, -1, 5},
    {"Nome do Contribuinte", 31, 35, E::Obrigatorio},
    {"Município", 66, 30, E::Obrigatorio},
    {"Unidade da Federação", 96, 2, E::UF},
    {"Fax", 98, 10, E::N},
    {"Data Inicial", 108, 8, E::Data},
    {"Data Final", 116, 8, E::Data},
    {"Código da estrutura", 124, 1, E::Codigo, "123"},
    {"Código da natureza", 125, 1, E::Codigo, "123"},
    {"Código da finalidade", 126, 1, E::Codigo, "1235"},
};

constexpr Campo R11[] = {
    {"Tipo", 1, 2, E::Tipo},           {"Logradouro", 3, 34, E::X}, {"Número", 37, 5, E::N},
    {"Complemento", 42, 22, E::X},     {"Bairro", 64, 15, E::X},    {"CEP", 79, 8, E::N},
    {"Nome do Contato", 87, 28, E::X}, {"Telefone", 115, 12, E::N},
};

constexpr Campo R50[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjContraparte, nullptr, 2, 4},
    {"Inscrição Estadual", 17, 14, E::IE, nullptr, -1, 4},
    {"Data emissão/recebimento", 31, 8, E::Data},
    {"Unidade da Federação", 39, 2, E::UFouEX},
    {"Modelo", 41, 2, E::Modelo, ModelosNF, -1, -1, ProibidosNo50},
    {"Série", 43, 3, E::X},
    {"Número", 46, 6, E::N},
    {"CFOP", 52, 4, E::CFOP},
    {"Emitente", 56, 1, E::Codigo, "PT"},
    {"Valor total", 57, 13, E::N},
    {"Base de Cálculo do ICMS", 70, 13, E::N},
    {"Valor do ICMS", 83, 13, E::N},
    {"Isenta ou não-tributada", 96, 13, E::N},
    {"Outras", 109, 13, E::N},
    {"Alíquota", 122, 4, E::N},
    {"Situação", 126, 1, E::Codigo, Situacoes},
};

constexpr Campo R51[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjContraparte, nullptr, 2, 4},
    {"Inscrição Estadual", 17, 14, E::IE, nullptr, -1, 4},
    {"Data emissão/recebimento", 31, 8, E::Data},
    {"Unidade da Federação", 39, 2, E::UFouEX},
    {"Série", 41, 3, E::X},
    {"Número", 44, 6, E::N},
    {"CFOP", 50, 4, E::CFOP},
    {"Valor total", 54, 13, E::N},
    {"Valor do IPI", 67, 13, E::N},
    {"Isenta ou não-trib. IPI", 80, 13, E::N},
    {"Outras - IPI", 93, 13, E::N},
    {"Brancos", 106, 20, E::Brancos},
    {"Situação", 126, 1, E::Codigo, Situacoes},
};

constexpr Campo R53[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjContraparte, nullptr, 2, 4},
    {"Inscrição Estadual", 17, 14, E::IE, nullptr, -1, 4},
    {"Data emissão/recebimento", 31, 8, E::Data},
    {"Unidade da Federação", 39, 2, E::UFouEX},
    {"Modelo", 41, 2, E::Modelo, ModelosST, -1, -1, ProibidosNosItens},
    {"Série", 43, 3, E::X},
    {"Número", 46, 6, E::N},
    {"CFOP", 52, 4, E::CFOP},
    {"Emitente", 56, 1, E::Codigo, "PT"},
    {"Base de cálculo ICMS ST", 57, 13, E::N},
    {"ICMS retido", 70, 13, E::N},
    {"Despesas acessórias", 83, 13, E::N},
    {"Situação", 96, 1, E::Codigo, Situacoes},
    {"Código da antecipação", 97, 1, E::CodigoAdvertencia, " 123456"},
    {"Brancos", 98, 29, E::Brancos},
};

constexpr Campo R54[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjContraparte},
    {"Modelo", 17, 2, E::Modelo, ModelosItem, -1, -1, ProibidosNosItens},
    {"Série", 19, 3, E::X},
    {"Número", 22, 6, E::N},
    {"CFOP", 28, 4, E::CFOP},
    {"CST", 32, 3, E::X},
    {"Número do item", 35, 3, E::Item54},
    {"Código do produto", 38, 14, E::X},
    {"Quantidade", 52, 11, E::N},
    {"Valor do produto", 63, 12, E::N},
    {"Valor desconto/despesa", 75, 12, E::N},
    {"Base de cálculo do ICMS", 87, 12, E::N},
    {"Base de cálculo ICMS ST", 99, 12, E::N},
    {"Valor do IPI", 111, 12, E::N},
    {"Alíquota do ICMS", 123, 4, E::N},
};

constexpr Campo R55[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjInformante},
    {"Inscrição Estadual", 17, 14, E::IEFavorecida, nullptr, -1, 5},
    {"Data da GNRE", 31, 8, E::Data},
    {"UF do substituto", 39, 2, E::UF},
    {"UF favorecida", 41, 2, E::UF},
    {"Banco GNRE", 43, 3, E::N},
    {"Agência GNRE", 46, 4, E::N},
    {"Número GNRE", 50, 20, E::X},
    {"Valor GNRE", 70, 13, E::N},
    {"Data vencimento", 83, 8, E::Data},
    {"Mês e ano de referência", 91, 6, E::MesAno},
    {"Nº convênio ou protocolo", 97, 30, E::X},
};

constexpr Campo R56[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ/CPF", 3, 14, E::CnpjContraparte},
    {"Modelo", 17, 2, E::Modelo, ModelosItem},
    {"Série", 19, 3, E::X},
    {"Número", 22, 6, E::N},
    {"CFOP", 28, 4, E::CFOP},
    {"CST", 32, 3, E::N},
    {"Número do item", 35, 3, E::N},
    {"Código do produto", 38, 14, E::X},
    {"Tipo de operação", 52, 1, E::Codigo, "0123"},
    {"CNPJ da concessionária", 53, 14, E::CnpjOpcional},
    {"Alíquota do IPI", 67, 4, E::N},
    {"Chassi", 71, 17, E::X},
    {"Brancos", 88, 39, E::Brancos},
};

constexpr Campo R57[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjContraparte, nullptr, 2},
    {"Inscrição Estadual", 17, 14, E::IE},
    {"Modelo", 31, 2, E::Modelo, ModelosItem},
    {"Série", 33, 3, E::X},
    {"Número", 36, 6, E::N},
    {"CFOP", 42, 4, E::CFOP},
    {"CST", 46, 3, E::X},
    {"Número do item", 49, 3, E::N},
    {"Código do produto", 52, 14, E::X},
    {"Número do lote", 66, 20, E::X},
    {"Brancos", 86, 41, E::Brancos},
};

constexpr Campo R60M[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Subtipo", 3, 1, E::Tipo},
    {"Data de emissão", 4, 8, E::Data},
    {"Nº de série de fabricação", 12, 20, E::Obrigatorio},
    {"Nº ordem do equipamento", 32, 3, E::N},
    {"Modelo do documento", 35, 2, E::Codigo2, ModelosEcf},
    {"COO no início do dia", 37, 6, E::N},
    {"COO no final do dia", 43, 6, E::N},
    {"Contador de redução Z", 49, 6, E::N},
    {"Contador de reinício", 55, 3, E::N},
    {"Valor da venda bruta", 58, 16, E::N},
    {"Totalizador geral", 74, 16, E::N},
    {"Brancos", 90, 37, E::Brancos},
};

constexpr Campo R60A[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Subtipo", 3, 1, E::Tipo},
    {"Data de emissão", 4, 8, E::Data},
    {"Nº de série de fabricação", 12, 20, E::Obrigatorio},
    {"Situação tributária", 32, 4, E::SituacaoTributaria},
    {"Valor acumulado", 36, 12, E::N},
    {"Brancos", 48, 79, E::Brancos},
};

constexpr Campo R60D[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Subtipo", 3, 1, E::Tipo},
    {"Data de emissão", 4, 8, E::Data},
    {"Nº de série de fabricação", 12, 20, E::Obrigatorio},
    {"Código do produto", 32, 14, E::X},
    {"Quantidade", 46, 13, E::N},
    {"Valor do produto", 59, 16, E::N},
    {"Base de cálculo do ICMS", 75, 16, E::N},
    {"Situação tributária", 91, 4, E::SituacaoTributaria},
    {"Valor do ICMS", 95, 13, E::N},
    {"Brancos", 108, 19, E::Brancos},
};

constexpr Campo R60I[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Subtipo", 3, 1, E::Tipo},
    {"Data de emissão", 4, 8, E::Data},
    {"Nº de série de fabricação", 12, 20, E::Obrigatorio},
    {"Modelo do documento", 32, 2, E::Codigo2, ModelosEcf},
    {"Nº de ordem do documento", 34, 6, E::N},
    {"Número do item", 40, 3, E::N},
    {"Código do produto", 43, 14, E::X},
    {"Quantidade", 57, 13, E::N},
    {"Valor do produto", 70, 13, E::N},
    {"Base de cálculo do ICMS", 83, 12, E::N},
    {"Situação tributária", 95, 4, E::SituacaoTributaria},
    {"Valor do ICMS", 99, 12, E::N},
    {"Brancos", 111, 16, E::Brancos},
};

constexpr Campo R60R[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Subtipo", 3, 1, E::Tipo},
    {"Mês e ano de emissão", 4, 6, E::MesAno},
    {"Código do produto", 10, 14, E::X},
    {"Quantidade", 24, 13, E::N},
    {"Valor do produto", 37, 16, E::N},
    {"Base de cálculo do ICMS", 53, 16, E::N},
    {"Situação tributária", 69, 4, E::SituacaoTributaria},
    {"Brancos", 73, 54, E::Brancos},
};

constexpr Campo R61[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Brancos", 3, 14, E::Brancos},
    {"Brancos", 17, 14, E::Brancos},
    {"Data de emissão", 31, 8, E::Data},
    {"Modelo", 39, 2, E::Modelo, "02 04 07 13 14 15 16 17 18 20 21 24 25"},
    {"Série", 41, 3, E::X},
    {"Subsérie", 44, 2, E::X},
    {"Número inicial de ordem", 46, 6, E::N},
    {"Número final de ordem", 52, 6, E::N},
    {"Valor total", 58, 13, E::N},
    {"Base de cálculo do ICMS", 71, 13, E::N},
    {"Valor do ICMS", 84, 12, E::N},
    {"Isenta ou não tributadas", 96, 13, E::N},
    {"Outras", 109, 13, E::N},
    {"Alíquota", 122, 4, E::N},
    {"Branco", 126, 1, E::Brancos},
};

constexpr Campo R61R[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Subtipo", 3, 1, E::Tipo},
    {"Mês e ano de emissão", 4, 6, E::MesAno},
    {"Código do produto", 10, 14, E::X},
    {"Quantidade", 24, 13, E::N},
    {"Valor bruto do produto", 37, 16, E::N},
    {"Base de cálculo do ICMS", 53, 16, E::N},
    {"Alíquota do produto", 69, 4, E::N},
    {"Brancos", 73, 54, E::Brancos},
};

constexpr Campo R70[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ", 3, 14, E::CnpjContraparte, nullptr, 2, 4},
    {"Inscrição Estadual", 17, 14, E::IE, nullptr, -1, 4},
    {"Data emissão/utilização", 31, 8, E::Data},
    {"Unidade da Federação", 39, 2, E::UFouEX},
    {"Modelo", 41, 2, E::Modelo, "07 08 09 10 11 26 27 57 67"},
    {"Série", 43, 1, E::X},
    {"Subsérie", 44, 2, E::X},
    {"Número", 46, 6, E::N},
    {"CFOP", 52, 4, E::CFOP},
    {"Valor total", 56, 13, E::N},
    {"Base de cálculo do ICMS", 69, 14, E::N},
    {"Valor do ICMS", 83, 14, E::N},
    {"Isenta ou não tributada", 97, 14, E::N},
    {"Outras", 111, 14, E::N},
    {"CIF/FOB/Outros", 125, 1, E::Codigo, "012"},
    {"Situação", 126, 1, E::Codigo, Situacoes},
};

constexpr Campo R71[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ do tomador", 3, 14, E::CnpjContraparte, nullptr, 2, 4},
    {"IE do tomador", 17, 14, E::IE, nullptr, -1, 4},
    {"Data de emissão", 31, 8, E::Data},
    {"UF do tomador", 39, 2, E::UFouEX},
    {"Modelo", 41, 2, E::Modelo, "08 09 10 11 26 57"},
    {"Série", 43, 1, E::X},
    {"Subsérie", 44, 2, E::X},
    {"Número", 46, 6, E::N},
    {"UF remetente/destinatário", 52, 2, E::UFouEX},
    {"CNPJ remetente/destinat.", 54, 14, E::CnpjContraparte, nullptr, 11, 9},
    {"IE remetente/destinatário", 68, 14, E::IE, nullptr, -1, 9},
    {"Data de emissão da NF", 82, 8, E::Data},
    {"Modelo da NF", 90, 2, E::Modelo, ModelosNF},
    {"Série da NF", 92, 3, E::X},
    {"Número da NF", 95, 6, E::N},
    {"Valor total da NF", 101, 14, E::N},
    {"Brancos", 115, 12, E::Brancos},
};

constexpr Campo R74[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Data do inventário", 3, 8, E::Data},
    {"Código do produto", 11, 14, E::Obrigatorio},
    {"Quantidade", 25, 13, E::N},
    {"Valor do produto", 38, 13, E::N},
    {"Código de posse", 51, 1, E::Codigo, "123"},
    {"CNPJ do possuidor", 52, 14, E::CnpjOpcional},
    {"IE do possuidor", 66, 14, E::IEOpcional, nullptr, -1, 8},
    {"UF do possuidor", 80, 2, E::UFOpcional},
    {"Brancos", 82, 45, E::Brancos},
};

constexpr Campo R75[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Data inicial", 3, 8, E::Data},
    {"Data final", 11, 8, E::Data},
    {"Código do produto", 19, 14, E::Obrigatorio},
    {"Código NCM", 33, 8, E::X},
    {"Descrição", 41, 53, E::X},
    {"Unidade de medida", 94, 6, E::X},
    {"Alíquota do IPI", 100, 5, E::N},
    {"Alíquota do ICMS", 105, 4, E::N},
    {"Redução da base de cálc.", 109, 5, E::N},
    {"Base de cálculo ICMS ST", 114, 13, E::N},
};

constexpr Campo R76[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ/CPF", 3, 14, E::CnpjContraparte, nullptr, 2, 10},
    {"Inscrição Estadual", 17, 14, E::IE, nullptr, -1, 10},
    {"Modelo", 31, 2, E::Modelo, "21 22"},
    {"Série", 33, 2, E::X},
    {"Subsérie", 35, 2, E::X},
    {"Número", 37, 10, E::N},
    {"CFOP", 47, 4, E::CFOP},
    {"Tipo de receita", 51, 1, E::Codigo, "12"},
    {"Data emissão/recebimento", 52, 8, E::Data},
    {"Unidade da Federação", 60, 2, E::UFouEX},
    {"Valor total", 62, 13, E::N},
    {"Base de cálculo do ICMS", 75, 13, E::N},
    {"Valor do ICMS", 88, 12, E::N},
    {"Isenta ou não tributada", 100, 12, E::N},
    {"Outras", 112, 12, E::N},
    {"Alíquota", 124, 2, E::N},
    {"Situação", 126, 1, E::Codigo, Situacoes},
};

constexpr Campo R77[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"CNPJ/CPF", 3, 14, E::CnpjContraparte},
    {"Modelo", 17, 2, E::Modelo, "21 22"},
    {"Série", 19, 2, E::X},
    {"Subsérie", 21, 2, E::X},
    {"Número", 23, 10, E::N},
    {"CFOP", 33, 4, E::CFOP},
    {"Tipo de receita", 37, 1, E::Codigo, "12"},
    {"Número do item", 38, 3, E::N},
    {"Código do serviço", 41, 11, E::X},
    {"Quantidade", 52, 13, E::N},
    {"Valor do serviço", 65, 12, E::N},
    {"Valor desconto/despesa", 77, 12, E::N},
    {"Base de cálculo do ICMS", 89, 12, E::N},
    {"Alíquota do ICMS", 101, 2, E::N},
    {"CNPJ da operadora", 103, 14, E::CnpjOpcional},
    {"Código (nº terminal)", 117, 10, E::N},
};

constexpr Campo R85[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Declaração de Exportação", 3, 11, E::N},
    {"Data da declaração", 14, 8, E::Data},
    {"Natureza da exportação", 22, 1, E::Codigo, "1234"},
    {"Registro de Exportação", 23, 12, E::N},
    {"Data do registro", 35, 8, E::DataOpcional},
    {"Conhecimento de embarque", 43, 16, E::X},
    {"Data do conhecimento", 59, 8, E::DataOpcional},
    {"Tipo do conhecimento", 67, 2, E::Codigo2,
     "01 02 03 04 06 07 08 09 10 11 12 13 14 16 17 18 19 20 91 92 93 99"},
    {"País", 69, 4, E::N},
    {"Reservado", 73, 8, E::Zeros},
    {"Data da averbação", 81, 8, E::Data},
    {"Nota Fiscal de Exportação", 89, 6, E::N},
    {"Data de emissão", 95, 8, E::Data},
    {"Modelo", 103, 2, E::Modelo, ModelosItem},
    {"Série", 105, 3, E::N},
    {"Brancos", 108, 19, E::Brancos},
};

constexpr Campo R86[] = {
    {"Tipo", 1, 2, E::Tipo},
    {"Registro de Exportação", 3, 12, E::N},
    {"Data do registro", 15, 8, E::Data},
    {"CNPJ do remetente", 23, 14, E::CnpjContraparte, nullptr, 4, 5},
    {"IE do remetente", 37, 14, E::IE, nullptr, -1, 5},
    {"Unidade da Federação", 51, 2, E::UFouEX},
    {"Número da Nota Fiscal", 53, 6, E::N},
    {"Data de emissão", 59, 8, E::Data},
    {"Modelo", 67, 2, E::Modelo, ModelosItem},
    {"Série", 69, 3, E::N},
    {"Código do produto", 72, 14, E::X},
    {"Quantidade", 86, 11, E::N},
    {"Valor unitário", 97, 12, E::N},
    {"Valor do produto", 109, 12, E::N},
    {"Relacionamento", 121, 1, E::Codigo, "0123"},
    {"Brancos", 122, 5, E::Brancos},
};

// 88 (definido pelos Estados) e 90 (regras do arquivo todo) não têm campos conferidos aqui.
constexpr Campo RSoTipo[] = {{"Tipo", 1, 2, E::Tipo}};

constexpr Posicao P(int i, int t) {
    return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(t)};
}

// clang-format off
const LeiauteRegistro L10{"10", 0, R10, {}, {}, {}, {}};
const LeiauteRegistro L11{"11", 1, R11, {}, {}, {}, {}};
const LeiauteRegistro L50{"50", 2, R50, {.data = 3, .uf = 4, .cfop = 8, .situacao = 16, .base = 11, .icms = 12, .aliquota = 15}, P(43, 3), P(46, 6), {}};
const LeiauteRegistro L51{"51", 3, R51, {.data = 3, .uf = 4, .cfop = 7, .situacao = 13}, P(41, 3), P(44, 6), {}};
const LeiauteRegistro L53{"53", 4, R53, {.data = 3, .uf = 4, .cfop = 8, .situacao = 13}, P(43, 3), P(46, 6), {}};
const LeiauteRegistro L54{"54", 5, R54, {.cfop = 5}, P(19, 3), P(22, 6), P(35, 3)};
const LeiauteRegistro L55{"55", 6, R55, {}, {}, {}, {}};
const LeiauteRegistro L56{"56", 7, R56, {.cfop = 5}, P(19, 3), P(22, 6), P(35, 3)};
const LeiauteRegistro L57{"57", 8, R57, {.cfop = 6}, P(33, 3), P(36, 6), P(49, 3), false};
const LeiauteRegistro L60M{"60M", 9, R60M, {.data = 2}, {}, {}, {}};
const LeiauteRegistro L60A{"60A", 9, R60A, {.data = 2}, {}, {}, {}};
const LeiauteRegistro L60D{"60D", 9, R60D, {.data = 2, .base = 7, .icms = 9, .aliquota = 8}, {}, {}, {}};
const LeiauteRegistro L60I{"60I", 9, R60I, {.data = 2, .base = 10, .icms = 12, .aliquota = 11}, {}, P(34, 6), P(40, 3)};
const LeiauteRegistro L60R{"60R", 9, R60R, {}, {}, {}, {}};
const LeiauteRegistro L61{"61", 10, R61, {.data = 3, .base = 10, .icms = 11, .aliquota = 14}, P(41, 3), P(46, 6), {}};
const LeiauteRegistro L61R{"61R", 10, R61R, {}, {}, {}, {}};
const LeiauteRegistro L70{"70", 11, R70, {.data = 3, .uf = 4, .cfop = 9, .situacao = 16}, P(43, 1), P(46, 6), {}};
const LeiauteRegistro L71{"71", 12, R71, {.data = 3}, P(43, 1), P(46, 6), {}};
const LeiauteRegistro L74{"74", 13, R74, {}, {}, {}, {}};
const LeiauteRegistro L75{"75", 14, R75, {}, {}, {}, {}};
const LeiauteRegistro L76{"76", 15, R76, {.data = 9, .uf = 10, .cfop = 7, .situacao = 17, .base = 12, .icms = 13, .aliquota = 16, .aliquotaInteira = true}, P(33, 2), P(37, 10), {}};
const LeiauteRegistro L77{"77", 16, R77, {.cfop = 6}, P(19, 2), P(23, 10), P(38, 3)};
const LeiauteRegistro L85{"85", 17, R85, {}, {}, {}, {}};
const LeiauteRegistro L86{"86", 18, R86, {}, {}, {}, {}};
const LeiauteRegistro L88{"88", 19, RSoTipo, {}, {}, {}, {}};
const LeiauteRegistro L90{"90", 20, RSoTipo, {}, {}, {}, {}};
// clang-format on

const LeiauteRegistro* const PorIndice[21] = {&L10, &L11, &L50,    &L51,    &L53, &L54, &L55,
                                              &L56, &L57, nullptr, nullptr, &L70, &L71, &L74,
                                              &L75, &L76, &L77,    &L85,    &L86, &L88, &L90};

} // namespace

const LeiauteRegistro* leiautePara(std::string_view r) {
    int i = tabelas::indiceTipo(r);
    if (i < 0) return nullptr;
    if (i == 9) { // 60: subtipo na posição 3
        switch (r.size() > 2 ? r[2] : '\0') {
        case 'M':
            return &L60M;
        case 'A':
            return &L60A;
        case 'D':
            return &L60D;
        case 'I':
            return &L60I;
        case 'R':
            return &L60R;
        default:
            return nullptr;
        }
    }
    if (i == 10) { // 61: branco ou R na posição 3
        char c = r.size() > 2 ? r[2] : '\0';
        return c == ' ' ? &L61 : c == 'R' ? &L61R : nullptr;
    }
    return PorIndice[i];
}

} // namespace kelvor
