#include "ArquivoNotas.h"

#include "Registros.h"

namespace tramil::teste {

namespace {

std::string R50(const char* cnpj, const char* uf, const char* modelo, const char* serie,
                const char* numero, const char* cfop, const char* emitente, const char* total,
                const char* base, const char* icms, const char* aliquota,
                const char* situacao = "N") {
    return Registro("50", {{"CNPJ", cnpj},
                           {"Inscrição Estadual", "ISENTO"},
                           {"Data emissão/recebimento", "20230510"},
                           {"Unidade da Federação", uf},
                           {"Modelo", modelo},
                           {"Série", serie},
                           {"Número", numero},
                           {"CFOP", cfop},
                           {"Emitente", emitente},
                           {"Valor total", total},
                           {"Base de Cálculo do ICMS", base},
                           {"Valor do ICMS", icms},
                           {"Alíquota", aliquota},
                           {"Situação", situacao}}) +
           "\r\n";
}

std::string R54(const char* cnpj, const char* modelo, const char* serie, const char* numero,
                const char* cfop, const char* item, const char* produto, const char* valor,
                const char* despesa, const char* aliquota) {
    return Registro("54", {{"CNPJ", cnpj},
                           {"Modelo", modelo},
                           {"Série", serie},
                           {"Número", numero},
                           {"CFOP", cfop},
                           {"CST", "000"},
                           {"Número do item", item},
                           {"Código do produto", produto},
                           {"Quantidade", "2000"},
                           {"Valor do produto", valor},
                           {"Valor desconto/despesa", despesa},
                           {"Base de cálculo do ICMS", valor},
                           {"Alíquota do ICMS", aliquota}}) +
           "\r\n";
}

std::string R60(const char* codigo, const char* serie,
                std::initializer_list<std::pair<const char*, std::string>> campos) {
    std::string r = Registro(codigo, campos);
    r.replace(3, 8, "20230510");
    std::string s(serie);
    s.resize(20, ' ');
    r.replace(11, 20, s);
    return r + "\r\n";
}

} // namespace

std::string ArquivoComNotasConhecidas() {
    const char* a = "11222333000181";
    const char* b = "33000167000101";
    const char* c = "60701190000104";
    std::string t = Cabecalho();
    // 50
    t += R50(a, "SP", "55", "1", "100", "5102", "P", "101500", "100000", "18000", "1800");
    t += R50(a, "SP", "55", "1", "100", "5405", "P", "50000", "50000", "6000", "1200");
    t += R50(b, "SP", "01", "2", "200", "1102", "T", "120000", "100000", "18000", "1800");
    t += R50(c, "RJ", "55", "1", "300", "6102", "P", "200000", "200000", "24000", "1200");
    t += R50(c, "RJ", "55", "1", "400", "6102", "P", "10000", "10000", "2000", "1800");
    t += R50(c, "RJ", "55", "1", "500", "6102", "P", "0", "0", "0", "0", "S");
    // 53 do documento 1, com o CNPJ do substituído (outro que o do 50)
    t += Registro("53", {{"CNPJ", "44555666000177"},
                         {"Inscrição Estadual", "ISENTO"},
                         {"Data emissão/recebimento", "20230510"},
                         {"Unidade da Federação", "SP"},
                         {"Modelo", "01"},
                         {"Série", "2"},
                         {"Número", "200"},
                         {"CFOP", "1102"},
                         {"Emitente", "T"},
                         {"Base de cálculo ICMS ST", "140000"},
                         {"ICMS retido", "20000"},
                         {"Situação", "N"}}) +
         "\r\n";
    // 54
    t += R54(a, "55", "1", "100", "5102", "1", "P1", "100000", "0", "1800");
    t += R54(a, "55", "1", "100", "5102", "991", "", "0", "1500", "0");
    t += R54(a, "55", "1", "100", "5405", "2", "P2", "50000", "0", "1200");
    t += R54(b, "01", "2", "200", "1102", "1", "P1", "100000", "0", "1800");
    t += R54(c, "55", "1", "300", "6102", "1", "P1", "150000", "0", "1200");
    t += R54(c, "55", "1", "300", "6102", "2", "P2", "40000", "0", "1200");
    t += R54(c, "55", "1", "999", "6102", "1", "P1", "7700", "0", "1200");
    // 60
    t += R60("60M", "ECF001",
             {{"Nº ordem do equipamento", "1"},
              {"Modelo do documento", "2D"},
              {"COO no início do dia", "101"},
              {"COO no final do dia", "150"},
              {"Valor da venda bruta", "100000"},
              {"Totalizador geral", "9900000"}});
    t += R60("60A", "ECF001", {{"Situação tributária", "1800"}, {"Valor acumulado", "60000"}});
    t += R60("60A", "ECF001", {{"Situação tributária", "F"}, {"Valor acumulado", "30000"}});
    t += R60("60A", "ECF001", {{"Situação tributária", "CANC"}, {"Valor acumulado", "10000"}});
    t += R60("60D", "ECF001",
             {{"Código do produto", "P1"},
              {"Quantidade", "3000"},
              {"Valor do produto", "60000"},
              {"Base de cálculo do ICMS", "60000"},
              {"Situação tributária", "1800"},
              {"Valor do ICMS", "10000"}});
    t += R60("60M", "ECF002",
             {{"Nº ordem do equipamento", "2"},
              {"Modelo do documento", "2D"},
              {"COO no início do dia", "201"},
              {"COO no final do dia", "260"},
              {"Valor da venda bruta", "50000"}});
    t += R60("60A", "ECF002", {{"Situação tributária", "1800"}, {"Valor acumulado", "40000"}});
    t += R60("60I", "ECF002",
             {{"Modelo do documento", "2D"},
              {"Nº de ordem do documento", "201"},
              {"Número do item", "1"},
              {"Código do produto", "P2"},
              {"Quantidade", "1000"},
              {"Valor do produto", "40000"},
              {"Base de cálculo do ICMS", "40000"},
              {"Situação tributária", "1800"},
              {"Valor do ICMS", "7200"}});
    // 70 e 71
    const auto r70 = [&](const char* cfop, const char* total) {
        return Registro("70", {{"CNPJ", b},
                               {"Inscrição Estadual", "ISENTO"},
                               {"Data emissão/utilização", "20230512"},
                               {"Unidade da Federação", "SP"},
                               {"Modelo", "08"},
                               {"Série", "1"},
                               {"Número", "10"},
                               {"CFOP", cfop},
                               {"Valor total", total},
                               {"Base de cálculo do ICMS", total},
                               {"Valor do ICMS", "3600"},
                               {"CIF/FOB/Outros", "1"},
                               {"Situação", "N"}}) +
               "\r\n";
    };
    t += r70("5353", "30000");
    t += r70("6353", "10000");
    for (const char* nf : {"700", "701"})
        t += Registro("71", {{"CNPJ do tomador", b},
                             {"IE do tomador", "ISENTO"},
                             {"Data de emissão", "20230512"},
                             {"UF do tomador", "SP"},
                             {"Modelo", "08"},
                             {"Série", "1"},
                             {"Número", "10"},
                             {"UF remetente/destinatário", "MG"},
                             {"CNPJ remetente/destinat.", a},
                             {"IE remetente/destinatário", "ISENTO"},
                             {"Data de emissão da NF", "20230511"},
                             {"Modelo da NF", "55"},
                             {"Série da NF", "1"},
                             {"Número da NF", nf},
                             {"Valor total da NF", "250000"}}) +
             "\r\n";
    // 75
    t += Registro("75", {{"Data inicial", "20230501"},
                         {"Data final", "20230531"},
                         {"Código do produto", "P1"},
                         {"Código NCM", "84713012"},
                         {"Descrição", "PRODUTO UM"},
                         {"Unidade de medida", "UN"}}) +
         "\r\n";
    return t;
}

} // namespace tramil::teste
