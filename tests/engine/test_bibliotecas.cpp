#include "engine/Bibliotecas.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korventa;

namespace {
const QString PastaBin = QStringLiteral(KORVENTA_BIN_DIR);
}

TEST(Bibliotecas, ResolveECacheiaAsFuncoesDasBibliotecasConstruidas) {
    Bibliotecas libs(PastaBin);
    auto v2 = libs.funcao<const char* (*)()>(QStringLiteral("Valkora2"), "Valkora2_Versao");
    auto v3 = libs.funcao<const char* (*)()>(QStringLiteral("Valkora3"), "Valkora3_Versao");
    auto tramil = libs.funcao<assinaturas::GetVersaoDll>(QStringLiteral("Tramil"), "GetVersaoDll");
    ASSERT_TRUE(v2 && v3 && tramil);
    EXPECT_STREQ(v2(), "1.7.8.9");
    EXPECT_STREQ(v3(), "1.8.2");
    EXPECT_STRNE(tramil(), "");
    EXPECT_EQ(libs.resolve(QStringLiteral("Valkora2"), "Valkora2_Versao"),
              reinterpret_cast<QFunctionPointer>(v2));
}

TEST(Bibliotecas, InformaQualBibliotecaOuPontoDeEntradaFalta) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    Bibliotecas libs(pasta.path());

    EXPECT_EQ(libs.resolve(QStringLiteral("Kelvor"), "Kelvor_VersoesEx"), nullptr);
    EXPECT_EQ(libs.falha().numero, 48);
    EXPECT_EQ(libs.falha().biblioteca, QStringLiteral("Kelvor"));
    EXPECT_TRUE(libs.falha().descricao.contains(Bibliotecas::nomeArquivo(QStringLiteral("Kelvor"))));

    // A biblioteca existe, mas sem a função pedida.
    const QString nome = Bibliotecas::nomeArquivo(QStringLiteral("Valkora2"));
    ASSERT_TRUE(QFile::copy(PastaBin + QLatin1Char('/') + nome, pasta.filePath(nome)));
    EXPECT_EQ(libs.resolve(QStringLiteral("Valkora2"), "Kelvor_VersoesEx"), nullptr);
    EXPECT_EQ(libs.falha().numero, 453);
    EXPECT_EQ(libs.falha().funcao, QStringLiteral("Kelvor_VersoesEx"));
    EXPECT_TRUE(libs.falha().descricao.contains(QStringLiteral("Kelvor_VersoesEx")));
    EXPECT_NE(libs.resolve(QStringLiteral("Valkora2"), "Valkora2_Versao"), nullptr);
}

TEST(Bibliotecas, ArquivoQueNaoEBibliotecaNaoCarrega) {
    QTemporaryDir pasta;
    QFile falso(pasta.filePath(Bibliotecas::nomeArquivo(QStringLiteral("Tramil"))));
    ASSERT_TRUE(falso.open(QIODevice::WriteOnly));
    falso.write("isto não é uma biblioteca");
    falso.close();
    Bibliotecas libs(pasta.path());
    EXPECT_EQ(libs.resolve(QStringLiteral("Tramil"), "GetVersaoDll"), nullptr);
    EXPECT_EQ(libs.falha().numero, 48);
    EXPECT_TRUE(libs.falha().descricao.startsWith(QStringLiteral("Não foi possível carregar")));
}
