#include "printing/SuperficieQt.h"

#include "common/Numeros.h"
#include "engine/Definicoes.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cerrno>

namespace korventa {

namespace {

constexpr int TwipsPorPolegada = 1440;
constexpr int ResolucaoPdf = 1200;
// Traço das linhas e caixas: cerca de 0,15 mm.
constexpr double EspessuraTraco = 8;

// Leiaute de página de uma impressora no estado dado, tal como o QPrinter o acerta (margens de
// 6 mm ou as mínimas da impressora).
QPageLayout LeiauteDe(const QString& impressora, const EstadoImpressora& estado) {
    QPrinter printer(QPrinter::HighResolution);
    ConfiguraPrinter(printer, impressora, estado, QString());
    return printer.pageLayout();
}

int PontosParaTwips(double pontos) {
    return ArredondaPar(pontos * 20.0);
}

} // namespace

SuperficieQt::SuperficieQt(const QString& impressora, const EstadoImpressora& estado,
                           const QString& documento)
    : impressora_(impressora), estado_(estado), documento_(documento) {
    if (impressora == ImpressoraPdf) {
        destino_ = Destino::Arquivo;
        leiaute_ = LeiauteDe(impressora, estado);
    } else {
        destino_ = Destino::Impressora;
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ConfiguraPrinter(*printer_, impressora, estado, documento);
        leiaute_ = printer_->pageLayout();
        dispositivo_ = printer_.get();
    }
    defineFonte(fonte_);
}

SuperficieQt::SuperficieQt(QPagedPaintDevice& dispositivo, const QString& impressora)
    : destino_(Destino::Alheio), impressora_(impressora), leiaute_(dispositivo.pageLayout()),
      dispositivo_(&dispositivo) {
    estado_.orientacao = leiaute_.orientation() == QPageLayout::Landscape ? Paisagem : Retrato;
    defineFonte(fonte_);
}

std::unique_ptr<SuperficieQt> SuperficieQt::ParaMedir(const QString& impressora,
                                                      const EstadoImpressora& estado) {
    std::unique_ptr<SuperficieQt> s(new SuperficieQt);
    s->destino_ = Destino::Memoria;
    s->impressora_ = impressora;
    s->estado_ = estado;
    s->leiaute_ = LeiauteDe(impressora, estado);
    s->defineFonte(s->fonte_);
    return s;
}

SuperficieQt::~SuperficieQt() {
    // Documento largado sem fim: descartado, nunca enviado pela metade.
    if (comecou_ && !terminou_) abortaDocumento();
}

QString SuperficieQt::nomeDriver() const {
    if (destino_ == Destino::Impressora)
        return QPrinterInfo::printerInfo(impressora_).makeAndModel();
    return ImpressoraPdf;
}

QString SuperficieQt::porta() const {
    if (destino_ == Destino::Impressora) return QPrinterInfo::printerInfo(impressora_).location();
    return destino_ == Destino::Arquivo ? estado_.arquivoPdf : QString();
}

int SuperficieQt::orientacao() const {
    return estado_.orientacao;
}

void SuperficieQt::defineOrientacao(int orientacao) {
    if (orientacao != Retrato && orientacao != Paisagem) return;
    estado_.orientacao = orientacao;
    const auto o = orientacao == Paisagem ? QPageLayout::Landscape : QPageLayout::Portrait;
    leiaute_.setOrientation(o);
    // Com o documento começado, vale a partir da próxima página.
    if (dispositivo_) dispositivo_->setPageOrientation(o);
    // A impressora gira as margens mínimas dela junto.
    if (printer_) leiaute_ = printer_->pageLayout();
}

void SuperficieQt::defineDuplex(int duplex) {
    estado_.duplex = duplex;
    if (printer_ && !comecou_ && duplex != 0)
        printer_->setDuplex(duplex == 2   ? QPrinter::DuplexLongSide
                            : duplex == 3 ? QPrinter::DuplexShortSide
                                          : QPrinter::DuplexNone);
}

void SuperficieQt::defineCopias(int copias) {
    estado_.copias = qMax(1, copias);
    if (printer_ && !comecou_) printer_->setCopyCount(estado_.copias);
}

void SuperficieQt::defineFonte(const FonteImpressao& fonte) {
    fonte_ = fonte;
    // Tamanho em "pixels" que são twips: o pintor já desenha em twips.
    qfonte_ = QFont(fonte.nome);
    qfonte_.setPixelSize(qMax(1, PontosParaTwips(fonte.pontos)));
    qfonte_.setBold(fonte.negrito);
    qfonte_.setItalic(fonte.italico);
    // Larguras de projeto, sem kerning: as da fonte medida em qualquer impressora.
    qfonte_.setKerning(false);
    qfonte_.setHintingPreference(QFont::PreferNoHinting);
    qfonte_.setStyleStrategy(QFont::ForceOutline);
    metricas_ = std::make_unique<QFontMetricsF>(qfonte_);
    if (painter_.isActive()) painter_.setFont(qfonte_);
}

int SuperficieQt::larguraTexto(const QString& texto) const {
    return ArredondaPar(metricas_->horizontalAdvance(texto));
}

int SuperficieQt::alturaTexto() const {
    return ArredondaPar(metricas_->height());
}

int SuperficieQt::larguraImprimivel() const {
    return ArredondaPar(leiaute_.paintRect(QPageLayout::Point).width() * 20.0);
}

int SuperficieQt::alturaImprimivel() const {
    return ArredondaPar(leiaute_.paintRect(QPageLayout::Point).height() * 20.0);
}

void SuperficieQt::registraFalha(int numero, const QString& descricao) {
    if (falhou_) return;
    falhou_ = true;
    erro_ = {numero, descricao, QString::fromLatin1(TituloPrograma)};
}

bool SuperficieQt::comeca() {
    if (comecou_) return !falhou_;
    if (falhou_ || terminou_) return false;
    comecou_ = true;
    if (destino_ == Destino::Arquivo || destino_ == Destino::Memoria) {
        if (destino_ == Destino::Arquivo) {
            if (estado_.arquivoPdf.isEmpty()) {
                registraFalha(ENOENT, QStringLiteral("Nenhum arquivo escolhido para o PDF"));
                return false;
            }
            auto arquivo = std::make_unique<QSaveFile>(estado_.arquivoPdf);
            errno = 0;
            if (!arquivo->open(QIODevice::WriteOnly)) {
                registraFalha(errno != 0 ? errno : int(arquivo->error()),
                              arquivo->errorString() + QStringLiteral(" (") + estado_.arquivoPdf +
                                  QLatin1Char(')'));
                return false;
            }
            saida_ = std::move(arquivo);
        } else {
            auto memoria = std::make_unique<QBuffer>();
            memoria->open(QIODevice::WriteOnly);
            saida_ = std::move(memoria);
        }
        pdf_ = std::make_unique<QPdfWriter>(saida_.get());
        pdf_->setResolution(ResolucaoPdf);
        pdf_->setPageLayout(leiaute_);
        pdf_->setTitle(documento_);
        pdf_->setCreator(QString::fromLatin1(TituloPrograma));
        dispositivo_ = pdf_.get();
    }
    if (!painter_.begin(dispositivo_)) {
        registraFalha(EIO, QStringLiteral("A impressora ") + impressora_ +
                               QStringLiteral(" não aceitou o documento"));
        return false;
    }
    const double escala = double(dispositivo_->logicalDpiX()) / TwipsPorPolegada;
    painter_.scale(escala, double(dispositivo_->logicalDpiY()) / TwipsPorPolegada);
    painter_.setFont(qfonte_);
    QPen traco(Qt::black);
    traco.setWidthF(EspessuraTraco);
    painter_.setPen(traco);
    return true;
}

void SuperficieQt::imprime(const QString& texto) {
    if (!comeca()) return;
    const int altura = alturaTexto();
    if (y_ > 0 && y_ + altura > alturaImprimivel()) {
        novaPagina();
        y_ = 0;
    }
    painter_.drawText(QPointF(x_, y_ + metricas_->ascent()), texto);
    y_ += altura;
    x_ = 0;
}

void SuperficieQt::linha(int x1, int y1, int x2, int y2) {
    if (!comeca()) return;
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void SuperficieQt::caixa(int x1, int y1, int x2, int y2) {
    if (!comeca()) return;
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    painter_.restore();
}

void SuperficieQt::caixaCheia(int x1, int y1, int x2, int y2, const QColor& cor) {
    if (!comeca()) return;
    painter_.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), cor);
}

void SuperficieQt::imagem(const QImage& figura, int x, int y, int largura, int altura) {
    if (!comeca()) return;
    painter_.drawImage(QRectF(x, y, largura, altura), figura);
}

void SuperficieQt::novaPagina() {
    if (!comeca()) return;
    if (!dispositivo_->newPage()) {
        registraFalha(EIO, QStringLiteral("Não foi possível começar uma nova página"));
        return;
    }
    ++pagina_;
    x_ = y_ = 0;
}

void SuperficieQt::encerraPintura() {
    if (painter_.isActive()) painter_.end();
}

bool SuperficieQt::fimDocumento() {
    if (terminou_) return !falhou_;
    terminou_ = true;
    if (!comecou_) return !falhou_; // nada desenhado: nada a mandar
    encerraPintura();
    if (falhou_) {
        if (auto* arquivo = dynamic_cast<QSaveFile*>(saida_.get())) arquivo->cancelWriting();
        return false;
    }
    if (printer_ && printer_->printerState() == QPrinter::Error) {
        registraFalha(EIO, QStringLiteral("Falha ao mandar o documento para a impressora ") +
                               impressora_);
        return false;
    }
    pdf_.reset(); // o escritor termina o PDF ao ser destruído
    if (auto* arquivo = dynamic_cast<QSaveFile*>(saida_.get())) {
        errno = 0;
        if (!arquivo->commit()) {
            registraFalha(errno != 0 ? errno : int(arquivo->error()),
                          arquivo->errorString() + QStringLiteral(" (") + estado_.arquivoPdf +
                              QLatin1Char(')'));
            return false;
        }
    }
    return true;
}

void SuperficieQt::abortaDocumento() {
    if (terminou_) return;
    terminou_ = true;
    if (!comecou_) return;
    if (printer_ && painter_.isActive()) printer_->abort();
    encerraPintura();
    pdf_.reset();
    if (auto* arquivo = dynamic_cast<QSaveFile*>(saida_.get())) arquivo->cancelWriting();
    saida_.reset();
}

} // namespace korventa
