// korventa-validar --midia: mostra o bloco de informações, o resumo, os totais por CFOP e o
// veredicto do selo de uma mídia.
#pragma once

#include <string>

inline constexpr int SaidaMidiaIntegra = 0;
inline constexpr int SaidaMidiaDanificada = 2;

// Escreve na saída padrão (texto ou JSON) e devolve o código de saída.
int mostraMidia(const std::string& caminho, bool json);
