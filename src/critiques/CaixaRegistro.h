// RTFRegistro: o registro do arquivo fiscal numa caixa de texto só de leitura e de largura fixa,
// com o campo sublinhado, em negrito e na cor do tipo da crítica, e o cursor no campo. É o que o
// texto RTF de MontaRtf mostra, sem depender de um leitor de RTF.
#pragma once

#include "critiques/DetalheCritica.h"

#include <QColor>
#include <QTextEdit>

namespace korventa {

inline const QColor CorRejeicao{230, 0, 0};
inline const QColor CorAdvertencia{150, 150, 0};

class CaixaRegistro : public QTextEdit {
    Q_OBJECT
public:
    explicit CaixaRegistro(QWidget* pai = nullptr);

    // Mostra o registro, guarda o RTF equivalente e rola até o campo marcado caber inteiro.
    void mostra(const PartesRegistro& partes, TipoCritica tipo);
    const QByteArray& rtf() const { return rtf_; }

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void rolaParaCampo();

    QByteArray rtf_;
    int inicioCampo_ = 0; // posições no texto (de 0); fim == início sem campo marcado
    int fimCampo_ = 0;
};

} // namespace korventa
