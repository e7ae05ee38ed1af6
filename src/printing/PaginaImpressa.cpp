#include "printing/PaginaImpressa.h"

#include "common/Caminhos.h"
#include "common/Numeros.h"
#include "printing/SuperficieImpressao.h"

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

void ImprimeCaminho(SuperficieImpressao& s, const QString& texto, int limite) {
    if (s.larguraTexto(texto) + MargemTwips > limite - Twips(5))
        ImprimeMargemEsquerda(s, NomeDoArquivo(texto));
    else
        ImprimeMargemEsquerda(s, texto);
}

} // namespace korventa
