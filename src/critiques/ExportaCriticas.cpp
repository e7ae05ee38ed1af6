#include "critiques/ExportaCriticas.h"

#include "critiques/LeitorRelatorio.h"

#include <QSaveFile>
#include <cerrno>

namespace korventa {

namespace {

ResultadoExportacao Falha(const QString& contexto, int numero, const QString& descricao) {
    return {false, numero, contexto, descricao};
}

ResultadoExportacao FalhaGravacao(const QString& contexto, const QSaveFile& saida) {
    return Falha(contexto, errno != 0 ? errno : static_cast<int>(saida.error()),
                 saida.errorString());
}

} // namespace

ResultadoExportacao ExportaRelatorios(const QStringList& relatorios, const QString& destino) {
    QSaveFile saida(destino);
    errno = 0;
    if (!saida.open(QIODevice::WriteOnly))
        return FalhaGravacao(QStringLiteral("ao tentar criar ") + destino, saida);

    QByteArray bloco; // gravado em pedaços grandes
    bloco.reserve(1 << 20);
    LeitorRelatorio leitor;
    bool primeiraLinha = true;
    for (const QString& relatorio : relatorios) {
        if (!leitor.abre(relatorio)) {
            saida.cancelWriting();
            return Falha(QStringLiteral("ao tentar abrir ") + relatorio, leitor.numeroErro(),
                         leitor.descricaoErro());
        }
        const QString contexto = QStringLiteral("ao tentar escrever em ") + destino;
        std::string_view linha;
        while (leitor.linha(linha)) {
            // Só o cabeçalho do relatório principal vai inteiro.
            const std::size_t largura = primeiraLinha
                                            ? linha.size()
                                            : std::min<std::size_t>(linha.size(), LarguraExportada);
            primeiraLinha = false;
            bloco.append(linha.data(), static_cast<qsizetype>(largura));
            bloco.append("\r\n", 2);
            if (bloco.size() >= (1 << 20)) {
                errno = 0;
                if (saida.write(bloco) != bloco.size()) {
                    saida.cancelWriting();
                    return FalhaGravacao(contexto, saida);
                }
                bloco.clear();
            }
        }
        if (leitor.falhou()) {
            saida.cancelWriting();
            return Falha(contexto, leitor.numeroErro(), leitor.descricaoErro());
        }
        leitor.fecha();
        errno = 0;
        if (saida.write(bloco) != bloco.size()) {
            saida.cancelWriting();
            return FalhaGravacao(contexto, saida);
        }
        bloco.clear();
    }
    errno = 0;
    if (!saida.commit())
        return FalhaGravacao(QStringLiteral("ao tentar escrever em ") + destino, saida);
    return {};
}

QString MensagemFalhaExportacao(const ResultadoExportacao& r) {
    return QStringLiteral("Erro6 ") + QString::number(r.numeroErro) + QLatin1Char(' ') +
           r.contexto + QLatin1Char('\r') + r.descricao;
}

} // namespace korventa
