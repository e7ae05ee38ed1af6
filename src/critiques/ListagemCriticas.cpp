#include "critiques/ListagemCriticas.h"

#include "common/Windows1252.h"
#include "critiques/LeitorRelatorio.h"

#include <new>

namespace korventa {

namespace {

QString Texto(std::string_view bytes) {
    return DeWindows1252(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// Um relatório: cabeçalho, depois registros em linhas até a primeira linha que não tem 216
// caracteres; dali em diante, blocos de 218 bytes contados a partir do fim do cabeçalho.
class ListagemDeUmRelatorio {
public:
    ListagemDeUmRelatorio(FiltroCriticas filtro, std::int32_t maximo, ArmazemCriticas& destino)
        : filtro_(filtro), maximo_(maximo), destino_(destino) {}

    ResultadoListagem lista(const QString& caminho) {
        if (!leitor_.abre(caminho))
            return falha(QStringLiteral("Erro tentando abrir o arquivo ") + caminho);
        std::string_view cabecalho; // só interessa onde termina
        if (!leitor_.linha(cabecalho, 0))
            return falha(QStringLiteral("Erro lendo do arquivo ") + caminho);
        base_ = leitor_.posicao();

        std::int64_t r = 0; // registros deste arquivo, para a posição dos blocos
        while (!noFim() && destino_.tamanho() < maximo_) {
            std::string_view registro;
            if (!proximo(r, registro))
                return falha(QStringLiteral("Erro lendo Relatório de Críticas!"));
            if (registro.empty()) break; // restou só um fragmento menor que um registro
            const CamposCritica campos = RecortaCritica(registro);
            TipoCritica tipo;
            if (!TipoDaCritica(campos.tipo, tipo))
                return falha(QStringLiteral("Arquivo de críticas com problemas. Tipo de erro não "
                                            "identificado (") +
                             Texto(campos.tipo) + QStringLiteral("). Interrompendo listagem."));
            if (PassaNoFiltro(filtro_, tipo)) {
                try {
                    destino_.reservaMaisUma();
                } catch (const std::bad_alloc&) {
                    return falha(
                        QStringLiteral("Faltou memória para a listagem do Relatório de Críticas!"));
                }
                try {
                    destino_.inclui(campos, tipo);
                } catch (const std::exception&) {
                    return falha(
                        QStringLiteral("Erro preenchendo listagem do Relatório de Críticas!"));
                }
            }
            ++r;
        }
        ResultadoListagem resultado;
        if (!noFim()) resultado.fim = FimListagem::Limite;
        leitor_.fecha();
        return resultado;
    }

private:
    bool noFim() {
        // Um resto de um byte (a marca de fim de arquivo) não é registro, nem conta para o aviso
        // do limite.
        const qint64 proximo = emBlocos_ ? proximoBloco_ : leitor_.posicao();
        return leitor_.tamanho() - proximo <= 1;
    }

    // Próximo registro; vazio quando a troca para blocos encontra só um resto de arquivo.
    bool proximo(std::int64_t r, std::string_view& registro) {
        if (!emBlocos_) {
            // Um byte a mais basta para saber que a linha não tem 216 caracteres.
            if (!leitor_.linha(registro, TamanhoRegistroCritica + 1)) {
                registro = {};
                return !leitor_.falhou();
            }
            if (registro.size() == TamanhoRegistroCritica) return true;
            // Quebra de linha dentro do registro: relê este registro como bloco.
            emBlocos_ = true;
            proximoBloco_ = base_ + r * TamanhoBlocoCritica;
            if (noFim()) {
                registro = {};
                return true;
            }
        }
        if (!leitor_.bytesEm(proximoBloco_, TamanhoBlocoCritica, registro)) return false;
        proximoBloco_ += TamanhoBlocoCritica;
        return true;
    }

    ResultadoListagem falha(const QString& mensagem) {
        leitor_.fecha();
        return {FimListagem::Falha, mensagem};
    }

    FiltroCriticas filtro_;
    std::int32_t maximo_;
    ArmazemCriticas& destino_;
    LeitorRelatorio leitor_;
    qint64 base_ = 0; // deslocamento do primeiro registro
    bool emBlocos_ = false;
    qint64 proximoBloco_ = 0;
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
