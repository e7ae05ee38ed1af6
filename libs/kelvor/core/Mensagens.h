// Textos das críticas que o motor escreve no relatório (UTF-8 aqui; Windows-1252 no arquivo).
#pragma once

namespace kelvor::msg {

inline constexpr const char* NaoNumerico = "Campo numérico com caracteres não numéricos.";
inline constexpr const char* DataInvalida = "Data inválida.";
inline constexpr const char* DataAnoAnterior1900 = "Data inválida: ano anterior a 1900.";
inline constexpr const char* Obrigatorio = "Campo obrigatório não preenchido.";
inline constexpr const char* Brancos = "Posições reservadas devem estar em branco.";
inline constexpr const char* Zeros = "Posições reservadas devem ser preenchidas com zeros.";
inline constexpr const char* CnpjInvalido = "CNPJ inválido.";
inline constexpr const char* CnpjCpfInvalido = "CNPJ ou CPF inválido.";
inline constexpr const char* CnpjZerado =
    "CNPJ zerado sem UF EX nem Inscrição Estadual ISENTO: só vale para pessoa física sem CPF.";
inline constexpr const char* IENaoInformada = "Inscrição Estadual não informada.";
inline constexpr const char* IECaracteres = "Inscrição Estadual com caracteres inválidos.";
inline constexpr const char* IEInvalidaUF = "Inscrição Estadual inválida para a UF "; // + UF + "."
inline constexpr const char* IEIsentoInformante =
    "Inscrição Estadual ISENTO no registro do informante.";
inline constexpr const char* UFInvalida = "Unidade da Federação inválida.";
inline constexpr const char* CfopInvalido = "CFOP inválido.";
inline constexpr const char* CfopUF = "CFOP incompatível com a UF informada.";
inline constexpr const char* ModeloInvalido = "Modelo de documento fiscal inválido.";
inline constexpr const char* ModeloNaoPrevisto =
    "Modelo de documento fiscal não previsto para este registro.";
inline constexpr const char* ModeloProibido =
    "Modelo de documento fiscal não permitido neste registro.";
inline constexpr const char* CodigoInvalido = "Código não previsto para o campo.";
inline constexpr const char* SituacaoTributaria = "Situação tributária/alíquota inválida.";
inline constexpr const char* AliquotaZero =
    "Situação tributária/alíquota 0000: para isento, não tributado ou substituição use I, N ou F.";
inline constexpr const char* ItemInvalido = "Número do item inválido.";
inline constexpr const char* ItemDespesa =
    "Itens 991 a 999 não levam código do produto, CST nem quantidade.";
inline constexpr const char* ForaDoPeriodo = "Data fora do período informado no registro 10.";
inline constexpr const char* IcmsDivergente =
    "Valor do ICMS difere da base de cálculo vezes a alíquota.";
inline constexpr const char* DataInicialPosterior = "Data inicial posterior à data final.";
inline constexpr const char* PeriodoNaoMensal = "Período não corresponde a um mês completo.";
inline constexpr const char* NumeroOuComplemento = "Número ou complemento deve ser preenchido.";
inline constexpr const char* TelefoneZerado = "Telefone não informado.";
inline constexpr const char* Brancos53Versao2 =
    "Posições 97 a 126 devem estar em branco na versão 2 do convênio.";
// Registro 74, código de posse 1 (mercadoria do informante em seu poder): sem possuidor.
inline constexpr const char* Posse1Cnpj =
    "Código de posse 1: o CNPJ do possuidor deve ser preenchido com zeros.";
inline constexpr const char* Posse1IE =
    "Código de posse 1: a Inscrição Estadual do possuidor deve ficar em branco.";
inline constexpr const char* Posse1UF =
    "Código de posse 1: a UF do possuidor deve ficar em branco.";
inline constexpr const char* LeiauteAnterior2003 =
    "Arquivo no leiaute anterior a 2003: somente a estrutura do arquivo foi verificada.";
// Estrutura: "Tamanho do registro inválido: <n> posições (deve ter 126)." e
// "Tipo de registro inválido: <tipo>."
inline constexpr const char* TamanhoInvalido = "Tamanho do registro inválido: ";
inline constexpr const char* TamanhoInvalidoFim = " posições (deve ter 126).";
inline constexpr const char* TipoInvalido = "Tipo de registro inválido: ";

} // namespace kelvor::msg
