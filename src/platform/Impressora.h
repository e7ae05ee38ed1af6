// A impressora atual e o que o diálogo de impressão escolhe. Além das impressoras instaladas há
// sempre a impressora "PDF", que grava o documento num arquivo escolhido pelo usuário.
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <cstdint>

class QPrinter;

namespace korventa {

inline const QString ImpressoraPdf = QStringLiteral("PDF");

inline constexpr int Retrato = 1;
inline constexpr int Paisagem = 2;

// Estado da impressora atual que não é o nome (o nome fica nas configurações).
struct EstadoImpressora {
    int orientacao = Retrato;
    int copias = 1;
    int duplex = 0;     // 0 sem informação, 1 uma face, 2 frente e verso (borda longa), 3 (curta)
    QPageSize papel;    // inválido: o papel padrão da impressora
    QString arquivoPdf; // impressora PDF: arquivo deste trabalho; vazio até alguém escolher
};

// Registro do diálogo de impressão: o que vai e o que volta.
struct DialogoImpressao {
    QString impressora; // nome do dispositivo
    EstadoImpressora estado;
    QString documento; // nome do trabalho e do arquivo PDF proposto
    std::uint32_t flags = 0;
    int minimo = 0;
    int maximo = 0;
    int dePagina = 0;
    int atePagina = 0;
    bool visualizar = false; // volta: o usuário pediu para ver antes de imprimir
};

// Marcas de `flags` que o diálogo devolve.
inline constexpr std::uint32_t MarcaIntervaloPaginas = 0x2;
inline constexpr std::uint32_t MarcaAgrupar = 0x10;
inline constexpr std::uint32_t MarcaArquivo = 0x20;

// Impressoras instaladas, na ordem da plataforma, e "PDF" no fim.
QStringList ImpressorasInstaladas();
// Impressora padrão do sistema; "PDF" quando não há nenhuma instalada.
QString ImpressoraPadrao();

// QPrinter na impressora e no estado dados (margens de 6 mm quando a impressora aceita).
void ConfiguraPrinter(QPrinter& printer, const QString& impressora, const EstadoImpressora& estado,
                      const QString& documento);
// Lê de volta do QPrinter a impressora e o estado escolhidos.
void LePrinter(const QPrinter& printer, QString& impressora, EstadoImpressora& estado);

} // namespace korventa
