#include "engine/ComparacaoVersoes.h"

#include "engine/Log.h"

#include <QStringList>
#include <array>
#include <optional>

namespace korventa {

namespace {

// As três primeiras partes como inteiros de 32 bits; nada quando faltam partes ou uma delas
// não é número.
std::optional<std::array<std::int32_t, 3>> partes(const QString& versao) {
    const QStringList p = versao.split(QLatin1Char('.'));
    if (p.size() < 3) return std::nullopt;
    std::array<std::int32_t, 3> numeros{};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numeros[i] = p.at(i).trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    return numeros;
}

} // namespace

std::int16_t CompararVersoes(const QString& primeira, const QString& segunda) {
    Log(LogVersao, QStringLiteral("CompararVersoes(") + primeira + QStringLiteral(", ") + segunda +
                       QLatin1Char(')'));
    const auto v1 = partes(primeira);
    if (!v1) {
        Log(LogErro, QStringLiteral("Versao v1 invalida! (") + primeira + QLatin1Char(')'));
        return 0;
    }
    const auto v2 = partes(segunda);
    if (!v2) {
        Log(LogErro, QStringLiteral("Versao v2 invalida! (") + segunda + QLatin1Char(')'));
        return 0;
    }
    std::int16_t resultado = 0;
    for (int i = 0; i < 3 && resultado == 0; ++i) {
        if ((*v1)[i] < (*v2)[i])
            resultado = -1;
        else if ((*v1)[i] > (*v2)[i])
            resultado = 1;
    }
    Log(LogVersao, QStringLiteral("retorno CompararVersoes = ") + QString::number(resultado));
    return resultado;
}

} // namespace korventa
