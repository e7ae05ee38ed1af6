// Apresentação do resultado de um arquivo: texto legível ou JSON (uma linha por arquivo). Tudo
// sai em UTF-8 válido: nomes de arquivo e textos do arquivo fiscal são convertidos aqui.
#pragma once

#include "core/Critica.h"
#include "core/Validador.h"

#include <cstdint>
#include <string>
#include <string_view>

const char* textoVeredito(int veredito);

// Texto entre aspas para JSON, sempre UTF-8 válido: o que não for UTF-8 (um nome de arquivo em
// Latin-1, p. ex.) é lido como Windows-1252.
std::string textoJson(std::string_view s);

// Antes das críticas: veredito e contagens (texto) ou o começo do objeto (JSON).
std::string inicioTexto(const std::string& arquivo, const kelvor::Resultado& r);
std::string inicioJson(const std::string& arquivo, const kelvor::Resultado& r);
// Uma crítica: uma linha de texto, ou um objeto JSON (sem a vírgula que o separa do anterior).
std::string criticaTexto(const kelvor::Critica& c);
std::string criticaJson(const kelvor::Critica& c);
// Depois das críticas: quantas ficaram de fora (texto) ou o fecho do objeto (JSON).
std::string fimTexto(const kelvor::Resultado& r, std::int64_t mostradas);
std::string fimJson();

// Arquivo não validado (recusado na abertura, relatório que não pode ser criado ...).
std::string falhaEmTexto(const std::string& arquivo, const std::string& motivo);
std::string falhaEmJson(const std::string& arquivo, const std::string& motivo);

// Linha final de um lote.
struct Placar {
    int aceitos = 0, comAdvertencias = 0, rejeitados = 0, naoValidados = 0;
};
std::string resumoDoLote(const Placar& p);
