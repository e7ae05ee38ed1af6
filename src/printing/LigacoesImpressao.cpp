#include "printing/LigacoesImpressao.h"

#include "printing/ImprimirResumo.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"

#include <QPointer>
#include <QRadioButton>

namespace korventa {

void LigaImpressaoResumo(Sessao& s, PaginaResumo& resumo) {
    QPointer<PaginaResumo> pagina(&resumo);
    resumo.botaoImprimir()->defineAcao([&s, pagina] {
        if (!pagina) return;
        int tipo = 0;
        for (int i = 0; i < 4; ++i)
            if (pagina->opcao(i)->isChecked()) tipo = i;
        ImprimirResumo(s, tipo, 0);
    });
}

} // namespace korventa
