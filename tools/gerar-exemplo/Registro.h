// Um registro de 126 posições montado campo a campo, sem alocação.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace kelvor::exemplo {

class Registro {
public:
    static constexpr int tamanho = 126;

    void limpa() { std::memset(c_, ' ', tamanho); }

    // Campo N: alinhado à direita, zeros à esquerda; o que não cabe é cortado à esquerda.
    void num(int inicio, int largura, std::uint64_t valor) {
        char* p = c_ + inicio - 1 + largura;
        for (int i = 0; i < largura; ++i) {
            *--p = static_cast<char>('0' + valor % 10);
            valor /= 10;
        }
    }

    // Campo X: alinhado à esquerda, brancos à direita.
    void txt(int inicio, int largura, std::string_view s) {
        char* p = c_ + inicio - 1;
        const std::size_t n = s.size() < static_cast<std::size_t>(largura) ? s.size() : largura;
        std::memcpy(p, s.data(), n);
        std::memset(p + n, ' ', static_cast<std::size_t>(largura) - n);
    }

    char* campo(int inicio) { return c_ + inicio - 1; }
    const char* dados() const { return c_; }
    std::string_view texto() const { return {c_, tamanho}; }

private:
    char c_[tamanho];
};

} // namespace kelvor::exemplo
