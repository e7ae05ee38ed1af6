// Estado das mídias que dura a execução inteira: o cache de recibos, a última mídia aberta pela
// página Mídias e as ligações com a impressão e com o diálogo de informações.
#pragma once

#include "media/CacheRecibos.h"
#include "validation/ArquivoAberto.h"

#include <QDateTime>
#include <functional>

namespace korventa {

struct EstadoMidias {
    CacheRecibos recibos;

    // Última mídia aberta por AbreMidiaSelecionada e o que foi lido dela.
    QString caminhoUltima;
    QDateTime dataHoraUltima;
    qint64 tamanhoUltima = -1;
    ArquivoAberto midia;

    // Pasta dos comprovantes lida de novo do programa de transmissão (LePastaComprovantesQIV).
    std::function<QString()> pastaComprovantes;
    void carregaRecibos() { recibos.carrega(pastaComprovantes ? pastaComprovantes() : QString()); }

    // Mostra o diálogo de informações, modal sobre a janela principal.
    std::function<void(const ArquivoAberto&)> mostraInfo;

    // Impressões, ligadas quando existem: o recibo (nulo: o comprovante provisório), os totais
    // da lista escolhida (0 por registro, 1 por CFOP, 2 por CFOP e registro) e o resumo da
    // validação.
    std::function<void(const ArquivoAberto&, const Recibo*)> imprimeRecibo;
    std::function<void(const ArquivoAberto&, int lista)> imprimeTotais;
    std::function<void(const ArquivoAberto&)> imprimeResumoValidacao;
};

} // namespace korventa
