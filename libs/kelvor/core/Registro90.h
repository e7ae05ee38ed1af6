// Registro 90 por inteiro: pares (tipo, total) contra as contagens reais (subtipos contados
// no tipo de duas posições), total geral 99 só no último 90 e igual a todas as linhas,
// posição 126 igual ao número de registros 90, CNPJ e IE iguais aos do registro 10, pares
// que faltam e pares de tipos ausentes.
#pragma once

#include "core/CruzadoRegra.h"
#include "core/Registro90Pares.h"
#include "core/Verificacao.h"

#include <array>
#include <string>

namespace kelvor::cruzado {

class Registro90 final : public Regra {
public:
    explicit Registro90(const Contexto& ctx) : ctx_(ctx) {}
    void registro(RegistroAtual& r) override;
    void guarda(const RegistroAtual& r) override;
    void fim(CriticasTardias& t, const LocalRegistro* ultimo) override;

private:
    void confereInformante(RegistroAtual& r);
    void confereQuantidade(RegistroAtual& r);
    void conferePares(RegistroAtual& r);
    void confereTotais(CriticasTardias& t);

    struct Declarado {
        bool existe = false;
        LocalRegistro onde;
        int coluna = 0;
        std::int64_t total = 0;
        std::int64_t ordem90 = 0; // em que registro 90 (1, 2, ...)
    };
    struct Primeiro90 {
        LocalRegistro onde;
        char quantidade = ' ';
        bool legivel = false;
    };

    const Contexto& ctx_;
    std::array<std::int64_t, 21> contagem_{};
    std::int64_t registros_ = 0;
    std::int64_t quantos90_ = 0;
    bool ilegivel_ = false; // algum 90 de tamanho errado: pares dele desconhecidos
    std::array<Declarado, 100> declarados_{};
    std::array<Primeiro90, 9> primeiros_{};
    LocalRegistro ultimo90_;
    std::string cnpjPrimeiro_, iePrimeiro_;
    bool temPrimeiro_ = false;
    // Pares novos do registro em curso, guardados em guarda() com a situação final.
    std::array<registro90::Par, registro90::MaximoPares> novos_{};
    int quantosNovos_ = 0;
};

} // namespace kelvor::cruzado
