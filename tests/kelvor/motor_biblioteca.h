// libKelvor da pasta bin, carregada como o programa a carrega, para os testes da interface C.
#pragma once

#include "engine/Cabecalhos.h"

#include <dlfcn.h>

namespace exemplos {

struct Kelvor {
    void* h = dlopen(KORVENTA_BIN_DIR "/libKelvor.so", RTLD_NOW);
    template <typename F> F f(const char* nome) {
        return reinterpret_cast<F>(h ? dlsym(h, nome) : nullptr);
    }
};

inline Kelvor& biblioteca() {
    static Kelvor k;
    return k;
}

} // namespace exemplos
