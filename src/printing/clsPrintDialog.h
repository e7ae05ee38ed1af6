// Diálogo de impressão da plataforma em volta da impressora atual: páginas mínima, máxima e o
// intervalo escolhido, marcas, e o que o usuário escolheu volta para a impressora atual.
#pragma once

#include "printing/SuperficieImpressao.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace korventa {

struct Sessao;

class clsPrintDialog {
public:
    std::uint32_t Flags = 0;
    // Cancelar o diálogo vira o erro 32755 "Cancel." (ver erro()).
    bool CancelError = false;

    std::int16_t min() const { return min_; }
    std::int16_t Max() const { return max_; }
    std::int16_t FromPage() const { return de_; }
    std::int16_t ToPage() const { return ate_; }
    // Negativos valem 0; os outros três se movem para manter min <= FromPage <= ToPage <= Max.
    void defineMin(int v);
    void defineMax(int v);
    void defineFromPage(int v);
    void defineToPage(int v);

    // Mostra o diálogo sobre a impressora atual. Confirmado: a impressora escolhida (quando está
    // instalada) vira a atual e cópias, frente e verso, orientação e papel passam para ela.
    bool ShowPrinter(Sessao& s, const QString& documento);

    // O usuário pediu para ver antes de imprimir (botão "Visualizar..." do diálogo).
    bool visualizar() const { return visualizar_; }
    // Erro do último ShowPrinter cancelado com CancelError.
    std::optional<ErroImpressao> erro() const { return erro_; }

private:
    std::int16_t min_ = 0;
    std::int16_t max_ = 0;
    std::int16_t de_ = 0;
    std::int16_t ate_ = 0;
    bool visualizar_ = false;
    std::optional<ErroImpressao> erro_;
};

} // namespace korventa
