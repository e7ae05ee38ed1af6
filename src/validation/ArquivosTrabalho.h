// Arquivos de trabalho de cada arquivo aberto: o nome-base, "." e o índice da entrada com um
// branco à frente ("Criticas.tmp. 0").
#pragma once

#include <QString>

namespace korventa {

struct Sessao;

QString SufixoEntrada(int n);
QString CaminhoCriticas(const Sessao& s, int n);
QString CaminhoTotaisCFOP(const Sessao& s, int n);
// Pasta dos resultados da pós-validação: a do programa; quando ela existe mas não aceita gravação
// (instalação para todos os usuários), a pasta de dados do usuário (criada aqui), ou a temporária.
QString PastaPosValidacao(const Sessao& s);
// Críticas do registro 88 da pós-validação, na pasta acima, com a UF da entrada.
QString CaminhoCriticas88(const Sessao& s, int n);
// Resultado da verificação da PB, na pasta acima: "reexame.res" com um arquivo aberto,
// "reexame<n>.res" (sem branco) com vários.
QString CaminhoResultadoPB(const Sessao& s, int n);

// Apaga os arquivos de trabalho de todas as entradas, ignorando falhas.
void ApagaArquivosTrabalho(const Sessao& s);

} // namespace korventa
