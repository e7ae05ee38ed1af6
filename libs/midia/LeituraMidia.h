// Abertura conferida de uma mídia: estrutura, bloco de informações, midia.ini e selo. É o que os
// leitores do motor, o korventa-validar e a regravação do bloco usam antes de confiar nela.
#pragma once

#include "midia/EstruturaZip.h"
#include "midia/FormatoMidia.h"

#include <optional>
#include <string>
#include <string_view>

namespace korventa::midia {

struct Midia {
    ArquivoZip zip;
    DadosIni ini;
    const std::string& info() const { return zip.comentario; }
    // Entradas cobertas pelo selo (todas menos o midia.ini, que é a última).
    std::vector<ResumoEntrada> entradasSeladas() const;
    const EntradaZip* entrada(std::string_view nome) const;
};

// Resumo de uma entrada para o selo.
ResumoEntrada ResumoDe(const EntradaZip& e);

// nullopt: mídia íntegra; senão o motivo técnico (para o log). Quem mostra ao usuário usa
// MensagemDanificada.
std::optional<std::string> AbreMidia(const std::string& caminho, Midia& m);

// Conteúdo de uma entrada não cifrada de uma mídia já aberta por AbreMidia.
std::optional<std::string> LeEntrada(const std::string& caminho, const Midia& m,
                                     std::string_view nome, std::string& conteudo);

// "Arquivo de mídia danificado: <caminho>" (UTF-8).
std::string MensagemDanificada(const std::string& caminho);

} // namespace korventa::midia
