// Abertura de uma mídia para o diálogo de informações e para o recibo: bloco de informações,
// resumo da validação e totais por CFOP lidos de volta pelo motor, com as conferências de versão.
// E a conferência de que a mídia de uma entrada não foi trocada em disco.
#pragma once

#include <QString>

namespace korventa {

struct ArquivoAberto;
struct Sessao;
class BlocoInfoMidia;
class CacheRecibos;
struct Recibo;

// Lê a mídia para `e` (que só muda quando dá certo). Falso depois de mostrar o motivo.
// A transmissão vem do bloco da mídia quando ele tem o código de transmissão; senão do recibo
// que `recibos` tiver para a mídia; sem nenhum dos dois fica vazia (não transmitida).
bool AbreArquivoMidia(Sessao& s, const QString& caminho, ArquivoAberto& e,
                      const CacheRecibos* recibos = nullptr);

// Dados de transmissão do recibo na entrada; sem recibo, todos vazios.
void AplicaRecibo(ArquivoAberto& e, const Recibo* r);
// Dados de transmissão do bloco da mídia (que tem o código de transmissão) na entrada.
void AplicaTransmissaoDoBloco(ArquivoAberto& e, const BlocoInfoMidia& bloco);

// A mídia da entrada n ainda tem a data e o tamanho guardados. Senão, a menos que `silencioso`,
// mostra "O arquivo foi trocado!" com o caminho da mídia no título.
bool VerificaDataHoraMidia(Sessao& s, int n, bool silencioso);

// Versão gravada por quem não anotava a sua.
inline constexpr const char* VersaoValidadorPadrao = "1.0.3";

// Versões de "1.0.0" até antes de "3.4.0" não levam totais na mídia.
bool VersaoComTotais(const QString& versaoValidador);

} // namespace korventa
