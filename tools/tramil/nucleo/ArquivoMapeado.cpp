#include "nucleo/ArquivoMapeado.h"

#include "core/Arquivo.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <atomic>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tramil {

namespace {

#if defined(Q_OS_UNIX)
// Regiões mapeadas que o tratador de SIGBUS conhece. Tudo atômico: o tratador roda no meio de
// qualquer thread.
struct Regiao {
    std::atomic<std::uintptr_t> inicio{0};
    std::atomic<std::uintptr_t> fim{0};
    std::atomic<bool> falhou{false};
};
constexpr int MaximoRegioes = 32;
std::array<Regiao, MaximoRegioes> regioes;
struct sigaction tratadorAnterior;
std::atomic<bool> instalado{false};

// Página que sumiu do arquivo: no lugar dela entra uma página de zeros, e a leitura continua.
void tratadorSigbus(int sinal, siginfo_t* info, void* contexto) {
    const auto endereco = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (auto& r : regioes) {
        const auto ini = r.inicio.load(), fim = r.fim.load();
        if (ini == 0 || endereco < ini || endereco >= fim) continue;
        const auto pagina = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        void* base = reinterpret_cast<void*>(endereco & ~(pagina - 1));
        if (mmap(base, pagina, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            r.falhou.store(true);
            return;
        }
    }
    // Não é nosso: o comportamento de antes.
    if (tratadorAnterior.sa_flags & SA_SIGINFO) {
        if (tratadorAnterior.sa_sigaction) tratadorAnterior.sa_sigaction(sinal, info, contexto);
        return;
    }
    if (tratadorAnterior.sa_handler == SIG_IGN) return;
    if (tratadorAnterior.sa_handler != SIG_DFL && tratadorAnterior.sa_handler) {
        tratadorAnterior.sa_handler(sinal);
        return;
    }
    signal(sinal, SIG_DFL);
    raise(sinal);
}

void instalaTratador() {
    if (instalado.exchange(true)) return;
    struct sigaction sa = {};
    sa.sa_sigaction = tratadorSigbus;
    sa.sa_flags = SA_SIGINFO;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGBUS, &sa, &tratadorAnterior);
}

int registraRegiao(const char* dados, std::int64_t tamanho) {
    for (int i = 0; i < MaximoRegioes; ++i) {
        std::uintptr_t livre = 0;
        if (regioes[i].inicio.compare_exchange_strong(livre,
                                                      reinterpret_cast<std::uintptr_t>(dados))) {
            regioes[i].falhou.store(false);
            regioes[i].fim.store(reinterpret_cast<std::uintptr_t>(dados) +
                                 static_cast<std::uintptr_t>(tamanho));
            return i;
        }
    }
    return -1; // sem proteção: só com dezenas de arquivos abertos ao mesmo tempo
}
#endif

} // namespace

ArquivoMapeado::~ArquivoMapeado() {
    fecha();
}

bool ArquivoMapeado::abre(const QString& caminho, QString& erro) {
    fecha();
    // As mesmas mensagens da abertura no validador.
    if (auto m = kelvor::verificaArquivo(QFile::encodeName(caminho).toStdString())) {
        erro = QString::fromStdString(*m);
        return false;
    }
#if defined(Q_OS_UNIX)
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_CLOEXEC);
    struct stat st = {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        if (fd >= 0) ::close(fd);
        erro = QStringLiteral("Não foi possível ler o arquivo ") + caminho;
        return false;
    }
    if (st.st_size <= 0) {
        ::close(fd);
        erro = QStringLiteral("O arquivo está vazio: ") + caminho;
        return false;
    }
    void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (p == MAP_FAILED) {
        erro = QStringLiteral("Não foi possível mapear o arquivo na memória: ") + caminho;
        return false;
    }
    instalaTratador();
    dados_ = static_cast<const char*>(p);
    tamanho_ = st.st_size;
    regiao_ = registraRegiao(dados_, tamanho_);
    dispositivo_ = static_cast<std::uint64_t>(st.st_dev);
    inode_ = static_cast<std::uint64_t>(st.st_ino);
    modificado_ = static_cast<std::int64_t>(st.st_mtime);
#else
    auto* f = new QFile(caminho);
    uchar* p = nullptr;
    if (f->open(QIODevice::ReadOnly) && f->size() > 0) p = f->map(0, f->size());
    if (!p) {
        erro = QStringLiteral("Não foi possível mapear o arquivo na memória: ") + caminho;
        delete f;
        return false;
    }
    mapaQt_ = f;
    dados_ = reinterpret_cast<const char*>(p);
    tamanho_ = f->size();
    modificado_ = QFileInfo(caminho).lastModified().toSecsSinceEpoch();
#endif
    caminho_ = caminho;
    return true;
}

void ArquivoMapeado::fecha() {
    if (!dados_) return;
#if defined(Q_OS_UNIX)
    if (regiao_ >= 0) {
        regioes[regiao_].fim.store(0);
        regioes[regiao_].inicio.store(0);
    }
    ::munmap(const_cast<char*>(dados_), static_cast<std::size_t>(tamanho_));
#else
    delete static_cast<QFile*>(mapaQt_);
    mapaQt_ = nullptr;
#endif
    dados_ = nullptr;
    tamanho_ = 0;
    regiao_ = -1;
}

bool ArquivoMapeado::truncado() const {
#if defined(Q_OS_UNIX)
    return regiao_ >= 0 && regioes[regiao_].falhou.load();
#else
    return false;
#endif
}

ArquivoMapeado::Situacao ArquivoMapeado::confere() const {
    if (!dados_) return Situacao::Igual;
#if defined(Q_OS_UNIX)
    struct stat st = {};
    if (::stat(QFile::encodeName(caminho_).constData(), &st) != 0) return Situacao::Removido;
    if (static_cast<std::uint64_t>(st.st_dev) != dispositivo_ ||
        static_cast<std::uint64_t>(st.st_ino) != inode_ || st.st_size != tamanho_ ||
        static_cast<std::int64_t>(st.st_mtime) != modificado_)
        return Situacao::Alterado;
#else
    const QFileInfo fi(caminho_);
    if (!fi.exists()) return Situacao::Removido;
    if (fi.size() != tamanho_ || fi.lastModified().toSecsSinceEpoch() != modificado_)
        return Situacao::Alterado;
#endif
    return truncado() ? Situacao::Alterado : Situacao::Igual;
}

} // namespace tramil
