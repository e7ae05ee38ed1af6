// O que uma mídia é: entradas, bloco de informações (comentário do ZIP), midia.ini e o selo.
// Gravador e leitores usam só estas definições, para que nunca discordem.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korventa::midia {

// Bloco de informações: 512 caracteres; colunas 193 a 502 (1-based) são a parte da transmissão.
inline constexpr std::size_t TamanhoInfo = 512;
inline constexpr std::size_t InicioTransmissao = 192; // 0-based, inclusive
inline constexpr std::size_t FimTransmissao = 502;    // 0-based, exclusive

inline constexpr const char* NomeIni = "midia.ini";
inline constexpr const char* NomeResumo = "Validacao2.resumo";
inline constexpr const char* NomeTotaisCFOP = "Totais.CFOP";
inline constexpr const char* NomeComprovante = "Comprovante.tmp";

inline constexpr const char* ClasseEspecial = "CL_ESPECIAL";
inline constexpr const char* ClassePadrao = "CL_PADRAO";

// Atributos gravados em toda entrada (arquivo comum, rw-r--r--, sistema Unix): o leitor exige
// estes, então um byte trocado no diretório central não passa.
inline constexpr std::uint8_t SistemaAtributos = 3;
inline constexpr std::uint32_t AtributosExternos = 0100644u << 16;

// Campos do midia.ini (texto Windows-1252, linhas com CR LF).
struct DadosIni {
    std::string classe;
    std::string gim;
    std::string tipoDocumento;
    std::string codigo;
    std::string versao0, versao1, versao2;
    std::string uf;
    std::string selo; // 64 dígitos hexadecimais
};

// Texto do midia.ini; sem o selo quando comSelo é falso (é o que o selo cobre).
std::string TextoIni(const DadosIni& d, bool comSelo = true);
// Falso quando o texto não é exatamente um midia.ini gravado por TextoIni.
bool LeIni(std::string_view texto, DadosIni& d);
// Valores com CR, LF ou NUL quebrariam o midia.ini.
bool ValorIniAceito(std::string_view valor);

// O que o selo cobre de cada entrada (menos o próprio midia.ini), na ordem do arquivo.
struct ResumoEntrada {
    std::string nome;
    std::uint32_t crc = 0;           // CRC-32 do conteúdo, como está no diretório
    std::uint32_t crcArmazenado = 0; // CRC-32 dos bytes gravados (comprimidos e cifrados)
    std::uint32_t tamanho = 0;
    std::uint32_t tamanhoArmazenado = 0;
    std::uint16_t metodo = 0;
    std::uint16_t bandeiras = 0;
};

// HMAC-SHA-256 (chave da variante) do bloco, do midia.ini sem o selo e das entradas; 64 dígitos
// hexadecimais maiúsculos.
std::string CalculaSelo(std::string_view chave, std::string_view info, const DadosIni& ini,
                        const std::vector<ResumoEntrada>& entradas);

// Comparação em tempo constante de dois selos.
bool SelosIguais(std::string_view a, std::string_view b);

// Texto do código (UTF-8) para Windows-1252 ('?' fora da página); bytes que não formam UTF-8
// passam como estão.
std::string ParaWindows1252(std::string_view utf8);

} // namespace korventa::midia
