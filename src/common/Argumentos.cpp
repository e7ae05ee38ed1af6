#include "common/Argumentos.h"

namespace korventa {

QStringList SeparaArgumentos(const QString& linhaDeComando, int maximo) {
    QStringList argumentos{QString()};
    int quantos = 0;
    bool emArgumento = false;
    bool emAspas = false;
    for (const QChar c : linhaDeComando) {
        if (emAspas) {
            // Aspas fecham o trecho; o próximo caractere colado começa outro argumento.
            if (c == u'"')
                emAspas = false;
            else
                argumentos.last().append(c);
        } else if (c == u'"' && !emArgumento) {
            if (quantos >= maximo) break;
            ++quantos;
            argumentos.append(QString());
            emAspas = true;
        } else if (c != u' ' && c != u'\t') {
            if (!emArgumento) {
                if (quantos >= maximo) break;
                ++quantos;
                argumentos.append(QString());
                emArgumento = true;
            }
            argumentos.last().append(c);
        } else {
            emArgumento = false;
        }
    }
    return argumentos;
}

} // namespace korventa
