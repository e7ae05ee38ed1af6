#include "app/SinaisEncerramento.h"

#include <QSocketNotifier>

#if !defined(_WIN32)
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace korventa {

#if defined(_WIN32)

// No Windows o fim da sessão chega como mensagem à janela, que o Qt já converte em fechamento.
SinaisEncerramento::SinaisEncerramento(std::function<void()> acao, QObject* pai)
    : QObject(pai), acao_(std::move(acao)) {}
SinaisEncerramento::~SinaisEncerramento() = default;

#else

namespace {

constexpr int Sinais[] = {SIGTERM, SIGINT, SIGHUP};
int g_par[2] = {-1, -1};
struct sigaction g_anteriores[3];

// No tratador só o que é seguro num sinal: um byte no par de sockets.
void tratador(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_par[0], &c, 1);
}

} // namespace

SinaisEncerramento::SinaisEncerramento(std::function<void()> acao, QObject* pai)
    : QObject(pai), acao_(std::move(acao)) {
    // Sem o par de sockets o programa segue como antes: o sinal termina o processo.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_par) != 0) return;
    aviso_ = new QSocketNotifier(g_par[1], QSocketNotifier::Read, this);
    connect(aviso_, &QSocketNotifier::activated, this, [this] {
        char lido[16];
        while (::read(g_par[1], lido, sizeof lido) > 0) {
        }
        if (acao_) acao_();
    });
    struct sigaction sa = {};
    sa.sa_handler = tratador;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        sigaction(Sinais[i], &sa, &g_anteriores[i]);
}

SinaisEncerramento::~SinaisEncerramento() {
    if (!aviso_) return;
    for (int i = 0; i < 3; ++i)
        sigaction(Sinais[i], &g_anteriores[i], nullptr);
    delete aviso_;
    ::close(g_par[0]);
    ::close(g_par[1]);
    g_par[0] = g_par[1] = -1;
}

#endif

} // namespace korventa
