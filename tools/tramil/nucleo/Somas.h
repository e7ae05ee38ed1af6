// As contas da conferência de um documento, as mesmas no índice (marca na lista) e no
// formulário (o que não fecha, e por quanto).
#pragma once

#include "nucleo/CamposNota.h"

#include <cstdint>

namespace tramil {

// Valor de um campo numérico de um registro de 126 posições; o que não é número conta zero.
std::int64_t ValorCampo(const char* registro, const Pos& p);

// base x alíquota (alíquota com 2 decimais), arredondado ao centavo.
std::int64_t IcmsEsperado(std::int64_t base, std::int64_t aliquota);
// Com um centavo de folga, como o motor confere.
bool IcmsConfere(std::int64_t base, std::int64_t aliquota, std::int64_t icms);

// Quanto um registro 54 soma no total da nota: valor do produto menos o desconto, mais o IPI;
// nos itens 991 a 999 (frete, seguro, outras despesas), o valor do campo de despesa.
std::int64_t ValorDoItem54(const char* registro);
// 60D e 60I: ICMS contra base x alíquota quando a situação tributária é uma alíquota.
bool IcmsDoCupomConfere(const char* registro);

// O total da nota fecha com os itens? O total pode trazer também o ICMS retido (53) e o IPI
// do registro 51.
bool TotalConfere(std::int64_t itens, std::int64_t total, std::int64_t retido, std::int64_t ipi51);

} // namespace tramil
