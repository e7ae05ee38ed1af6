#include "core/Significados.h"

#include "core/Registro90Pares.h"
#include "core/Texto.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace kelvor::significados {

namespace {

struct Decimais {
    std::string_view registro;
    std::uint8_t inicio;
    std::uint8_t casas;
};

// Campos com casas decimais implícitas: valores com 2, quantidades com 3. As alíquotas dos
// registros 76 e 77 são inteiras e ficam de fora.
constexpr Decimais TabelaDecimais[] = {
    {"50", 57, 2},  {"50", 70, 2},  {"50", 83, 2},  {"50", 96, 2},  {"50", 109, 2}, {"50", 122, 2},
    {"51", 54, 2},  {"51", 67, 2},  {"51", 80, 2},  {"51", 93, 2},  {"53", 57, 2},  {"53", 70, 2},
    {"53", 83, 2},  {"54", 52, 3},  {"54", 63, 2},  {"54", 75, 2},  {"54", 87, 2},  {"54", 99, 2},
    {"54", 111, 2}, {"54", 123, 2}, {"55", 70, 2},  {"56", 67, 2},  {"60M", 58, 2}, {"60M", 74, 2},
    {"60A", 36, 2}, {"60D", 46, 3}, {"60D", 59, 2}, {"60D", 75, 2}, {"60D", 95, 2}, {"60I", 57, 3},
    {"60I", 70, 2}, {"60I", 83, 2}, {"60I", 99, 2}, {"60R", 24, 3}, {"60R", 37, 2}, {"60R", 53, 2},
    {"61", 58, 2},  {"61", 71, 2},  {"61", 84, 2},  {"61", 96, 2},  {"61", 109, 2}, {"61", 122, 2},
    {"61R", 24, 3}, {"61R", 37, 2}, {"61R", 53, 2}, {"61R", 69, 2}, {"70", 56, 2},  {"70", 69, 2},
    {"70", 83, 2},  {"70", 97, 2},  {"70", 111, 2}, {"71", 101, 2}, {"74", 25, 3},  {"74", 38, 2},
    {"75", 100, 2}, {"75", 105, 2}, {"75", 109, 2}, {"75", 114, 2}, {"76", 62, 2},  {"76", 75, 2},
    {"76", 88, 2},  {"76", 100, 2}, {"76", 112, 2}, {"77", 52, 3},  {"77", 65, 2},  {"77", 77, 2},
    {"77", 89, 2},  {"86", 86, 3},  {"86", 97, 2},  {"86", 109, 2},
};

struct Par {
    std::string_view codigo;
    std::string_view texto;
};

constexpr Par Titulos[] = {
    {"10", "Mestre do estabelecimento"},
    {"11", "Dados complementares do informante"},
    {"50", "Nota fiscal quanto ao ICMS"},
    {"51", "Total de nota fiscal quanto ao IPI"},
    {"53", "Substituição tributária"},
    {"54", "Produto"},
    {"55", "Guia Nacional de Recolhimento de Tributos Estaduais"},
    {"56", "Operações com veículos automotores novos"},
    {"57", "Número de lote de fabricação de produto"},
    {"60M", "Cupom fiscal: mestre do equipamento"},
    {"60A", "Cupom fiscal: analítico por situação tributária"},
    {"60D", "Cupom fiscal: resumo diário por produto"},
    {"60I", "Cupom fiscal: item do documento"},
    {"60R", "Cupom fiscal: resumo mensal por produto"},
    {"61", "Documentos fiscais não emitidos por ECF"},
    {"61R", "Resumo mensal por item"},
    {"70", "Nota fiscal de serviço de transporte e conhecimentos"},
    {"71", "Informações da carga transportada"},
    {"74", "Registro de inventário"},
    {"75", "Código de produto ou serviço"},
    {"76", "Nota fiscal de serviços de comunicação e telecomunicações"},
    {"77", "Serviços de comunicação e telecomunicação (item)"},
    {"85", "Informações de exportações"},
    {"86", "Informações complementares de exportações"},
    {"88", "Registro definido pela UF"},
    {"90", "Totalização do arquivo"},
};

constexpr Par Ufs[] = {
    {"AC", "Acre"},
    {"AL", "Alagoas"},
    {"AM", "Amazonas"},
    {"AP", "Amapá"},
    {"BA", "Bahia"},
    {"CE", "Ceará"},
    {"DF", "Distrito Federal"},
    {"ES", "Espírito Santo"},
    {"EX", "Exterior"},
    {"GO", "Goiás"},
    {"MA", "Maranhão"},
    {"MG", "Minas Gerais"},
    {"MS", "Mato Grosso do Sul"},
    {"MT", "Mato Grosso"},
    {"PA", "Pará"},
    {"PB", "Paraíba"},
    {"PE", "Pernambuco"},
    {"PI", "Piauí"},
    {"PR", "Paraná"},
    {"RJ", "Rio de Janeiro"},
    {"RN", "Rio Grande do Norte"},
    {"RO", "Rondônia"},
    {"RR", "Roraima"},
    {"RS", "Rio Grande do Sul"},
    {"SC", "Santa Catarina"},
    {"SE", "Sergipe"},
    {"SP", "São Paulo"},
    {"TO", "Tocantins"},
};

constexpr Par Modelos[] = {
    {"01", "Nota Fiscal, modelo 1 ou 1-A"},
    {"02", "Nota Fiscal de Venda a Consumidor, modelo 2"},
    {"03", "Nota Fiscal de Entrada, modelo 3"},
    {"04", "Nota Fiscal de Produtor, modelo 4"},
    {"06", "Nota Fiscal/Conta de Energia Elétrica, modelo 6"},
    {"07", "Nota Fiscal de Serviço de Transporte, modelo 7"},
    {"08", "Conhecimento de Transporte Rodoviário de Cargas"},
    {"09", "Conhecimento de Transporte Aquaviário de Cargas"},
    {"10", "Conhecimento Aéreo"},
    {"11", "Conhecimento de Transporte Ferroviário de Cargas"},
    {"13", "Bilhete de Passagem Rodoviário"},
    {"14", "Bilhete de Passagem Aquaviário"},
    {"15", "Bilhete de Passagem e Nota de Bagagem"},
    {"16", "Bilhete de Passagem Ferroviário"},
    {"17", "Despacho de Transporte"},
    {"18", "Resumo Movimento Diário"},
    {"20", "Ordem de Coleta de Carga"},
    {"21", "Nota Fiscal de Serviço de Comunicação"},
    {"22", "Nota Fiscal de Serviço de Telecomunicações"},
    {"24", "Autorização de Carregamento e Transporte"},
    {"25", "Manifesto de Carga"},
    {"26", "Conhecimento de Transporte Multimodal de Cargas"},
    {"27", "Nota Fiscal de Serviço de Transporte Ferroviário"},
    {"2B", "Cupom Fiscal emitido por máquina registradora"},
    {"2C", "Cupom Fiscal PDV"},
    {"2D", "Cupom Fiscal emitido por ECF"},
    {"55", "Nota Fiscal Eletrônica (NF-e)"},
    {"57", "Conhecimento de Transporte Eletrônico (CT-e)"},
    {"67", "CT-e Outros Serviços"},
};

constexpr Par Situacoes[] = {
    {"N", "Documento fiscal normal"},
    {"S", "Documento fiscal cancelado"},
    {"E", "Lançamento extemporâneo de documento fiscal normal"},
    {"X", "Lançamento extemporâneo de documento fiscal cancelado"},
    {"2", "Documento com uso denegado"},
    {"4", "Documento com numeração inutilizada"},
};

constexpr Par Estrutura10[] = {
    {"1", "Convênio ICMS 57/95 na versão do Convênio ICMS 31/99"},
    {"2", "Convênio ICMS 57/95 na versão do Convênio ICMS 69/02"},
    {"3", "Convênio ICMS 57/95 com as alterações do Convênio ICMS 76/03"},
};
constexpr Par Natureza10[] = {
    {"1", "Interestaduais – somente operações sujeitas à substituição tributária"},
    {"2", "Interestaduais – operações com ou sem substituição tributária"},
    {"3", "Totalidade das operações do informante"},
};
constexpr Par Finalidade10[] = {
    {"1", "Normal"},
    {"2", "Retificação total de arquivo"},
    {"3", "Retificação aditiva de arquivo"},
    {"5", "Desfazimento"},
};
constexpr Par Emitente[] = {
    {"P", "Próprio (emitido pelo informante)"},
    {"T", "Terceiros"},
};
constexpr Par Antecipacao53[] = {
    {" ", "Substituição tributária informada pelo substituto ou pelo substituído"},
    {"1", "Pagamento de substituição efetuado pelo destinatário, não efetuado ou efetuado a "
          "menor pelo substituto"},
    {"2", "Antecipação tributária pelo destinatário só com o diferencial de alíquota"},
    {"3", "Antecipação tributária com MVA pelo destinatário, sem encerrar a tributação"},
    {"4", "Antecipação tributária com MVA pelo destinatário, encerrando a tributação"},
    {"5", "Substituição tributária informada pelo substituto ou pelo substituído, fora dos "
          "casos anteriores"},
    {"6", "Recolhimento antecipado do ICMS"},
};
constexpr Par Operacao56[] = {
    {"0", "Outras"},
    {"1", "Venda para concessionária"},
    {"2", "Faturamento direto (Convênio ICMS 51/00)"},
    {"3", "Venda direta"},
};
constexpr Par Frete70[] = {{"0", "Outros"}, {"1", "CIF"}, {"2", "FOB"}};
constexpr Par Posse74[] = {
    {"1", "Mercadorias do informante em seu poder"},
    {"2", "Mercadorias do informante em poder de terceiros"},
    {"3", "Mercadorias de terceiros em poder do informante"},
};
constexpr Par Receita76[] = {{"1", "Receita própria"}, {"2", "Receita de terceiros"}};
constexpr Par Natureza85[] = {
    {"1", "Exportação direta"},
    {"2", "Exportação indireta"},
    {"3", "Exportação direta – regime simplificado"},
    {"4", "Exportação indireta – regime simplificado"},
};
constexpr Par Conhecimento85[] = {
    {"01", "AWB"},           {"02", "MAWB"},         {"03", "HAWB"},
    {"04", "COMAT"},         {"06", "R. EXPRESSAS"}, {"07", "ETIQ. REXPRESSAS"},
    {"08", "HR. EXPRESSAS"}, {"09", "AV7"},          {"10", "BL"},
    {"11", "MBL"},           {"12", "HBL"},          {"13", "CRT"},
    {"14", "DSIC"},          {"16", "COMAT BL"},     {"17", "RWB"},
    {"18", "HRWB"},          {"19", "TIF/DTA"},      {"20", "CP2"},
    {"91", "NÃO IATA"},      {"92", "MNAO IATA"},    {"93", "HNAO IATA"},
    {"99", "OUTROS"},
};
constexpr Par Relacionamento86[] = {
    {"0", "Um registro de exportação para uma nota fiscal"},
    {"1", "Um registro de exportação para várias notas fiscais"},
    {"2", "Vários registros de exportação para uma nota fiscal"},
    {"3", "Exportação por Declaração Simplificada de Exportação"},
};

struct ListaDoCampo {
    std::string_view registro;
    std::uint8_t inicio;
    std::span<const Par> codigos;
};

const ListaDoCampo Listas[] = {
    {"10", 124, Estrutura10},   {"10", 125, Natureza10},       {"10", 126, Finalidade10},
    {"50", 56, Emitente},       {"53", 56, Emitente},          {"53", 97, Antecipacao53},
    {"56", 52, Operacao56},     {"70", 125, Frete70},          {"74", 51, Posse74},
    {"76", 51, Receita76},      {"77", 37, Receita76},         {"85", 22, Natureza85},
    {"85", 67, Conhecimento85}, {"86", 121, Relacionamento86},
};

std::string_view procura(std::span<const Par> lista, std::string_view codigo) {
    for (const auto& p : lista)
        if (p.codigo == codigo) return p.texto;
    return {};
}

struct Cfop {
    int codigo;
    const char* descricao;
};

constexpr Cfop Cfops[] = {
#include "CfopDescricoes.inc"
};

constexpr Campo Fixos90[] = {
    {"Tipo", 1, 2, Especie::Tipo},
    {"CNPJ", 3, 14, Especie::CnpjInformante},
    {"Inscrição Estadual", 17, 14, Especie::IEInformante},
    {cruzado::registro90::NomeQuantidade, 126, 1, Especie::N},
};

} // namespace

std::string_view titulo(std::string_view codigoRegistro) {
    return procura(Titulos, codigoRegistro);
}

int decimais(std::string_view registro, int inicio) {
    for (const auto& d : TabelaDecimais)
        if (d.inicio == inicio && d.registro == registro) return d.casas;
    return 0;
}

std::string_view uf(std::string_view sigla) {
    return procura(Ufs, sigla);
}

std::string_view modelo(std::string_view codigo) {
    return procura(Modelos, codigo);
}

std::string_view situacao(char codigo) {
    return procura(Situacoes, std::string_view(&codigo, 1));
}

std::string_view cfop(std::string_view codigo) {
    const auto n = texto::numero(codigo);
    if (codigo.size() != 4 || n < 0) return {};
    const auto* fim = std::end(Cfops);
    const auto* it = std::lower_bound(std::begin(Cfops), fim, n,
                                      [](const Cfop& c, std::int64_t v) { return c.codigo < v; });
    return it != fim && it->codigo == n ? std::string_view(it->descricao) : std::string_view();
}

std::string_view itemEspecial54(int numero) {
    switch (numero) {
    case 991:
        return "Frete";
    case 992:
        return "Seguro";
    case 993:
        return "PIS/COFINS";
    case 997:
        return "Complemento de valor de NF e/ou ICMS";
    case 998:
        return "Serviços não tributados pelo ICMS";
    case 999:
        return "Outras despesas acessórias";
    default:
        return {};
    }
}

std::string situacaoTributaria(std::string_view c) {
    if (c.size() != 4) return {};
    if (texto::soDigitos(c)) {
        char b[48];
        std::snprintf(b, sizeof b, "Tributado a %d,%c%c%%", (c[0] - '0') * 10 + (c[1] - '0'), c[2],
                      c[3]);
        return b;
    }
    const auto t = texto::semBrancosDireita(c);
    if (t == "F") return "Substituição tributária";
    if (t == "I") return "Isento";
    if (t == "N") return "Não incidência";
    if (t == "CANC") return "Cancelamentos";
    if (t == "DESC") return "Descontos";
    if (t == "ISS") return "ISSQN (serviços)";
    return {};
}

std::string significado(const LeiauteRegistro& l, std::size_t i, std::string_view conteudo) {
    if (i >= l.campos.size()) return {};
    const Campo& c = l.campos[i];
    for (const auto& lista : Listas)
        if (lista.inicio == c.inicio && lista.registro == l.codigo)
            return std::string(procura(lista.codigos, conteudo));
    switch (c.especie) {
    case Especie::UF:
    case Especie::UFouEX:
    case Especie::UFOpcional:
        return std::string(uf(conteudo));
    case Especie::CFOP:
        return std::string(cfop(conteudo));
    case Especie::Modelo:
    case Especie::Codigo2:
        return std::string(modelo(conteudo));
    case Especie::SituacaoTributaria:
        return situacaoTributaria(conteudo);
    case Especie::Item54: {
        const auto n = texto::numero(conteudo);
        return n < 0 ? std::string() : std::string(itemEspecial54(static_cast<int>(n)));
    }
    case Especie::Codigo:
    case Especie::CodigoAdvertencia:
        if (static_cast<int>(i) == l.papeis.situacao && conteudo.size() == 1)
            return std::string(situacao(conteudo[0]));
        return {};
    default:
        return {};
    }
}

std::span<const Campo> camposFixos90() {
    return Fixos90;
}

} // namespace kelvor::significados
