// Contrato das bibliotecas fechadas do sistema: Kelvor, GerarMidiaQIV, Tramil, Reexame,
// Reexame88, Valkora2 e Valkora3. Textos de 8 bits (Windows-1252), saídas em buffers do
// chamador terminadas em NUL, inteiros de 32 bits com sinal.
// Este arquivo é o único de src/ que as bibliotecas de libs/ incluem.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define KORVENTA_API extern "C" __declspec(dllexport)
#define KORVENTA_CALL __stdcall
#else
#define KORVENTA_API extern "C" __attribute__((visibility("default")))
#define KORVENTA_CALL
#endif

using int32 = std::int32_t;

// ---------------------------------------------------------------- Kelvor (motor de validação)

// Log do motor: arquivo "<app>.log" na pasta temporária.
KORVENTA_API void KORVENTA_CALL LigarLog(const char* aplicacao, int32 nivel);
KORVENTA_API void KORVENTA_CALL EventoLog(int32 nivel, const char* texto);

// Versões de Valkora2, Valkora3 e do próprio Kelvor; cada saída seguida do seu tamanho (100);
// o último argumento é 0. Diferente de zero: sucesso.
KORVENTA_API int32 KORVENTA_CALL Kelvor_VersoesEx(char* versaoValkora2, int32 tamanho1,
                                                  char* versaoValkora3, int32 tamanho2,
                                                  char* versaoKelvor, int32 tamanho3,
                                                  int32 reservado);

// Confere uma biblioteca companheira. saida: 20 bytes; mensagem: 1000 bytes. Diferente de zero: ok.
KORVENTA_API int32 KORVENTA_CALL Kelvor_Aux(const char* caminho, char* saida, char* mensagem);

// Pré-verificação de um arquivo fiscal. Diferente de zero: pode ser aberto.
KORVENTA_API int32 KORVENTA_CALL Kelvor_VerificaArquivo(const char* caminho, char* mensagem,
                                                        int32 tamanhoMensagem);

// Inicia a validação em segundo plano. flagLeiaute 0/1, versaoConvenio 2/3, mensagem: 1000 bytes.
KORVENTA_API int32 KORVENTA_CALL Kelvor_InicioValidacao(const char* caminho,
                                                        const char* caminhoCriticas,
                                                        const char* caminhoTotaisCFOP,
                                                        int32 flagLeiaute, int32 versaoConvenio,
                                                        char* mensagem);

// -2 enquanto a validação corre; qualquer outro valor depois que ela terminou.
KORVENTA_API int32 KORVENTA_CALL Kelvor_EstadoValidacao(int32* percentual, int32* registrosLidos,
                                                        int32* registrosTotal);
KORVENTA_API void KORVENTA_CALL Kelvor_CancelaValidacao(void);

// 0 aceito, 1 aceito com advertências, 2 rejeitado, -1 cancelado. mensagem: 100 bytes (CRC).
KORVENTA_API int32 KORVENTA_CALL Kelvor_ResultadoValidacao(char* mensagem, int32* erros,
                                                           int32* advertencias);
// CRC-32 do texto em decimal. saida: 100 bytes.
KORVENTA_API int32 KORVENTA_CALL Kelvor_CRC32(const char* texto, char* saida);
// Linha 0 a 30 dos totais por registro. saida: 100 bytes.
KORVENTA_API int32 KORVENTA_CALL Kelvor_TotalizadorRegistro(int32 linha, char* saida);
// Contagem da célula (linha 0..21, coluna 0..3) da tabela de totais da última validação.
KORVENTA_API int32 KORVENTA_CALL Kelvor_Totalizador(int32 linha, int32 coluna);

// Mídias. 0: sucesso; outro valor: falha, com o motivo em mensagem.
// tipoDocumento: 20 bytes; info: 512 bytes, o bloco inteiro sem NUL depois dele (quem quer um
// texto terminado reserva 513 e zera); mensagem: tamanhoMensagem bytes. Mídia que não é mídia,
// danificada ou de selo quebrado: "Arquivo de mídia danificado: <caminho>".
KORVENTA_API int32 KORVENTA_CALL Kelvor_ObterInfoAdicionaisMidiaQIV_Ex(const char* caminhoMidia,
                                                                       char* tipoDocumento,
                                                                       char* info, char* mensagem,
                                                                       int32 tamanhoMensagem);
// Com saida nula ou tamanho insuficiente: devolve 0 e põe em *tamanho os bytes necessários
// (NUL incluído). Linhas separadas por CR LF.
KORVENTA_API int32 KORVENTA_CALL Kelvor_ObterResumoMidiaQIV(const char* caminhoMidia, char* saida,
                                                            int32* tamanho, char* mensagem,
                                                            int32 tamanhoMensagem);
KORVENTA_API int32 KORVENTA_CALL Kelvor_ObterTotaisCFOP(const char* caminhoMidia, char* saida,
                                                        int32* tamanho, char* mensagem,
                                                        int32 tamanhoMensagem);

// Arquivos de totais para a GIA: por situação, por outras IEs e por UF.
KORVENTA_API int32 KORVENTA_CALL GerarArquivosParaGia(const char* caminhoArquivo,
                                                      const char* caminhoTotaisSituacao,
                                                      const char* caminhoTotaisOutrasIEs,
                                                      const char* caminhoTotaisPorUF,
                                                      char* mensagem, int32 tamanhoMensagem);

// Recibos cifrados (".RCB"): AES-256-GCM com a chave do motor; recibo de marca, versão ou
// autenticação que não confere é recusado. Um recibo aberto por vez; LerArquivoCripto devolve 0
// com a próxima linha (Windows-1252, sem o CR LF) e outro valor no fim. 0: sucesso.
KORVENTA_API int32 KORVENTA_CALL AbrirArquivoCripto(const char* caminho, char* mensagem,
                                                    int32 tamanhoMensagem);
KORVENTA_API int32 KORVENTA_CALL LerArquivoCripto(char* linha, int32 tamanhoLinha, char* mensagem,
                                                  int32 tamanhoMensagem, int32* tamanhoLido);
KORVENTA_API int32 KORVENTA_CALL FecharArquivoCripto(void);
// Só o substituto do programa de transmissão grava recibos.
KORVENTA_API int32 KORVENTA_CALL GravarArquivoCripto(const char* caminho, const char* texto,
                                                     char* mensagem, int32 tamanhoMensagem);

// ---------------------------------------------------------------- GerarMidiaQIV

// versao: 100 bytes, mensagem: tamanhoMensagem bytes. 0: sucesso.
KORVENTA_API int32 KORVENTA_CALL VersaoGerarMidiaQIV(char* versao, char* mensagem,
                                                     int32 tamanhoMensagem);
// Grava a mídia em caminhoMidia. 0: sucesso.
KORVENTA_API int32 KORVENTA_CALL GerarMidiaQivEx(
    const char* listaArquivos, const char* caminhoMidia, const char* caminhoComprovante,
    const char* classe, const char* gim, const char* convencao, const char* chaveVariante,
    const char* codigo01, const char* versao0, const char* versao1, const char* versao2,
    const char* uf, const char* cabecalho, const char* chave, char* mensagem,
    int32 tamanhoMensagem);
// Percentual (0 a 100) da gravação em andamento, para acompanhar GerarMidiaQivEx de outra thread.
KORVENTA_API int32 KORVENTA_CALL ProgressoGerarMidiaQIV(void);
// Depois da transmissão: troca as colunas 193 a 502 do bloco de informações (info: 512
// caracteres; as outras colunas têm de ficar como estão) de uma mídia íntegra e renova o selo.
// A mídia é substituída de uma vez, só quando a nova está completa e conferida. 0: sucesso.
KORVENTA_API int32 KORVENTA_CALL RegravarInfoMidiaQIV(const char* caminhoMidia, const char* info,
                                                      char* mensagem, int32 tamanhoMensagem);

// ---------------------------------------------------------------- Tramil

// Texto de versão da biblioteca (estático, terminado em NUL).
KORVENTA_API const char* KORVENTA_CALL GetVersaoDll(void);

// ---------------------------------------------------------------- Reexame / Reexame88

// Texto de versão (estático). Reexame "2.1.0", Reexame88 "1.0.4".
KORVENTA_API const char* KORVENTA_CALL Reexame_Versao(void);
KORVENTA_API const char* KORVENTA_CALL Reexame88_Versao(void);
// Verificação da PB. 0: o arquivo passa; N > 0: não passa, com N críticas (Rejeições) no
// formato do relatório de críticas em caminhoResultado, numeradas a partir de 1; -1: não passa
// porque a verificação não pôde ser feita ou os achados não puderam ser gravados.
KORVENTA_API int32 KORVENTA_CALL CriticaEspecifica(const char* caminhoArquivo,
                                                   const char* caminhoResultado);
// Críticas dos registros 88 no formato do relatório de críticas, numeradas a partir de
// primeiraSequencia. mensagem: 1000 bytes. 0: falha; outro valor: sucesso. erros e advertencias
// contam críticas; linhasComErro, os registros com alguma Rejeição; linhasComAdvertencia, os
// registros só com Advertências.
KORVENTA_API int32 KORVENTA_CALL Validacao88(const char* uf, const char* caminhoArquivo,
                                             const char* caminhoCriticas, int32 primeiraSequencia,
                                             char* mensagem, int32* erros, int32* advertencias,
                                             int32* linhasComErro, int32* linhasComAdvertencia);

// ---------------------------------------------------------------- Valkora2 / Valkora3

// Texto de versão (estático). Valkora2 "1.7.8.9", Valkora3 "1.8.2".
KORVENTA_API const char* KORVENTA_CALL Valkora2_Versao(void);
KORVENTA_API const char* KORVENTA_CALL Valkora3_Versao(void);

// ---------------------------------------------------------------- versões esperadas

namespace korventa::versoes {
inline constexpr const char* Valkora2 = "1.7.8.9";
inline constexpr const char* Valkora3 = "1.8.2";
inline constexpr const char* Kelvor = "5.2.0.0";
inline constexpr const char* GerarMidiaQIV = "5.6.0";
inline constexpr const char* Reexame = "2.1.0";
inline constexpr const char* Reexame88 = "1.0.4";
} // namespace korventa::versoes

// Tipos de ponteiro usados pelo carregador do programa.
namespace korventa::assinaturas {
using LigarLog = void(KORVENTA_CALL*)(const char*, int32);
using EventoLog = void(KORVENTA_CALL*)(int32, const char*);
using Kelvor_VersoesEx = int32(KORVENTA_CALL*)(char*, int32, char*, int32, char*, int32, int32);
using Kelvor_Aux = int32(KORVENTA_CALL*)(const char*, char*, char*);
using Kelvor_VerificaArquivo = int32(KORVENTA_CALL*)(const char*, char*, int32);
using Kelvor_InicioValidacao = int32(KORVENTA_CALL*)(const char*, const char*, const char*, int32,
                                                     int32, char*);
using Kelvor_EstadoValidacao = int32(KORVENTA_CALL*)(int32*, int32*, int32*);
using Kelvor_CancelaValidacao = void(KORVENTA_CALL*)(void);
using Kelvor_ResultadoValidacao = int32(KORVENTA_CALL*)(char*, int32*, int32*);
using Kelvor_CRC32 = int32(KORVENTA_CALL*)(const char*, char*);
using Kelvor_TotalizadorRegistro = int32(KORVENTA_CALL*)(int32, char*);
using Kelvor_Totalizador = int32(KORVENTA_CALL*)(int32, int32);
using Kelvor_ObterInfoAdicionaisMidiaQIV_Ex = int32(KORVENTA_CALL*)(const char*, char*, char*,
                                                                    char*, int32);
using Kelvor_ObterResumoMidiaQIV = int32(KORVENTA_CALL*)(const char*, char*, int32*, char*, int32);
using Kelvor_ObterTotaisCFOP = int32(KORVENTA_CALL*)(const char*, char*, int32*, char*, int32);
using GerarArquivosParaGia = int32(KORVENTA_CALL*)(const char*, const char*, const char*,
                                                   const char*, char*, int32);
using AbrirArquivoCripto = int32(KORVENTA_CALL*)(const char*, char*, int32);
using LerArquivoCripto = int32(KORVENTA_CALL*)(char*, int32, char*, int32, int32*);
using FecharArquivoCripto = int32(KORVENTA_CALL*)(void);
using GravarArquivoCripto = int32(KORVENTA_CALL*)(const char*, const char*, char*, int32);
using VersaoGerarMidiaQIV = int32(KORVENTA_CALL*)(char*, char*, int32);
using GerarMidiaQivEx = int32(KORVENTA_CALL*)(const char*, const char*, const char*, const char*,
                                              const char*, const char*, const char*, const char*,
                                              const char*, const char*, const char*, const char*,
                                              const char*, const char*, char*, int32);
using ProgressoGerarMidiaQIV = int32(KORVENTA_CALL*)(void);
using RegravarInfoMidiaQIV = int32(KORVENTA_CALL*)(const char*, const char*, char*, int32);
using GetVersaoDll = const char*(KORVENTA_CALL*)(void);
using Valkora2_Versao = const char*(KORVENTA_CALL*)(void);
using Valkora3_Versao = const char*(KORVENTA_CALL*)(void);
using Reexame_Versao = const char*(KORVENTA_CALL*)(void);
using Reexame88_Versao = const char*(KORVENTA_CALL*)(void);
using CriticaEspecifica = int32(KORVENTA_CALL*)(const char*, const char*);
using Validacao88 = int32(KORVENTA_CALL*)(const char*, const char*, const char*, int32, char*,
                                          int32*, int32*, int32*, int32*);
} // namespace korventa::assinaturas
