// Formato do relatório de críticas que o motor grava: cabeçalho de qualquer tamanho e registros
// de 216 caracteres em Windows-1252, com CR LF (218 bytes no disco). As colunas são contadas em
// bytes, antes de qualquer conversão para QString.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string_view>

namespace korventa {

struct Sessao;

inline constexpr int TamanhoRegistroCritica = 216;
inline constexpr int TamanhoBlocoCritica = 218; // registro + CR LF

enum class TipoCritica : std::uint8_t { Rejeicao, Advertencia };

// Filtro de OptionListar, na ordem dos botões.
enum class FiltroCriticas { Erros = 0, Advertencias = 1, Tudo = 2 };

// Campos de um registro que a listagem usa, ainda em bytes e já sem os brancos das pontas.
struct CamposCritica {
    std::string_view linha;         // 11-20
    std::string_view registro;      // 21-22
    std::string_view campo;         // 23-47
    std::string_view documentoItem; // 48-62
    std::string_view conteudo;      // 63-87, impresso como "Conteúdo Lido"
    std::string_view mensagem;      // 88-187
    std::string_view tipo;          // 188-198
    std::int16_t inicioCampo = 0;   // 199-201
    std::int16_t tamanhoCampo = 0;  // 202-204
    std::int64_t deslocamento = 0;  // 205-214
};

// Recorta os campos de um registro (216 ou 218 bytes; um registro mais curto é lido como se
// tivesse brancos no fim).
CamposCritica RecortaCritica(std::string_view registro);

// Rejeição ou advertência pelo texto exato da coluna 188-198; false para qualquer outro texto.
bool TipoDaCritica(std::string_view tipo, TipoCritica& saida);

// O registro entra na listagem com este filtro?
bool PassaNoFiltro(FiltroCriticas filtro, TipoCritica tipo);

// Tira os brancos (só o espaço) das duas pontas.
std::string_view SemBrancos(std::string_view texto);

// Número decimal de um campo, brancos em volta ignorados; 0 quando não há dígitos. Para no
// primeiro caractere que não é dígito e satura em vez de estourar.
std::int64_t NumeroDoCampo(std::string_view texto);

// Relatórios de um arquivo aberto, na ordem de leitura: o principal na pasta temporária e, quando
// a entrada tem críticas de pós-validação, o da pasta do programa.
QStringList RelatoriosDoArquivo(const Sessao& sessao, int indice);

} // namespace korventa
