#include "printing/PaginaImpressa.h"

#include "common/Caminhos.h"
#include "common/Numeros.h"
#include "printing/SuperficieImpressao.h"

#include <algorithm>
#include <cmath>

namespace korventa {

int Twips(double milimetros) {
    // 567 / 10 em vez de 56,7: metades como 5 mm (283,5) ficam exatas antes do arredondamento.
    return ArredondaPar(milimetros * 567.0 / 10.0);
}

int PosicaoPapel(double milimetros) {
    return Twips(milimetros - 6.0);
}

void DefineLinha(SuperficieImpressao& s, double milimetros) {
    s.defineY(PosicaoPapel(milimetros));
}

void ImprimeMargemEsquerda(SuperficieImpressao& s, const QString& texto) {
    ImprimeEm(s, texto, MargemTwips);
}

void ImprimeEm(SuperficieImpressao& s, const QString& texto, int x) {
    s.defineX(x);
    s.imprime(texto);
}

void ImprimeAlinhadoDireita(SuperficieImpressao& s, const QString& texto, int xFim) {
    ImprimeEm(s, texto, xFim - s.larguraTexto(texto));
}

int ImprimeCentralizado(SuperficieImpressao& s, const QString& texto) {
    const int x = ArredondaPar((s.larguraImprimivel() - s.larguraTexto(texto)) / 2.0);
    ImprimeEm(s, texto, x);
    return x;
}

void ImprimeCentralizadoEntre(SuperficieImpressao& s, const QString& texto, int esquerda,
                              int direita) {
    ImprimeEm(s, texto,
              esquerda + ArredondaPar((direita - esquerda - s.larguraTexto(texto)) / 2.0));
}

int ImprimeMargemDireita(SuperficieImpressao& s, const QString& texto) {
    const int x = s.larguraImprimivel() - MargemTwips - s.larguraTexto(texto);
    ImprimeEm(s, texto, x);
    return x;
}

namespace {

constexpr double MenorFonte = 6.0;

// Texto que cabe em `largura` na fonte corrente, trocando-a por uma menor se preciso; devolve a
// fonte a restaurar depois de imprimir.
QString Ajusta(SuperficieImpressao& s, const QString& texto, int largura,
               FonteImpressao& original) {
    original = s.fonte();
    const int medida = s.larguraTexto(texto);
    if (medida <= largura || texto.isEmpty()) return texto;
    FonteImpressao menor = original;
    // Meios pontos para baixo, proporcional ao excesso.
    menor.pontos = std::max(MenorFonte, std::floor(original.pontos * largura / medida * 2) / 2);
    s.defineFonte(menor);
    if (s.larguraTexto(texto) <= largura) return texto;
    QString cortado = texto;
    const QString reticencias = QStringLiteral("…");
    while (!cortado.isEmpty() && s.larguraTexto(cortado + reticencias) > largura)
        cortado.chop(1);
    return cortado + reticencias;
}

} // namespace

void ImprimeAjustado(SuperficieImpressao& s, const QString& texto, int x, int largura) {
    FonteImpressao original;
    const QString cabe = Ajusta(s, texto, largura, original);
    ImprimeEm(s, cabe, x);
    if (s.fonte().pontos != original.pontos) s.defineFonte(original);
}

void ImprimeAjustadoDireita(SuperficieImpressao& s, const QString& texto, int xFim, int largura) {
    FonteImpressao original;
    const QString cabe = Ajusta(s, texto, largura, original);
    ImprimeAlinhadoDireita(s, cabe, xFim);
    if (s.fonte().pontos != original.pontos) s.defineFonte(original);
}

void ImprimeCaminho(SuperficieImpressao& s, const QString& texto, int limite) {
    if (s.larguraTexto(texto) + MargemTwips > limite - Twips(5))
        ImprimeMargemEsquerda(s, NomeDoArquivo(texto));
    else
        ImprimeMargemEsquerda(s, texto);
}

} // namespace korventa
