#include "critiques/CaixaRegistro.h"

#include "common/Windows1252.h"

#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>

namespace korventa {

CaixaRegistro::CaixaRegistro(QWidget* pai) : QTextEdit(pai) {
    setObjectName(QStringLiteral("RTFRegistro"));
    setAccessibleName(QStringLiteral("Registro do arquivo fiscal"));
    setReadOnly(true);
    // Leitura pelo teclado: o Tab chega aqui, o cursor aparece e as setas, Home e End andam
    // pelo registro (rolando a caixa) sem permitir edição; o Tab seguinte sai da caixa.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    setLineWrapMode(QTextEdit::NoWrap);
    setAcceptRichText(false);
    QFont fonte(QStringLiteral("Courier New"), 9);
    fonte.setStyleHint(QFont::TypeWriter);
    fonte.setFixedPitch(true);
    setFont(fonte);
    document()->setDefaultFont(fonte);
}

void CaixaRegistro::mostra(const PartesRegistro& partes, TipoCritica tipo) {
    rtf_ = MontaRtf(partes, tipo);
    clear();
    QTextCursor cursor(document());
    const QTextCharFormat normal;
    cursor.insertText(DeWindows1252(partes.antes), normal);
    inicioCampo_ = fimCampo_ = 0;
    if (partes.marcado) {
        inicioCampo_ = partes.inicio - 1;
        fimCampo_ = inicioCampo_ + int(partes.campo.size());
        QTextCharFormat marca;
        marca.setFontUnderline(true);
        marca.setFontWeight(QFont::Bold);
        marca.setForeground(tipo == TipoCritica::Rejeicao ? CorRejeicao : CorAdvertencia);
        cursor.insertText(CampoVisivel(partes.campo), marca);
        cursor.insertText(DeWindows1252(partes.depois), normal);
    }
    cursor.setPosition(inicioCampo_);
    setTextCursor(cursor);
    horizontalScrollBar()->setValue(0);
    rolaParaCampo();
}

void CaixaRegistro::resizeEvent(QResizeEvent* evento) {
    QTextEdit::resizeEvent(evento);
    // A caixa costuma aparecer junto com o registro: só agora se sabe quanto dele cabe.
    rolaParaCampo();
}

void CaixaRegistro::rolaParaCampo() {
    if (fimCampo_ <= inicioCampo_) {
        ensureCursorVisible();
        return;
    }
    QScrollBar* barra = horizontalScrollBar();
    QTextCursor c(document());
    c.setPosition(inicioCampo_);
    const int inicio = cursorRect(c).left() + barra->value();
    c.setPosition(fimCampo_);
    const int fim = cursorRect(c).right() + barra->value();
    const int visivel = viewport()->width();
    const int margem = fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2;
    int alvo = barra->value();
    if (fim - inicio + 2 * margem > visivel || inicio - margem < alvo)
        alvo = inicio - margem; // o começo do campo sempre à vista
    else if (fim + margem > alvo + visivel)
        alvo = fim + margem - visivel;
    barra->setValue(alvo);
}

} // namespace korventa
