#include "validation/Validacao.h"

#include "common/Caminhos.h"
#include "common/Windows1252.h"
#include "engine/Bibliotecas.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "validation/Arquivos.h"
#include "validation/ArquivosTrabalho.h"
#include "validation/Descricoes.h"
#include "validation/DlgProgressoValidacao.h"
#include "validation/Motor.h"
#include "validation/PosValidacao.h"
#include "validation/Sessao.h"
#include "validation/Totalizadores.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace korventa {

QString TextoVersao(const VersaoPrograma& v) {
    return QStringLiteral("%1.%2.%3").arg(v.maior).arg(v.menor).arg(v.revisao);
}

int FlagLeiaute(const VersaoPrograma& v, const ArquivoAberto& e) {
    if (v.maior == 3) return 0;
    if (AnoFimPeriodo(e) > 2002) return 1;
    return CodigoDoRotulo(e.convenio) == QLatin1String("1") ? 0 : 1;
}

int VersaoConvenio(int flagLeiaute, const ArquivoAberto& e) {
    return flagLeiaute == 1 && CodigoDoRotulo(e.convenio) == QLatin1String("3") ? 3 : 2;
}

QString ProtocoloProvisorio(const QString& cnpj, const QDateTime& inicio) {
    const QString texto = cnpj + inicio.toString(QStringLiteral("ddMMyyyyHHmmss"));
    char saida[100] = {};
    if (auto* crc = KORVENTA_FUNCAO("Kelvor", Kelvor_CRC32))
        crc(TextoParaMotor(texto).constData(), saida);
    const qulonglong numero = TextoDoMotor(saida).trimmed().toULongLong();
    return QStringLiteral("%1").arg(numero, 10, 10, QLatin1Char('0')).right(10);
}

bool LeTotaisCFOP(ArquivoAberto& e, const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray conteudo = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    f.close();
    QFileInfo info(caminho);
    e.dataHoraTotaisCFOP = info.lastModified();
    e.tamanhoTotaisCFOP = static_cast<std::int32_t>(info.size());
    if (!conteudo.isEmpty()) {
        e.totaisCFOP = DeWindows1252(conteudo).split(QLatin1Char('\n'));
        return true;
    }
    e.totaisCFOP = QStringList{QString()};
    QFile g(caminho);
    if (!g.open(QIODevice::WriteOnly | QIODevice::Truncate) || g.write(" ", 1) != 1) return false;
    g.close();
    if (g.error() != QFileDevice::NoError) return false;
    info.refresh();
    e.dataHoraTotaisCFOP = info.lastModified();
    e.tamanhoTotaisCFOP = static_cast<std::int32_t>(info.size());
    return true;
}

namespace {

// Espera o fim da execução sem prender a interface: o temporizador do diálogo e o botão
// Cancelar continuam vivos, e a espera dorme entre um evento e outro.
void EsperaMotor(Sessao& s, DlgProgressoValidacao& dlg) {
    while (dlg.estado() == DlgProgressoValidacao::EmAndamento) {
        s.plataforma.processarEventos();
        if (dlg.estado() != DlgProgressoValidacao::EmAndamento) break;
        QEventLoop laco;
        QObject::connect(&dlg, &DlgProgressoValidacao::terminou, &laco, &QEventLoop::quit);
        QTimer::singleShot(100, &laco, &QEventLoop::quit);
        laco.exec();
    }
}

// Caixa crítica com o motivo que o motor deu para não validar o arquivo.
void MostraFalhaDoMotor(Sessao& s, const ArquivoAberto& e, QString motivo) {
    if (motivo.trimmed().isEmpty())
        motivo = QStringLiteral("O motor de validação não informou o motivo.");
    Log(LogErro, QStringLiteral("Falha na validacao de %1: %2").arg(e.caminho, motivo));
    s.plataforma.mensagem(QStringLiteral("A validação do arquivo ") + NomeDoArquivo(e.caminho) +
                              QStringLiteral(" não foi concluída.\r") + motivo,
                          Icone::Critico);
}

// Inicia o motor; falso (com a caixa já mostrada) quando não começou.
bool IniciaMotor(Sessao& s, int n) {
    ArquivoAberto& e = s.arquivos[n];
    const int flag = FlagLeiaute(s.versao, e);
    const int versao = VersaoConvenio(flag, e);
    char mensagem[1000] = {};
    auto* inicio = KORVENTA_FUNCAO("Kelvor", Kelvor_InicioValidacao);
    QString texto;
    if (!inicio)
        texto = FalhaDoMotor();
    else if (inicio(CaminhoParaMotor(e.caminho).constData(),
                    CaminhoParaMotor(CaminhoCriticas(s, n)).constData(),
                    CaminhoParaMotor(CaminhoTotaisCFOP(s, n)).constData(), flag, versao,
                    mensagem) == 0)
        texto = TextoDoMotor(mensagem);
    else
        return true;
    s.plataforma.mensagem(texto, Icone::Critico);
    return false;
}

// Veredicto e contagens da última execução; o texto devolvido é o CRC do arquivo.
QString ObtemResultado(ArquivoAberto& e) {
    char mensagem[100] = {};
    int32 erros = 0, advertencias = 0;
    auto* resultado = KORVENTA_FUNCAO("Kelvor", Kelvor_ResultadoValidacao);
    e.resultado = resultado ? resultado(mensagem, &erros, &advertencias) : ResultadoNaoIniciado;
    e.erros = erros;
    e.advertencias = advertencias;
    return TextoDoMotor(mensagem);
}

void ObtemTotaisRegistro(ArquivoAberto& e) {
    auto* linha = KORVENTA_FUNCAO("Kelvor", Kelvor_TotalizadorRegistro);
    for (int i = 0; i <= 30; ++i) {
        char saida[100] = {};
        if (linha) linha(i, saida);
        e.totaisRegistro[i] = TextoDoMotor(saida);
    }
}

} // namespace

void DescartaValidacao(Sessao& s, int n) {
    ArquivoAberto& e = s.arquivos[n];
    e.resultado = ResultadoNaoIniciado;
    e.erros = 0;
    e.advertencias = 0;
    e.crcArquivo.clear();
    e.temCriticas88 = false;
    e.temCriticasPB = false;
    e.totaisCFOP.clear();
    QFile::remove(CaminhoCriticas(s, n));
    QFile::remove(CaminhoTotaisCFOP(s, n));
}

FimValidacao ValidarArquivo(Sessao& s, int n, DlgProgressoValidacao& dlg) {
    Log(LogDetalhe, QStringLiteral("ValidarArquivo..."));
    if (!VerificaDataHoraArquivo(s, n, true)) {
        Log(LogOperacao, QStringLiteral("Impediu ValidarArquivo."));
        return FimValidacao::Impedida;
    }
    ArquivoAberto& e = s.arquivos[n];
    Log(LogOperacao, QStringLiteral("Vai validar %1 ( %2, %3)")
                         .arg(e.caminho, CaminhoCriticas(s, n), CaminhoTotaisCFOP(s, n)));
    e.inicioValidacao = s.plataforma.agora();

    QString crc;
    bool iniciou = IniciaMotor(s, n);
    if (iniciou) {
        dlg.acompanha(NomeDoArquivo(e.caminho));
        EsperaMotor(s, dlg);
        crc = ObtemResultado(e);
    } else {
        e.resultado = ResultadoNaoIniciado;
    }

    Log(LogOperacao, QStringLiteral("Erros %1 Advertencias: %2").arg(e.erros).arg(e.advertencias));
    e.crcArquivo = crc;
    e.versaoValidador = TextoVersao(s.versao);
    Log(LogDetalhe, QStringLiteral("Validou %1 ( %2)").arg(e.resultado).arg(crc));
    e.protocolo = ProtocoloProvisorio(e.cnpj, e.inicioValidacao);

    if (e.resultado == ResultadoNaoIniciado) {
        // Sem veredicto: cancelada pelo usuário ou interrompida pelo motor (sem disco, arquivo
        // sumido...). Uma falha não é um cancelamento: o usuário precisa saber o motivo.
        DescartaValidacao(s, n);
        if (iniciou && dlg.cancelado()) {
            Log(LogOperacao, QStringLiteral("Usuario Cancelou BotaoValidar_Click..."));
            return FimValidacao::Cancelada;
        }
        if (iniciou) MostraFalhaDoMotor(s, e, crc);
        return FimValidacao::Falhou;
    }

    e.temCriticas88 = false;
    e.temCriticasPB = false;
    ContagensPosValidacao pos;
    if (e.resultado != ResultadoRejeitado && CodigoDoRotulo(e.natureza) == QLatin1String("3")) {
        pos = VerificacoesPosValidacao(s, n);
        if (pos.interrompe) return FimValidacao::Concluida;
    }
    e.fimValidacao = s.plataforma.agora();
    AplicaCriticas88(e, pos);

    if (e.resultado != ResultadoRejeitado && !LeTotaisCFOP(e, CaminhoTotaisCFOP(s, n))) {
        Log(LogErro, QStringLiteral("Excecao ao obter informações do arquivo %1!")
                         .arg(CaminhoTotaisCFOP(s, n)));
        s.plataforma.mensagem(QStringLiteral("Erro interno! Tente novamente."), Icone::Exclamacao);
        DescartaValidacao(s, n);
        return FimValidacao::Falhou;
    }

    CarregaTotalizadores(e);
    if (e.resultado != ResultadoRejeitado) ObtemTotaisRegistro(e);
    Log(LogOperacao, QStringLiteral("Fim ValidarArquivo."));
    return FimValidacao::Concluida;
}

} // namespace korventa
