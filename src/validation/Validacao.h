// Validação de uma entrada da tabela de arquivos abertos pelo motor: parâmetros do leiaute,
// acompanhamento pelo diálogo de progresso, veredicto, protocolo e totais.
#pragma once

#include <QDateTime>
#include <QString>

namespace korventa {

struct ArquivoAberto;
struct Sessao;
struct VersaoPrograma;
class DlgProgressoValidacao;

// Versão do programa como aparece no Sobre ("5.4.0"): também a versão do validador gravada na
// entrada a cada validação.
QString TextoVersao(const VersaoPrograma& v);

// Indicador de leiaute (0 antes de 2003, 1 no atual) e versão do convênio (2 ou 3).
int FlagLeiaute(const VersaoPrograma& v, const ArquivoAberto& e);
int VersaoConvenio(int flagLeiaute, const ArquivoAberto& e);

// Protocolo provisório de dez dígitos: CRC do CNPJ com o início da validação (ddmmaaaahhmmss).
QString ProtocoloProvisorio(const QString& cnpj, const QDateTime& inicio);

// Lê o arquivo de totais por CFOP para a entrada; um arquivo vazio recebe um branco, para que
// nunca entre vazio numa mídia. Falso quando o arquivo não pôde ser lido ou gravado.
bool LeTotaisCFOP(ArquivoAberto& e, const QString& caminho);

// Como terminou ValidarArquivo.
enum class FimValidacao {
    Impedida,  // o arquivo mudou em disco: a entrada ficou como estava
    Concluida, // veredicto, contagens e totais na entrada
    Cancelada, // o usuário cancelou: a entrada fica não validada, sem críticas
    Falhou     // o motor não começou ou não terminou (caixa já mostrada): a entrada fica não
               // validada, sem críticas
};

// Valida a entrada n; o resultado de uma execução fica na própria entrada.
FimValidacao ValidarArquivo(Sessao& s, int n, DlgProgressoValidacao& dlg);

// Entrada que não chegou a um veredicto: sem contagens, sem relatório de críticas nem totais
// parciais em disco (nada a listar nem a exportar).
void DescartaValidacao(Sessao& s, int n);

} // namespace korventa
