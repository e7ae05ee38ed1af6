// Biblioteca Reexame: a verificação estadual da PB (CriticaEspecifica) e a sua versão.
#include "VerificacaoPB.h"
#include "engine/Cabecalhos.h"

#include <limits>

KORVENTA_API const char* KORVENTA_CALL Reexame_Versao(void) {
    return korventa::versoes::Reexame;
}

KORVENTA_API int32 KORVENTA_CALL CriticaEspecifica(const char* caminhoArquivo,
                                                   const char* caminhoResultado) {
    if (!caminhoArquivo || !caminhoResultado) return -1;
    try {
        const auto r = reexame::VerificaPB(caminhoArquivo, caminhoResultado);
        if (!r.falha.empty()) return -1;
        if (r.achados > std::numeric_limits<int32>::max()) return std::numeric_limits<int32>::max();
        return static_cast<int32>(r.achados);
    } catch (...) {
        // Sem memória no meio da verificação: o arquivo não passou por ela.
        return -1;
    }
}
