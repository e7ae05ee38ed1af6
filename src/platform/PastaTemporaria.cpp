#include "platform/PastaTemporaria.h"

#include "engine/Definicoes.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace korventa {

namespace {

// Pasta de verdade, do usuário, sem acesso dos outros (a permissão é corrigida quando é dele).
bool PastaSegura(const QByteArray& caminho) {
    struct stat st {};
    if (::lstat(caminho.constData(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
    if ((st.st_mode & 077) != 0 && ::chmod(caminho.constData(), 0700) != 0) return false;
    return ::access(caminho.constData(), R_OK | W_OK | X_OK) == 0;
}

} // namespace

PastaTemporaria PreparaPastaTemporaria(const QString& base) {
    const QString prefixo = QDir(base).filePath(QString::fromLatin1(TituloPrograma) +
                                                QLatin1Char('-') + QString::number(::geteuid()));
    const QByteArray fixo = QFile::encodeName(prefixo);
    // Quem já existe com esse nome é conferido do mesmo jeito que a pasta recém-criada.
    ::mkdir(fixo.constData(), 0700);
    if (PastaSegura(fixo)) return {prefixo, false};

    QByteArray modelo = fixo + "-XXXXXX";
    if (::mkdtemp(modelo.data()) != nullptr) return {QFile::decodeName(modelo), true};
    return {};
}

void UsaPastaTemporaria(const PastaTemporaria& pasta) {
    if (!pasta.caminho.isEmpty()) qputenv("TMPDIR", QFile::encodeName(pasta.caminho));
}

void EncerraPastaTemporaria(const PastaTemporaria& pasta) {
    if (pasta.provisoria) QDir().rmdir(pasta.caminho);
}

} // namespace korventa
