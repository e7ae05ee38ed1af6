#include "validation/Motor.h"

#include "common/Windows1252.h"
#include "engine/Bibliotecas.h"

#include <QFile>
#include <cstring>

namespace korventa {

QByteArray CaminhoParaMotor(const QString& caminho) {
    return QFile::encodeName(caminho);
}

QByteArray TextoParaMotor(const QString& texto) {
    return ParaWindows1252(texto);
}

QString TextoDoMotor(const char* buffer, int tamanho) {
    const void* nulo = std::memchr(buffer, 0, static_cast<size_t>(tamanho));
    const auto n = nulo ? static_cast<const char*>(nulo) - buffer : tamanho;
    return DeWindows1252(QByteArray(buffer, static_cast<int>(n)));
}

QString FalhaDoMotor() {
    const FalhaCarga& f = bibliotecas().falha();
    return QStringLiteral("Erro (%1): %2").arg(f.numero).arg(f.descricao);
}

} // namespace korventa
