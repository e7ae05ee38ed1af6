#include "critiques/GeradorRelatorio.h"

#include "common/Windows1252.h"

#include <QFile>

namespace korventa::testes {

namespace {

QByteArray Esquerda(const QString& texto, int largura) {
    QByteArray b = ParaWindows1252(texto).left(largura);
    b.append(largura - b.size(), ' ');
    return b;
}

QByteArray Direita(std::int64_t numero, int largura, bool brancoSeZero = false) {
    if (brancoSeZero && numero == 0) return QByteArray(largura, ' ');
    const QByteArray n = QByteArray::number(static_cast<qlonglong>(numero));
    return QByteArray(largura - n.size(), ' ') + n;
}

} // namespace

QByteArray RegistroCritica(const CriticaTeste& c, int sequencia) {
    QByteArray r;
    r += Direita(sequencia, 10);
    r += Direita(c.linha, 10);
    r += Esquerda(c.registro, 2);
    r += Esquerda(c.campo, 25);
    r += Esquerda(c.documentoItem, 15);
    r += Esquerda(c.conteudo, 25);
    r += Esquerda(c.mensagem, 100);
    r += Esquerda(c.tipo, 11);
    r += Direita(c.inicio, 3, true);
    r += Direita(c.tamanho, 3, true);
    r += Direita(c.deslocamento, 10);
    r += "  ";
    return r;
}

QByteArray RelatorioCriticas(const QList<CriticaTeste>& criticas, const QString& cabecalho) {
    QByteArray bytes = ParaWindows1252(cabecalho) + "\r\n";
    bytes.reserve(bytes.size() + criticas.size() * 218);
    int sequencia = 1;
    for (const CriticaTeste& c : criticas)
        bytes += RegistroCritica(c, sequencia++) + "\r\n";
    return bytes;
}

bool GravaArquivo(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace korventa::testes
