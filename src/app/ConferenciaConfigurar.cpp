#include "app/ConferenciaConfigurar.h"

#include "common/Numeros.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace korventa {

namespace {

// Leitor do texto do limite: sinal, parte inteira (com ou sem agrupamento), decimais e
// expoente. Devolve o número escrito com "." e sem agrupamento, ou vazio quando não é número.
class LeitorNumero {
public:
    LeitorNumero(const QString& texto, const FormatoNumerico& f)
        : t_(texto.trimmed()), decimal_(f.simboloDecimal), grupo_(f.simboloAgrupamento) {}

    QString normalizado() {
        if (consome(QStringLiteral("-")))
            saida_ += QLatin1Char('-');
        else
            consome(QStringLiteral("+"));
        const int inteiros = parteInteira();
        if (inteiros < 0) return QString();
        int decimais = 0;
        if (!decimal_.isEmpty() && consome(decimal_)) {
            saida_ += QLatin1Char('.');
            decimais = digitos();
        }
        if (inteiros + decimais == 0) return QString();
        if (i_ < t_.size() && (t_[i_] == u'e' || t_[i_] == u'E')) {
            ++i_;
            saida_ += QLatin1Char('e');
            if (consome(QStringLiteral("-")))
                saida_ += QLatin1Char('-');
            else
                consome(QStringLiteral("+"));
            if (digitos() == 0) return QString();
        }
        return i_ == t_.size() ? saida_ : QString();
    }

private:
    bool consome(const QString& simbolo) {
        if (!QStringView(t_).mid(i_).startsWith(simbolo)) return false;
        i_ += simbolo.size();
        return true;
    }

    int digitos() {
        int n = 0;
        while (i_ < t_.size() && t_[i_].isDigit() && t_[i_].unicode() < 128) {
            saida_ += t_[i_++];
            ++n;
        }
        return n;
    }

    // Dígitos da parte inteira; com agrupamento, o primeiro grupo tem de 1 a 3 dígitos e os
    // seguintes exatamente 3 ("12.5" não é 125). -1 quando o agrupamento está errado.
    int parteInteira() {
        const int primeiro = digitos();
        int total = primeiro;
        while (!grupo_.isEmpty() && grupo_ != decimal_ && total > 0 && consome(grupo_)) {
            if (primeiro > 3 || digitos() != 3) return -1;
            total += 3;
        }
        return total;
    }

    QString t_;
    QString decimal_;
    QString grupo_;
    qsizetype i_ = 0;
    QString saida_;
};

} // namespace

std::optional<std::int32_t> LeLimiteCriticas(const QString& texto, const FormatoNumerico& formato) {
    const QString numero = LeitorNumero(texto, formato).normalizado();
    if (numero.isEmpty()) return std::nullopt;
    bool ok = false;
    const double valor = QLocale::c().toDouble(numero, &ok);
    if (!ok || !std::isfinite(valor)) return std::nullopt;
    // Metades para o par: -2147483648,5 ainda cabe; 2147483647,5 vai a 2147483648, que não.
    constexpr double minimo = double(std::numeric_limits<std::int32_t>::min()) - 0.5;
    constexpr double maximo = double(std::numeric_limits<std::int32_t>::max()) + 0.5;
    if (valor < minimo || valor >= maximo) return std::nullopt;
    return ArredondaPar(valor);
}

bool TerminaNoProgramaQIV(const QString& caminho) {
    const QString fim = caminho.right(8).toUpper();
    return fim == QLatin1String("\\QIV.EXE") || fim == QLatin1String("/QIV.EXE");
}

} // namespace korventa
