#include "common/Numeros.h"

#include <cmath>
#include <limits>

namespace korventa {

namespace {

// Arredondamento par sem depender do modo de arredondamento corrente da FPU.
template <typename Inteiro> Inteiro ArredondaParEm(double valor) {
    if (std::isnan(valor)) return 0;
    double inteiro = std::floor(valor);
    const double fracao = valor - inteiro;
    if (fracao > 0.5 || (fracao == 0.5 && std::fmod(inteiro, 2.0) != 0.0)) inteiro += 1.0;
    constexpr double menor = std::numeric_limits<Inteiro>::min();
    constexpr double maior = std::numeric_limits<Inteiro>::max();
    if (inteiro <= menor) return std::numeric_limits<Inteiro>::min();
    if (inteiro >= maior) return std::numeric_limits<Inteiro>::max();
    return static_cast<Inteiro>(inteiro);
}

bool EhDigito(const QString& texto, qsizetype i) {
    return i < texto.size() && texto.at(i) >= u'0' && texto.at(i) <= u'9';
}

qsizetype PulaDigitos(const QString& texto, qsizetype i) {
    while (EhDigito(texto, i))
        ++i;
    return i;
}

} // namespace

std::int32_t ArredondaPar(double valor) {
    return ArredondaParEm<std::int32_t>(valor);
}

std::int16_t ArredondaPar16(double valor) {
    return ArredondaParEm<std::int16_t>(valor);
}

double MilimetrosParaTwips(double milimetros) {
    return milimetros * TwipsPorMilimetro;
}

double TwipsParaMilimetros(double twips) {
    return twips / TwipsPorMilimetro;
}

QString NumeroComBrancoInicial(int numero) {
    return numero < 0 ? QString::number(numero) : u' ' + QString::number(numero);
}

double ValorInicialNumerico(const QString& texto) {
    qsizetype i = 0;
    while (i < texto.size() && (texto.at(i) == u' ' || texto.at(i) == u'\t'))
        ++i;
    const qsizetype inicio = i;
    if (i < texto.size() && (texto.at(i) == u'+' || texto.at(i) == u'-')) ++i;
    const qsizetype antesDosDigitos = i;
    i = PulaDigitos(texto, i);
    bool temDigitos = i > antesDosDigitos;
    if (i < texto.size() && texto.at(i) == u'.') {
        const qsizetype fim = PulaDigitos(texto, i + 1);
        temDigitos = temDigitos || fim > i + 1;
        i = fim;
    }
    if (!temDigitos) return 0.0;
    // Expoente só quando tem dígitos: "2e" vale 2.
    if (i < texto.size() && (texto.at(i) == u'e' || texto.at(i) == u'E')) {
        qsizetype j = i + 1;
        if (j < texto.size() && (texto.at(j) == u'+' || texto.at(j) == u'-')) ++j;
        if (EhDigito(texto, j)) i = PulaDigitos(texto, j);
    }
    bool ok = false;
    const double valor = texto.mid(inicio, i - inicio).toDouble(&ok);
    return ok ? valor : 0.0;
}

} // namespace korventa
