#include "Ambiente.h"

#include "engine/Bibliotecas.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korventa::testes {

namespace {
QTemporaryDir* g_base = nullptr;
}

QString pastaTemporariaTestes() {
    return g_base->filePath(QStringLiteral("tmp"));
}
QString pastaConfiguracaoTestes() {
    return g_base->filePath(QStringLiteral("config"));
}
QString pastaConfiguracaoSistemaTestes() {
    return g_base->filePath(QStringLiteral("sistema"));
}
QString pastaBibliotecas() {
    return QStringLiteral(KORVENTA_BIN_DIR);
}

void limpaConfiguracoes() {
    for (const char* app : {"ValidadorKorventa", "ValidadorKorventaV2", "QIV2"}) {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(app));
        s.clear();
        s.sync();
    }
    QFile::remove(QDir(pastaConfiguracaoTestes()).filePath(QStringLiteral("Quorbis.ini")));
    QFile::remove(QDir(pastaConfiguracaoSistemaTestes()).filePath(QStringLiteral("Quorbis.ini")));
}

void usaBibliotecasDe(const QString& pasta) {
    defineBibliotecas(std::make_unique<Bibliotecas>(pasta));
}

QStringList linhasDoLog() {
    QFile log(QDir(pastaTemporariaTestes()).filePath(QStringLiteral("Korventa.log")));
    QStringList linhas;
    if (!log.open(QIODevice::ReadOnly)) return linhas;
    // "aaaa-mm-dd hh:mm:ss.zzz [n] texto"
    for (const QByteArray& l : log.readAll().split('\n'))
        if (const qsizetype fim = l.indexOf("] "); fim >= 0)
            linhas << QString::fromLatin1(l.mid(fim + 2));
    return linhas;
}

void apagaLog() {
    QFile::remove(QDir(pastaTemporariaTestes()).filePath(QStringLiteral("Korventa.log")));
}

} // namespace korventa::testes

int main(int argc, char** argv) {
    using namespace korventa::testes;
    // Antes de qualquer QSettings ou pasta temporária: nada dos testes toca o usuário real.
    QTemporaryDir base;
    g_base = &base;
    QDir(base.path()).mkpath(QStringLiteral("tmp"));
    QDir(base.path()).mkpath(QStringLiteral("config"));
    QDir(base.path()).mkpath(QStringLiteral("sistema"));
    qputenv("TMPDIR", QFile::encodeName(pastaTemporariaTestes()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(pastaConfiguracaoTestes()));
    // Nem o Quorbis.ini de um pacote instalado na máquina entra nos testes.
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(pastaConfiguracaoSistemaTestes()));
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    usaBibliotecasDe(pastaBibliotecas());
    const int r = RUN_ALL_TESTS();
    korventa::defineBibliotecas(nullptr);
    return r;
}
