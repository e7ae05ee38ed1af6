#include "core/TotaisEmOrdem.h"

#include "core/Texto.h"

namespace kelvor {

std::string mensagemSomaGrande(const TotaisCfop::Chave& k, int destino) {
    const std::string_view tipo(k.data(), 2), cfop(k.data() + 2, 4);
    const auto aliquota = texto::semBrancosDireita(std::string_view(k.data() + 6, 4));
    std::string m = "Soma de ";
    m += nomeValorTotal(destino);
    if (tipo == "60") {
        m.append(" do registro 60A, situação tributária ").append(aliquota);
    } else {
        m.append(" do registro ").append(tipo);
        if (tipo != "61") m.append(", CFOP ").append(cfop);
        m.append(", alíquota ").append(aliquota);
    }
    m += ", passa de 15 dígitos.";
    return m;
}

void TotaisEmOrdem::iniciaLote(const Lote& l) {
    registroARegistro_ = false;
    for (const auto& [k, parcial] : l.totais.mapa()) {
        const auto* antes = totais_.somasDe(k);
        for (std::size_t i = 0; i < parcial.size(); ++i) {
            const std::int64_t a = antes ? (*antes)[i] : 0;
            if (a <= TotaisCfop::MaximoColuna &&
                somaSaturada(a, parcial[i]) > TotaisCfop::MaximoColuna)
                registroARegistro_ = true;
        }
    }
    // Sem risco: as somas do lote entram já; os itens de cancelados saem registro a registro.
    if (!registroARegistro_) totais_.junta(l.totais);
}

int TotaisEmOrdem::registro(const RegistroLote& r, std::string_view texto) {
    if (r.documentoSemValor) totais_.registraSemValor(r.documentoSemValor);
    if (!r.soma) return 0;
    // Só o 54 de documento cancelado precisa das parcelas no caminho comum.
    const bool cancelado = totais_.itemSemValor(*r.leiaute, texto);
    if (!registroARegistro_) {
        if (cancelado && parcelasDe(*r.leiaute, texto, parcelas_)) totais_.subtrai(parcelas_);
        return 0;
    }
    if (cancelado || !parcelasDe(*r.leiaute, texto, parcelas_)) return 0;
    const auto* antes = totais_.somasDe(parcelas_.chave);
    TotaisCfop::Somas a{};
    if (antes) a = *antes;
    totais_.soma(parcelas_);
    const auto& depois = *totais_.somasDe(parcelas_.chave);
    int n = 0;
    passou_.resize(TotaisCfop::Valores);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] > TotaisCfop::MaximoColuna || depois[i] <= TotaisCfop::MaximoColuna) continue;
        // O campo do registro que levou esta soma adiante (o primeiro que soma nela).
        for (int j = 0; j < parcelas_.quantas; ++j) {
            const auto& x = parcelas_.itens[static_cast<std::size_t>(j)];
            if (static_cast<std::size_t>(x.destino) != i) continue;
            auto& p = passou_[static_cast<std::size_t>(n++)];
            p.inicio = x.inicio;
            p.tamanho = x.tamanho;
            p.mensagem = mensagemSomaGrande(parcelas_.chave, static_cast<int>(i));
            break;
        }
    }
    return n;
}

} // namespace kelvor
