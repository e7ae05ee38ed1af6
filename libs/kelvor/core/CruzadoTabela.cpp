#include "core/CruzadoTabela.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kelvor::cruzado::detalhe {

namespace {
constexpr std::size_t PaginaEnorme = 2u << 20;
// A partir daqui, direto do sistema: o alocador comum passaria a servir esses tamanhos do seu
// próprio monte depois da primeira devolução, e as cópias antigas dos segmentos ficariam lá.
constexpr std::size_t Grande = 64u << 10;
constexpr std::size_t Pagina = 4096;
} // namespace

#if defined(__linux__)
// Espaço grande: mapeado direto do sistema (zerado sem tocar as páginas), no tamanho pedido
// arredondado à página comum; a partir de 2 MB, começando numa página enorme (o que passa da
// última página enorme inteira fica em páginas comuns, sem sobra).
void* reservaEspaco(std::size_t bytes) {
    if (bytes < Grande) {
        if (void* p = std::calloc(1, bytes)) return p;
        throw std::bad_alloc();
    }
    const std::size_t tamanho = (bytes + Pagina - 1) / Pagina * Pagina;
    if (bytes < PaginaEnorme) {
        void* m =
            mmap(nullptr, tamanho, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED) throw std::bad_alloc();
        return m;
    }
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
    if (bytes < Grande) {
        std::free(p);
        return;
    }
    munmap(p, (bytes + Pagina - 1) / Pagina * Pagina);
}
void* aumentaEspaco(void* p, std::size_t antes, std::size_t depois) {
    if (!p) return reservaEspaco(depois);
    if (depois < Grande) {
        void* q = std::realloc(p, depois);
        if (!q) throw std::bad_alloc();
        std::memset(static_cast<char*>(q) + antes, 0, depois - antes);
        return q;
    }
    if (antes < Grande) {
        void* q = reservaEspaco(depois);
        std::memcpy(q, p, antes);
        std::free(p);
        return q;
    }
    // As páginas novas de um mapeamento anônimo que cresce vêm zeradas do sistema. O que havia
    // na última página comum além de antes já era zero (nunca foi usado).
    const std::size_t de = (antes + Pagina - 1) / Pagina * Pagina;
    const std::size_t para = (depois + Pagina - 1) / Pagina * Pagina;
    if (para == de) return p;
    void* q = mremap(p, de, para, MREMAP_MAYMOVE);
    if (q == MAP_FAILED) throw std::bad_alloc();
    if (para >= PaginaEnorme) madvise(q, para, MADV_HUGEPAGE);
    return q;
}
#else
void* aumentaEspaco(void* p, std::size_t antes, std::size_t depois) {
    void* q = std::realloc(p, depois);
    if (!q) throw std::bad_alloc();
    std::memset(static_cast<char*>(q) + antes, 0, depois - antes);
    return q;
}

void* reservaEspaco(std::size_t bytes) {
    if (void* p = std::calloc(1, bytes)) return p;
    throw std::bad_alloc();
}

void liberaEspaco(void* p, std::size_t) {
    std::free(p);
}
#endif

} // namespace kelvor::cruzado::detalhe
