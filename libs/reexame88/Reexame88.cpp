// Biblioteca Reexame88: a verificação dos registros 88 de MS (Validacao88) e a sua versão.
#include "Verificacao88.h"
#include "comum/Reexame.h"
#include "engine/Cabecalhos.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

constexpr std::size_t TamanhoMensagem = 1000;

int32 limita(std::int64_t v) {
    return static_cast<int32>(std::min<std::int64_t>(v, std::numeric_limits<int32>::max()));
}

} // namespace

KORVENTA_API const char* KORVENTA_CALL Reexame88_Versao(void) {
    return korventa::versoes::Reexame88;
}

KORVENTA_API int32 KORVENTA_CALL Validacao88(const char* uf, const char* caminhoArquivo,
                                             const char* caminhoCriticas, int32 primeiraSequencia,
                                             char* mensagem, int32* erros, int32* advertencias,
                                             int32* linhasComErro, int32* linhasComAdvertencia) {
    for (int32* saida : {erros, advertencias, linhasComErro, linhasComAdvertencia})
        if (saida) *saida = 0;
    if (mensagem) mensagem[0] = '\0';
    if (!uf || !caminhoArquivo || !caminhoCriticas) {
        reexame::CopiaMensagem("Validacao88: argumento nulo.", mensagem, TamanhoMensagem);
        return 0;
    }
    if (std::string_view(uf) != "MS") {
        reexame::CopiaMensagem("A verificação do registro 88 não está disponível para a UF " +
                                   std::string(uf) + ".",
                               mensagem, TamanhoMensagem);
        return 0;
    }
    try {
        const auto r = reexame::Verifica88(caminhoArquivo, caminhoCriticas, primeiraSequencia);
        if (!r.falha.empty()) {
            reexame::CopiaMensagem(r.falha, mensagem, TamanhoMensagem);
            return 0;
        }
        if (erros) *erros = limita(r.erros);
        if (advertencias) *advertencias = limita(r.advertencias);
        if (linhasComErro) *linhasComErro = limita(r.linhasComErro);
        if (linhasComAdvertencia) *linhasComAdvertencia = limita(r.linhasComAdvertencia);
        return 1;
    } catch (...) {
        reexame::CopiaMensagem("Memória insuficiente para verificar os registros 88.", mensagem,
                               TamanhoMensagem);
        return 0;
    }
}
