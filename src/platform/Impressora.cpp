#include "platform/Impressora.h"

#include "engine/Definicoes.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace korventa {

namespace {

// A área imprimível dos relatórios começa a 6 mm da borda do papel.
constexpr double MargemMilimetros = 6.0;

int DuplexDoQt(QPrinter::DuplexMode modo) {
    switch (modo) {
    case QPrinter::DuplexNone:
        return 1;
    case QPrinter::DuplexLongSide:
        return 2;
    case QPrinter::DuplexShortSide:
        return 3;
    case QPrinter::DuplexAuto:
        break;
    }
    return 0;
}

QPrinter::DuplexMode DuplexParaQt(int duplex) {
    switch (duplex) {
    case 2:
        return QPrinter::DuplexLongSide;
    case 3:
        return QPrinter::DuplexShortSide;
    default:
        break;
    }
    return QPrinter::DuplexNone;
}

} // namespace

QStringList ImpressorasInstaladas() {
    QStringList nomes = QPrinterInfo::availablePrinterNames();
    nomes << ImpressoraPdf;
    return nomes;
}

QString ImpressoraPadrao() {
    const QString padrao = QPrinterInfo::defaultPrinterName();
    return padrao.isEmpty() ? ImpressoraPdf : padrao;
}

void ConfiguraPrinter(QPrinter& printer, const QString& impressora, const EstadoImpressora& estado,
                      const QString& documento) {
    if (impressora == ImpressoraPdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(estado.arquivoPdf);
    } else {
        printer.setPrinterName(impressora);
    }
    if (estado.papel.isValid())
        printer.setPageSize(estado.papel);
    else if (impressora == ImpressoraPdf)
        printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(estado.orientacao == Paisagem ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
    // Impressoras que não chegam a 6 mm da borda ficam com as margens delas.
    printer.setPageMargins(
        QMarginsF(MargemMilimetros, MargemMilimetros, MargemMilimetros, MargemMilimetros),
        QPageLayout::Millimeter);
    printer.setCopyCount(qMax(1, estado.copias));
    if (estado.duplex != 0) printer.setDuplex(DuplexParaQt(estado.duplex));
    printer.setDocName(documento);
    printer.setCreator(QString::fromLatin1(TituloPrograma));
}

void LePrinter(const QPrinter& printer, QString& impressora, EstadoImpressora& estado) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        impressora = ImpressoraPdf;
        estado.arquivoPdf = printer.outputFileName();
    } else {
        impressora = printer.printerName();
    }
    const QPageLayout leiaute = printer.pageLayout();
    estado.orientacao = leiaute.orientation() == QPageLayout::Landscape ? Paisagem : Retrato;
    estado.papel = leiaute.pageSize();
    estado.copias = printer.copyCount();
    estado.duplex = DuplexDoQt(printer.duplex());
}

} // namespace korventa
