// Constantes do programa inteiro.
#pragma once

#include "common/Texto.h"

#include <cstdint>

namespace korventa {

inline constexpr const char* TituloPrograma = "ValidadorKorventa2017";
inline constexpr const char* NomeLogMotor = "Korventa";
inline constexpr const char* ArquivoAjuda = "ValidadorKorventa2017.hlp";

// Arquivos de trabalho na pasta temporária.
inline constexpr const char* ArqCriticas = "Criticas.tmp";
inline constexpr const char* ArqTotaisCFOP = "Totais.CFOP";
inline constexpr const char* ArqResumo = "Validacao2.resumo";
inline constexpr const char* ArqTotaisSituacao = "TotaisSituacao.CFOP";
inline constexpr const char* ArqTotaisOutrasIEs = "TotaisOutrasIEs.CFOP";
inline constexpr const char* ArqTotaisPorUF = "TotaisPorUF.CFOP";
inline constexpr const char* ArqComprovante = "Comprovante.tmp";
inline constexpr const char* ArqCriticasPos = "CriticasPos.";
// Resultado da verificação da PB, na pasta do programa: "reexame.res", ou "reexame<n>.res" com
// vários arquivos abertos.
inline constexpr const char* ArqResultadoPB = "reexame";
inline constexpr const char* ExtResultadoPB = ".res";
// O utilitário fica ao lado do executável, com o nome de executável da plataforma.
#if defined(_WIN32)
inline constexpr const char* ProgramaUtilitarioNotas = "Tramil.exe";
#else
inline constexpr const char* ProgramaUtilitarioNotas = "Tramil";
#endif

// Códigos de resultado de uma validação.
inline constexpr std::int32_t ResultadoNaoValidadoLote = -2;
inline constexpr std::int32_t ResultadoNaoIniciado = -1;
inline constexpr std::int32_t ResultadoAceito = 0;
inline constexpr std::int32_t ResultadoAceitoComAdvertencias = 1;
inline constexpr std::int32_t ResultadoRejeitado = 2;

// Versão do próprio programa (injetável nos testes para exercitar a versão 0).
struct VersaoPrograma {
    int maior = 0;
    int menor = 0;
    int revisao = 0;
};

} // namespace korventa
