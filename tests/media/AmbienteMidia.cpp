#include "AmbienteMidia.h"

#include "engine/Bibliotecas.h"
#include "media/MidiaResumo.h"
#include "validation/BotaoComAcao.h"
#include "validation/Motor.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace korventa::testes {

AmbienteMidia::AmbienteMidia() {
    const QString base = pasta.path() + QLatin1Char('/');
    sessao.caminhoResumo = base + QStringLiteral("Validacao2.resumo");
    sessao.caminhoTotaisSituacao = base + QStringLiteral("TotaisSituacao.CFOP");
    sessao.caminhoTotaisOutrasIEs = base + QStringLiteral("TotaisOutrasIEs.CFOP");
    sessao.caminhoTotaisPorUF = base + QStringLiteral("TotaisPorUF.CFOP");
    sessao.caminhoComprovante = base + QStringLiteral("Comprovante.tmp");
    sessao.versaoValkora2 = QStringLiteral("1.7.8.9");
    LigaMidiasResumo(sessao, *resumo);
}

QString AmbienteMidia::validaExemplo(const QString& nome, kelvor::exemplo::Opcoes opcoes) {
    const QString caminho = exemplo(nome, opcoes);
    abre(caminho);
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceito);
    return caminho;
}

void AmbienteMidia::geraPeloBotao(const QString& caminhoMidia) {
    plataforma.respondeSalvar(caminhoMidia);
    plataforma.respondeMensagem(Resposta::Nao);
    resumo->botaoGerarMidia()->click();
}

int AmbienteMidia::info(const QString& midia, QByteArray& bloco, QString& tipo, QString& mensagem) {
    auto* f = KORVENTA_FUNCAO("Kelvor", Kelvor_ObterInfoAdicionaisMidiaQIV_Ex);
    char t[20] = {}, i[513] = {}, m[1000] = {};
    const int r = f(CaminhoParaMotor(midia).constData(), t, i, m, 1000);
    bloco = QByteArray(i, 512);
    tipo = TextoDoMotor(t);
    mensagem = TextoDoMotor(m);
    return r;
}

namespace {

template <typename F>
int LeTexto(F* f, const QString& midia, QByteArray& texto, QString& mensagem) {
    char m[1000] = {};
    int32 tamanho = 0;
    const QByteArray c = CaminhoParaMotor(midia);
    int r = f(c.constData(), nullptr, &tamanho, m, 1000);
    if (r == 0) {
        QByteArray saida(tamanho, '\x7f');
        int32 pequeno = tamanho - 1;
        // Saída pequena demais: só o tamanho volta.
        EXPECT_EQ(f(c.constData(), saida.data(), &pequeno, m, 1000), 0);
        EXPECT_EQ(pequeno, tamanho);
        EXPECT_EQ(saida.at(0), '\x7f');
        r = f(c.constData(), saida.data(), &tamanho, m, 1000);
        EXPECT_EQ(saida.at(tamanho - 1), '\0');
        texto = saida.left(tamanho - 1);
    }
    mensagem = TextoDoMotor(m);
    return r;
}

} // namespace

int AmbienteMidia::resumoDaMidia(const QString& midia, QByteArray& texto, QString& mensagem) {
    return LeTexto(KORVENTA_FUNCAO("Kelvor", Kelvor_ObterResumoMidiaQIV), midia, texto, mensagem);
}

int AmbienteMidia::totaisDaMidia(const QString& midia, QByteArray& texto, QString& mensagem) {
    return LeTexto(KORVENTA_FUNCAO("Kelvor", Kelvor_ObterTotaisCFOP), midia, texto, mensagem);
}

QByteArray AmbienteMidia::le(const QString& caminho) {
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << caminho.toStdString();
    return f.readAll();
}

QStringList AmbienteMidia::arquivosNaPasta() const {
    return QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString Programa(const char* nome) {
    return QStandardPaths::findExecutable(QString::fromLatin1(nome));
}

std::pair<int, QByteArray> Executa(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
}

} // namespace korventa::testes
