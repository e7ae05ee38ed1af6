#include "core/CruzadoAdiadas.h"

namespace kelvor::cruzado {

void ChavesAdiadas::poeNaTabela(std::uint64_t chave, int marca) {
    if (tabela_.insere(chave).second && marca != SemMarca)
        *marcasTabela_.insere(chave).first = static_cast<char>(marca);
}

void ChavesAdiadas::insere(std::uint64_t chave, int marca) {
    if (montada_) {
        poeNaTabela(chave, marca);
        return;
    }
    if (quantas_ % PorBloco == 0) blocos_.push_back(std::make_unique<std::uint64_t[]>(PorBloco));
    if (marca != SemMarca) marcas_.emplace_back(quantas_, static_cast<char>(marca));
    blocos_.back()[quantas_ % PorBloco] = chave;
    ++quantas_;
}

void ChavesAdiadas::monta() {
    montada_ = true;
    // Quantas chaves vêm já se sabe (as repetidas contam): a tabela nasce desse tamanho, sem
    // crescer no caminho.
    tabela_.reserva(quantas_, true);
    if (!marcas_.empty()) marcasTabela_.reserva(marcas_.size(), true);
    auto marca = marcas_.begin();
    for (std::size_t i = 0; i < quantas_; ++i) {
        int m = SemMarca;
        if (marca != marcas_.end() && marca->first == i) m = (marca++)->second;
        poeNaTabela(blocos_[i / PorBloco][i % PorBloco], m);
        // Cada bloco volta ao sistema assim que passa para a tabela.
        if (i % PorBloco == PorBloco - 1) blocos_[i / PorBloco].reset();
    }
    blocos_.clear();
    blocos_.shrink_to_fit();
    marcas_.clear();
    marcas_.shrink_to_fit();
    quantas_ = 0;
}

bool ChavesAdiadas::contem(std::uint64_t chave) {
    if (!montada_) monta();
    return tabela_.contem(chave);
}

int ChavesAdiadas::marca(std::uint64_t chave) {
    if (!montada_) monta();
    if (marcasTabela_.tamanho() == 0) return SemMarca;
    const char* m = marcasTabela_.procura(chave);
    return m ? static_cast<unsigned char>(*m) : SemMarca;
}

} // namespace kelvor::cruzado
