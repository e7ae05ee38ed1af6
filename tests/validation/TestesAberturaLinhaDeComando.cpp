// O mesmo arquivo recusado na abertura dá a mesma mensagem no programa e no korventa-validar
// (que sai com 3); um FIFO sem quem escreva é recusado sem prender a página.
#include "Ambiente.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <sys/stat.h>

using namespace korventa;
using namespace korventa::testes;

namespace {

// Recusa do korventa-validar --json: o código de saída e o texto do campo "erro".
std::pair<int, QString> RecusaDaLinhaDeComando(const QString& caminho) {
    QProcess p;
    p.start(QStringLiteral(KORVENTA_BIN_DIR "/korventa-validar"),
            {QStringLiteral("--json"), caminho});
    p.waitForFinished(30000);
    const auto json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    return {p.exitCode(), json.value(QStringLiteral("erro")).toString()};
}

} // namespace

class AberturaIgual : public AmbienteValidacao {};

TEST_F(AberturaIgual, MesmaRecusaNoProgramaENaLinhaDeComando) {
    const QByteArray bom = textoExemplo();
    const int fim1 = bom.indexOf("\r\n");
    const QByteArray r10 = bom.left(fim1), resto = bom.mid(fim1);
    QByteArray conv = r10;
    conv.replace(115, 8, "20230531").replace(123, 1, "2");
    const int fim2 = bom.indexOf("\r\n", fim1 + 2);
    const QStringList caminhos = {
        grava(QStringLiteral("curta.txt"), r10.left(125) + resto),
        grava(QStringLiteral("tipo.txt"), r10 + "\r\n10" + bom.mid(fim1 + 4)),
        grava(QStringLiteral("segunda.txt"), r10 + "\r\n" + bom.mid(fim1 + 2, 50) + bom.mid(fim2)),
        grava(QStringLiteral("uma.txt"), r10),
        grava(QStringLiteral("convenio.txt"), conv + resto),
        grava(QStringLiteral("vazio.txt"), QByteArray()),
        grava(QStringLiteral("marca.txt"), QByteArray("\x1a")),
        pasta.filePath(QStringLiteral("nao-existe.txt")),
    };
    const QString fifo = pasta.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& c : caminhos + QStringList{fifo}) {
        SCOPED_TRACE(c.toStdString());
        plataforma.respondeMensagem(Resposta::Ok);
        abre(c);
        const QString programa = sessao.arquivos[0].mensagem;
        ASSERT_FALSE(programa.isEmpty());
        const auto [codigo, linhaDeComando] = RecusaDaLinhaDeComando(c);
        EXPECT_EQ(codigo, 3);
        // As frases que o programa separa com CR saem em linhas.
        EXPECT_EQ(linhaDeComando, QString(programa).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    }
}
