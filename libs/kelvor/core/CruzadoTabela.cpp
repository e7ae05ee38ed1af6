#include "core/CruzadoTabela.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kelvor::cruzado::detalhe {

namespace {
constexpr std::size_t PaginaEnorme = 2u << 20;
} // namespace

#if defined(__linux__)
// Espaço grande: mapeado direto do sistema (zerado sem tocar as páginas), no tamanho pedido
// arredondado à página comum e começando numa página enorme; o que passa da última página
// enorme inteira fica em páginas comuns, sem sobra.
void* reservaEspaco(std::size_t bytes) {
    if (bytes < PaginaEnorme) {
        if (void* p = std::calloc(1, bytes)) return p;
        throw std::bad_alloc();
    }
    const std::size_t pagina = 4096;
    const std::size_t tamanho = (bytes + pagina - 1) / pagina * pagina;
    void* m = mmap(nullptr, tamanho + PaginaEnorme, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) throw std::bad_alloc();
    auto* bruto = static_cast<char*>(m);
    auto* inicio = reinterpret_cast<char*>(
        (reinterpret_cast<std::uintptr_t>(bruto) + PaginaEnorme - 1) / PaginaEnorme * PaginaEnorme);
    if (inicio > bruto) munmap(bruto, static_cast<std::size_t>(inicio - bruto));
    const std::size_t depois =
        static_cast<std::size_t>(bruto + tamanho + PaginaEnorme - (inicio + tamanho));
    if (depois) munmap(inicio + tamanho, depois);
    madvise(inicio, tamanho, MADV_HUGEPAGE);
    return inicio;
}

void liberaEspaco(void* p, std::size_t bytes) {
    if (!p) return;
    if (bytes < PaginaEnorme) {
        std::free(p);
        return;
    }
    const std::size_t pagina = 4096;
    munmap(p, (bytes + pagina - 1) / pagina * pagina);
}
#else
void* reservaEspaco(std::size_t bytes) {
    if (void* p = std::calloc(1, bytes)) return p;
    throw std::bad_alloc();
}

void liberaEspaco(void* p, std::size_t) {
    std::free(p);
}
#endif

} // namespace kelvor::cruzado::detalhe
