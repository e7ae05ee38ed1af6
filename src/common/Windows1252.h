// Fronteira com os arquivos e bibliotecas de 8 bits: Windows-1252, um byte por caractere.
#pragma once

#include <QByteArray>
#include <QString>

namespace korventa {

// Cada byte vira um caractere (0x80-0x9F pela tabela do Windows-1252, o resto como Latin-1).
QString DeWindows1252(const QByteArray& bytes);

// Cada caractere vira um byte; o que o Windows-1252 não representa vira "?".
QByteArray ParaWindows1252(const QString& texto);

} // namespace korventa
