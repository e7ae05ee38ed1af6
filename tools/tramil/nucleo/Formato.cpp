#include "nucleo/Formato.h"

#include "common/Formatos.h"
#include "common/Windows1252.h"
#include "core/Digitos.h"
#include "core/Texto.h"

namespace tramil {

QString FormataInteiro(std::int64_t valor) {
    const bool negativo = valor < 0;
    std::uint64_t v =
        negativo ? 0 - static_cast<std::uint64_t>(valor) : static_cast<std::uint64_t>(valor);
    QString t;
    int n = 0;
    do {
        if (n > 0 && n % 3 == 0) t.prepend(QLatin1Char('.'));
        t.prepend(QLatin1Char(static_cast<char>('0' + v % 10)));
        v /= 10;
        ++n;
    } while (v > 0);
    return negativo ? QLatin1Char('-') + t : t;
}

QString FormataDecimal(std::int64_t valor, int casas) {
    if (casas <= 0) return FormataInteiro(valor);
    std::int64_t divisor = 1;
    for (int i = 0; i < casas; ++i)
        divisor *= 10;
    const bool negativo = valor < 0;
    const std::uint64_t v =
        negativo ? 0 - static_cast<std::uint64_t>(valor) : static_cast<std::uint64_t>(valor);
    const auto d = static_cast<std::uint64_t>(divisor);
    QString t = FormataInteiro(static_cast<std::int64_t>(v / d)) + QLatin1Char(',') +
                QStringLiteral("%1").arg(v % d, casas, 10, QLatin1Char('0'));
    return negativo ? QLatin1Char('-') + t : t;
}

QString FormataData(std::string_view d) {
    if (d.size() != 8 || !kelvor::texto::soDigitos(d)) return {};
    const QString s = QString::fromLatin1(d.data(), 8);
    return s.mid(6, 2) + QLatin1Char('/') + s.mid(4, 2) + QLatin1Char('/') + s.left(4);
}

QString FormataCnpjCpf(std::string_view c) {
    if (c.size() != 14 || !kelvor::texto::soDigitos(c) || kelvor::texto::soZeros(c)) return {};
    if (c.substr(0, 3) == "000" && !kelvor::digitos::cnpjValido(c) &&
        kelvor::digitos::cpfValido(c.substr(3))) {
        const QString s = QString::fromLatin1(c.data() + 3, 11);
        return s.left(3) + QLatin1Char('.') + s.mid(3, 3) + QLatin1Char('.') + s.mid(6, 3) +
               QLatin1Char('-') + s.right(2);
    }
    return korventa::FormataCNPJ(QString::fromLatin1(c.data(), 14));
}

QString TextoDoArquivo(std::string_view bytes) {
    QString t = korventa::DeWindows1252(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    for (QChar& c : t)
        if (c.unicode() < 32 || c.unicode() == 127) c = QChar(0x00B7);
    return t;
}

} // namespace tramil
