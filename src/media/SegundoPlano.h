// Trabalho longo de uma biblioteca (gravar a mídia, ler o arquivo fiscal inteiro) feito numa
// thread à parte enquanto a janela continua a se redesenhar e mostra o andamento.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace korventa {

struct Sessao;

// Executa `trabalho` fora da thread da interface e espera por ele deixando os eventos correrem;
// com uma janela, mostra um diálogo modal de andamento (percentual de `progresso`, quando há).
// Devolve o resultado do trabalho.
std::int32_t ExecutaEmSegundoPlano(Sessao& s, const QString& texto,
                                   std::function<std::int32_t()> trabalho,
                                   std::function<int()> progresso = {});

} // namespace korventa
