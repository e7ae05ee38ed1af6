#include "validation/Totalizadores.h"

#include "common/Formatos.h"
#include "engine/Bibliotecas.h"
#include "engine/Log.h"
#include "validation/ArquivoAberto.h"

namespace korventa {

long long ValorDaCelula(const QString& celula) {
    QString digitos = celula.trimmed();
    digitos.remove(QLatin1Char('.'));
    return digitos.toLongLong();
}

void AjustaRegistro88(TabelaTotais& t, int linhasErro, int linhasAdvertencia) {
    const long long e = linhasErro, w = linhasAdvertencia;
    const auto texto = [](long long v) { return QString::number(v); };
    const long long semAdvertencia = ValorDaCelula(t[3][LinhaRegistro88]) - e - w;
    t[0][LinhaRegistro88] = semAdvertencia < 0 ? QStringLiteral("0") : texto(semAdvertencia);
    t[1][LinhaRegistro88] = texto(w);
    t[2][LinhaRegistro88] = texto(e);
    t[0][LinhaTotal] = texto(ValorDaCelula(t[0][LinhaTotal]) - (e + w));
    t[1][LinhaTotal] = texto(ValorDaCelula(t[1][LinhaTotal]) + w);
    t[2][LinhaTotal] = texto(ValorDaCelula(t[2][LinhaTotal]) + e);
}

void CarregaTotalizadores(ArquivoAberto& e) {
    Log(LogOperacao, QStringLiteral("CarregaTotalizadores..."));
    e.totalizadores = {};
    // Sem o motor a tabela fica vazia: nada de contagens inventadas.
    if (auto* celula = KORVENTA_FUNCAO("Kelvor", Kelvor_Totalizador))
        for (int r = 0; r < 22; ++r)
            for (int c = 0; c < 4; ++c)
                e.totalizadores[c][r] = FormataMilhar(celula(r, c));
    if (e.temCriticas88) AjustaRegistro88(e.totalizadores, e.linhasErro88, e.linhasAdvertencia88);
    Log(LogOperacao, QStringLiteral("Fim CarregaTotalizadores."));
}

} // namespace korventa
