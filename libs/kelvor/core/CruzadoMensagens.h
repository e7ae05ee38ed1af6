// Textos das críticas de estrutura, do registro 90 e dos vínculos entre registros: todos num
// lugar só, para ficarem coerentes entre si (o relatório guarda até 100 caracteres).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvor::cruzado::mensagem {

// Ordem do arquivo.
inline constexpr const char* Primeiro10 = "O primeiro registro do arquivo deve ser o registro 10.";
inline constexpr const char* Segundo11 = "O segundo registro do arquivo deve ser o registro 11.";
inline constexpr const char* Repetido10 =
    "Registro 10 repetido: o arquivo deve ter um único registro 10.";
inline constexpr const char* Fora10 =
    "Registro 10 fora de posição: deve ser o primeiro registro do arquivo.";
inline constexpr const char* Repetido11 =
    "Registro 11 repetido: o arquivo deve ter um único registro 11.";
inline constexpr const char* Fora11 =
    "Registro 11 fora de posição: deve ser o segundo registro do arquivo.";
inline constexpr const char* DepoisDo90 =
    "Registro depois do registro 90: os registros 90 devem ser os últimos do arquivo.";
inline constexpr const char* Sem90 =
    "Arquivo sem registro 90: o último registro do arquivo deve ser o registro 90.";
inline constexpr const char* Sem11 =
    "Arquivo sem registro 11: o segundo registro do arquivo deve ser o registro 11.";
inline constexpr const char* SemRegistros =
    "Arquivo sem registros: o arquivo deve ter os registros 10, 11 e 90.";
std::string ordemDosTipos(std::string_view tipo, std::string_view anterior);
// criterio: "data", "CNPJ, série, número e item", ...
std::string ordemDentroDoTipo(std::string_view tipo, std::string_view criterio);

// Registro 90.
inline constexpr const char* Cnpj90 = "CNPJ do registro 90 diferente do CNPJ do registro 10.";
inline constexpr const char* Ie90 =
    "Inscrição estadual do registro 90 diferente da inscrição estadual do registro 10.";
inline constexpr const char* Cnpj90Primeiro =
    "CNPJ do registro 90 diferente do CNPJ do primeiro registro 90.";
inline constexpr const char* Ie90Primeiro =
    "Inscrição estadual do registro 90 diferente da do primeiro registro 90.";
// quantidade < 0: mais de 9 registros 90 (ainda sem o total).
std::string quantidade90(std::int64_t quantidade);
inline constexpr const char* TipoInvalido90 = "Tipo a ser totalizado inválido no registro 90.";
std::string tipoInexistente90(std::string_view tipo);
inline constexpr const char* NaoNumerico = "Campo numérico com caracteres não numéricos.";
std::string tipoRepetido90(std::string_view tipo);
inline constexpr const char* Brancos90 =
    "As posições 121 a 125 do registro 90 devem estar em branco.";
inline constexpr const char* TotalGeralForaDoUltimo =
    "O total geral (tipo 99) deve constar somente no último registro 90.";
inline constexpr const char* SemTotalGeral = "Registro 90 sem o total geral (tipo 99).";
std::string totalGeral(std::int64_t informado, std::int64_t real);
std::string totalDoTipo(std::string_view tipo, std::int64_t informado, std::int64_t real);
std::string semTotalDoTipo(std::string_view tipo, std::int64_t real);
std::string totalDeTipoAusente(std::string_view tipo);
std::string tipoNaoTotalizado(std::string_view tipo);

// Vínculos entre registros.
inline constexpr const char* Sem50Do51 =
    "Registro 51 sem registro 50 correspondente (CNPJ, data, UF, série, número e CFOP).";
inline constexpr const char* Situacao51 =
    "Situação do registro 51 diferente da situação do registro 50 correspondente.";
inline constexpr const char* Sem50Do53 =
    "Registro 53 sem registro 50 correspondente (data, UF, modelo, série, número e CFOP).";
inline constexpr const char* Sem50Do54 =
    "Registro 54 sem registro 50 correspondente (CNPJ, modelo, série, número e CFOP).";
std::string sem54(std::string_view modelo);
std::string documentoRepetido(std::int64_t linhaAnterior);
inline constexpr const char* Sem70 =
    "Registro 71 sem registro 70 correspondente (data, modelo, série, subsérie e número).";
// Cada registro sem a chave recebe a sua crítica (achadas no fim, numa segunda leitura).
std::string sem60M(char subtipo);
inline constexpr const char* Sem75 = "Código do produto ou serviço sem registro 75 correspondente.";
// Um 60M por dia e equipamento; um 60A por totalizador, dia e equipamento.
std::string repetido60M(std::int64_t linhaAnterior);
std::string repetido60A(std::int64_t linhaAnterior);
// data: AAAAMMDD, ou mês (mesAno verdadeiro: AAAAMM00); inicio/fim: validade do 75.
std::string foraDaValidade75(int data, bool mesAno, int inicio, int fim);
inline constexpr const char* Nao75Referenciado =
    "Código do registro 75 não usado em nenhum registro 54, 60, 61, 74 ou 77.";

// Falta de memória para as chaves (o arquivo não pôde ser conferido por inteiro).
inline constexpr const char* SemMemoria =
    "Memória insuficiente para conferir os vínculos entre registros a partir deste registro.";

// dd/mm/aaaa de AAAAMMDD.
std::string dataLegivel(int aaaammdd);

} // namespace kelvor::cruzado::mensagem
