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

const char* const Mensagens[] = {
    "Campo numérico com caracteres não numéricos.",
    "Data inválida.",
    "CFOP inválido para a UF do remetente/destinatário.",
    "Produto sem registro 75 correspondente.",
    "ICMS diferente de base de cálculo vezes alíquota.",
    "Inscrição estadual com dígito verificador inválido.",
};

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

bool GravaRelatorioGrande(const QString& caminho, int n) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write("KORVENTA - Relatório de Críticas - grande.txt - 01/02/2024 10:20:30\r\n");
    QByteArray pedaco;
    CriticaTeste c;
    for (int i = 0; i < n; ++i) {
        c.linha = i + 3;
        c.registro = i % 3 ? QStringLiteral("54") : QStringLiteral("50");
        c.campo = i % 3 ? QStringLiteral("Código do produto") : QStringLiteral("CFOP");
        c.documentoItem = QStringLiteral("1-%1/%2")
                              .arg(i / 10, 6, 10, QLatin1Char('0'))
                              .arg(i % 10 + 1, 3, 10, QLatin1Char('0'));
        c.conteudo = i % 3 ? QStringLiteral("PROD%1").arg(i % 997) : QStringLiteral("5102");
        c.mensagem = QString::fromUtf8(Mensagens[i % 6]);
        c.tipo = i % 4 ? TextoRejeicao : TextoAdvertencia;
        c.inicio = 38;
        c.tamanho = 14;
        c.deslocamento = static_cast<std::int64_t>(i + 2) * 128;
        pedaco += RegistroCritica(c, i + 1) + "\r\n";
        if (pedaco.size() > (4 << 20)) {
            f.write(pedaco);
            pedaco.clear();
        }
    }
    f.write(pedaco);
    return f.error() == QFileDevice::NoError;
}

} // namespace korventa::testes
