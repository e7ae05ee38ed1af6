// O que a vista do arquivo mostra: todas as linhas, ou só as de um filtro (por tipo de
// registro), sempre pelo número da linha no arquivo.
#pragma once

#include "nucleo/IndiceLinhas.h"
#include "nucleo/Varredura.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace tramil {

class FonteLinhas {
public:
    virtual ~FonteLinhas() = default;
    // Quantas linhas a vista tem agora (cresce enquanto o índice ou o filtro trabalham).
    virtual std::int64_t quantidade() const = 0;
    // Linha do arquivo (de 0) da posição i da vista.
    virtual std::int64_t linhaReal(std::int64_t i) const = 0;
    // Posição na vista da linha do arquivo, ou da primeira depois dela; quantidade() se não há.
    virtual std::int64_t posicaoDe(std::int64_t linhaReal) const = 0;
    std::string_view texto(std::int64_t i) const { return indice_.linha(linhaReal(i)); }
    const IndiceLinhas& indice() const { return indice_; }

protected:
    explicit FonteLinhas(const IndiceLinhas& indice) : indice_(indice) {}
    const IndiceLinhas& indice_;
};

class FonteTodas final : public FonteLinhas {
public:
    explicit FonteTodas(const IndiceLinhas& indice) : FonteLinhas(indice) {}
    std::int64_t quantidade() const override { return indice_.linhasConhecidas(); }
    std::int64_t linhaReal(std::int64_t i) const override { return i; }
    std::int64_t posicaoDe(std::int64_t l) const override { return l; }
};

// As linhas que uma varredura juntou (em ordem).
class FonteFiltrada final : public FonteLinhas {
public:
    FonteFiltrada(const IndiceLinhas& indice, std::shared_ptr<const Varredura> filtro)
        : FonteLinhas(indice), filtro_(std::move(filtro)) {}
    // Só as linhas que o índice já conhece: o filtro pode correr na frente dele.
    std::int64_t quantidade() const override {
        if (indice_.completo()) return static_cast<std::int64_t>(filtro_->linhas().tamanho());
        return static_cast<std::int64_t>(filtro_->linhas().primeiroNaoMenorQue(
            static_cast<std::uint32_t>(indice_.linhasConhecidas())));
    }
    std::int64_t linhaReal(std::int64_t i) const override {
        return i < quantidade() ? filtro_->linhas()[static_cast<std::size_t>(i)]
                                : indice_.linhasConhecidas();
    }
    std::int64_t posicaoDe(std::int64_t l) const override {
        return static_cast<std::int64_t>(
            filtro_->linhas().primeiroNaoMenorQue(static_cast<std::uint32_t>(l)));
    }

private:
    std::shared_ptr<const Varredura> filtro_;
};

} // namespace tramil
