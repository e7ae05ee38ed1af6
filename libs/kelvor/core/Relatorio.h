// Relatório de críticas: cabeçalho e registros de 216 caracteres + CR LF, em Windows-1252.
#pragma once

#include "core/Critica.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

namespace kelvor {

inline constexpr std::size_t TamanhoRegistroCritica = 216;

// Os 216 caracteres de uma crítica (sem o CR LF), numerada com sequencia.
std::string formataCritica(const Critica& c, std::int64_t sequencia);
// "KORVENTA - Relatório de Críticas - <caminho> - dd/mm/aaaa hh:mm:ss", em Windows-1252 (o
// caminho também, convertido quando vem em UTF-8).
std::string formataCabecalho(std::string_view caminhoArquivo, const std::tm& quando);

class RelatorioCriticas {
public:
    RelatorioCriticas() = default;
    RelatorioCriticas(const RelatorioCriticas&) = delete;
    RelatorioCriticas& operator=(const RelatorioCriticas&) = delete;
    ~RelatorioCriticas();

    // Cria o arquivo; a mensagem de erro quando não consegue. Caminho vazio: sem relatório.
    std::optional<std::string> cria(const std::string& caminho);
    void cabecalho(std::string_view caminhoArquivo, const std::tm& quando);
    void grava(const Critica& c);
    // Fecha; a mensagem de erro quando a gravação falhou em algum ponto.
    std::optional<std::string> fecha();

    std::int64_t quantidade() const { return sequencia_; }

private:
    std::FILE* arq_ = nullptr;
    std::string caminho_;
    std::int64_t sequencia_ = 0;
};

} // namespace kelvor
