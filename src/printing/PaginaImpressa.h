// Posições na página impressa: milímetros do papel para twips e as formas de pôr um texto na
// linha corrente. Toda conversão para twips inteiros arredonda as metades para o par.
#pragma once

#include <QString>

namespace korventa {

class SuperficieImpressao;

// Margem da área imprimível dos relatórios, em twips.
inline constexpr int MargemTwips = 50;

// mm × 56,7 no inteiro mais próximo (metades para o par).
int Twips(double milimetros);
// Posição no papel para twips da área imprimível, que começa a 6 mm da borda.
int PosicaoPapel(double milimetros);

// Linha corrente na posição do papel dada.
void DefineLinha(SuperficieImpressao& s, double milimetros);
// Cada uma imprime e desce a linha.
void ImprimeMargemEsquerda(SuperficieImpressao& s, const QString& texto);
void ImprimeEm(SuperficieImpressao& s, const QString& texto, int x);
void ImprimeAlinhadoDireita(SuperficieImpressao& s, const QString& texto, int xFim);
// Devolve o x em que o texto começou.
int ImprimeCentralizado(SuperficieImpressao& s, const QString& texto);
void ImprimeCentralizadoEntre(SuperficieImpressao& s, const QString& texto, int esquerda,
                              int direita);
int ImprimeMargemDireita(SuperficieImpressao& s, const QString& texto);
// Em x, sem passar de `largura`: um texto mais largo vai numa fonte menor, até 6 pontos, e o
// que ainda não couber é cortado com "…" (nunca por cima da coluna seguinte).
void ImprimeAjustado(SuperficieImpressao& s, const QString& texto, int x, int largura);
// O mesmo terminando em xFim.
void ImprimeAjustadoDireita(SuperficieImpressao& s, const QString& texto, int xFim, int largura);
// Na margem esquerda; quando o texto chegaria a 5 mm de `limite`, só o nome do arquivo depois do
// último separador.
void ImprimeCaminho(SuperficieImpressao& s, const QString& texto, int limite);

} // namespace korventa
