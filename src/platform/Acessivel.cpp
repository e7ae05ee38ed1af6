#include "platform/Acessivel.h"

#include <QLabel>

namespace korventa {

namespace {
const char* const PropriedadeLegenda = "legendaDoValor";

// "&CNPJ:" sem o marcador do atalho.
QString SemAtalho(QString texto) {
    texto.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    texto.remove(QLatin1Char('&'));
    texto.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return texto.trimmed();
}
} // namespace

void RotulosEmTextoSimples(QWidget* raiz) {
    for (QLabel* l : raiz->findChildren<QLabel*>())
        l->setTextFormat(Qt::PlainText);
}

QLabel* NovoRotuloValor(const QString& nome, QLabel* legenda, QWidget* pai) {
    auto* valor = new QLabel(pai);
    valor->setObjectName(nome);
    valor->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LigaLegenda(valor, legenda);
    return valor;
}

void LigaLegenda(QLabel* valor, QLabel* legenda) {
    valor->setTextFormat(Qt::PlainText);
    legenda->setBuddy(valor);
    valor->setProperty(PropriedadeLegenda, SemAtalho(legenda->text()));
    MostraValor(valor, valor->text());
}

void MostraValor(QLabel* valor, const QString& texto) {
    valor->setText(texto);
    const QString legenda = valor->property(PropriedadeLegenda).toString();
    valor->setAccessibleName((legenda + QLatin1Char(' ') + texto).trimmed());
}

void OrdemTab(std::initializer_list<QWidget*> controles) {
    QWidget* anterior = nullptr;
    for (QWidget* c : controles) {
        if (anterior && c) QWidget::setTabOrder(anterior, c);
        if (c) anterior = c;
    }
}

} // namespace korventa
