#include "media/Recibo.h"

#include "common/Caminhos.h"
#include "engine/Bibliotecas.h"
#include "validation/Motor.h"

#include <array>

namespace korventa {

namespace {

constexpr int TamanhoMensagem = 1000;
constexpr int TamanhoLinha = 1000;

// Linha n (1-based), vazia quando o recibo é mais curto.
QString linha(const QStringList& linhas, int n) {
    return linhas.value(n - 1);
}

// Texto depois do rótulo; nada quando o rótulo não está na linha.
bool depois(const QString& linha, const QString& rotulo, QString& resto) {
    const qsizetype i = linha.indexOf(rotulo);
    if (i < 0) return false;
    resto = linha.mid(i + rotulo.size());
    return true;
}

// Os `n` caracteres depois do rótulo, sem os brancos que o separam dele.
QString campo(const QString& linha, const QString& rotulo, int n) {
    QString resto;
    if (!depois(linha, rotulo, resto)) return QString();
    qsizetype inicio = 0;
    while (inicio < resto.size() && resto.at(inicio) == QLatin1Char(' '))
        ++inicio;
    return resto.mid(inicio, n).trimmed();
}

QString resto(const QString& linha, const QString& rotulo) {
    QString r;
    depois(linha, rotulo, r);
    return r.trimmed();
}

std::int32_t tamanhoEmBytes(const QString& linha) {
    QString texto;
    if (!depois(linha, QStringLiteral("Tamanho: "), texto)) return 0;
    const qsizetype fim = texto.indexOf(QStringLiteral("bytes"));
    if (fim >= 0) texto.truncate(fim);
    texto = texto.trimmed();
    texto.remove(QLatin1Char('.'));
    bool ok = false;
    const std::int32_t n = texto.toInt(&ok);
    return ok ? n : 0;
}

} // namespace

bool NomeDeRecibo(const QString& nome) {
    return nome.size() == 15 && nome.at(2) == QLatin1Char('_') &&
           nome.at(3).toUpper() == QLatin1Char('O') &&
           nome.right(4).compare(QLatin1String(".RCB"), Qt::CaseInsensitive) == 0;
}

bool InterpretaRecibo(const QStringList& linhas, Recibo& r) {
    r.linha2 = linha(linhas, 2).trimmed();
    r.linha3 = linha(linhas, 3).trimmed();

    const QString l5 = linha(linhas, 5);
    if (l5.contains(QStringLiteral("TESTE"))) return false;
    r.protocoloQIV = campo(l5, QStringLiteral("Protocolo QIV:"), 7);
    const QString data = campo(l5, QStringLiteral("Data:"), 10);
    const QString hora = campo(l5, QStringLiteral("Hora:"), 8);
    r.transmitidoEm = data + QStringLiteral(" às ") + hora;
    r.chaveTransmissao = campo(linha(linhas, 6), QStringLiteral("Chave Transmissão:"), 8);

    const QString l7 = linha(linhas, 7);
    r.chaveTransmissaoKorventa.clear();
    if (l7.contains(QStringLiteral("Chave de Transmissão KORVENTA: ")) ||
        l7.contains(QStringLiteral("Chave GIA-KORVENTA: ")))
        r.chaveTransmissaoKorventa = l7.mid(l7.indexOf(QLatin1Char(':')) + 1).trimmed();

    r.email = resto(linha(linhas, 8), QStringLiteral("E-Mail: "));

    // Sem a linha do remetente tudo o que vem depois sobe uma linha.
    const QString l9 = linha(linhas, 9);
    int base = 9;
    r.remetente.clear();
    if (l9.contains(QStringLiteral("Remetente: "))) {
        r.remetente = resto(l9, QStringLiteral("Remetente: "));
        base = 10;
    }
    r.tamanho = tamanhoEmBytes(linha(linhas, base + 3));

    QString protocolo, cnpj;
    if (!depois(linha(linhas, base + 6), QStringLiteral("Protocolo KORVENTA: "), protocolo) ||
        !depois(linha(linhas, base + 7), QStringLiteral("CNPJ: "), cnpj))
        return false;
    r.protocoloKorventa = protocolo.trimmed();
    r.cnpj = cnpj.trimmed();
    return true;
}

bool LeRecibo(const QString& caminho, Recibo& recibo) {
    auto* abrir = KORVENTA_FUNCAO("Kelvor", AbrirArquivoCripto);
    auto* ler = KORVENTA_FUNCAO("Kelvor", LerArquivoCripto);
    auto* fechar = KORVENTA_FUNCAO("Kelvor", FecharArquivoCripto);
    if (!abrir || !ler || !fechar) return false;

    std::array<char, TamanhoMensagem> mensagem{};
    if (abrir(CaminhoParaMotor(caminho).constData(), mensagem.data(), TamanhoMensagem) != 0)
        return false;
    QStringList linhas;
    std::array<char, TamanhoLinha> buffer{};
    std::int32_t lido = 0;
    while (linhas.size() < MaximoLinhasRecibo &&
           ler(buffer.data(), TamanhoLinha, mensagem.data(), TamanhoMensagem, &lido) == 0) {
        QString l = TextoDoMotor(buffer.data(), qBound(0, lido, TamanhoLinha));
        while (l.endsWith(QLatin1Char(' ')))
            l.chop(1);
        linhas << l;
    }
    fechar();
    recibo = Recibo{};
    recibo.arquivo = NomeDoArquivo(caminho);
    return InterpretaRecibo(linhas, recibo);
}

} // namespace korventa
