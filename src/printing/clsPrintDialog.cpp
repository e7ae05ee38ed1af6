#include "printing/clsPrintDialog.h"

#include "platform/Plataforma.h"
#include "printing/ImpressoraAtual.h"
#include "validation/Sessao.h"

#include <algorithm>
#include <limits>

namespace korventa {

namespace {

std::int16_t Pagina16(int v) {
    return static_cast<std::int16_t>(
        std::clamp(v, 0, int(std::numeric_limits<std::int16_t>::max())));
}

} // namespace

void clsPrintDialog::defineMin(int v) {
    min_ = Pagina16(v);
    de_ = std::max(de_, min_);
    ate_ = std::max(ate_, min_);
    max_ = std::max(max_, min_);
}

void clsPrintDialog::defineFromPage(int v) {
    de_ = Pagina16(v);
    ate_ = std::max(ate_, de_);
    max_ = std::max(max_, de_);
    min_ = std::min(min_, de_);
}

void clsPrintDialog::defineToPage(int v) {
    ate_ = Pagina16(v);
    max_ = std::max(max_, ate_);
    de_ = std::min(de_, ate_);
    min_ = std::min(min_, ate_);
}

void clsPrintDialog::defineMax(int v) {
    max_ = Pagina16(v);
    ate_ = std::min(ate_, max_);
    de_ = std::min(de_, max_);
    min_ = std::min(min_, max_);
}

bool clsPrintDialog::ShowPrinter(Sessao& s, const QString& documento) {
    erro_.reset();
    visualizar_ = false;
    DialogoImpressao d = RegistroImpressoraAtual(s, documento);
    d.flags = Flags;
    d.minimo = min_;
    d.maximo = max_;
    d.dePagina = de_;
    d.atePagina = ate_;
    if (!s.plataforma.dialogoImpressao(d)) {
        if (CancelError)
            erro_ =
                ErroImpressao{32755, QStringLiteral("Cancel."), QStringLiteral("LM PrintDialog")};
        return false;
    }
    Flags = d.flags;
    de_ = Pagina16(d.dePagina);
    ate_ = Pagina16(d.atePagina);
    visualizar_ = d.visualizar;

    const bool achou = EscolheImpressora(s, d.impressora);
    EstadoImpressora& atual = s.impressora;
    atual.copias = d.estado.copias;
    atual.duplex = d.estado.duplex;
    atual.orientacao = d.estado.orientacao;
    // O papel também volta: é o que as mensagens de papel pequeno mandam o usuário trocar.
    if (d.estado.papel.isValid()) atual.papel = d.estado.papel;
    if (achou && NomeImpressoraAtual(s) == ImpressoraPdf) atual.arquivoPdf = d.estado.arquivoPdf;
    return true;
}

} // namespace korventa
