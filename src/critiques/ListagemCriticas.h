// Leitura dos relatórios de críticas de um arquivo para a lista: modo de linhas, troca para
// blocos de 218 bytes quando uma linha não tem 216 caracteres, filtro e limite de linhas.
// Não mostra nada: devolve como terminou e a mensagem a mostrar.
#pragma once

#include "critiques/ArmazemCriticas.h"
#include "critiques/RelatorioCriticas.h"

#include <QString>
#include <QStringList>

namespace korventa {

enum class FimListagem {
    Completa, // todos os registros lidos
    Limite,   // chegou ao limite com registros ainda por ler
    Falha     // parou numa falha; `mensagem` diz qual
};

struct ResultadoListagem {
    FimListagem fim = FimListagem::Completa;
    QString mensagem;
};

// Lê os relatórios na ordem dada e inclui no armazém (que não é limpo aqui) as críticas que
// passam no filtro, até `maximo` linhas no total.
ResultadoListagem ListaRelatorios(const QStringList& relatorios, FiltroCriticas filtro,
                                  std::int32_t maximo, ArmazemCriticas& destino);

// "Somente os primeiros M erros foram listados do total de E." e as outras duas formas.
QString MensagemTruncamento(FiltroCriticas filtro, std::int32_t maximo, std::int32_t erros,
                            std::int32_t advertencias);

} // namespace korventa
