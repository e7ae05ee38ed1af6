// Tabelas fixas do leiaute: tipos de registro, UF, CFOP, modelos, datas.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kelvor::tabelas {

// Tipos na ordem fixa (linhas 0 a 20 de Kelvor_Totalizador).
inline constexpr std::array<int, 21> Tipos = {10, 11, 50, 51, 53, 54, 55, 56, 57, 60, 61,
                                              70, 71, 74, 75, 76, 77, 85, 86, 88, 90};
inline constexpr int QuantidadeTipos = 21;

// Índice 0..20 do tipo nas duas primeiras posições; -1 para qualquer outro texto.
int indiceTipo(std::string_view duasPosicoes);

// As 27 siglas.
bool ufValida(std::string_view uf);

// CFOP da tabela compilada (4 dígitos).
bool cfopValido(std::string_view cfop);

// Modelo de documento fiscal conhecido (qualquer registro).
bool modeloConhecido(std::string_view modelo);

// Situação tributária/alíquota dos registros 60: 4 dígitos, F, I, N, CANC, DESC ou ISS.
bool situacaoTributariaValida(std::string_view campo4);

// AAAAMMDD que existe no calendário; devolve a data como número, 0 quando inválida.
int dataValida(std::string_view aaaammdd);
// MMAAAA que existe no calendário.
bool mesAnoValido(std::string_view mmaaaa);
// Data que existe no calendário mas é de antes de 1900 (AAAAMMDD ou, mesAno, MMAAAA): a crítica
// diz o que está errado.
bool anoAnterior1900(std::string_view data, bool mesAno = false);
int diasNoMes(int ano, int mes);

} // namespace kelvor::tabelas
