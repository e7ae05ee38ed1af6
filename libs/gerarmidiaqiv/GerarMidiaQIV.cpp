// Biblioteca que grava as mídias de transmissão. Aqui: a versão que o programa confere no início.
#include "engine/Cabecalhos.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* Versao = "5.6.0";
constexpr int32 TamanhoVersao = 100; // saída de versão do contrato

// Textos do contrato em Windows-1252.
// Copia o texto para a saída do chamador, sempre terminada em NUL e sem passar do tamanho.
void copia(char* destino, int32 tamanho, const char* texto) {
    if (!destino || tamanho <= 0) return;
    const std::size_t n = std::min<std::size_t>(std::strlen(texto), std::size_t(tamanho - 1));
    std::memcpy(destino, texto, n);
    destino[n] = '\0';
}

} // namespace

KORVENTA_API int32 KORVENTA_CALL VersaoGerarMidiaQIV(char* versao, char* mensagem,
                                                     int32 tamanhoMensagem) {
    copia(mensagem, tamanhoMensagem, "");
    if (!versao) {
        copia(mensagem, tamanhoMensagem,
              "Sa\xed"
              "da da vers\xe3"
              "o n\xe3"
              "o informada.");
        return 1;
    }
    copia(versao, TamanhoVersao, Versao);
    return 0;
}
