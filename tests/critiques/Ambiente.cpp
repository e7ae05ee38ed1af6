#include "critiques/Ambiente.h"

#include "common/Numeros.h"

#include <QApplication>
#include <QFileInfo>

namespace korventa::testes {

namespace {

class AplicacaoQt : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char nome[] = "testes_critiques";
        static char* argv[] = {nome, nullptr};
        aplicacao_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { aplicacao_.reset(); }

private:
    std::unique_ptr<QApplication> aplicacao_;
};

[[maybe_unused]] const auto* registro = ::testing::AddGlobalTestEnvironment(new AplicacaoQt);

} // namespace

TesteCriticas::TesteCriticas() {
    sessao.pastaTemporaria = pasta.path() + QLatin1Char('/');
    sessao.pastaPrograma = pasta.path();
    sessao.caminhoCriticas = sessao.pastaTemporaria + QStringLiteral("Criticas.tmp");
}

QString TesteCriticas::relatorio(int n) const {
    return sessao.caminhoCriticas + QLatin1Char('.') + NumeroComBrancoInicial(n);
}

QString TesteCriticas::relatorioPos(int n) const {
    return caminho(QStringLiteral("CriticasPos.") + sessao.arquivos.at(n).uf + QLatin1Char('.') +
                   NumeroComBrancoInicial(n));
}

void TesteCriticas::abreArquivo(int n, const QString& nome, const QByteArray& conteudo, int erros,
                                int advertencias, std::int32_t resultado) {
    if (sessao.arquivos.size() <= n) sessao.arquivos.resize(n + 1);
    ArquivoAberto& a = sessao.arquivos[n];
    a.caminho = caminho(nome);
    ASSERT_TRUE(GravaArquivo(a.caminho, conteudo));
    const QFileInfo info(a.caminho);
    a.dataHoraAbertura = info.lastModified();
    a.tamanhoAbertura = static_cast<std::int32_t>(info.size());
    a.erros = erros;
    a.advertencias = advertencias;
    a.resultado = resultado;
    a.uf = QStringLiteral("MS");
}

} // namespace korventa::testes
