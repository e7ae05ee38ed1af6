// Bloco de título no alto de cada página dos relatórios (menos o recibo): sistema, título,
// contador de páginas ou data e hora, arquivo, contribuinte, período e a régua.
#pragma once

#include <QDateTime>
#include <QString>

namespace korventa {

class SuperficieImpressao;
struct ArquivoAberto;

// Linhas do bloco em milímetros do papel; contador < 0: sem contador de páginas (a data e hora
// vai na linha do título).
struct LeiauteCabecalho {
    const char* sistema;
    double linhaTitulo;
    double linhaContador;
    double linhaDataHora;
    double linhaArquivo;
    double linhaContribuinte;
    double linhaPeriodo;
    double linhaRegua;
};

// Resumo da validação e totais por registro.
inline constexpr LeiauteCabecalho CabecalhoResumo{"KORVENTA", 10, -1, 10, 15, 20, 15, 26};
// Totais por CFOP e por registro e CFOP.
inline constexpr LeiauteCabecalho CabecalhoCFOP{"KORVENTA", 10, 10, 15, 15, 20, 20, 26};
// Críticas.
inline constexpr LeiauteCabecalho CabecalhoCriticas{
    "KORVENTA - Módulo Contribuinte", 7, 7, 12, 12, 17, 17, 24};

struct DadosCabecalho {
    QString titulo;
    QString contador; // "Página 1 de 3"; vazio sem contador
    QString dataHora; // "dd/mm/aaaa  hh:mm:ss"
    QString arquivo;  // "Arquivo: " e o caminho
    QString contribuinte;
    QString periodo;
};

// Data e hora dos relatórios: dia, mês, ano, dois brancos e a hora de 24 horas.
QString DataHoraRelatorio(const QDateTime& quando);

// Dados do bloco a partir do arquivo aberto (contador vazio).
DadosCabecalho CabecalhoDoArquivo(const ArquivoAberto& a, const QString& titulo,
                                  const QDateTime& quando);

// Imprime o bloco na fonte corrente.
void ImprimeCabecalho(SuperficieImpressao& s, const LeiauteCabecalho& l, const DadosCabecalho& d);

} // namespace korventa
