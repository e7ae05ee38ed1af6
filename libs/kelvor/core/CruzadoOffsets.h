// Offset de um registro guardado para o fim, recuperado pelo número da linha. Num arquivo de
// linhas do mesmo tamanho o offset é uma conta; só as quebras desse passo ocupam memória, e no
// máximo uma por registro guardado (nunca uma por linha do arquivo).
#pragma once

#include <cstdint>
#include <vector>

namespace kelvor::cruzado {

class OffsetsPorLinha {
public:
    // Faz offsetDe(linha) dar offset. Chamado em ordem crescente de linha; falso quando a
    // linha é anterior à última marca e a conta não dá (o chamador guarda o offset inteiro).
    bool garante(std::int64_t linha, std::int64_t offset);
    // Offset da linha pela marca anterior a ela; -1 sem marca.
    std::int64_t offsetDe(std::int64_t linha) const;

private:
    struct Marca {
        std::int64_t linha, offset, passo;
    };
    std::vector<Marca> marcas_;
};

} // namespace kelvor::cruzado
