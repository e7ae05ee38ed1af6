// Chaves que só viram tabela quando chega a primeira consulta. Os registros 50 dão as chaves dos
// 51 e dos 53, mas muitos arquivos não têm 51 nem 53 (e os que têm os trazem depois de todos os
// 50): até a primeira consulta, cada chave é só o seu resumo numa lista, na ordem de chegada,
// sem espera de memória nem crescimento de tabela. Na primeira consulta a lista vira tabela, na
// mesma ordem, e o resultado é o de ter inserido uma a uma.
#pragma once

#include "core/CruzadoTabela.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace kelvor::cruzado {

class ChavesAdiadas {
public:
    static constexpr int SemMarca = -1;
    // Guarda a chave. A marca (um caractere, ou SemMarca) só vale na primeira vez que a chave
    // chega.
    void insere(std::uint64_t chave, int marca = SemMarca);
    bool contem(std::uint64_t chave);
    // Marca da primeira vez que a chave chegou; SemMarca quando não tinha ou a chave não existe.
    int marca(std::uint64_t chave);
    void antecipa(std::uint64_t chave) const {
        if (montada_) tabela_.antecipa(chave);
    }

private:
    static constexpr std::size_t PorBloco = 8192; // 64 KB: a lista cresce sem copiar
    void poeNaTabela(std::uint64_t chave, int marca);
    void monta();

    std::vector<std::unique_ptr<std::uint64_t[]>> blocos_;
    std::size_t quantas_ = 0;
    std::vector<std::pair<std::size_t, char>> marcas_; // posição na lista e marca (raras)
    Conjunto tabela_;
    Tabela<char> marcasTabela_;
    bool montada_ = false;
};

} // namespace kelvor::cruzado
