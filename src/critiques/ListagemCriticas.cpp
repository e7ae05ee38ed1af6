#include "critiques/ListagemCriticas.h"

#include "common/Windows1252.h"
#include "critiques/PercursoRelatorio.h"

#include <new>

namespace korventa {

namespace {

QString Texto(std::string_view bytes) {
    return DeWindows1252(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// Um relatório inteiro, ou até o limite de linhas listadas.
class ListagemDeUmRelatorio {
public:
    ListagemDeUmRelatorio(FiltroCriticas filtro, std::int32_t maximo, ArmazemCriticas& destino)
        : filtro_(filtro), maximo_(maximo), destino_(destino) {}

    ResultadoListagem lista(const QString& caminho) {
        if (!percurso_.abre(caminho)) return {FimListagem::Falha, percurso_.mensagem()};
        std::string_view registro;
        while (destino_.tamanho() < maximo_) {
            const PercursoRelatorio::Passo passo = percurso_.proximo(registro);
            if (passo == PercursoRelatorio::Passo::Fim) break;
            if (passo == PercursoRelatorio::Passo::Falha) return falha(percurso_.mensagem());
            const CamposCritica campos = RecortaCritica(registro);
            TipoCritica tipo;
            if (!TipoDaCritica(campos.tipo, tipo))
                return falha(QStringLiteral("Arquivo de críticas com problemas. Tipo de erro não "
                                            "identificado (") +
                             Texto(campos.tipo) + QStringLiteral("). Interrompendo listagem."));
            if (!PassaNoFiltro(filtro_, tipo)) continue;
            try {
                destino_.reservaMaisUma();
            } catch (const std::bad_alloc&) {
                return falha(
                    QStringLiteral("Faltou memória para a listagem do Relatório de Críticas!"));
            }
            try {
                destino_.inclui(campos, tipo);
            } catch (const std::exception&) {
                return falha(QStringLiteral("Erro preenchendo listagem do Relatório de Críticas!"));
            }
        }
        ResultadoListagem resultado;
        if (!percurso_.noFim()) resultado.fim = FimListagem::Limite;
        percurso_.fecha();
        return resultado;
    }

private:
    ResultadoListagem falha(const QString& mensagem) {
        percurso_.fecha();
        return {FimListagem::Falha, mensagem};
    }

    FiltroCriticas filtro_;
    std::int32_t maximo_;
    ArmazemCriticas& destino_;
    PercursoRelatorio percurso_;
};

} // namespace

ResultadoListagem ListaRelatorios(const QStringList& relatorios, FiltroCriticas filtro,
                                  std::int32_t maximo, ArmazemCriticas& destino) {
    for (const QString& caminho : relatorios) {
        ListagemDeUmRelatorio umRelatorio(filtro, maximo, destino);
        ResultadoListagem r = umRelatorio.lista(caminho);
        if (r.fim != FimListagem::Completa) return r;
    }
    return {};
}

QString MensagemTruncamento(FiltroCriticas filtro, std::int32_t maximo, std::int32_t erros,
                            std::int32_t advertencias) {
    const QString m = QString::number(maximo);
    switch (filtro) {
    case FiltroCriticas::Erros:
        return QStringLiteral("Somente os primeiros %1 erros foram listados do total de %2.")
            .arg(m, QString::number(erros));
    case FiltroCriticas::Advertencias:
        return QStringLiteral("Somente as primeiras %1 advertências foram listadas do total de %2.")
            .arg(m, QString::number(advertencias));
    case FiltroCriticas::Tudo:
        break;
    }
    return QStringLiteral("Somente as primeiras %1 críticas foram listadas do total de %2.")
        .arg(m, QString::number(static_cast<std::int64_t>(erros) + advertencias));
}

} // namespace korventa
