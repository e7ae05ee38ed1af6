#include "core/CruzadoTabela.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kelvor::cruzado::detalhe {

namespace {
constexpr std::size_t PaginaEnorme = 2u << 20;
}

void* reservaEspaco(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= PaginaEnorme) {
        const std::size_t arredondado = (bytes + PaginaEnorme - 1) / PaginaEnorme * PaginaEnorme;
        if (void* p = std::aligned_alloc(PaginaEnorme, arredondado)) {
            madvise(p, arredondado, MADV_HUGEPAGE);
            return p;
        }
        throw std::bad_alloc();
    }
#endif
    if (void* p = std::malloc(bytes)) return p;
    throw std::bad_alloc();
}

void liberaEspaco(void* p, std::size_t) {
    std::free(p);
}

} // namespace kelvor::cruzado::detalhe
