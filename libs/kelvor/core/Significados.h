// O que os campos do leiaute querem dizer para quem lê o arquivo: casas decimais implícitas dos
// valores, significado dos códigos (UF, modelo, situação, CFOP e as listas de cada registro) e
// os campos fixos do registro 90. Complementa as tabelas de Leiaute.cpp sem repeti-las: cada
// entrada aponta um campo de lá pelo código do registro e pela posição inicial.
#pragma once

#include "core/Leiaute.h"

#include <span>
#include <string>
#include <string_view>

namespace kelvor::significados {

// Nome do registro ("Nota fiscal quanto ao ICMS") pelo código do leiaute ("50", "60M"...);
// vazio para código desconhecido.
std::string_view titulo(std::string_view codigoRegistro);

// Casas decimais implícitas do campo numérico que começa em `inicio` no registro ("50", "60A",
// "61R"...); 0 para inteiros, códigos e datas.
int decimais(std::string_view codigoRegistro, int inicio);

// Nome por extenso da UF ("São Paulo"; "Exterior" para EX); vazio para sigla desconhecida.
std::string_view uf(std::string_view sigla);

// Documento do código de modelo ("Nota Fiscal Eletrônica (NF-e)"); vazio quando desconhecido.
std::string_view modelo(std::string_view codigo);

// Situação do documento (N, S, E, X, 2, 4); vazio quando desconhecida.
std::string_view situacao(char codigo);

// Descrição do CFOP pela tabela de CFOP; vazio quando o código não está nela.
std::string_view cfop(std::string_view codigo);

// Itens especiais do registro 54 (991 Frete, 992 Seguro...); vazio para 001 a 990 e números sem
// significado.
std::string_view itemEspecial54(int numero);

// Situação tributária/alíquota dos registros 60 ("Tributado a 18,00%", "Isento"...); vazio
// quando inválida.
std::string situacaoTributaria(std::string_view campo4);

// Significado do conteúdo de um campo codificado do registro; vazio quando o campo não tem lista
// de códigos com significado, ou o código não está nela.
std::string significado(const LeiauteRegistro& leiaute, std::size_t indiceCampo,
                        std::string_view conteudo);

// Campos fixos do registro 90 (tipo, CNPJ, IE, número de registros 90); os pares (tipo, total)
// estão nas posições de Registro90Pares.h.
std::span<const Campo> camposFixos90();

} // namespace kelvor::significados
