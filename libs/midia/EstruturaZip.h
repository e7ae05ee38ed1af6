// Leitura conferida da estrutura de um ZIP, byte a byte: cada byte do arquivo pertence a um
// cabeçalho local, aos dados de uma entrada, ao diretório central ou ao fim de diretório com o
// comentário; cabeçalhos locais iguais aos do diretório. Um byte trocado em qualquer lugar ou
// muda algo que o selo cobre ou quebra uma destas conferências.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korventa::midia {

struct EntradaZip {
    std::string nome;
    std::uint16_t versaoCriador = 0;
    std::uint16_t versaoNecessaria = 0;
    std::uint16_t bandeiras = 0;
    std::uint16_t metodo = 0;     // 0 guardado, 8 deflate, 99 AES
    std::uint16_t metodoReal = 0; // método por baixo da cifra AES
    std::uint32_t crc = 0;
    std::uint32_t tamanhoArmazenado = 0;
    std::uint32_t tamanho = 0;
    std::uint64_t inicioDados = 0; // offset dos dados no arquivo
    std::uint32_t crcArmazenado = 0;
    bool cifrada() const { return metodo == 99; }
};

struct ArquivoZip {
    std::vector<EntradaZip> entradas;
    std::string comentario;
};

// Confere a estrutura inteira e calcula o CRC-32 dos bytes gravados de cada entrada. nullopt:
// estrutura íntegra; senão o motivo técnico (para o log).
std::optional<std::string> ExaminaZip(const std::string& caminho, std::size_t tamanhoComentario,
                                      ArquivoZip& zip);

// Conteúdo de uma entrada não cifrada (guardada ou deflate), com o CRC-32 conferido.
std::optional<std::string> LeConteudo(const std::string& caminho, const EntradaZip& e,
                                      std::string& conteudo);

} // namespace korventa::midia
