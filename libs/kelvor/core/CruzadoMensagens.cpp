#include "core/CruzadoMensagens.h"

#include <cstdio>

namespace kelvor::cruzado::mensagem {

namespace {

std::string s(std::string_view v) {
    return std::string(v);
}

} // namespace

std::string ordemDosTipos(std::string_view tipo, std::string_view anterior) {
    return "Registro fora da ordem crescente dos tipos: tipo " + s(tipo) + " depois do tipo " +
           s(anterior) + ".";
}

std::string ordemDentroDoTipo(std::string_view tipo, std::string_view criterio) {
    return "Registro " + s(tipo) + " fora da ordem crescente de " + s(criterio) +
           " (só o primeiro é apontado).";
}

std::string quantidade90(std::int64_t quantidade) {
    std::string q = quantidade < 0 ? "mais de 9" : std::to_string(quantidade);
    return "Número de registros tipo 90 diferente da quantidade de registros 90 do arquivo (" + q +
           ").";
}

std::string tipoInexistente90(std::string_view tipo) {
    return "Tipo " + s(tipo) + " a ser totalizado não existe no leiaute.";
}

std::string tipoRepetido90(std::string_view tipo) {
    return "Tipo " + s(tipo) + " totalizado mais de uma vez nos registros 90.";
}

std::string totalGeral(std::int64_t informado, std::int64_t real) {
    return "Total geral do registro 90 (" + std::to_string(informado) +
           ") diferente do número de linhas do arquivo (" + std::to_string(real) + ").";
}

std::string totalDoTipo(std::string_view tipo, std::int64_t informado, std::int64_t real) {
    return "Total do tipo " + s(tipo) + " no registro 90 (" + std::to_string(informado) +
           ") diferente do total do arquivo (" + std::to_string(real) + ").";
}

std::string semTotalDoTipo(std::string_view tipo, std::int64_t real) {
    return "Registro 90 sem o total do tipo " + s(tipo) + " (" + std::to_string(real) +
           (real == 1 ? " registro" : " registros") + " no arquivo).";
}

std::string totalDeTipoAusente(std::string_view tipo) {
    return "Total zero no registro 90 para o tipo " + s(tipo) + ", que não consta do arquivo.";
}

std::string tipoNaoTotalizado(std::string_view tipo) {
    return "O tipo " + s(tipo) + " não é totalizado individualmente no registro 90.";
}

std::string sem54(std::string_view modelo) {
    return "Nota fiscal modelo " + s(modelo) +
           " em situação normal sem registro 54 correspondente.";
}

std::string documentoRepetido(std::int64_t linhaAnterior) {
    return "Documento repetido: mesmos CNPJ, modelo, série, número, emitente, CFOP e alíquota da "
           "linha " +
           std::to_string(linhaAnterior) + ".";
}

std::string sem60M(char subtipo) {
    return std::string("Registro 60") + subtipo + " sem registro 60M da mesma data e equipamento.";
}

std::string repetido60M(std::int64_t linhaAnterior) {
    return "Registro 60M repetido: mesma data e equipamento da linha " +
           std::to_string(linhaAnterior) + ".";
}

std::string repetido60A(std::int64_t linhaAnterior) {
    return "Registro 60A repetido: mesma situação tributária/alíquota, data e equipamento da "
           "linha " +
           std::to_string(linhaAnterior) + ".";
}

std::string dataLegivel(int d) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d/%02d/%04d", d % 100, d / 100 % 100, d / 10000);
    return b;
}

std::string foraDaValidade75(int data, bool mesAno, int inicio, int fim) {
    std::string quando;
    if (mesAno) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d/%04d", data / 100 % 100, data / 10000);
        quando = std::string("Mês ") + b;
    } else {
        quando = "Data " + dataLegivel(data);
    }
    return quando + " fora da validade do registro 75 do código (" + dataLegivel(inicio) + " a " +
           dataLegivel(fim) + ").";
}

} // namespace kelvor::cruzado::mensagem
