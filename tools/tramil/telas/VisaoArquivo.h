// A vista do arquivo: desenha só as linhas que cabem na janela, lidas na hora do arquivo
// mapeado, com o número de cada linha, o tipo de registro em destaque, a régua de colunas, o
// campo sob o cursor marcado e as ocorrências da busca. Nada do arquivo é copiado para a tela,
// então o tamanho do arquivo não pesa na rolagem.
#pragma once

#include "nucleo/Busca.h"
#include "nucleo/DescricaoRegistro.h"
#include "telas/FonteLinhas.h"

#include <QAbstractScrollArea>
#include <memory>

namespace tramil {

class Regua;

class VisaoArquivo : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit VisaoArquivo(QWidget* pai = nullptr);
    ~VisaoArquivo() override;

    // A fonte é da janela e vive mais que o uso aqui; nullptr esvazia a vista.
    void defineFonte(const FonteLinhas* fonte);
    const FonteLinhas* fonte() const { return fonte_; }
    // O índice ou o filtro cresceram: acerta a barra de rolagem.
    void atualizaQuantidade();
    void defineBusca(std::shared_ptr<const Buscador> busca);

    // Cursor na posição da vista (linha da vista, coluna de 0).
    void vaiPara(std::int64_t posicao, int coluna, bool centraliza = true);
    // Cursor na linha do arquivo (a mais próxima visível, se o filtro a esconde).
    void vaiParaLinhaReal(std::int64_t linha, int coluna, bool centraliza = true);
    std::int64_t posicaoCursor() const { return linhaCursor_; }
    std::int64_t linhaRealCursor() const;
    int colunaCursor() const { return colunaCursor_; }
    // Descrição do registro sob o cursor (a mesma que o painel mostra).
    const RegistroExibido& registroCursor() const { return registro_; }
    int campoCursor() const { return campo_; }

signals:
    void cursorMudou(qint64 linhaReal, int coluna);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* e) override;

private:
    friend class Regua;
    void acertaMedidas();
    void acertaBarras();
    void garanteVisivel(bool centraliza);
    void atualizaRegistro();
    int linhasVisiveis() const;
    int larguraMargem() const;
    // x do começo da coluna (de 0) no viewport.
    int xDaColuna(int coluna) const;
    void copiaLinha();

    const FonteLinhas* fonte_ = nullptr;
    std::shared_ptr<const Buscador> busca_;
    Regua* regua_;
    std::int64_t linhaCursor_ = 0;
    int colunaCursor_ = 0;
    std::int64_t linhaDescrita_ = -1;
    RegistroExibido registro_;
    int campo_ = -1;
    int larguraCaractere_ = 8;
    int alturaLinha_ = 16;
    int ascendente_ = 12;
    int digitos_ = 1;
    int maiorColuna_ = 126;
};

} // namespace tramil
