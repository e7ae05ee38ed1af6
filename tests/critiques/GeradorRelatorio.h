// Relatórios de críticas de teste no formato que o motor grava (216 caracteres + CR LF,
// Windows-1252). Usado pelos testes e pelo benchmark da lista.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace korventa::testes {

struct CriticaTeste {
    int linha = 1;
    QString registro = QStringLiteral("50");
    QString campo = QStringLiteral("CNPJ");
    QString documentoItem;
    QString conteudo;
    QString mensagem = QStringLiteral("Campo numérico com caracteres não numéricos.");
    QString tipo = QStringLiteral("Rejeição");
    int inicio = 0; // 0: colunas em branco
    int tamanho = 0;
    std::int64_t deslocamento = 0;
};

inline const QString TextoRejeicao = QStringLiteral("Rejeição");
inline const QString TextoAdvertencia = QStringLiteral("Advertência");

// Registro de 216 bytes (sem CR LF).
QByteArray RegistroCritica(const CriticaTeste& c, int sequencia);

// Cabeçalho, CR LF, e cada registro com CR LF.
QByteArray RelatorioCriticas(
    const QList<CriticaTeste>& criticas,
    const QString& cabecalho = QStringLiteral("KORVENTA - Relatório de Críticas - teste.txt - "
                                              "01/02/2024 10:20:30"));

bool GravaArquivo(const QString& caminho, const QByteArray& bytes);

// Relatório de `n` críticas variadas (três em quatro rejeições) gravado direto no disco, em
// pedaços: para as medições com muitas críticas.
bool GravaRelatorioGrande(const QString& caminho, int n);

} // namespace korventa::testes
