#include "app/LinhaDeComando.h"

#include "common/Argumentos.h"
#include "common/Numeros.h"

#include <QDir>

namespace korventa {

OpcoesLinhaDeComando InterpretaLinhaDeComando(const QString& linha) {
    OpcoesLinhaDeComando opcoes;
    // Posição 0 vazia; os argumentos vêm de 1 em diante.
    const QStringList argumentos = SeparaArgumentos(linha, 10);
    if (argumentos.size() > 1 && argumentos.at(1) == QLatin1String("-?")) {
        opcoes.pedeSintaxe = true;
        return opcoes;
    }
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos.at(i);
        if ((a == QLatin1String("-l") || a == QLatin1String("-L")) && i + 1 < argumentos.size()) {
            opcoes.nivelLog = ArredondaPar16(ValorInicialNumerico(argumentos.at(i + 1)));
            ++i;
        }
    }
    return opcoes;
}

QString TextoSintaxe(const QString& nomeExecutavel) {
    return QStringLiteral("Sintaxe: ") + nomeExecutavel + QStringLiteral(" [-l <nível de LOG>]");
}

QStringList ArquivosDaLinhaDeComando(const QStringList& argumentos, const QString& pastaAtual) {
    QStringList arquivos;
    if (!argumentos.isEmpty() && argumentos.first() == QLatin1String("-?")) return arquivos;
    const QDir pasta(pastaAtual);
    for (qsizetype i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos.at(i);
        if (a == QLatin1String("-l") || a == QLatin1String("-L")) {
            ++i; // o nível de log
        } else if (!a.isEmpty() && !a.startsWith(QLatin1Char('-'))) {
            arquivos << QDir::toNativeSeparators(QDir::cleanPath(pasta.absoluteFilePath(a)));
        }
    }
    return arquivos;
}

QString MontaLinhaDeComando(const QStringList& argumentos) {
    QStringList partes;
    for (const QString& a : argumentos) {
        if (a.isEmpty() || a.contains(QLatin1Char(' ')) || a.contains(QLatin1Char('\t')))
            partes << QLatin1Char('"') + a + QLatin1Char('"');
        else
            partes << a;
    }
    return partes.join(QLatin1Char(' '));
}

} // namespace korventa
