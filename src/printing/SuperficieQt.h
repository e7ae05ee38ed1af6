// Superfície de impressão sobre um QPainter num QPagedPaintDevice: uma impressora do sistema, um
// arquivo PDF (gravado inteiro só no fim, nunca pela metade) ou um dispositivo alheio, como a
// visualização. O documento começa no primeiro desenho, como numa impressora de verdade.
#pragma once

#include "platform/Impressora.h"
#include "printing/SuperficieImpressao.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <memory>

class QIODevice;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace korventa {

class SuperficieQt final : public SuperficieImpressao {
public:
    // Documento na impressora dada; a impressora "PDF" grava em estado.arquivoPdf.
    SuperficieQt(const QString& impressora, const EstadoImpressora& estado,
                 const QString& documento);
    // Desenha num dispositivo de outro dono (a visualização); fimDocumento só encerra a pintura.
    SuperficieQt(QPagedPaintDevice& dispositivo, const QString& impressora);
    // Só mede e conta páginas, com o leiaute da impressora dada: nada sai do processo.
    static std::unique_ptr<SuperficieQt> ParaMedir(const QString& impressora,
                                                   const EstadoImpressora& estado);
    ~SuperficieQt() override;

    QString nomeDispositivo() const override { return impressora_; }
    QString nomeDriver() const override;
    QString porta() const override;
    int orientacao() const override;
    void defineOrientacao(int orientacao) override;
    int duplex() const override { return estado_.duplex; }
    void defineDuplex(int duplex) override;
    int copias() const override { return estado_.copias; }
    void defineCopias(int copias) override;
    FonteImpressao fonte() const override { return fonte_; }
    void defineFonte(const FonteImpressao& fonte) override;

    int larguraTexto(const QString& texto) const override;
    int alturaTexto() const override;
    int larguraImprimivel() const override;
    int alturaImprimivel() const override;

    void imprime(const QString& texto) override;
    void linha(int x1, int y1, int x2, int y2) override;
    void caixa(int x1, int y1, int x2, int y2) override;
    void caixaCheia(int x1, int y1, int x2, int y2, const QColor& cor) override;
    void imagem(const QImage& figura, int x, int y, int largura, int altura) override;

    void novaPagina() override;
    int pagina() const override { return pagina_; }
    bool fimDocumento() override;
    void abortaDocumento() override;
    bool falhou() const override { return falhou_; }
    ErroImpressao erro() const override { return erro_; }

    QPageLayout leiaute() const { return leiaute_; }

private:
    enum class Destino { Impressora, Arquivo, Memoria, Alheio };
    SuperficieQt() = default;

    bool comeca();
    void registraFalha(int numero, const QString& descricao);
    void encerraPintura();

    Destino destino_ = Destino::Memoria;
    QString impressora_;
    EstadoImpressora estado_;
    QString documento_;
    QPageLayout leiaute_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QIODevice> saida_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPagedPaintDevice* dispositivo_ = nullptr;
    QPainter painter_;
    FonteImpressao fonte_;
    QFont qfonte_;
    std::unique_ptr<QFontMetricsF> metricas_;
    bool comecou_ = false;
    bool terminou_ = false;
    bool falhou_ = false;
    ErroImpressao erro_;
    int pagina_ = 1;
};

} // namespace korventa
