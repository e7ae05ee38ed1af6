#include "apoio/LeituraPdf.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>

namespace korventa::testes {

namespace {

QString Executa(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString SemEntidades(QString t) {
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    t.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return t;
}

} // namespace

InfoPdf LeInfoPdf(const QString& arquivo) {
    const QString saida = Executa(QStringLiteral("pdfinfo"), {arquivo});
    InfoPdf info;
    const auto paginas = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(saida);
    if (paginas.hasMatch()) info.paginas = paginas.captured(1).toInt();
    const auto tamanho =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(saida);
    if (tamanho.hasMatch()) {
        info.largura = tamanho.captured(1).toDouble();
        info.altura = tamanho.captured(2).toDouble();
    }
    return info;
}

QString TextoPdf(const QString& arquivo, int pagina) {
    QStringList argumentos{QStringLiteral("-layout")};
    if (pagina > 0)
        argumentos << QStringLiteral("-f") << QString::number(pagina) << QStringLiteral("-l")
                   << QString::number(pagina);
    argumentos << arquivo << QStringLiteral("-");
    return Executa(QStringLiteral("pdftotext"), argumentos);
}

QVector<PalavraPdf> PalavrasPdf(const QString& arquivo) {
    const QString html = Executa(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), arquivo, QStringLiteral("-")});
    static const QRegularExpression pagina(QStringLiteral("<page "));
    static const QRegularExpression palavra(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QVector<PalavraPdf> palavras;
    int numero = 0;
    for (const QString& linha : html.split(QLatin1Char('\n'))) {
        if (linha.contains(pagina)) ++numero;
        const auto m = palavra.match(linha);
        if (!m.hasMatch()) continue;
        palavras.push_back({SemEntidades(m.captured(5)), numero, m.captured(1).toDouble(),
                            m.captured(2).toDouble(), m.captured(3).toDouble(),
                            m.captured(4).toDouble()});
    }
    return palavras;
}

const PalavraPdf* AchaPalavra(const QVector<PalavraPdf>& palavras, const QString& texto,
                              int pagina) {
    for (const PalavraPdf& p : palavras)
        if (p.texto == texto && (pagina == 0 || p.pagina == pagina)) return &p;
    return nullptr;
}

QColor CorNoPapel(const QString& arquivo, int pagina, double xmm, double ymm) {
    QProcess p;
    const QString numero = QString::number(pagina);
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
             QStringLiteral("-f"), numero, QStringLiteral("-l"), numero, arquivo});
    p.waitForFinished(60000);
    const QImage imagem = QImage::fromData(p.readAllStandardOutput(), "PNG");
    const QPoint ponto(qRound(xmm * 72 / 25.4), qRound(ymm * 72 / 25.4));
    if (imagem.isNull() || !imagem.rect().contains(ponto)) return QColor();
    return imagem.pixelColor(ponto);
}

double PontosDoTwip(int twips) {
    return 6.0 * 72.0 / 25.4 + twips / 20.0;
}

} // namespace korventa::testes
