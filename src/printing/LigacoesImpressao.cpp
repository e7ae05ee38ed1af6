#include "printing/LigacoesImpressao.h"

#include "media/ComandosMidia.h"
#include "media/EstadoMidias.h"
#include "printing/DadosRecibo.h"
#include "printing/ImprimirRecibo.h"
#include "printing/ImprimirResumo.h"
#include "printing/RecibosVariosArquivos.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"

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

void LigaImpressaoMidias(Sessao& s, EstadoMidias& estado, PaginaResumo& resumo,
                         PaginaResumoArquivos& resumoArquivos) {
    resumo.botaoRecibo()->defineAcao([&s, &estado] { BotaoResumoRecibo_Click(s, estado); });
    QPointer<PaginaResumoArquivos> pagina(&resumoArquivos);
    resumoArquivos.botaoRecibos()->defineAcao([&s, &estado, pagina] {
        if (pagina) BotaoResumoXRecibos_Click(s, estado, *pagina);
    });
    estado.imprimeRecibo = [&s](const ArquivoAberto& e, const Recibo* recibo) {
        ImprimirReciboKorventa(s, DadosReciboDaMidia(e, recibo));
    };
    // Listas das informações: 0 por registro, 1 por CFOP, 2 por CFOP e registro.
    estado.imprimeTotais = [&s](const ArquivoAberto& e, int lista) {
        if (lista >= 0 && lista <= 2) ImprimirResumo(s, ResumoTotaisRegistro + lista, e);
    };
    estado.imprimeResumoValidacao = [&s](const ArquivoAberto& e) {
        ImprimirResumo(s, ResumoValidacao, e);
    };
}

} // namespace korventa
