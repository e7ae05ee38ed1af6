#include "platform/ProcessoDestacado.h"

#include <QFileInfo>
#include <QProcess>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace korventa {

namespace {

QString absoluto(const QString& caminho) {
    return caminho.isEmpty() ? caminho : QFileInfo(caminho).absoluteFilePath();
}

} // namespace

int NumeroDoErro(const QString& textoErro) {
    // O QProcess escreve "função: " seguido de qt_error_string(número); o mesmo texto, gerado
    // aqui para cada número, devolve o número.
    const qsizetype dois = textoErro.lastIndexOf(QLatin1String(": "));
    const QString descricao = dois < 0 ? textoErro : textoErro.mid(dois + 2);
    for (int numero = 1; numero < 1000; ++numero)
        if (qt_error_string(numero) == descricao) return numero;
    return -1;
}

ResultadoInicio IniciaDestacado(const InicioProcesso& inicio) {
    if (inicio.programa.isEmpty()) {
#if defined(Q_OS_WIN)
        return {0, ERROR_FILE_NOT_FOUND};
#else
        return {0, ENOENT}; // o que execv diria de um caminho vazio
#endif
    }
    QProcess processo;
    processo.setProgram(absoluto(inicio.programa));
    processo.setArguments(inicio.argumentos);
    processo.setWorkingDirectory(absoluto(inicio.pastaTrabalho));
    processo.setStandardInputFile(QProcess::nullDevice());
    processo.setStandardOutputFile(QProcess::nullDevice());
    processo.setStandardErrorFile(QProcess::nullDevice());
    qint64 identificador = 0;
    if (processo.startDetached(&identificador)) return {identificador, 0};
#if defined(Q_OS_WIN)
    const int erro = int(GetLastError());
    return {0, erro != 0 ? erro : NumeroDoErro(processo.errorString())};
#else
    return {0, NumeroDoErro(processo.errorString())};
#endif
}

#if defined(Q_OS_WIN)

ProcessoAcompanhado::ProcessoAcompanhado(qint64 identificador) : identificador_(identificador) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(identificador));
    if (h) alca_ = reinterpret_cast<qintptr>(h);
}

ProcessoAcompanhado::~ProcessoAcompanhado() {
    if (alca_ != -1) CloseHandle(reinterpret_cast<HANDLE>(alca_));
}

bool ProcessoAcompanhado::ativo() const {
    if (alca_ == -1) return false;
    DWORD codigo = 0;
    // 259 (STILL_ACTIVE): o processo ainda roda.
    return GetExitCodeProcess(reinterpret_cast<HANDLE>(alca_), &codigo) && codigo == STILL_ACTIVE;
}

#else

ProcessoAcompanhado::ProcessoAcompanhado(qint64 identificador) : identificador_(identificador) {
#if defined(SYS_pidfd_open)
    alca_ = ::syscall(SYS_pidfd_open, pid_t(identificador), 0);
    // Sem pidfd no núcleo, fica a consulta pelo identificador.
    if (alca_ < 0 && errno == ESRCH) identificador_ = 0; // já terminou
#endif
}

ProcessoAcompanhado::~ProcessoAcompanhado() {
    if (alca_ >= 0) ::close(int(alca_));
}

bool ProcessoAcompanhado::ativo() const {
    if (alca_ >= 0) {
        // O pidfd fica legível quando o processo termina (mesmo antes de ser recolhido).
        pollfd p{int(alca_), POLLIN, 0};
        return ::poll(&p, 1, 0) == 0;
    }
    if (identificador_ <= 0) return false;
    return ::kill(pid_t(identificador_), 0) == 0 || errno == EPERM;
}

#endif

} // namespace korventa
