// Campos de uma linha do arquivo de totais por CFOP (146 caracteres; 145 no leiaute antigo).
#pragma once

#include <QString>
#include <QStringList>

namespace korventa {

// Texto do campo da coluna 0 a 11 (tipo, CFOP, alíquota e nove valores); " " para outra coluna.
// Linha de 145 caracteres: CFOP de 3 dígitos e campos seguintes uma posição antes.
QString CampoTotalCFOP(int coluna, const QString& linha);

// Texto da célula da coluna 0 a 11 na tabela de totais por registro e CFOP (" " quando a coluna
// não se aplica ao tipo do registro). `indiceFonte` recebe o índice do valor de origem, usado
// para ler o mesmo valor como número; fica como estava para coluna fora de 0 a 11.
QString CelulaTotalRegCFOP(int coluna, const QString& linha, int& indiceFonte);

// Títulos das 13 colunas da lista por CFOP e registro e das 11 da lista por CFOP (a mesma sem
// "Registro" e "Alíquota").
QStringList TitulosTotaisRegCFOP();
QStringList TitulosTotaisCFOP();

} // namespace korventa
