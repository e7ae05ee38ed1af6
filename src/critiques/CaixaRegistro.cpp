#include "critiques/CaixaRegistro.h"

#include "common/Windows1252.h"

#include <QTextCharFormat>
#include <QTextCursor>

namespace korventa {

CaixaRegistro::CaixaRegistro(QWidget* pai) : QTextEdit(pai) {
    setObjectName(QStringLiteral("RTFRegistro"));
    setReadOnly(true);
    // Leitura pelo teclado: o cursor aparece e anda no registro sem permitir edição.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
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
    int posicao = 0;
    if (partes.marcado) {
        posicao = partes.inicio - 1;
        QTextCharFormat marca;
        marca.setFontUnderline(true);
        marca.setFontWeight(QFont::Bold);
        marca.setForeground(tipo == TipoCritica::Rejeicao ? CorRejeicao : CorAdvertencia);
        cursor.insertText(CampoVisivel(partes.campo), marca);
        cursor.insertText(DeWindows1252(partes.depois), normal);
    }
    cursor.setPosition(posicao);
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace korventa
