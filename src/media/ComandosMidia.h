// Comandos sobre uma mídia: abrir a selecionada na página Mídias, o recibo (do Resumo e das
// Mídias) até a impressão, a transmissão pelas Mídias e a atualização da transmissão de uma
// entrada.
#pragma once

#include <QString>

namespace korventa {

struct ArquivoAberto;
struct EstadoMidias;
struct Sessao;

// Abre a mídia do caminho (vazio: nenhuma linha selecionada) para estado.midia; a mesma mídia
// sem mudança em disco não é lida de novo.
bool AbreMidiaSelecionada(Sessao& s, EstadoMidias& estado, const QString& caminho);

// Relê o bloco da mídia da entrada e procura o recibo, para a entrada ter a transmissão atual
// (e o tipo de documento). Uma mídia de outro protocolo no lugar não muda nada. Falso quando o
// bloco não pôde ser lido (o motivo fica em `mensagem`).
bool AtualizaTransmissao(EstadoMidias& estado, ArquivoAberto& e, QString& mensagem);

// Antes da impressão do recibo: recusa a versão antiga, relê o bloco, carrega os recibos e
// procura o da mídia; depois entrega à impressão (sem ela, diz que nada foi impresso).
void ImprimeReciboKorventa(Sessao& s, EstadoMidias& estado, ArquivoAberto& e);

// Recibo da entrada 0 pelo Resumo: a mídia trocada em disco é conferida antes.
void BotaoResumoRecibo_Click(Sessao& s, EstadoMidias& estado);

// Recibo e transmissão da mídia selecionada nas Mídias.
void BotaoMidiasRecibo_Click(Sessao& s, EstadoMidias& estado, const QString& caminho);
void BotaoMidiasTransmitir_Click(Sessao& s, EstadoMidias& estado, const QString& caminho);

// Texto de quem pede uma impressão que este programa ainda não faz.
QString TextoSemImpressao();

} // namespace korventa
