#include "platform/PastaTemporaria.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace korventa;

namespace {

int Permissao(const QString& caminho) {
    struct stat st {};
    return ::lstat(QFile::encodeName(caminho).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

QString NomeFixo(const QTemporaryDir& base) {
    return base.filePath(QStringLiteral("ValidadorKorventa2017-") + QString::number(::geteuid()));
}

} // namespace

TEST(PastaTemporaria, PastaDoUsuarioSoDeleReusadaEComPermissaoCorrigida) {
    QTemporaryDir base;
    const auto primeira = PreparaPastaTemporaria(base.path());
    EXPECT_EQ(primeira.caminho, NomeFixo(base));
    EXPECT_FALSE(primeira.provisoria);
    EXPECT_EQ(Permissao(primeira.caminho), 0700);

    // A da execução anterior serve de novo, com o que ficou nela; aberta aos outros, é fechada.
    QFile deixado(QDir(primeira.caminho).filePath(QStringLiteral("Korventa.log")));
    ASSERT_TRUE(deixado.open(QIODevice::WriteOnly));
    deixado.close();
    ::chmod(QFile::encodeName(primeira.caminho).constData(), 0777);
    const auto segunda = PreparaPastaTemporaria(base.path());
    EXPECT_EQ(segunda.caminho, primeira.caminho);
    EXPECT_EQ(Permissao(segunda.caminho), 0700);
    EXPECT_TRUE(deixado.exists());
}

TEST(PastaTemporaria, NomePlantadoPorOutroDaUmaPastaUnicaRemovidaNoFim) {
    QTemporaryDir base, alvo;
    // Uma ligação no lugar da pasta (para onde quem a plantou lê) e um arquivo comum no lugar
    // dela: nenhum dos dois é usado.
    for (int caso = 0; caso < 2; ++caso) {
        const QString fixo = NomeFixo(base);
        QFile::remove(fixo);
        if (caso == 0)
            ASSERT_TRUE(QFile::link(alvo.path(), fixo));
        else {
            QFile f(fixo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        const auto pasta = PreparaPastaTemporaria(base.path());
        ASSERT_FALSE(pasta.caminho.isEmpty()) << caso;
        EXPECT_TRUE(pasta.provisoria) << caso;
        EXPECT_TRUE(pasta.caminho.startsWith(fixo + QLatin1Char('-'))) << caso;
        EXPECT_EQ(Permissao(pasta.caminho), 0700) << caso;
        EXPECT_TRUE(QDir(alvo.path()).isEmpty()) << caso;

        EncerraPastaTemporaria(pasta);
        EXPECT_FALSE(QFileInfo::exists(pasta.caminho)) << caso;
    }
}

TEST(PastaTemporaria, PastaDeOutroUsuarioNaoEUsada) {
    if (::geteuid() != 0) GTEST_SKIP() << "só o administrador troca o dono da pasta";
    QTemporaryDir base;
    const QString fixo = NomeFixo(base);
    ASSERT_EQ(::mkdir(QFile::encodeName(fixo).constData(), 0777), 0);
    ASSERT_EQ(::chown(QFile::encodeName(fixo).constData(), 65534, 65534), 0);
    const auto pasta = PreparaPastaTemporaria(base.path());
    EXPECT_TRUE(pasta.provisoria);
    EXPECT_NE(pasta.caminho, fixo);
}

TEST(PastaTemporaria, SemPastaPossivelFicaATemporariaDoSistema) {
    const auto pasta = PreparaPastaTemporaria(QStringLiteral("/proc/1/pasta-que-nao-existe"));
    EXPECT_TRUE(pasta.caminho.isEmpty());
    const QByteArray antes = qgetenv("TMPDIR");
    UsaPastaTemporaria(pasta);
    EXPECT_EQ(qgetenv("TMPDIR"), antes);
}
