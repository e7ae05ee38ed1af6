#include "critiques/ModeloCriticas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextDocument>
#include <limits>

namespace korventa {

namespace {

QPixmap Desenha(TipoCritica tipo, int lado) {
    QPixmap p(lado, lado);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal m = lado / 16.0;
    if (tipo == TipoCritica::Rejeicao) {
        // Círculo vermelho com um X branco.
        g.setPen(QPen(QColor(150, 0, 0), m));
        g.setBrush(QColor(220, 30, 30));
        g.drawEllipse(QRectF(1 * m, 1 * m, 14 * m, 14 * m));
        g.setPen(QPen(Qt::white, 2 * m, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(5.5 * m, 5.5 * m), QPointF(10.5 * m, 10.5 * m));
        g.drawLine(QPointF(10.5 * m, 5.5 * m), QPointF(5.5 * m, 10.5 * m));
    } else {
        // Triângulo amarelo com um ponto de exclamação.
        QPainterPath t;
        t.moveTo(8 * m, 1 * m);
        t.lineTo(15 * m, 14.5 * m);
        t.lineTo(1 * m, 14.5 * m);
        t.closeSubpath();
        g.setPen(QPen(QColor(140, 110, 0), m));
        g.setBrush(QColor(250, 200, 30));
        g.drawPath(t);
        g.setPen(QPen(Qt::black, 1.8 * m, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(8 * m, 5.5 * m), QPointF(8 * m, 9.5 * m));
        g.drawPoint(QPointF(8 * m, 12 * m));
    }
    return p;
}

} // namespace

QString TextoTipoCritica(TipoCritica tipo) {
    return tipo == TipoCritica::Rejeicao ? QStringLiteral("Rejeição")
                                         : QStringLiteral("Advertência");
}

QIcon IconeCritica(TipoCritica tipo) {
    QIcon icone;
    for (const int lado : {16, 32})
        icone.addPixmap(Desenha(tipo, lado));
    return icone;
}

ModeloCriticas::ModeloCriticas(QObject* pai)
    : QAbstractTableModel(pai), rejeicao_(IconeCritica(TipoCritica::Rejeicao)),
      advertencia_(IconeCritica(TipoCritica::Advertencia)) {}

int ModeloCriticas::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : linhas_;
}

int ModeloCriticas::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : 4;
}

QVariant ModeloCriticas::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= linhas_) return {};
    const qsizetype i = indice.row();
    const auto texto = [&]() -> QString {
        switch (indice.column()) {
        case 0:
            return armazem_.linha(i);
        case 1:
            return armazem_.mensagem(i);
        case 2:
            return armazem_.registro(i);
        case 3:
            return armazem_.campo(i);
        }
        return QString();
    };
    switch (papel) {
    case Qt::DisplayRole:
        return texto();
    case Qt::ToolTipRole:
        // A dica adivinharia HTML numa mensagem com "<": vai escapada.
        return Qt::convertFromPlainText(texto(), Qt::WhiteSpaceNoWrap);
    case Qt::AccessibleTextRole:
        // O tipo, que na tela é só o ícone, é dito junto com a linha.
        if (indice.column() == 0)
            return TextoTipoCritica(armazem_.tipo(i)) + QStringLiteral(", linha ") + texto();
        break;
    case Qt::AccessibleDescriptionRole:
        return TextoTipoCritica(armazem_.tipo(i));
    case Qt::DecorationRole:
        if (indice.column() == 0)
            return armazem_.tipo(i) == TipoCritica::Rejeicao ? rejeicao_ : advertencia_;
        break;
    case RoleTag:
        return static_cast<qint32>(i);
    case RoleTipo:
        return static_cast<int>(armazem_.tipo(i));
    }
    return {};
}

QVariant ModeloCriticas::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole)
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    switch (secao) {
    case 0:
        return QStringLiteral("Linha");
    case 1:
        return QStringLiteral("Mensagem de Erro");
    case 2:
        return QStringLiteral("Registro");
    case 3:
        return QStringLiteral("Campo");
    }
    return {};
}

void ModeloCriticas::esvazia() {
    beginResetModel();
    armazem_.limpa();
    linhas_ = 0;
    endResetModel();
}

void ModeloCriticas::mostraArmazem() {
    beginResetModel();
    // A lista limita as linhas a um inteiro de 32 bits (o Tag).
    linhas_ =
        static_cast<int>(std::min<qsizetype>(armazem_.tamanho(), std::numeric_limits<int>::max()));
    endResetModel();
}

} // namespace korventa
