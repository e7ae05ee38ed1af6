#include "app/ConfiguracoesUsuario.h"

#include "common/Caminhos.h"
#include "common/Numeros.h"
#include "common/Texto.h"
#include "common/Windows1252.h"
#include "validation/Recentes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <limits>
#include <optional>

namespace korventa {

namespace {

const QString Config = QStringLiteral("Config");
const QString Interface = QStringLiteral("Interface");
const QString ChaveQuantosArquivos = QStringLiteral("Quantos arquivos recentes");
const QString ChaveQuantasPastas = QStringLiteral("Quantas pastas de midia recentes");
constexpr int MaximoRecentesGravados = 10;
constexpr int TamanhoBufferIni = 2000;

// Armazenamento de uma aplicação (registro "VB" por aplicação / arquivo <aplicação>.conf).
std::unique_ptr<QSettings> abre(const QString& aplicacao) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, aplicacao);
}

QString texto(QSettings& s, const QString& secao, const QString& chave, const QString& padrao) {
    return s.value(secao + QLatin1Char('/') + chave, padrao).toString();
}

// Número gravado como texto; nada quando ausente ou não numérico (o valor de projeto fica).
std::optional<double> numero(QSettings& s, const QString& secao, const QString& chave) {
    const QVariant v = s.value(secao + QLatin1Char('/') + chave);
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    return d;
}

// Inteiro arredondado (metades para o par) dentro da faixa do tipo; fora dela, nada.
template <typename Inteiro>
std::optional<Inteiro> inteiro(QSettings& s, const QString& secao, const QString& chave) {
    const auto d = numero(s, secao, chave);
    if (!d || *d < double(std::numeric_limits<Inteiro>::min()) - 0.5 ||
        *d >= double(std::numeric_limits<Inteiro>::max()) + 0.5)
        return std::nullopt;
    return static_cast<Inteiro>(ArredondaPar(*d));
}

void leColunas(QSettings& s, const QString& prefixo, QVector<double>& larguras) {
    for (int i = 0; i < larguras.size(); ++i) {
        const auto largura = numero(s, Interface, prefixo + QString::number(i + 1));
        if (largura) larguras[i] = float(*largura); // lida em precisão simples
    }
}

void leRecentes(QSettings& s, const QString& chaveQuantos, const QString& prefixo,
                const std::function<void(const QString&)>& inclui) {
    const auto quantos = inteiro<std::int16_t>(s, Interface, chaveQuantos);
    for (int i = 1; quantos && i <= *quantos; ++i)
        inclui(texto(s, Interface, prefixo + QString::number(i), QString()));
}

void gravaRecentes(QSettings& s, const QString& chaveQuantos, const QString& prefixo,
                   const QStringListModel& lista) {
    const QStringList entradas = lista.stringList();
    const int n = qMin(int(entradas.size()), MaximoRecentesGravados);
    s.setValue(Interface + QLatin1Char('/') + chaveQuantos, QString::number(n));
    // A chave 1 guarda a mais antiga das mantidas; a chave n, a do topo.
    for (int i = 1; i <= n; ++i)
        s.setValue(Interface + QLatin1Char('/') + prefixo + QString::number(i), entradas.at(n - i));
}

void gravaColunas(QSettings& s, const QString& prefixo, const QVector<double>& larguras) {
    for (int i = 0; i < larguras.size(); ++i)
        s.setValue(Interface + QLatin1Char('/') + prefixo + QString::number(i + 1),
                   QString::number(larguras.at(i)));
}

// A impressora salva vira a atual quando está instalada (a última que casar); senão fica a
// padrão, representada por vazio.
QString impressoraInstalada(const QString& salva) {
    QString escolhida;
    QStringList nomes = QPrinterInfo::availablePrinterNames();
    nomes << QStringLiteral("PDF");
    for (const QString& nome : nomes)
        if (nome.toUpper() == salva) escolhida = nome;
    return escolhida;
}

// O ini vem do Windows (8 bits) ou foi escrito no Linux (UTF-8): o que não for UTF-8 válido é
// lido como Windows-1252.
QString textoDoIni(const QByteArray& linha) {
    auto decodifica = QStringDecoder(QStringDecoder::Utf8);
    const QString texto = decodifica(linha);
    return decodifica.hasError() ? DeWindows1252(linha) : texto;
}

} // namespace

QString NomeAplicacaoRegistro(const VersaoPrograma& versao) {
    return versao.maior == 3 ? QStringLiteral("ValidadorKorventa")
                             : QStringLiteral("ValidadorKorventaV2");
}

QString LocalPadraoQIV() {
#if defined(_WIN32)
    return QStringLiteral("C:\\Quorbis\\Qiv.exe");
#else
    return QStringLiteral("/opt/Quorbis/qiv.exe");
#endif
}

QString CaminhoQuorbisIni() {
#if defined(_WIN32)
    const QString pasta = qEnvironmentVariable("WINDIR", QStringLiteral("C:\\Windows"));
#else
    const QString pasta = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    return JuntaCaminho(pasta, QStringLiteral("Quorbis.ini"));
}

QString LocalizaQuorbisIni() {
    const QString doUsuario = CaminhoQuorbisIni();
#if !defined(_WIN32)
    // O do sistema vem de uma instalação para todos (o simulador do pacote): não encobre um
    // programa de transmissão de verdade no local fixo.
    if (!QFileInfo::exists(doUsuario) && !QFileInfo(LocalPadraoQIV()).isFile()) {
        const QString doSistema = QStandardPaths::locate(QStandardPaths::GenericConfigLocation,
                                                         QStringLiteral("Quorbis.ini"));
        if (!doSistema.isEmpty()) return doSistema;
    }
#endif
    return doUsuario;
}

QString LeDiretorioInstalacaoQIV(const QString& arquivoIni) {
    QFile arquivo(arquivoIni);
    if (!arquivo.open(QIODevice::ReadOnly)) return QString();
    // Como os arquivos ini do Windows: seções e chaves sem diferença de maiúsculas, aspas em
    // volta do valor removidas, texto de 8 bits.
    bool naSecao = false;
    while (!arquivo.atEnd()) {
        const QString linha = textoDoIni(arquivo.readLine()).trimmed();
        if (linha.startsWith(QLatin1Char('['))) {
            naSecao = linha.mid(1, linha.indexOf(QLatin1Char(']')) - 1)
                          .trimmed()
                          .compare(QLatin1String("Instalacao"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype igual = linha.indexOf(QLatin1Char('='));
        if (!naSecao || igual < 0 ||
            linha.left(igual).trimmed().compare(QLatin1String("Diretorio"), Qt::CaseInsensitive))
            continue;
        QString valor = linha.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && valor.front() == u'"' && valor.back() == u'"')
            valor = valor.mid(1, valor.size() - 2);
        return valor.left(TamanhoBufferIni - 1);
    }
    return QString();
}

QString CandidatoProgramaQIV() {
    const QString pasta = LeDiretorioInstalacaoQIV(LocalizaQuorbisIni());
    if (pasta.isEmpty()) return LocalPadraoQIV();
    return JuntaCaminho(pasta, QStringLiteral("qiv.exe"));
}

void LePastaComprovantesQIV(Sessao& sessao) {
    auto qiv = abre(QStringLiteral("QIV2"));
    QString pasta = texto(*qiv, Config, QStringLiteral("Pasta De Comprovantes"), QString());
    if (pasta.endsWith(QLatin1Char('\\')) || pasta.endsWith(QLatin1Char('/'))) pasta.chop(1);
    sessao.cfg.pastaComprovantesQIV = pasta;
}

void LeConfiguracoes(Sessao& sessao) {
    Configuracoes& cfg = sessao.cfg;
    auto s = abre(cfg.nomeAplicacao);

    const QString pathInicial = texto(*s, Config, QStringLiteral("PathInicial"), QString());
    if (!pathInicial.isEmpty()) QDir::setCurrent(pathInicial);

    leColunas(*s, QStringLiteral("Coluna"), cfg.colunasCriticas);
    leColunas(*s, QStringLiteral("ColunaMidia"), cfg.colunasMidias);

    leRecentes(*s, ChaveQuantosArquivos, QStringLiteral("Recente"),
               [&](const QString& c) { IncluiArquivoRecente(sessao, c); });
    leRecentes(*s, ChaveQuantasPastas, QStringLiteral("PastaMidia"),
               [&](const QString& p) { IncluiPastaMidiaRecente(sessao, p); });
    cfg.ultimaPastaMidia = texto(*s, Interface, QStringLiteral("Ultima pasta midia"), QString());

    cfg.geometriaJanela = QByteArray::fromBase64(
        texto(*s, Interface, QStringLiteral("Janela"), QString()).toLatin1());

    const auto filtro = inteiro<std::int16_t>(*s, Interface, QStringLiteral("FiltroCriticas"));
    if (filtro && *filtro >= 0 && *filtro <= 2) cfg.filtroCriticas = *filtro;

    LePastaComprovantesQIV(sessao);

    cfg.pathQiv = texto(*s, Config, QStringLiteral("PathQiv"), QStringLiteral("?"));
    if (cfg.pathQiv == QLatin1String("?")) {
        const QString candidato = CandidatoProgramaQIV();
        if (QFileInfo(candidato).isFile()) cfg.pathQiv = candidato;
    }

    cfg.pathConvenio = texto(*s, Config, QStringLiteral("PathConvenio"), QStringLiteral("."));
    cfg.pathGeraMidia = texto(*s, Config, QStringLiteral("PathGeraMidia"), QStringLiteral("."));
    if (const auto max = inteiro<std::int32_t>(*s, Config, QStringLiteral("MaxCriticas")))
        cfg.maxCriticas = *max;

    cfg.ultimaImpressora =
        impressoraInstalada(texto(*s, Config, QStringLiteral("UltimaImpressora"), QString()));
}

void GravaConfiguracoes(const Sessao& sessao) {
    const Configuracoes& cfg = sessao.cfg;
    auto s = abre(cfg.nomeAplicacao);

    s->setValue(Config + QStringLiteral("/PathInicial"),
                CortaNoNulo(QDir::toNativeSeparators(QDir::currentPath())));
    gravaColunas(*s, QStringLiteral("Coluna"), cfg.colunasCriticas);
    gravaColunas(*s, QStringLiteral("ColunaMidia"), cfg.colunasMidias);
    gravaRecentes(*s, ChaveQuantosArquivos, QStringLiteral("Recente"), sessao.arquivosRecentes);
    gravaRecentes(*s, ChaveQuantasPastas, QStringLiteral("PastaMidia"), sessao.pastasMidiaRecentes);
    s->setValue(Interface + QStringLiteral("/Ultima pasta midia"), cfg.ultimaPastaMidia);
    s->setValue(Interface + QStringLiteral("/FiltroCriticas"), QString::number(cfg.filtroCriticas));
    if (!cfg.geometriaJanela.isEmpty())
        s->setValue(Interface + QStringLiteral("/Janela"),
                    QString::fromLatin1(cfg.geometriaJanela.toBase64()));
    s->setValue(Config + QStringLiteral("/PathQiv"), cfg.pathQiv);
    s->setValue(Config + QStringLiteral("/PathConvenio"), cfg.pathConvenio);
    s->setValue(Config + QStringLiteral("/PathGeraMidia"), cfg.pathGeraMidia);
    s->setValue(Config + QStringLiteral("/MaxCriticas"), QString::number(cfg.maxCriticas));
    const QString impressora =
        cfg.ultimaImpressora.isEmpty() ? QPrinterInfo::defaultPrinterName() : cfg.ultimaImpressora;
    s->setValue(Config + QStringLiteral("/UltimaImpressora"), impressora.toUpper());
    s->sync();
}

} // namespace korventa
