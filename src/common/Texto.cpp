#include "common/Texto.h"

#include <array>

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
    // Mesma ordem das linhas dos totalizadores por registro.
    static constexpr std::array<std::int16_t, 21> tipos = {
        10, 11, 50, 51, 53, 54, 55, 56, 57, 60, 61, 70, 71, 74, 75, 76, 77, 85, 86, 88, 90};
    for (std::size_t i = 0; i < tipos.size(); ++i) {
        if (tipos[i] == tipo) return static_cast<int>(i);
    }
    return -1;
}

} // namespace korventa
