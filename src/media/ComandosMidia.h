// Comandos sobre uma mídia: abrir a selecionada na página Mídias, o recibo (do Resumo e das
// Mídias) até a impressão, a transmissão pelas Mídias e a atualização da transmissão de uma
// entrada.
#pragma once

#include <QString>
#include <optional>

namespace korventa {

struct ArquivoAberto;
struct EstadoMidias;
struct Recibo;
struct Sessao;

// Abre a mídia do caminho (vazio: nenhuma linha selecionada) para estado.midia; a mesma mídia
// sem mudança em disco não é lida de novo.
bool AbreMidiaSelecionada(Sessao& s, EstadoMidias& estado, const QString& caminho);

// Relê o bloco da mídia da entrada e procura o recibo, para a entrada ter a transmissão atual
// (e o tipo de documento). Uma mídia de outro protocolo no lugar não muda nada. Falso quando o
// bloco não pôde ser lido (o motivo fica em `mensagem`).
bool AtualizaTransmissao(EstadoMidias& estado, ArquivoAberto& e, QString& mensagem);

// Antes da impressão do recibo: recusa a versão antiga, relê o bloco, carrega os recibos e
// procura o da mídia. Sem valor quando parou numa mensagem; com valor, o recibo achado (nulo: o
// comprovante provisório).
std::optional<const Recibo*> PreparaRecibo(Sessao& s, EstadoMidias& estado, ArquivoAberto& e);

// PreparaRecibo e depois a impressão ligada em estado.imprimeRecibo.
void ImprimeReciboKorventa(Sessao& s, EstadoMidias& estado, ArquivoAberto& e);

// A mídia da entrada n ainda é a gerada? Regravada só no bloco (pelo programa de transmissão)
// ela continua a mesma; outra mídia no lugar mostra `alterada` e dá false.
bool MesmaMidia(Sessao& s, int n, const QString& alterada);

// Recibo da entrada 0 pelo Resumo: a mídia trocada em disco é conferida antes.
void BotaoResumoRecibo_Click(Sessao& s, EstadoMidias& estado);

// Recibo e transmissão da mídia selecionada nas Mídias.
void BotaoMidiasRecibo_Click(Sessao& s, EstadoMidias& estado, const QString& caminho);
void BotaoMidiasTransmitir_Click(Sessao& s, EstadoMidias& estado, const QString& caminho);

} // namespace korventa
