// Dígitos verificadores de CNPJ, CPF e inscrição estadual (IE) por UF.
// Funções puras, sem alocação: chamadas para cada registro no caminho quente da validação.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvor::digitos {

// 14 dígitos com os dois verificadores certos; rejeita os de todos os dígitos iguais.
bool cnpjValido(std::string_view d14);
// 11 dígitos com os dois verificadores certos; rejeita os de todos os dígitos iguais.
bool cpfValido(std::string_view d11);

// Campo de IE como vem no registro (X(14), alinhado à esquerda, brancos à direita) conferido
// pelo algoritmo da UF. Falso para UF desconhecida, formato errado ou dígito errado.
// "ISENTO" não é tratado aqui: quem chama decide se ele cabe no campo.
bool ieValida(std::string_view ie, std::string_view uf);

// Verdadeiro para as UFs cujo algoritmo de IE foi conferido na descrição pública do Estado:
// nelas o dígito errado é Rejeição, nas demais Advertência.
bool algoritmoIEConfirmado(std::string_view uf);
// Idem para uma IE que não passou em ieValida: verdadeiro só quando todo formato da UF em que o
// número cabe foi conferido (formato e cálculo do dígito). Um formato ainda não conferido do
// mesmo tamanho deixa o dígito errado como Advertência.
bool algoritmoIEConfirmado(std::string_view ie, std::string_view uf);

// Verdadeiro para as 27 siglas de UF.
bool ufConhecida(std::string_view uf);

// Calcula e grava os dois verificadores: d14[12..13] a partir de d14[0..11] (d11[9..10] a
// partir de d11[0..8] no CPF). Os dígitos da base devem ser '0'..'9'.
void completaCnpj(char* d14);
void completaCpf(char* d11);

// Escreve em saida uma IE válida da UF, derivada da semente (mesma semente, mesma IE), alinhada
// à esquerda e completada com brancos até 14 posições. Devolve o número de caracteres
// significativos, ou 0 para UF desconhecida.
int geraIE(std::string_view uf, std::uint64_t semente, char saida[14]);

} // namespace kelvor::digitos
