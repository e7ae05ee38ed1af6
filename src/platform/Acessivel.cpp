#include "platform/Acessivel.h"

#include <QAccessibleWidget>
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

// O nome do valor é calculado a cada consulta: acompanha o texto mostrado (o QLabel avisa o
// leitor de tela quando o texto muda).
class ValorAcessivel : public QAccessibleWidget {
public:
    explicit ValorAcessivel(QLabel* rotulo) : QAccessibleWidget(rotulo, QAccessible::StaticText) {}

    QString text(QAccessible::Text tipo) const override {
        const auto* rotulo = static_cast<const QLabel*>(widget());
        if (tipo != QAccessible::Name || !rotulo->accessibleName().isEmpty())
            return QAccessibleWidget::text(tipo);
        return (rotulo->property(PropriedadeLegenda).toString() + QLatin1Char(' ') + rotulo->text())
            .trimmed();
    }
};

QAccessibleInterface* FabricaValores(const QString& classe, QObject* objeto) {
    if (classe != QLatin1String("QLabel") || !objeto ||
        !objeto->property(PropriedadeLegenda).isValid())
        return nullptr;
    return new ValorAcessivel(static_cast<QLabel*>(objeto));
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
    static const bool fabricaInstalada = [] {
        QAccessible::installFactory(FabricaValores);
        return true;
    }();
    Q_UNUSED(fabricaInstalada);
    valor->setTextFormat(Qt::PlainText);
    legenda->setBuddy(valor);
    valor->setProperty(PropriedadeLegenda, SemAtalho(legenda->text()));
    // O rótulo criado com texto já avisou o leitor de tela e ganhou a interface comum, sem a
    // legenda: ela é trocada pela que diz a legenda.
    QAccessibleInterface* atual = QAccessible::queryAccessibleInterface(valor);
    if (atual && !dynamic_cast<ValorAcessivel*>(atual))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(atual));
}

void OrdemTab(std::initializer_list<QWidget*> controles) {
    QWidget* anterior = nullptr;
    for (QWidget* c : controles) {
        if (anterior && c) QWidget::setTabOrder(anterior, c);
        if (c) anterior = c;
    }
}

} // namespace korventa
