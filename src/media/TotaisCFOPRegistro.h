// Totais por CFOP e por registro a partir das linhas do arquivo de totais por CFOP: as linhas das
// listas do Resumo, do diálogo de informações e dos relatórios, como textos prontos (sem tela).
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

namespace korventa {

struct ArquivoAberto;

// Soma decimal exata de valores em centavos (campos de 15 dígitos), sem limite prático.
class SomaDecimal {
public:
    // Dígitos de um campo; um campo com outro caractere conta zero.
    void soma(const QString& digitos);
    // Valor no formato brasileiro ("1.234,56"; zero é "0,00").
    QString texto() const;

private:
    static constexpr std::int64_t Base = 1'000'000'000'000'000; // 10^15
    std::int64_t alto_ = 0;                                     // múltiplos de 10^15
    std::int64_t baixo_ = 0;                                    // resto, abaixo de 10^15
};

// Linhas que têm dados: sem o CR do fim e sem as vazias ou só de brancos.
QStringList LinhasTotaisCFOP(const QStringList& linhas);

// Entradas de "1000" a "3999", saídas de "5000" a "7999" (comparação de texto).
bool CfopDeEntrada(const QString& cfop);
bool CfopDeSaida(const QString& cfop);

// Lista por CFOP e registro (13 colunas) e lista por CFOP (a mesma sem "Registro" e "Alíquota");
// os títulos das colunas estão em common/TotaisCFOP.h.
QVector<QStringList> LinhasTotaisRegCFOP(const QStringList& totais);
QVector<QStringList> LinhasTotaisPorCFOP(const QStringList& totais);

// Lista de totais por registro: seções com a linha de título (nome e legendas), as linhas de
// valores e uma linha em branco.
struct LinhaTotaisRegistro {
    std::array<QString, 5> textos;
    bool titulo = false;
};
QVector<LinhaTotaisRegistro> LinhasTotaisPorRegistro(const QStringList& totais);

// Somas de entrada e saída dos registros 53 (campos 5, 8, 9) e 54 (campos 3, 8, 11, 4),
// formatadas, guardadas na entrada.
void CalculaSomas(ArquivoAberto& e);

} // namespace korventa
