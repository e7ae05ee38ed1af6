// Segunda passada das verificações entre registros: quando o fim do arquivo mostra chaves que
// faltaram (código sem registro 75, dia e equipamento sem 60M), o arquivo é lido outra vez e
// cada registro que usou uma delas recebe a sua crítica, na sua linha. Nada por linha é guardado
// da primeira leitura além da situação dos registros já criticados (CruzadoSituacoes.h).
#pragma once

#include "core/CruzadoRegra.h"
#include "core/CruzadoSituacoes.h"
#include "core/Verificacao.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

namespace kelvor {

// Releitura do arquivo fiscal já aberto: volta ao começo e lê em blocos, como a primeira
// leitura. Confere que o arquivo não mudou desde o começo da validação: o mesmo tamanho e a mesma
// data de modificação (refazer o CRC custaria metade da releitura).
class ReleituraArquivo final : public Releitura {
public:
    using Quando = std::filesystem::file_time_type;

    ReleituraArquivo(std::FILE* arquivo, std::string caminho, std::uint64_t bytes,
                     Quando modificado, const std::atomic<bool>& cancelar)
        : arq_(arquivo), caminho_(std::move(caminho)), bytes_(bytes), modificado_(modificado),
          cancelar_(cancelar) {}

    bool percorre(const Visita& visita) override;

    bool cancelada() const { return cancelada_; }
    const std::string& falha() const { return falha_; } // vazio quando não falhou

private:
    std::FILE* arq_;
    std::string caminho_;
    std::uint64_t bytes_;
    Quando modificado_;
    const std::atomic<bool>& cancelar_;
    bool cancelada_ = false;
    std::string falha_;
};

namespace cruzado {

// Relê o arquivo passando cada registro pelas regras dadas e entrega as críticas delas
// intercaladas, em ordem de linha, com as tardias já juntadas (estas primeiro na mesma linha).
// Cada registro criticado sai da situação com que terminou a primeira leitura. Falso quando a
// releitura não chegou ao fim.
bool segundaPassada(std::span<Regra* const> regras, Releitura& releitura, CriticasTardias& tardias,
                    SituacoesAnteriores& anteriores, ReceptorCriticas& saida);

} // namespace cruzado

} // namespace kelvor
