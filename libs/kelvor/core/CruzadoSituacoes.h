// Situação com que cada registro criticado saiu da primeira leitura, para a segunda passada
// mover o registro da coluna certa das contagens. Os registros sem crítica (quase todos) não
// ocupam nada; os demais ocupam 8 bytes, num bloco em memória que, cheio, vai para um arquivo
// temporário: a memória não cresce com o tamanho do arquivo fiscal.
#pragma once

#include "core/Critica.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace kelvor::cruzado {

class SituacoesAnteriores {
public:
    static constexpr std::size_t Bloco = 1u << 16; // registros em memória antes do disco

    SituacoesAnteriores() = default;
    ~SituacoesAnteriores();
    SituacoesAnteriores(const SituacoesAnteriores&) = delete;
    SituacoesAnteriores& operator=(const SituacoesAnteriores&) = delete;

    // Linhas em ordem crescente; SemCritica não precisa ser anotada.
    void anota(std::int64_t linha, Situacao s);
    std::uint64_t quantas() const { return noDisco_ + bloco_.size(); }

    // Leitura, depois de todas as anotações: linhas em ordem crescente.
    void recomeca();
    Situacao de(std::int64_t linha);

private:
    void descarrega();
    bool proxima(std::uint64_t& v);

    std::vector<std::uint64_t> bloco_; // linha << 2 | situação
    std::FILE* disco_ = nullptr;
    bool semDisco_ = false;     // não foi possível criar ou gravar: o resto fica em memória
    std::uint64_t noDisco_ = 0; // entradas gravadas inteiras no disco, antes das do bloco

    // Leitura.
    std::vector<std::uint64_t> lidas_;
    std::size_t posLidas_ = 0;
    std::uint64_t lidasDoDisco_ = 0;
    std::size_t posBloco_ = 0;
    bool temAtual_ = false;
    std::uint64_t atual_ = 0;
};

} // namespace kelvor::cruzado
