// Verificações estaduais depois do veredicto do motor (PB e registro 88 de MS).
#pragma once

#include <cstdint>

namespace korventa {

struct ArquivoAberto;
struct Sessao;

// Contagens de críticas do registro 88 que a verificação de MS devolve.
struct ContagensPosValidacao {
    std::int32_t erros = 0;
    std::int32_t advertencias = 0;
    bool interrompe = false; // falha grave: ValidarArquivo termina sem atualizar os totais
};

// Chamada por ValidarArquivo para uma entrada aceita pelo motor cuja natureza das operações é
// "3" (totalidade das operações do informante): PB pela Reexame (rejeita na hora, e as críticas
// achadas entram na lista) e, nas versões de teste, os registros 88 de MS pela Reexame88. Uma
// biblioteca que falha mostra a caixa crítica e pede o fim da validação do arquivo.
ContagensPosValidacao VerificacoesPosValidacao(Sessao& s, int n);

// Com críticas do registro 88: erros rejeitam, advertências rebaixam o aceito, e as contagens
// somam às do motor.
void AplicaCriticas88(ArquivoAberto& e, const ContagensPosValidacao& c);

} // namespace korventa
