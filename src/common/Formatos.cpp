#include "common/Formatos.h"

#include <cstdlib>

namespace korventa {

namespace {

QString TresDigitos(std::int64_t n) {
    return QStringLiteral("%1").arg(n, 3, 10, QChar(u'0'));
}

QString MilharSemSinal(std::int64_t n) {
    const std::int64_t milhoes = n / 1000000;
    const std::int64_t milhares = (n % 1000000) / 1000;
    const std::int64_t unidades = n % 1000;
    if (n >= 1000000)
        return QString::number(milhoes) + u'.' + TresDigitos(milhares) + u'.' +
               TresDigitos(unidades);
    if (n >= 1000) return QString::number(milhares) + u'.' + TresDigitos(unidades);
    return QString::number(unidades);
}

QString DuracaoSemSinal(std::int64_t s) {
    const std::int64_t h = s / 3600;
    const std::int64_t m = (s % 3600) / 60;
    const std::int64_t r = s - 3600 * h - 60 * m;
    const QString minutos = m > 0 ? QString::number(m) + QStringLiteral(" min") : QString();
    if (h >= 1)
        return QString::number(h) +
               (h >= 2 ? QStringLiteral(" horas ") : QStringLiteral(" hora ")) + minutos;
    if (m > 0)
        return r > 0 ? minutos + u' ' + QString::number(r) + QStringLiteral(" seg") : minutos;
    return QString::number(r) + QStringLiteral(" seg");
}

} // namespace

// Em 64 bits para que o menor inteiro de 32 bits também tenha valor absoluto.
QString FormataMilhar(std::int32_t numero) {
    const std::int64_t n = numero;
    return n < 0 ? u'-' + MilharSemSinal(-n) : MilharSemSinal(n);
}

QString FormataDuracao(std::int32_t segundos) {
    const std::int64_t s = segundos;
    return s < 0 ? u'-' + DuracaoSemSinal(-s) : DuracaoSemSinal(s);
}

QString FormataCNPJ(const QString& cnpj) {
    return cnpj.mid(0, 2) + u'.' + cnpj.mid(2, 3) + u'.' + cnpj.mid(5, 3) + u'/' + cnpj.mid(8, 4) +
           u'-' + cnpj.mid(12, 2);
}

QString FormataDataHora(const QString& data, const QString& hora) {
    return data.right(2) + u'/' + data.mid(4, 2) + u'/' + data.left(4) + QStringLiteral(" às ") +
           hora.left(2) + u':' + hora.mid(2, 2) + u':' + hora.right(2);
}

QString FormataValor(const QString& centavos) {
    const qsizetype tamanho = centavos.size();
    if (tamanho == 0) return QStringLiteral("0,00");
    if (tamanho == 1) return QStringLiteral("0,0") + centavos;
    if (tamanho == 2) return QStringLiteral("0,") + centavos;
    const qsizetype inteiros = tamanho - 2;
    const qsizetype grupos = (inteiros - 1) / 3;
    qsizetype pos = inteiros - 3 * grupos;
    QString texto = centavos.left(pos);
    for (qsizetype g = 0; g < grupos; ++g, pos += 3)
        texto += u'.' + centavos.mid(pos, 3);
    return texto + u',' + centavos.right(2);
}

} // namespace korventa
