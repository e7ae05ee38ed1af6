#include "app/ProgramasCompanheiros.h"

#include "common/Caminhos.h"
#include "engine/Log.h"
#include "validation/Sessao.h"

#include <QFileInfo>

namespace korventa {

namespace {

ComandoCompanheiro comando(const QString& programa, const QString& linha,
                           const QStringList& argumentos) {
    return {linha, InicioProcesso{programa, argumentos, PastaDoArquivo(programa)}};
}

QString entreAspas(const QString& texto) {
    return QLatin1Char('"') + texto + QLatin1Char('"');
}

// Falha ao iniciar: o texto termina no número do erro do sistema e vai também para o log.
void avisaFalha(Plataforma& p, const QString& inicio, int erro) {
    const QString texto = inicio + QString::number(erro) + QLatin1Char(')');
    p.mensagem(texto, Icone::Exclamacao);
    Log(LogDetalhe, texto);
}

} // namespace

ComandoCompanheiro ComandoQIV(const QString& pathQiv, int nivelLog, const QString& midia) {
    QString linha = pathQiv;
    QStringList argumentos;
    if (nivelLog > 0) {
        linha += QStringLiteral(" -l ") + QString::number(nivelLog);
        argumentos << QStringLiteral("-l") << QString::number(nivelLog);
    }
    linha += QLatin1Char(' ') + entreAspas(midia);
    argumentos << midia;
    return comando(pathQiv, linha, argumentos);
}

ComandoCompanheiro ComandoUtilitario(const QString& utilitario, bool notas, int nivelLog,
                                     const QString& arquivo) {
    const QString opcao = notas ? QStringLiteral("-Notas") : QStringLiteral("-Texto");
    QString linha = QLatin1Char(' ') + opcao + QLatin1Char(' ');
    QStringList argumentos{opcao};
    if (nivelLog >= 1) {
        linha += QStringLiteral("-Log ");
        argumentos << QStringLiteral("-Log");
    }
    if (!arquivo.isEmpty()) {
        linha += entreAspas(arquivo);
        argumentos << arquivo;
    }
    return comando(utilitario, linha, argumentos);
}

ProgramasCompanheiros::ProgramasCompanheiros(Sessao& sessao) : s_(sessao) {}

ProgramasCompanheiros::~ProgramasCompanheiros() {
    if (consultaNotas_ != 0) s_.plataforma.liberaProcesso(consultaNotas_);
}

void ProgramasCompanheiros::ExecutarQIV(const QString& midia) {
    Log(LogOperacao, QStringLiteral("ExecutarQIV..."));
    Plataforma& p = s_.plataforma;
    if (!s_.qivEncontrado) {
        p.mensagem(QStringLiteral("Para fazer a transmissão é preciso configurar o caminho "
                                  "completo\rdo QIV na página Configurar."),
                   Icone::Informacao);
        if (s_.selecionaAba) s_.selecionaAba(1);
        if (focaCaminhoQIV) focaCaminhoQIV();
        s_.configuracaoAlterada = true;
        Log(LogOperacao, QStringLiteral("Impediu ExecutarQIV."));
        return;
    }
    if (!QFileInfo(midia).isFile()) {
        p.mensagem(QStringLiteral("O arquivo ") + midia + QStringLiteral(" não foi encontrado."),
                   Icone::Exclamacao);
        return;
    }
    const ComandoCompanheiro c = ComandoQIV(s_.cfg.pathQiv, s_.nivelLog, midia);
    Log(LogDetalhe, c.linha);
    const ResultadoInicio r = p.iniciarProcesso(c.inicio, false);
    if (!r.iniciou()) {
        avisaFalha(p, QStringLiteral("Ocorreu um erro ao executar o programa de transmissão QIV ("),
                   r.erro);
        return;
    }
    Log(LogOperacao, QStringLiteral("Fim ExecutarQIV."));
}

void ProgramasCompanheiros::ExecutaUtilitarioQd(bool notas, const QString& arquivo) {
    Log(LogOperacao, QStringLiteral("ExecutaUtilitarioQd..."));
    Plataforma& p = s_.plataforma;
    if (notas && consultaNotas_ != 0) {
        if (p.processoAtivo(consultaNotas_)) {
            p.mensagem(QStringLiteral("O programa 'Consulta Nota Fiscal' já está em execução."),
                       Icone::Informacao);
            Log(LogOperacao, QStringLiteral("...mais de uma instancia de Notas Fiscais!"));
            return;
        }
        p.liberaProcesso(consultaNotas_);
        consultaNotas_ = 0;
    }
    const ComandoCompanheiro c =
        ComandoUtilitario(s_.caminhoUtilitarioNotas, notas, s_.nivelLog, arquivo);
    Log(LogDetalhe, s_.caminhoUtilitarioNotas + c.linha);
    const ResultadoInicio r = p.iniciarProcesso(c.inicio, notas);
    if (!r.iniciou()) {
        avisaFalha(p, QStringLiteral("Ocorreu um erro ao executar o programa utilitário ("),
                   r.erro);
        return;
    }
    if (notas) consultaNotas_ = r.identificador;
    Log(LogOperacao, QStringLiteral("Fim ExecutaUtilitarioQd."));
}

} // namespace korventa
