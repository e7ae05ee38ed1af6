// Uma QApplication para todos os testes, configurações numa pasta temporária e o motor (para o
// log) da pasta de construção.
#include "engine/Bibliotecas.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir configuracoes;
    qputenv("XDG_CONFIG_HOME", configuracoes.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("ValidadorKorventa2017"));
    app.setApplicationName(QStringLiteral("TramilTestes"));
    korventa::defineBibliotecas(
        std::make_unique<korventa::Bibliotecas>(QStringLiteral(KORVENTA_BIN_DIR)));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
