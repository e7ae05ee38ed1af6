// Leiaute de cada tipo e subtipo de registro: campos com nome (como o relatório de críticas
// mostra), posição, largura, espécie e lista de códigos. Tudo em tabelas constantes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kelvor {

enum class Especie : std::uint8_t {
    Tipo,               // posições 1-2 (e o subtipo): já conferidas ao achar o leiaute
    N,                  // só dígitos
    X,                  // livre
    Obrigatorio,        // livre, não pode ficar em branco
    Brancos,            // posições reservadas
    Zeros,              // reservado numérico: dígitos, e zeros (outros dígitos: advertência)
    Data,               // AAAAMMDD
    DataOpcional,       // AAAAMMDD ou zeros
    MesAno,             // MMAAAA
    CnpjInformante,     // CNPJ, ou 000 + CPF
    CnpjContraparte,    // CNPJ, 000 + CPF, ou zeros para o exterior / ISENTO
    CnpjOpcional,       // CNPJ, 000 + CPF, ou zeros
    IE,                 // inscrição estadual da UF do campo irmão, ou ISENTO
    IEInformante,       // idem; ISENTO é advertência
    IEOpcional,         // idem, ou em branco
    IEFavorecida,       // idem, ou INEXISTENTE (GNRE)
    UF,                 // as 27 siglas
    UFouEX,             // as 27 siglas ou EX
    UFOpcional,         // as 27 siglas, EX, ou em branco
    CFOP,               // tabela de CFOP
    Modelo,             // modelo conhecido; fora da lista do registro: advertência;
                        // na lista de proibidos do registro: rejeição
    Codigo,             // um caractere da lista
    CodigoAdvertencia,  // um caractere da lista; fora dela só advertência
    Codigo2,            // dois caracteres, códigos da lista separados por brancos
    SituacaoTributaria, // 60A/D/I/R
    Item54,             // número do item do registro 54
};

struct Campo {
    const char* nome;    // UTF-8, até 25 caracteres no relatório
    std::uint8_t inicio; // 1-based
    std::uint8_t tamanho;
    Especie especie;
    const char* lista = nullptr; // códigos válidos (Codigo: caracteres; Modelo/Codigo2: pares)
    std::int8_t ie = -1;         // índice do campo de IE irmão (para CNPJ)
    std::int8_t uf = -1;         // índice do campo de UF irmão (para CNPJ e IE)
    const char* proibidos = nullptr; // Modelo: pares que o registro não pode ter (fora da lista)

    std::string_view de(std::string_view registro) const {
        return registro.substr(inicio - 1u, tamanho);
    }
};

struct Posicao {
    std::uint8_t inicio = 0; // 0: não existe
    std::uint8_t tamanho = 0;
};

// Papéis dos campos usados pelas regras do registro (índices em campos; -1: não tem).
struct Papeis {
    std::int8_t data = -1; // data do documento, conferida contra o período do registro 10
    std::int8_t uf = -1;   // UF da contraparte, para a coerência com o CFOP
    std::int8_t cfop = -1;
    std::int8_t situacao = -1; // situação do documento (N, S, E, X, 2, 4)
    std::int8_t base = -1;     // base de cálculo, ICMS e alíquota: ICMS = base x alíquota
    std::int8_t icms = -1;
    std::int8_t aliquota = -1;
    bool aliquotaInteira = false; // alíquota em valor inteiro (76)
};

struct LeiauteRegistro {
    std::string_view codigo; // "50", "60M", "61R" ...
    int indiceTipo;          // 0..20
    std::span<const Campo> campos;
    Papeis papeis;
    Posicao serie, numero, item; // identificação documento-item do relatório
    // Leiaute ainda não conferido no texto do Manual (57): as falhas de campo ficam Advertência,
    // para não recusar um arquivo certo por um leiaute nosso errado.
    bool conferido = true;
};

// Leiaute da linha pelas três primeiras posições; nullptr para tipo/subtipo desconhecido.
const LeiauteRegistro* leiautePara(std::string_view registro);

} // namespace kelvor
