#include "engine/Bibliotecas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace korventa {

namespace {
std::unique_ptr<Bibliotecas> g_bibliotecas;
}

Bibliotecas::Bibliotecas(QString pasta) : pasta_(std::move(pasta)) {}

Bibliotecas::~Bibliotecas() = default;

QString Bibliotecas::nomeArquivo(const QString& nomeBase) {
#if defined(_WIN32)
    return nomeBase + QStringLiteral(".dll");
#elif defined(__APPLE__)
    return QStringLiteral("lib") + nomeBase + QStringLiteral(".dylib");
#else
    return QStringLiteral("lib") + nomeBase + QStringLiteral(".so");
#endif
}

QLibrary* Bibliotecas::carrega(const QString& biblioteca) {
    if (auto it = bibliotecas_.constFind(biblioteca); it != bibliotecas_.cend())
        return it->get();
    const QString arquivo = QDir(pasta_).filePath(nomeArquivo(biblioteca));
    if (!QFileInfo::exists(arquivo)) {
        falha_ = {48, QStringLiteral("Arquivo não encontrado: %1").arg(QDir::toNativeSeparators(arquivo)),
                  biblioteca, QString()};
        return nullptr;
    }
    auto lib = std::make_shared<QLibrary>(arquivo);
    if (!lib->load()) {
        falha_ = {48,
                  QStringLiteral("Não foi possível carregar %1: %2")
                      .arg(QDir::toNativeSeparators(arquivo), lib->errorString()),
                  biblioteca, QString()};
        return nullptr;
    }
    bibliotecas_.insert(biblioteca, lib);
    return lib.get();
}

QFunctionPointer Bibliotecas::resolve(const QString& biblioteca, const char* funcao) {
    const QString chave = biblioteca + QLatin1Char(':') + QLatin1String(funcao);
    if (auto it = funcoes_.constFind(chave); it != funcoes_.cend())
        return *it;
    QLibrary* lib = carrega(biblioteca);
    if (!lib)
        return nullptr;
    QFunctionPointer f = lib->resolve(funcao);
    if (!f) {
        falha_ = {453,
                  QStringLiteral("Ponto de entrada %1 não encontrado em %2")
                      .arg(QLatin1String(funcao), nomeArquivo(biblioteca)),
                  biblioteca, QLatin1String(funcao)};
        return nullptr;
    }
    funcoes_.insert(chave, f);
    return f;
}

Bibliotecas& bibliotecas() {
    if (!g_bibliotecas)
        g_bibliotecas = std::make_unique<Bibliotecas>(QCoreApplication::applicationDirPath());
    return *g_bibliotecas;
}

void defineBibliotecas(std::unique_ptr<Bibliotecas> novas) { g_bibliotecas = std::move(novas); }

} // namespace korventa
