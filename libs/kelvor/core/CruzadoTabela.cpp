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
namespace {

std::size_t emPaginas(std::size_t bytes) {
    return (bytes + Pagina - 1) / Pagina * Pagina;
}

bool alinhado(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p) % PaginaEnorme == 0;
}

// Endereço começando numa página enorme, com tamanho bytes (já em páginas comuns).
char* mapeiaAlinhado(std::size_t tamanho) {
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
    return inicio;
}

// Depois de crescer no lugar, a página enorme onde o espaço acabava ficou em páginas comuns (o
// fim dela estava fora do mapeamento): o sistema a junta agora numa enorme, senão uma tabela
// grande acabaria quase toda em páginas comuns, uma emenda por crescimento. Sem suporte
// (sistema antigo), fica como está.
void juntaEmenda(void* base, std::size_t de, std::size_t para) {
#if !defined(MADV_COLLAPSE)
    constexpr int MADV_COLLAPSE = 25;
#endif
    const std::size_t inicio = de / PaginaEnorme * PaginaEnorme;
    if (de % PaginaEnorme != 0 && inicio + PaginaEnorme <= para)
        madvise(static_cast<char*>(base) + inicio, PaginaEnorme, MADV_COLLAPSE);
}

} // namespace

// Espaço grande: mapeado direto do sistema (zerado sem tocar as páginas), no tamanho pedido
// arredondado à página comum; a partir de 2 MB, começando numa página enorme (o que passa da
// última página enorme inteira fica em páginas comuns, sem sobra).
void* reservaEspaco(std::size_t bytes) {
    if (bytes < Grande) {
        if (void* p = std::calloc(1, bytes)) return p;
        throw std::bad_alloc();
    }
    const std::size_t tamanho = emPaginas(bytes);
    if (bytes < PaginaEnorme) {
        void* m =
            mmap(nullptr, tamanho, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED) throw std::bad_alloc();
        return m;
    }
    char* inicio = mapeiaAlinhado(tamanho);
    madvise(inicio, tamanho, MADV_HUGEPAGE);
    return inicio;
}

void liberaEspaco(void* p, std::size_t bytes) {
    if (!p) return;
    if (bytes < Grande) {
        std::free(p);
        return;
    }
    munmap(p, emPaginas(bytes));
}

void* aumentaEspaco(void* p, std::size_t antes, std::size_t depois) {
    if (!p) return reservaEspaco(depois);
    if (depois < Grande) {
        void* q = std::realloc(p, depois);
        if (!q) throw std::bad_alloc();
        std::memset(static_cast<char*>(q) + antes, 0, depois - antes);
        return q;
    }
    const std::size_t de = emPaginas(antes), para = emPaginas(depois);
    // Ao passar de 2 MB pela primeira vez (ou de fora do sistema): espaço novo, alinhado, em
    // páginas enormes; a cópia é de menos de 2 MB.
    if (antes < Grande || (para >= PaginaEnorme && (de < PaginaEnorme || !alinhado(p)))) {
        void* q = reservaEspaco(depois);
        std::memcpy(q, p, antes);
        liberaEspaco(p, antes);
        return q;
    }
    if (para == de) return p;
    // Cresce no lugar quando há espaço livre depois; as páginas novas de um mapeamento anônimo
    // vêm zeradas do sistema (e o que havia na última página além de antes nunca foi usado).
    void* q = mremap(p, de, para, 0);
    if (q != MAP_FAILED) {
        if (para >= PaginaEnorme) juntaEmenda(q, de, para);
        return q;
    }
    if (para < PaginaEnorme) {
        q = mremap(p, de, para, MREMAP_MAYMOVE);
        if (q == MAP_FAILED) throw std::bad_alloc();
        return q;
    }
    // Sem espaço depois: as páginas mudam de endereço para outro também alinhado, e as enormes
    // continuam enormes (o sistema move a tabela de páginas, não os dados).
    char* destino = mapeiaAlinhado(para);
    q = mremap(p, de, para, MREMAP_MAYMOVE | MREMAP_FIXED, destino);
    if (q == MAP_FAILED) {
        munmap(destino, para);
        throw std::bad_alloc();
    }
    juntaEmenda(q, de, para);
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
