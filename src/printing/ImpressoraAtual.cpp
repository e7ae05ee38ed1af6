#include "printing/ImpressoraAtual.h"

#include "common/Caminhos.h"
#include "common/Numeros.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "printing/SuperficieQt.h"
#include "validation/Sessao.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <cerrno>

namespace korventa {

QString NomeImpressoraAtual(const Sessao& s) {
    return s.cfg.ultimaImpressora.isEmpty() ? ImpressoraPadrao() : s.cfg.ultimaImpressora;
}

std::optional<ErroImpressao> ProblemaImpressoraAtual(const Sessao& s) {
    const QString nome = NomeImpressoraAtual(s);
    if (!ImpressorasInstaladas().contains(nome))
        return ErroImpressao{ErroSemImpressora,
                             QStringLiteral("A impressora ") + nome + QStringLiteral(" não existe"),
                             QString::fromLatin1(TituloPrograma)};
    QPrinter printer(QPrinter::HighResolution);
    ConfiguraPrinter(printer, nome, s.impressora, QString());
    if (!printer.isValid())
        return ErroImpressao{EIO, QStringLiteral("O sistema não aceitou a impressora ") + nome,
                             QString::fromLatin1(TituloPrograma)};
    return std::nullopt;
}

bool ImpressoraPronta(Sessao& s, const QString& prefixo) {
    const std::optional<ErroImpressao> problema = ProblemaImpressoraAtual(s);
    if (!problema) return true;
    const QString mensagem = problema->numero == ErroSemImpressora
                                 ? MensagemSemImpressora()
                                 : MensagemErroNumerado(prefixo, *problema);
    Log(LogDetalhe, mensagem);
    s.plataforma.cursorOcupado(false);
    s.plataforma.mensagem(mensagem, Icone::Critico);
    if (problema->numero == ErroSemImpressora) VoltaImpressoraPadrao(s);
    return false;
}

bool EscolheImpressora(Sessao& s, const QString& nome) {
    const QString procurado = nome.toUpper();
    QString achada;
    for (const QString& instalada : ImpressorasInstaladas())
        if (instalada.toUpper() == procurado) achada = instalada;
    if (achada.isEmpty()) return false;
    s.cfg.ultimaImpressora = achada;
    return true;
}

void VoltaImpressoraPadrao(Sessao& s) {
    s.cfg.ultimaImpressora.clear();
}

QPageLayout LeiauteImpressoraAtual(const Sessao& s) {
    QPrinter printer(QPrinter::HighResolution);
    ConfiguraPrinter(printer, NomeImpressoraAtual(s), s.impressora, QString());
    return printer.pageLayout();
}

int LarguraImprimivelAtual(const Sessao& s) {
    return ArredondaPar(LeiauteImpressoraAtual(s).paintRect(QPageLayout::Point).width() * 20.0);
}

int AlturaImprimivelAtual(const Sessao& s) {
    return ArredondaPar(LeiauteImpressoraAtual(s).paintRect(QPageLayout::Point).height() * 20.0);
}

int CodigoPapelAtual(const Sessao& s) {
    return LeiauteImpressoraAtual(s).pageSize().windowsId();
}

DialogoImpressao RegistroImpressoraAtual(const Sessao& s, const QString& documento) {
    DialogoImpressao d;
    d.impressora = NomeImpressoraAtual(s);
    d.estado = s.impressora;
    d.documento = documento;
    // O PDF propõe o nome do documento na pasta do último PDF gravado.
    if (d.estado.arquivoPdf.isEmpty())
        d.estado.arquivoPdf =
            JuntaCaminho(s.pastaUltimoPdf.isEmpty() ? QDir::homePath() : s.pastaUltimoPdf,
                         documento + QStringLiteral(".pdf"));
    return d;
}

std::unique_ptr<SuperficieQt> AbreDocumento(const Sessao& s, const QString& documento) {
    return std::make_unique<SuperficieQt>(NomeImpressoraAtual(s), s.impressora, documento);
}

bool EscolheArquivoPdf(Sessao& s, const QString& documento) {
    if (NomeImpressoraAtual(s) != ImpressoraPdf || !s.impressora.arquivoPdf.isEmpty()) return true;
    DialogoArquivo d;
    d.titulo = QStringLiteral("Salvar ") + documento + QStringLiteral(" em PDF");
    d.filtro = QStringLiteral("Documento PDF (*.pdf)|*.pdf");
    d.pastaInicial = s.pastaUltimoPdf.isEmpty() ? QDir::homePath() : s.pastaUltimoPdf;
    d.nomeProposto = documento + QStringLiteral(".pdf");
    d.confirmaSobrescrever = true;
    const std::optional<QString> arquivo = s.plataforma.salvarArquivo(d);
    if (!arquivo) return false;
    QString caminho = *arquivo;
    if (QFileInfo(caminho).suffix().isEmpty()) caminho += QStringLiteral(".pdf");
    s.impressora.arquivoPdf = caminho;
    return true;
}

void EsqueceArquivoPdf(Sessao& s) {
    if (!s.impressora.arquivoPdf.isEmpty())
        s.pastaUltimoPdf = PastaDoArquivo(s.impressora.arquivoPdf);
    s.impressora.arquivoPdf.clear();
}

QString MensagemErroNumerado(const QString& prefixo, const ErroImpressao& erro) {
    return prefixo + QString::number(erro.numero) + QStringLiteral(": ") + erro.descricao +
           QStringLiteral("\r fonte: ") + erro.fonte;
}

QString MensagemSemImpressora() {
    return QStringLiteral("Não conseguiu obter informações sobre a impressora.\r"
                          "Verifique se existe alguma impressora instalada no sistema.");
}

} // namespace korventa
