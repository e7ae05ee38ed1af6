// Exportação das críticas de um arquivo: o cabeçalho do relatório principal inteiro e todas as
// outras linhas dos relatórios cortadas em 198 caracteres, com CR LF. Copia os relatórios, não a
// lista: ignora o filtro e o limite.
#pragma once

#include <QString>
#include <QStringList>

namespace korventa {

inline constexpr int LarguraExportada = 198;

struct ResultadoExportacao {
    bool ok = true;
    int numeroErro = 0;
    QString contexto; // "ao tentar criar ...", "ao tentar abrir ...", "ao tentar escrever em ..."
    QString descricao;
};

// Grava num arquivo temporário ao lado do destino e só o troca pelo destino no fim: uma falha
// deixa o destino como estava.
ResultadoExportacao ExportaRelatorios(const QStringList& relatorios, const QString& destino);

// "Erro6 " número " " contexto, CR, descrição.
QString MensagemFalhaExportacao(const ResultadoExportacao& r);

} // namespace korventa
