#include "common/Texto.h"

namespace korventa {

QString CortaNoNulo(const QString& texto) {
    const qsizetype nulo = texto.indexOf(QChar(u'\0'));
    return nulo < 0 ? texto : texto.left(nulo);
}

QString TiraZerosEsquerda(const QString& digitos) {
    qsizetype i = 0;
    while (i < digitos.size() - 1 && digitos.at(i) == u'0')
        ++i;
    return digitos.mid(i);
}

QString TextoResultado(std::int32_t codigo) {
    switch (codigo) {
    case 0:
        return QStringLiteral("ARQUIVO ACEITO");
    case 1:
        return QStringLiteral("ARQUIVO ACEITO COM ADVERTÊNCIAS");
    case 2:
        return QStringLiteral("ARQUIVO REJEITADO");
    default:
        return QString();
    }
}

int IndiceDoRegistro(std::int16_t tipo) {
    for (std::size_t i = 0; i < TiposRegistro.size(); ++i) {
        if (TiposRegistro[i] == tipo) return static_cast<int>(i);
    }
    return -1;
}

} // namespace korventa
