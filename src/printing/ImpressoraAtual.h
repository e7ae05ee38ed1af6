// A impressora atual do programa: o nome fica nas configurações (cfg.ultimaImpressora, vazio
// para a padrão do sistema) e o resto do estado em Sessao::impressora.
#pragma once

#include "platform/Impressora.h"
#include "printing/SuperficieImpressao.h"

#include <QPageLayout>
#include <memory>
#include <optional>

namespace korventa {

struct Sessao;
class SuperficieQt;

// Nome do dispositivo da impressora atual.
QString NomeImpressoraAtual(const Sessao& s);
// Número do erro de "não conseguiu obter informações sobre a impressora".
inline constexpr int ErroSemImpressora = 484;
// O que impede de usar a impressora atual: ErroSemImpressora quando ela não está mais
// instalada, outro erro quando o sistema não a aceita; nada quando ela está pronta.
std::optional<ErroImpressao> ProblemaImpressoraAtual(const Sessao& s);
// Confere a impressora atual antes de um trabalho. Com problema, mostra a mensagem (a de
// impressora que não existe, ou `prefixo` com o número, a descrição e a fonte), e false; a
// impressora que sumiu dá lugar à padrão, para a próxima tentativa.
bool ImpressoraPronta(Sessao& s, const QString& prefixo);
// Torna atual a impressora instalada com este nome em maiúsculas (a última que casar); sem
// nenhuma, a atual não muda. Devolve se achou.
bool EscolheImpressora(Sessao& s, const QString& nome);
// Volta à impressora padrão do sistema.
void VoltaImpressoraPadrao(Sessao& s);

// Leiaute de página da impressora atual no estado atual (papel, orientação, margens).
QPageLayout LeiauteImpressoraAtual(const Sessao& s);
// Medidas da área imprimível da impressora atual, em twips.
int LarguraImprimivelAtual(const Sessao& s);
int AlturaImprimivelAtual(const Sessao& s);
// Código de papel da impressora atual (os códigos padrão do sistema de impressão).
int CodigoPapelAtual(const Sessao& s);

// Registro do diálogo de impressão com a impressora atual.
DialogoImpressao RegistroImpressoraAtual(const Sessao& s, const QString& documento);

// Documento na impressora atual. A impressora "PDF" grava no arquivo que foi escolhido para este
// trabalho (Sessao::impressora.arquivoPdf).
std::unique_ptr<SuperficieQt> AbreDocumento(const Sessao& s, const QString& documento);

// A impressora "PDF" sem arquivo escolhido pergunta onde gravar. false quando o usuário cancela.
bool EscolheArquivoPdf(Sessao& s, const QString& documento);
// Fim do trabalho: o próximo documento em PDF pergunta o arquivo de novo.
void EsqueceArquivoPdf(Sessao& s);

// "ErroN numero: descrição" CR " fonte: fonte".
QString MensagemErroNumerado(const QString& prefixo, const ErroImpressao& erro);

// "Não conseguiu obter informações sobre a impressora." CR "Verifique se existe alguma
// impressora instalada no sistema."
QString MensagemSemImpressora();

} // namespace korventa
