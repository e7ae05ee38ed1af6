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

// Andamento mostrado por quem faz vários trabalhos seguidos (as mídias de um lote): enquanto um
// objeto destes existe, os trabalhos em segundo plano não abrem diálogo próprio e entregam o
// texto e o percentual a ele.
class AndamentoExterno {
public:
    AndamentoExterno();
    virtual ~AndamentoExterno();
    AndamentoExterno(const AndamentoExterno&) = delete;
    AndamentoExterno& operator=(const AndamentoExterno&) = delete;
    // percentual -1: o trabalho não informa andamento.
    virtual void andamento(const QString& texto, int percentual) = 0;

private:
    AndamentoExterno* anterior_;
};

} // namespace korventa
