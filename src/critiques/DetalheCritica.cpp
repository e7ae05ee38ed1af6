#include "critiques/DetalheCritica.h"

#include "common/Windows1252.h"

#include <QFile>

namespace korventa {

namespace {
constexpr char PrologoRtf[] = "{\\rtf1\\ansi {\\colortbl;\\red230\\green0\\blue0;"
                              "\\red150\\green150\\blue0;} ";
constexpr char MarcaRejeicao[] = "{\\ul\\cf1\\b ";
constexpr char MarcaAdvertencia[] = "{\\ul\\cf2\\b ";
} // namespace

LeituraRegistro LeRegistroFiscal(const QString& caminho, std::int64_t deslocamento,
                                 QByteArray& lido) {
    lido.clear();
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) return LeituraRegistro::ErroAbertura;
    if (deslocamento < 0 || !arquivo.seek(deslocamento)) return LeituraRegistro::ErroLeitura;
    lido = arquivo.read(MaximoLidoDoRegistro);
    if (arquivo.error() != QFileDevice::NoError) {
        lido.clear();
        return LeituraRegistro::ErroLeitura;
    }
    return LeituraRegistro::Lido;
}

QByteArray PreparaRegistro(QByteArray r) {
    // Arquivos só com LF também terminam o registro no fim da linha, não 1000 bytes adiante.
    qsizetype corte = -1;
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (r[i] == '\r' || r[i] == '\n') {
            corte = i;
            break;
        }
    }
    if (corte < 0) corte = r.indexOf('\x1A');
    if (corte >= 0) r.truncate(corte);
    if (r.size() < LarguraRegistroFiscal) r.append(LarguraRegistroFiscal - r.size(), ' ');
    return r;
}

PartesRegistro SeparaCampo(const QByteArray& registro, int inicio, int tamanho) {
    PartesRegistro p;
    p.inicio = inicio;
    p.tamanho = tamanho;
    const int ultima = inicio + tamanho - 1;
    p.marcado =
        inicio >= 1 && tamanho >= 1 && ultima <= LarguraRegistroFiscal && ultima <= registro.size();
    if (!p.marcado) {
        p.antes = registro;
        return p;
    }
    p.antes = registro.left(inicio - 1);
    p.campo = registro.mid(inicio - 1, tamanho);
    p.depois = registro.mid(ultima);
    return p;
}

QByteArray MontaRtf(const PartesRegistro& partes, TipoCritica tipo) {
    QByteArray rtf(PrologoRtf);
    rtf += partes.antes;
    if (partes.marcado) {
        rtf += tipo == TipoCritica::Rejeicao ? MarcaRejeicao : MarcaAdvertencia;
        for (const char c : partes.campo) {
            if (c == '\\' || c == '{' || c == '}') {
                rtf += '\\';
                rtf += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                rtf += '.';
            } else {
                rtf += c;
            }
        }
        rtf += '}';
        rtf += partes.depois;
    }
    rtf += '}';
    return rtf;
}

QString CampoVisivel(const QByteArray& campo) {
    QByteArray visivel = campo;
    for (char& c : visivel) {
        if (static_cast<unsigned char>(c) < 0x20) c = '.';
    }
    return DeWindows1252(visivel);
}

QString TextoInfoDetalhe(const QString& documentoItem, const QString& nomeCampo,
                         const PartesRegistro& partes) {
    QString texto;
    if (!documentoItem.isEmpty()) texto = QStringLiteral("Documento-Item: ") + documentoItem;
    if (partes.marcado)
        texto +=
            QStringLiteral("  Campo: %1 (Pos. %2, Tam. %3) ")
                .arg(nomeCampo, QString::number(partes.inicio), QString::number(partes.tamanho));
    return texto;
}

} // namespace korventa
