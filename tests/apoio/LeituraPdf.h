// Leitura de volta dos PDFs que os testes imprimem: texto (pdftotext -layout), palavras com as
// posições (pdftotext -bbox) e páginas e tamanho (pdfinfo).
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

namespace korventa::testes {

struct PalavraPdf {
    QString texto;
    int pagina = 0;                                // de 1 em diante
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0; // pontos, do canto do papel
};

struct InfoPdf {
    int paginas = 0;
    double largura = 0; // pontos
    double altura = 0;
    bool paisagem() const { return largura > altura; }
};

InfoPdf LeInfoPdf(const QString& arquivo);
// Texto no leiaute da página; página 0: todas.
QString TextoPdf(const QString& arquivo, int pagina = 0);
QVector<PalavraPdf> PalavrasPdf(const QString& arquivo);
// Primeira palavra com este texto (na página dada, ou em qualquer uma com 0); nula se não há.
const PalavraPdf* AchaPalavra(const QVector<PalavraPdf>& palavras, const QString& texto,
                              int pagina = 0);

// Cor do ponto (x, y em mm do papel) da página, desenhada pelo pdftoppm a 72 pontos por
// polegada; inválida quando a página não pôde ser desenhada.
QColor CorNoPapel(const QString& arquivo, int pagina, double xmm, double ymm);

// Posição no papel, em pontos, do twip x ou y da área imprimível (que começa a 6 mm).
double PontosDoTwip(int twips);

} // namespace korventa::testes
