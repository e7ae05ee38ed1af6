#include "validation/ArquivosTrabalho.h"

#include "common/Caminhos.h"
#include "common/Numeros.h"
#include "validation/Sessao.h"

#include <QFile>

namespace korventa {

QString SufixoEntrada(int n) {
    return QStringLiteral(".") + NumeroComBrancoInicial(n);
}

QString CaminhoCriticas(const Sessao& s, int n) {
    return s.caminhoCriticas + SufixoEntrada(n);
}

QString CaminhoTotaisCFOP(const Sessao& s, int n) {
    return s.caminhoTotaisCFOP + SufixoEntrada(n);
}

QString CaminhoCriticas88(const Sessao& s, int n) {
    const QString uf = n >= 0 && n < s.arquivos.size() ? s.arquivos[n].uf : QString();
    return JuntaCaminho(s.pastaPrograma,
                        QString::fromLatin1(ArqCriticasPos) + uf + SufixoEntrada(n));
}

void ApagaArquivosTrabalho(const Sessao& s) {
    for (int i = 0; i < s.arquivos.size(); ++i) {
        QFile::remove(CaminhoCriticas(s, i));
        QFile::remove(CaminhoCriticas88(s, i));
        QFile::remove(CaminhoTotaisCFOP(s, i));
    }
}

} // namespace korventa
