#include "app/FormatoRegional.h"

#include <cmath>

namespace korventa {

namespace {

QString agrupa(const QString& digitos, const QString& simbolo) {
    QString saida;
    const qsizetype n = digitos.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) saida += simbolo;
        saida += digitos.at(i);
    }
    return saida;
}

// O texto formatado pode trazer NULs (símbolos vazios em algumas máquinas): na mensagem eles
// aparecem como brancos.
QString semNulos(QString texto) {
    return texto.replace(QChar(u'\0'), QLatin1Char(' '));
}

} // namespace

QString FormataComPadrao(double valor, const QString& padrao, const FormatoNumerico& formato) {
    const qsizetype ponto = padrao.indexOf(QLatin1Char('.'));
    const int casas = ponto < 0 ? 0 : int(padrao.mid(ponto + 1).count(QLatin1Char('0')));
    const bool agrupar = padrao.left(ponto < 0 ? padrao.size() : ponto).contains(u',');

    const double escala = std::pow(10.0, casas);
    const double absoluto = std::round(std::fabs(valor) * escala);
    const QString digitos = QString::number(absoluto, 'f', 0).rightJustified(casas + 1, u'0');
    const QString inteiro = digitos.left(digitos.size() - casas);
    QString saida = agrupar ? agrupa(inteiro, formato.simboloAgrupamento) : inteiro;
    if (casas > 0) saida += formato.simboloDecimal + digitos.right(casas);
    if (valor < 0 && absoluto > 0) saida.prepend(QLatin1Char('-'));
    return saida;
}

bool ConfereSimboloDecimal(Plataforma& plataforma) {
    const QString texto =
        FormataComPadrao(1.123, QStringLiteral("##,##0.000"), plataforma.formatoNumerico());
    if (texto == QLatin1String("1,123") || texto == QLatin1String("1.123")) return true;
    plataforma.mensagem(
        QStringLiteral("O símbolo decimal de números está configurado de forma incorreta.\r"
                       "Corrija o símbolo decimal nas Opções Regionais de Números desta máquina.\r"
                       "O símbolo decimal deve ser diferente do símbolo de agrupamento de "
                       "dígitos.\r\r"
                       "Número com símbolo decimal atual: ") +
            semNulos(texto) + QStringLiteral("\rNúmero com símbolo decimal válido: 1,123 ou 1.123"),
        Icone::Critico);
    return false;
}

bool ConfereAgrupamentoDigitos(Plataforma& plataforma) {
    const QString texto =
        FormataComPadrao(12123, QStringLiteral("##,##0"), plataforma.formatoNumerico());
    if (texto == QLatin1String("12.123") || texto == QLatin1String("12,123")) return true;
    plataforma.mensagem(
        QStringLiteral("O símbolo de agrupamento de dígitos de números está configurado de forma "
                       "incorreta.\r"
                       "Corrija o símbolo de agrupamento de dígitos nas Opções Regionais de "
                       "Números desta máquina.\r"
                       "O símbolo decimal deve ser diferente do símbolo de agrupamento de "
                       "dígitos.\r\r"
                       "Número com símbolo de agrupamento de dígitos atual: ") +
            semNulos(texto) +
            QStringLiteral(
                "\rNúmero com símbolo de agrupamento de dígitos válido: 12.123 ou 12,123"),
        Icone::Critico);
    return false;
}

} // namespace korventa
