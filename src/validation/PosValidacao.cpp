#include "validation/PosValidacao.h"

#include "engine/Bibliotecas.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "validation/ArquivosTrabalho.h"
#include "validation/Motor.h"
#include "validation/Sessao.h"

#include <QFile>

namespace korventa {

namespace {

const QString TituloFalha = QStringLiteral("Erro na pós-validação do arquivo");

// Falha grave: caixa crítica, log e fim da validação deste arquivo.
ContagensPosValidacao Interrompe(Sessao& s, const QString& estado, const QString& motivo) {
    s.plataforma.mensagem(motivo, Icone::Critico, Botoes::Ok, TituloFalha);
    Log(LogErro,
        QStringLiteral("Erro grave na pos-validacao de ") + estado + QStringLiteral(": ") + motivo);
    ContagensPosValidacao c;
    c.interrompe = true;
    return c;
}

ContagensPosValidacao VerificaPB(Sessao& s, int n) {
    ArquivoAberto& e = s.arquivos[n];
    Log(LogOperacao, QStringLiteral("Executando pos-validacao de PB..."));
    auto* critica = KORVENTA_FUNCAO("Reexame", CriticaEspecifica);
    // Sem a biblioteca o arquivo não foi verificado: nem aceito nem rejeitado por ela.
    if (!critica) return Interrompe(s, QStringLiteral("PB"), FalhaDoMotor());
    const QString resultado = CaminhoResultadoPB(s, n);
    QFile::remove(resultado); // o de uma validação anterior não vale para esta
    const int32 r =
        critica(CaminhoParaMotor(e.caminho).constData(), CaminhoParaMotor(resultado).constData());
    if (r == 0) {
        Log(LogOperacao, QStringLiteral("Pos-validacao de PB ok."));
        return {};
    }
    Log(LogOperacao, QStringLiteral("Erro na pos-validacao de PB."));
    e.resultado = ResultadoRejeitado;
    // Os achados entram na lista de críticas depois dos do motor, como erros.
    if (r > 0) {
        e.temCriticasPB = true;
        e.erros += r;
        Log(LogOperacao, QStringLiteral("Criticas da pos-validacao de PB: ") + QString::number(r));
    }
    return {};
}

ContagensPosValidacao Verifica88(Sessao& s, int n) {
    ArquivoAberto& e = s.arquivos[n];
    const QString arquivo = CaminhoCriticas88(s, n);
    QFile::remove(arquivo);
    Log(LogOperacao, QStringLiteral("Executando pos-validacao de MS com saida em ") + arquivo +
                         QStringLiteral("..."));
    auto* validacao = KORVENTA_FUNCAO("Reexame88", Validacao88);
    if (!validacao) return Interrompe(s, QStringLiteral("MS"), FalhaDoMotor());
    char mensagem[1000] = {};
    int32 erros = 0, advertencias = 0, linhasErro = 0, linhasAdvertencia = 0;
    const int32 r = validacao("MS", CaminhoParaMotor(e.caminho).constData(),
                              CaminhoParaMotor(arquivo).constData(), e.erros + e.advertencias + 1,
                              mensagem, &erros, &advertencias, &linhasErro, &linhasAdvertencia);
    if (r == 0) return Interrompe(s, QStringLiteral("MS"), TextoDoMotor(mensagem));
    e.temCriticas88 = true;
    e.linhasErro88 = linhasErro;
    e.linhasAdvertencia88 = linhasAdvertencia;
    Log(LogOperacao,
        QStringLiteral("Total Erros 88 %1 Total Advertencias 88: %2").arg(erros).arg(advertencias));
    Log(LogOperacao, QStringLiteral("Registros 88 com erro %1 e com advertencias %2")
                         .arg(linhasErro)
                         .arg(linhasAdvertencia));
    ContagensPosValidacao c;
    c.erros = erros;
    c.advertencias = advertencias;
    return c;
}

} // namespace

ContagensPosValidacao VerificacoesPosValidacao(Sessao& s, int n) {
    const QString& uf = s.arquivos[n].uf;
    if (uf == QLatin1String("PB")) return VerificaPB(s, n);
    // Os registros 88 de MS só são verificados nas versões de teste (versão maior 0).
    if (uf == QLatin1String("MS") && s.versao.maior == 0) return Verifica88(s, n);
    return {};
}

void AplicaCriticas88(ArquivoAberto& e, const ContagensPosValidacao& c) {
    if (!e.temCriticas88) return;
    if (c.erros > 0)
        e.resultado = ResultadoRejeitado;
    else if (c.advertencias > 0)
        e.resultado = ResultadoAceitoComAdvertencias;
    e.erros += c.erros;
    e.advertencias += c.advertencias;
}

} // namespace korventa
