// Apresentação do resultado de um arquivo: texto legível ou JSON.
#pragma once

#include "core/Critica.h"
#include "core/Validador.h"

#include <string>
#include <vector>

const char* textoVeredito(int veredito);
std::string emTexto(const std::string& arquivo, const kelvor::Resultado& r,
                    const std::vector<kelvor::Critica>& criticas);
std::string emJson(const std::string& arquivo, const kelvor::Resultado& r,
                   const std::vector<kelvor::Critica>& criticas);
// Falha antes de validar (arquivo inexistente, relatório que não pode ser criado ...).
std::string falhaEmJson(const std::string& arquivo, const std::string& motivo);
