#include "validation/Recentes.h"

#include "engine/Log.h"

namespace korventa {

namespace {

void incluiNoTopo(QStringListModel& lista, const QString& texto, const QString& operacao) {
    Log(LogOperacao, operacao + QStringLiteral("..."));
    if (lista.stringList().contains(texto, Qt::CaseSensitive)) return;
    lista.insertRows(0, 1);
    lista.setData(lista.index(0), texto);
    Log(LogOperacao, QStringLiteral("Fim ") + operacao + QLatin1Char('.'));
}

} // namespace

void IncluiArquivoRecente(Sessao& sessao, const QString& caminho) {
    incluiNoTopo(sessao.arquivosRecentes, caminho, QStringLiteral("IncluiArquivoRecente"));
}

void IncluiPastaMidiaRecente(Sessao& sessao, const QString& pasta) {
    incluiNoTopo(sessao.pastasMidiaRecentes, pasta, QStringLiteral("IncluiPastaMidiaRecente"));
}

} // namespace korventa
