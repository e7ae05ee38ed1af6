#include "ListaArquivos.h"

#include <array>

namespace korventa::gravacao {

std::optional<std::vector<ArquivoLista>> LeListaArquivos(const std::string& texto) {
    static constexpr std::array<const char*, 3> Tipos{"txt", "resumo", "CFOP"};
    std::vector<ArquivoLista> r;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        // O primeiro ",tipo,0;" ou ",tipo,1;" depois do início fecha a entrada.
        std::size_t melhor = std::string::npos;
        ArquivoLista a;
        for (const char* tipo : Tipos) {
            for (char marca : {'0', '1'}) {
                const std::string fim = std::string(",") + tipo + "," + marca + ";";
                const auto p = texto.find(fim, inicio);
                if (p != std::string::npos && p < melhor) {
                    melhor = p;
                    a.tipo = tipo;
                    a.cifrar = marca == '1';
                }
            }
        }
        if (melhor == std::string::npos || melhor == inicio) return std::nullopt;
        a.caminho = texto.substr(inicio, melhor - inicio);
        inicio = melhor + a.tipo.size() + 4;
        r.push_back(std::move(a));
    }
    if (r.empty()) return std::nullopt;
    return r;
}

std::string NomeNaMidia(const std::string& caminho) {
    const auto p = caminho.find_last_of("/\\");
    return p == std::string::npos ? caminho : caminho.substr(p + 1);
}

} // namespace korventa::gravacao
