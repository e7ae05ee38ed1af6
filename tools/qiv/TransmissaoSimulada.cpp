#include "TransmissaoSimulada.h"

#include "common/Caminhos.h"
#include "common/Formatos.h"
#include "engine/Bibliotecas.h"
#include "media/Recibo.h"
#include "validation/Motor.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <array>
#include <memory>

namespace korventa::qiv {

namespace {

constexpr int TamanhoMensagem = 1000;
const QString ChavePasta = QStringLiteral("Config/Pasta De Comprovantes");

// Configuração do programa de transmissão, a mesma que o validador lê.
std::unique_ptr<QSettings> Configuracao() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("QIV2"));
}

QString Aleatorio(int n) {
    static const QString Simbolos = QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString s;
    for (int i = 0; i < n; ++i)
        s += Simbolos.at(int(QRandomGenerator::global()->bounded(int(Simbolos.size()))));
    return s;
}

} // namespace

QString AvisoSimulador() {
    return QStringLiteral(
        "SIMULADOR DE TRANSMISSÃO: nada é enviado à Secretaria da Fazenda nem a lugar nenhum. "
        "\"Transmitir\" só grava na mídia os dados de uma transmissão simulada e deixa um recibo "
        "na pasta de comprovantes, para conferir o caminho completo neste computador.");
}

MidiaQIV LeMidia(const QString& caminho) {
    MidiaQIV m;
    m.caminho = caminho;
    if (!QFileInfo(caminho).isFile()) {
        m.mensagem =
            QStringLiteral("O arquivo ") + caminho + QStringLiteral(" não foi encontrado.");
        return m;
    }
    m.integra = LeInfoMidia(caminho, m.bloco, m.tipoDocumento, m.mensagem);
    if (m.integra) m.razaoSocial = m.bloco.linhaRegistro10().mid(30, 35).trimmed();
    return m;
}

QStringList LinhasRecibo(const DadosRecibo& d) {
    QStringList l{
        QStringLiteral("RECIBO DE ENTREGA DE ARQUIVO - TRANSMISSÃO SIMULADA"),
        QStringLiteral("Secretaria da Fazenda do Estado ") + d.ufDestino,
        QStringLiteral("Arquivo do Convênio ICMS 57/95 - nada foi enviado (simulador)"),
        QString(),
        QStringLiteral("Protocolo QIV: %1   Data: %2   Hora: %3")
            .arg(d.protocoloQIV, d.quando.toString(QStringLiteral("dd/MM/yyyy")),
                 d.quando.toString(QStringLiteral("HH:mm:ss"))),
        QStringLiteral("Chave Transmissão: ") + d.chave,
        QStringLiteral("Chave de Transmissão KORVENTA: ") + d.chaveKorventa,
        QStringLiteral("E-Mail: ") + d.email,
    };
    if (!d.remetente.isEmpty()) l << QStringLiteral("Remetente: ") + d.remetente;
    l << QString() << QStringLiteral("Dados da transmissão")
      << QStringLiteral("Arquivo: ") + d.nomeMidia
      << QStringLiteral("Tamanho: %1 bytes").arg(d.tamanho) << QString()
      << QStringLiteral("Dados do arquivo validado")
      << QStringLiteral("Protocolo KORVENTA: ") + d.protocoloKorventa
      << QStringLiteral("CNPJ: ") + d.cnpj << QStringLiteral("Razão social: ") + d.razaoSocial
      << QString()
      << QStringLiteral("Este recibo foi emitido por um simulador: nenhum arquivo foi entregue.");
    return l;
}

QString PastaComprovantesPadrao() {
    return JuntaCaminho(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                        QStringLiteral("Quorbis/Comprovantes"));
}

QString PastaComprovantes() {
    auto cfg = Configuracao();
    QString pasta = cfg->value(ChavePasta).toString();
    if (pasta.isEmpty()) {
        pasta = PastaComprovantesPadrao();
        cfg->setValue(ChavePasta, pasta);
        cfg->sync();
    }
    return pasta;
}

QString ProximoProtocolo(const QString& pastaRecibos, const QDateTime& agora) {
    // Minutos desde 2020: recibos feitos depois têm protocolo maior, e o maior é o que vale.
    const QDateTime inicio(QDate(2020, 1, 1), QTime(0, 0));
    qint64 numero = 1000000 + qMax<qint64>(0, inicio.secsTo(agora) / 60) % 8000000;
    const QStringList nomes = QDir(pastaRecibos).entryList({QStringLiteral("*.RCB")}, QDir::Files);
    for (const QString& nome : nomes) {
        if (!NomeDeRecibo(nome)) continue;
        bool ok = false;
        const qint64 n = nome.mid(4, 7).toLongLong(&ok);
        if (ok && n >= numero) numero = n + 1;
    }
    return QStringLiteral("%1").arg(qMin<qint64>(numero, 9999999), 7, 10, QLatin1Char('0'));
}

ResultadoTransmissao TransmiteMidia(const QString& caminhoMidia, const QString& remetente,
                                    const QString& email, const QDateTime& agora) {
    ResultadoTransmissao r;
    const MidiaQIV m = LeMidia(caminhoMidia);
    if (!m.integra) {
        r.mensagem = m.mensagem;
        return r;
    }
    auto* regravar = KORVENTA_FUNCAO("GerarMidiaQIV", RegravarInfoMidiaQIV);
    auto* gravarRecibo = KORVENTA_FUNCAO("Kelvor", GravarArquivoCripto);
    if (!regravar || !gravarRecibo) {
        r.mensagem = FalhaDoMotor();
        return r;
    }
    const QString pasta = PastaComprovantes();
    if (!QDir().mkpath(pasta)) {
        r.mensagem = QStringLiteral("Não foi possível criar a pasta de comprovantes ") + pasta;
        return r;
    }

    DadosRecibo d;
    d.ufDestino = m.bloco.uf();
    d.protocoloQIV = ProximoProtocolo(pasta, agora);
    d.quando = agora;
    d.chave = Aleatorio(8);
    d.chaveKorventa = Aleatorio(8);
    d.email = email.trimmed();
    d.remetente = remetente.trimmed();
    d.nomeMidia = NomeDoArquivo(caminhoMidia);
    d.protocoloKorventa = m.bloco.protocolo().trimmed();
    d.cnpj = FormataCNPJ(m.bloco.cnpj());
    d.razaoSocial = m.razaoSocial;

    DadosTransmissao t;
    t.codigo = QStringLiteral("01");
    t.remetente = d.remetente;
    t.protocoloQIV = d.protocoloQIV;
    t.chave = d.chave;
    t.data = agora.toString(QStringLiteral("yyyyMMdd"));
    t.hora = agora.toString(QStringLiteral("HHmmss"));
    t.nomeEnviado = d.nomeMidia;
    t.tamanhoEnviado = QString::number(QFileInfo(caminhoMidia).size());
    t.versaoTransmissor = QStringLiteral("SIMUL");
    t.ambiente = QStringLiteral("SIMULA");
    t.email = d.email;
    t.destino1 = QStringLiteral("Secretaria da Fazenda do Estado ") + d.ufDestino;
    t.destino2 = QStringLiteral("(transmissão simulada)");
    t.ufDestino = d.ufDestino;
    t.chaveKorventa = d.chaveKorventa;
    t.cnpjRemetente = m.bloco.cnpj();
    BlocoInfoMidia bloco = m.bloco;
    bloco.defineTransmissao(t);

    std::array<char, TamanhoMensagem> msg{};
    if (regravar(CaminhoParaMotor(caminhoMidia).constData(),
                 TextoParaMotor(bloco.texto()).constData(), msg.data(), TamanhoMensagem) != 0) {
        r.mensagem = TextoDoMotor(msg.data(), TamanhoMensagem);
        return r;
    }
    // O recibo leva o tamanho da mídia como ela ficou: é com ele que o validador a reconhece.
    d.tamanho = QFileInfo(caminhoMidia).size();
    r.protocoloQIV = d.protocoloQIV;
    r.caminhoRecibo = JuntaCaminho(pasta, d.ufDestino + QStringLiteral("_O") + d.protocoloQIV +
                                              QStringLiteral(".RCB"));
    if (gravarRecibo(CaminhoParaMotor(r.caminhoRecibo).constData(),
                     TextoParaMotor(LinhasRecibo(d).join(QStringLiteral("\r\n"))).constData(),
                     msg.data(), TamanhoMensagem) != 0) {
        r.mensagem = QStringLiteral("A mídia foi marcada como transmitida, mas o recibo não pôde "
                                    "ser gravado:\n") +
                     TextoDoMotor(msg.data(), TamanhoMensagem);
        r.caminhoRecibo.clear();
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace korventa::qiv
