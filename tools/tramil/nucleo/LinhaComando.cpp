#include "nucleo/LinhaComando.h"

#include "common/Argumentos.h"

namespace tramil {

namespace {

bool Igual(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// Um argumento que traz opções e aspas dentro (o validador montou a linha num texto só) é
// separado de novo; um caminho já separado pelo sistema fica como está, mesmo com brancos.
QStringList Separa(const QStringList& argumentos) {
    QStringList partes;
    for (const QString& bruto : argumentos) {
        const QString a = bruto.trimmed();
        if (a.isEmpty()) continue;
        const bool linhaInteira =
            (a.startsWith(QLatin1Char('-')) &&
             (a.contains(QLatin1Char(' ')) || a.contains(QLatin1Char('"')))) ||
            a.startsWith(QLatin1Char('"'));
        if (linhaInteira)
            partes << korventa::SeparaArgumentos(a, 64).mid(1);
        else
            partes << a;
    }
    return partes;
}

} // namespace

OpcoesTramil InterpretaArgumentos(const QStringList& argumentos) {
    OpcoesTramil o;
    const QStringList partes = Separa(argumentos);
    QStringList caminho;
    for (qsizetype i = 0; i < partes.size(); ++i) {
        const QString& a = partes.at(i);
        if (Igual(a, "-Texto")) {
            o.modo = Modo::Texto;
        } else if (Igual(a, "-Notas")) {
            o.modo = Modo::Notas;
        } else if (Igual(a, "-Log")) {
            o.log = true;
        } else if (Igual(a, "--criticas") || Igual(a, "-Criticas")) {
            if (i + 1 >= partes.size()) {
                o.erro = QStringLiteral("Falta o arquivo de críticas depois de ") + a + u'.';
                return o;
            }
            o.criticas = partes.at(++i);
        } else if (a == QLatin1String("-?") || Igual(a, "-h") || Igual(a, "--help") ||
                   Igual(a, "--ajuda")) {
            o.ajuda = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1 && caminho.isEmpty() &&
                   !a.contains(QLatin1Char('/')) && !a.contains(QLatin1Char('\\'))) {
            o.erro = QStringLiteral("Opção desconhecida: ") + a;
            return o;
        } else {
            caminho << a;
        }
    }
    // Um caminho com brancos que chegou sem aspas num texto só: as partes voltam a se juntar.
    o.caminho = caminho.join(QLatin1Char(' '));
    return o;
}

QString TextoAjuda() {
    return QStringLiteral(
        "Uso: Tramil [-Texto | -Notas] [-Log] [--criticas RELATORIO] [\"ARQUIVO\"]\n"
        "\n"
        "  -Texto                 visualizador de arquivos Convênio 57/95 (padrão)\n"
        "  -Notas                 consulta das notas fiscais do arquivo\n"
        "  -Log                   registra as operações no log do validador\n"
        "  --criticas RELATORIO   abre ao lado do arquivo o relatório de críticas do validador\n"
        "\n"
        "Sem ARQUIVO, o programa pergunta qual arquivo abrir.\n");
}

} // namespace tramil
