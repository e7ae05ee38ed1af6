#include "core/CruzadoSituacoes.h"

#include <algorithm>

namespace kelvor::cruzado {

SituacoesAnteriores::~SituacoesAnteriores() {
    if (disco_) std::fclose(disco_);
}

void SituacoesAnteriores::anota(std::int64_t linha, Situacao s) {
    if (s == Situacao::SemCritica) return;
    bloco_.push_back(static_cast<std::uint64_t>(linha) << 2 | static_cast<std::uint64_t>(s));
    if (bloco_.size() >= Bloco && !semDisco_) descarrega();
}

void SituacoesAnteriores::descarrega() {
    if (!disco_) disco_ = std::tmpfile();
    if (!disco_) {
        semDisco_ = true; // sem arquivo temporário, em memória: certo, só maior
        return;
    }
    const std::size_t n = std::fwrite(bloco_.data(), sizeof(std::uint64_t), bloco_.size(), disco_);
    // O que não coube no disco continua no bloco, depois do que coube.
    noDisco_ += n;
    bloco_.erase(bloco_.begin(), bloco_.begin() + static_cast<std::ptrdiff_t>(n));
    if (!bloco_.empty()) semDisco_ = true;
}

void SituacoesAnteriores::recomeca() {
    lidasDoDisco_ = 0;
    posBloco_ = 0;
    lidas_.clear();
    posLidas_ = 0;
    temAtual_ = false;
    if (disco_) {
        std::fflush(disco_);
        std::rewind(disco_);
    }
}

bool SituacoesAnteriores::proxima(std::uint64_t& v) {
    if (posLidas_ < lidas_.size()) {
        v = lidas_[posLidas_++];
        return true;
    }
    if (lidasDoDisco_ < noDisco_) {
        const auto falta = std::min<std::uint64_t>(noDisco_ - lidasDoDisco_, Bloco);
        lidas_.resize(static_cast<std::size_t>(falta));
        const std::size_t n =
            std::fread(lidas_.data(), sizeof(std::uint64_t), lidas_.size(), disco_);
        lidas_.resize(n);
        // Leitura que falha no meio: as entradas que faltam contam como sem crítica.
        lidasDoDisco_ = n ? lidasDoDisco_ + n : noDisco_;
        posLidas_ = 0;
        if (n) {
            v = lidas_[posLidas_++];
            return true;
        }
    }
    if (posBloco_ < bloco_.size()) {
        v = bloco_[posBloco_++];
        return true;
    }
    return false;
}

Situacao SituacoesAnteriores::de(std::int64_t linha) {
    const auto alvo = static_cast<std::uint64_t>(linha);
    for (;;) {
        if (!temAtual_ && !(temAtual_ = proxima(atual_))) return Situacao::SemCritica;
        if ((atual_ >> 2) > alvo) return Situacao::SemCritica;
        if ((atual_ >> 2) == alvo) return static_cast<Situacao>(atual_ & 3);
        temAtual_ = false;
    }
}

} // namespace kelvor::cruzado
