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
    const QString contexto = QStringLiteral("ao tentar escrever em ") + destino;

    constexpr qsizetype TamanhoBloco = 1 << 20;
    QByteArray bloco; // gravado em pedaços grandes
    bloco.reserve(TamanhoBloco);
    // Grava o bloco quando encheu ou, com `sempre`, o que houver.
    const auto grava = [&](bool sempre) {
        if (!sempre && bloco.size() < TamanhoBloco) return true;
        errno = 0;
        const bool ok = saida.write(bloco) == bloco.size();
        bloco.clear();
        return ok;
    };
    LeitorRelatorio leitor;
    bool cabecalho = true; // só o cabeçalho do relatório principal vai inteiro
    for (const QString& relatorio : relatorios) {
        if (!leitor.abre(relatorio)) {
            return Falha(QStringLiteral("ao tentar abrir ") + relatorio, leitor.numeroErro(),
                         leitor.descricaoErro());
        }
        std::string_view linha;
        bool gravou = true;
        if (cabecalho) {
            // O cabeçalho pode ter qualquer tamanho: vai em trechos.
            bool fimDaLinha = false, leu = false;
            while (gravou && !fimDaLinha && leitor.trecho(linha, 1 << 16, fimDaLinha)) {
                leu = true;
                bloco.append(linha.data(), static_cast<qsizetype>(linha.size()));
                gravou = grava(false);
            }
            if (leu) bloco.append("\r\n", 2);
            cabecalho = false;
        }
        while (gravou && leitor.linha(linha, LarguraExportada)) {
            bloco.append(linha.data(), static_cast<qsizetype>(linha.size()));
            bloco.append("\r\n", 2);
            gravou = grava(false);
        }
        if (leitor.falhou()) {
            return Falha(contexto, leitor.numeroErro(), leitor.descricaoErro());
        }
        leitor.fecha();
        if (!gravou || !grava(true)) {
            return FalhaGravacao(contexto, saida);
        }
    }
    errno = 0;
    if (!saida.commit()) return FalhaGravacao(contexto, saida);
    return {};
}

QString MensagemFalhaExportacao(const ResultadoExportacao& r) {
    return QStringLiteral("Erro6 ") + QString::number(r.numeroErro) + QLatin1Char(' ') +
           r.contexto + QLatin1Char('\r') + r.descricao;
}

} // namespace korventa
