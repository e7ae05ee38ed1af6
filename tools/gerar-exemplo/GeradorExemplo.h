// Gerador de arquivos sintéticos do leiaute do Convênio ICMS 57/95: válidos por construção
// (dígitos, CFOP, chaves entre registros, totais do registro 90) e, a pedido, com falhas
// injetadas em lugares conhecidos, para que os testes confiram se o motor as acha ali.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvor::exemplo {

enum class Falha : std::uint8_t {
    Tamanho,       // registro 61 com 125 posições
    Tipo,          // registro 61 com tipo "62" (falha do registro inteiro)
    Numerico,      // letra no valor total de um registro 61
    Data,          // dia 32 na data de um registro 61
    ForaDoPeriodo, // data do último registro 61 no mês seguinte
    Cnpj,          // dígito errado no CNPJ de um registro 70
    Ie,            // dígito errado na IE de um registro 70
    Cfop,          // CFOP inexistente num registro 70
    Uf,            // UF inexistente num registro 70
    Icms,          // ICMS de um registro 50 diferente de base × alíquota
    Total90,       // total do tipo 54 errado no registro 90
    Sem50,         // registro 54 de um documento sem registro 50
    Sem75,         // código de produto de um registro 54 sem registro 75
    Ordem,         // um registro 53 depois dos registros 54
    Sem60M,        // 60A sem o seu 60M (o mapa aponta cada 60A do equipamento e dia)
};
inline constexpr int quantidadeFalhas = 15;

// Forma do arquivo: quais registros dominam. As medições usam todas, porque um caminho lento
// do motor só aparece na forma que o exercita.
enum class Forma : std::uint8_t {
    Padrao,     // notas com poucos parceiros, um pouco de cupons, 61, 70, inventário
    Atacadista, // cada nota com o seu parceiro (CNPJ distinto) e um só item: 50 e 54
    Itens,      // notas de muitos itens (registros 54)
    Ecf,        // cupons fiscais: 60M, 60A, 60D e 60I por dia e equipamento
};
inline constexpr int quantidadeFormas = 4;
std::string_view nomeForma(Forma f);
std::optional<Forma> formaPorNome(std::string_view nome);

// Nome curto usado na linha de comando e no mapa ("tamanho", "tipo", ...).
std::string_view nomeFalha(Falha f);
std::optional<Falha> falhaPorNome(std::string_view nome);

struct Opcoes {
    std::uint64_t semente = 1;
    std::string uf = "SP"; // UF do informante
    int ano = 2023;
    int mes = 5;                    // o período do registro 10 é este mês inteiro
    std::uint64_t registros = 1000; // número aproximado de linhas
    std::uint64_t tamanhoBytes = 0; // se diferente de zero, tamanho aproximado (prevalece)
    bool soLf = false;              // fim de linha LF em vez de CR LF
    bool eof26 = false;             // caractere 26 depois da última linha
    bool semQuebraFinal = false;    // última linha sem fim de linha
    std::vector<Falha> falhas;      // cada falha pedida entra uma vez
    // Porcentagem dos códigos de produto sem registro 75 (falha em massa, fora do mapa): cada
    // 54 e 74 que usa um deles fica sem o seu 75.
    int porcentoSem75 = 0;
    Forma forma = Forma::Padrao;
    // Uma nota modelo 55 em situação normal sem os seus registros 54 (o motor só adverte).
    bool notaSemItens = false;
    // Registros 88 no modelo de MS (subtipo, CNPJ do informante, texto), antes dos 90. Dos
    // primeiros, registros88OutroCnpj trazem outro CNPJ e os registros88SubtipoInvalido seguintes
    // um subtipo com caractere que não é letra nem dígito. O motor não confere o 88: fora do mapa.
    std::int64_t registros88 = 0;
    std::int64_t registros88OutroCnpj = 0;
    std::int64_t registros88SubtipoInvalido = 0;
};

// Onde uma falha foi posta: linha (1-based) e campo (início 1-based e largura; 0 e 0 quando
// a falha é do registro inteiro).
struct FalhaInjetada {
    Falha falha;
    std::int64_t linha = 0;
    int inicio = 0;
    int tamanho = 0;
};

struct Resumo {
    std::int64_t linhas = 0;
    std::uint64_t bytes = 0;
    std::array<std::int64_t, 100> porTipo{}; // linhas por tipo de dois dígitos (60M e 60A em 60)
    int registros90 = 0;
    std::vector<FalhaInjetada> falhas; // em ordem de linha
};

// Recebe o arquivo em blocos grandes.
class Destino {
public:
    virtual ~Destino() = default;
    virtual bool grava(const char* dados, std::size_t n) = 0;
};

// Mensagem do problema das opções, vazia se estiverem boas.
std::string opcoesInvalidas(const Opcoes& opcoes);

// Gera para o destino. Falso com a mensagem em erro se as opções forem inválidas ou o destino
// falhar.
bool gera(const Opcoes& opcoes, Destino& destino, Resumo& resumo, std::string& erro);
bool geraArquivo(const Opcoes& opcoes, const std::string& caminho, Resumo& resumo,
                 std::string& erro);
// Para testes: o arquivo inteiro em memória (vazio se as opções forem inválidas).
std::string geraTexto(const Opcoes& opcoes, Resumo* resumo = nullptr);

// Mapa das falhas, uma por linha: "linha<TAB>início<TAB>largura<TAB>falha".
std::string textoMapa(const Resumo& resumo);

} // namespace kelvor::exemplo
