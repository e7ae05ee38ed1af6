// Fronteira com as bibliotecas de 8 bits: caminhos na codificação do sistema de arquivos, textos
// em Windows-1252, saídas cortadas no primeiro NUL.
#pragma once

#include <QByteArray>
#include <QString>

namespace korventa {

QByteArray CaminhoParaMotor(const QString& caminho);
QByteArray TextoParaMotor(const QString& texto);
// Texto de um buffer de saída até o primeiro NUL (o buffer inteiro quando não há NUL).
QString TextoDoMotor(const char* buffer, int tamanho);
template <int N> QString TextoDoMotor(const char (&buffer)[N]) {
    return TextoDoMotor(buffer, N);
}

// Descrição da última falha de carga das bibliotecas, para quem não conseguiu chamar o motor.
QString FalhaDoMotor();

} // namespace korventa
