// Superfície em que os relatórios desenham: medidas em twips (1/1440 polegada) a partir do canto
// superior esquerdo da área imprimível da página.
#pragma once

#include <QColor>
#include <QString>

class QImage;

namespace korventa {

struct FonteImpressao {
    QString nome = QStringLiteral("Arial");
    double pontos = 10;
    bool negrito = false;
    bool italico = false;
};

// Falha do documento (abrir o arquivo, a impressora, gravar): número, descrição e fonte.
struct ErroImpressao {
    int numero = 0;
    QString descricao;
    QString fonte;
};

class SuperficieImpressao {
public:
    virtual ~SuperficieImpressao() = default;

    // Identificação da impressora.
    virtual QString nomeDispositivo() const = 0;
    virtual QString nomeDriver() const = 0;
    virtual QString porta() const = 0;

    // 1 retrato, 2 paisagem.
    virtual int orientacao() const = 0;
    virtual void defineOrientacao(int orientacao) = 0;
    virtual int duplex() const = 0;
    virtual void defineDuplex(int duplex) = 0;
    virtual int copias() const = 0;
    virtual void defineCopias(int copias) = 0;

    virtual FonteImpressao fonte() const = 0;
    virtual void defineFonte(const FonteImpressao& fonte) = 0;

    // Onde o próximo texto começa (topo da linha de texto).
    int x() const { return x_; }
    int y() const { return y_; }
    void defineX(int x) { x_ = x; }
    void defineY(int y) { y_ = y; }

    virtual int larguraTexto(const QString& texto) const = 0;
    virtual int alturaTexto() const = 0;
    virtual int larguraImprimivel() const = 0;
    virtual int alturaImprimivel() const = 0;

    // Desenha em (x, y) e desce uma linha, com x de volta a 0. O texto que não cabe mais na
    // página vai para o alto da seguinte.
    virtual void imprime(const QString& texto) = 0;
    virtual void linha(int x1, int y1, int x2, int y2) = 0;
    virtual void caixa(int x1, int y1, int x2, int y2) = 0;
    virtual void caixaCheia(int x1, int y1, int x2, int y2, const QColor& cor) = 0;
    virtual void imagem(const QImage& figura, int x, int y, int largura, int altura) = 0;

    // Termina a página; o número da página cresce 1.
    virtual void novaPagina() = 0;
    // Número da página em desenho, de 1 em diante.
    virtual int pagina() const = 0;

    // Manda o documento para a impressora (ou grava o arquivo). false quando falhou.
    virtual bool fimDocumento() = 0;
    // Descarta o documento: nada chega à impressora nem ao arquivo.
    virtual void abortaDocumento() = 0;

    virtual bool falhou() const = 0;
    virtual ErroImpressao erro() const = 0;

protected:
    int x_ = 0;
    int y_ = 0;
};

} // namespace korventa
