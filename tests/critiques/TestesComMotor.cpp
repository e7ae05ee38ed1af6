// Do motor à tela: um arquivo do gerador de exemplos com falhas conhecidas é validado pelo motor
// (carregado como o programa o carrega), e as críticas do relatório aparecem na lista, com o
// campo certo marcado no detalhe, e na exportação.
#include "critiques/Ambiente.h"
#include "critiques/CaixaRegistro.h"
#include "critiques/ModeloCriticas.h"
#include "critiques/PaginaCriticas.h"
#include "engine/Bibliotecas.h"
#include "validation/ArquivosTrabalho.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QThread>
#include <QTreeView>

namespace korventa::testes {
namespace {

const QString PastaBin = QStringLiteral(KORVENTA_BIN_DIR);

struct Falha {
    int linha, inicio, largura;
};

class ComMotor : public TesteCriticas {
protected:
    // Gera o arquivo com as falhas e devolve o mapa (linha, início e largura de cada falha).
    QList<Falha> gera(const QString& arquivo) {
        QProcess p;
        p.start(PastaBin + QStringLiteral("/gerar-exemplo"),
                {QStringLiteral("--registros"), QStringLiteral("400"), QStringLiteral("--falha"),
                 QStringLiteral("cfop"), QStringLiteral("--falha"), QStringLiteral("numerico"),
                 QStringLiteral("--falha"), QStringLiteral("sem75"), QStringLiteral("--mapa"),
                 caminho(QStringLiteral("mapa.txt")), QStringLiteral("-o"), arquivo});
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        QFile mapa(caminho(QStringLiteral("mapa.txt")));
        EXPECT_TRUE(mapa.open(QIODevice::ReadOnly));
        QList<Falha> falhas;
        for (const QByteArray& linha : mapa.readAll().split('\n')) {
            const QList<QByteArray> c = linha.split('\t');
            if (linha.startsWith('#') || c.size() < 3) continue;
            falhas.push_back({c[0].toInt(), c[1].toInt(), c[2].toInt()});
        }
        return falhas;
    }

    // Validação pela interface C do motor, como a página Validar faz.
    void valida(ArquivoAberto& a) {
        defineBibliotecas(std::make_unique<Bibliotecas>(PastaBin));
        auto inicio = KORVENTA_FUNCAO("Kelvor", Kelvor_InicioValidacao);
        auto estado = KORVENTA_FUNCAO("Kelvor", Kelvor_EstadoValidacao);
        auto resultado = KORVENTA_FUNCAO("Kelvor", Kelvor_ResultadoValidacao);
        ASSERT_TRUE(inicio && estado && resultado);
        char mensagem[1000] = {};
        ASSERT_NE(inicio(QFile::encodeName(a.caminho).constData(),
                         QFile::encodeName(CaminhoCriticas(sessao, 0)).constData(),
                         QFile::encodeName(caminho(QStringLiteral("Totais.CFOP. 0"))).constData(),
                         1, 3, mensagem),
                  0)
            << mensagem;
        QElapsedTimer relogio;
        relogio.start();
        std::int32_t pct = 0, lidos = 0, total = 0;
        while (estado(&pct, &lidos, &total) == -2 && relogio.elapsed() < 30000)
            QThread::msleep(5);
        char crc[100] = {};
        a.resultado = resultado(crc, &a.erros, &a.advertencias);
    }
};

TEST_F(ComMotor, CriticasDoMotorListadasMarcadasEExportadas) {
    ArquivoAberto& a = sessao.arquivos[0];
    a.caminho = caminho(QStringLiteral("exemplo.txt"));
    const QList<Falha> falhas = gera(a.caminho);
    ASSERT_FALSE(falhas.isEmpty());
    a.dataHoraAbertura = QFileInfo(a.caminho).lastModified();
    a.tamanhoAbertura = static_cast<std::int32_t>(QFileInfo(a.caminho).size());
    valida(a);
    ASSERT_EQ(a.resultado, 2);

    PaginaCriticas pagina(sessao);
    sessao.listaCriticas();
    ModeloCriticas& m = pagina.modelo();
    ASSERT_EQ(m.rowCount(), a.erros + a.advertencias);

    auto* lista = pagina.findChild<QTreeView*>(QStringLiteral("ListaCriticas"));
    auto* caixa = pagina.findChild<CaixaRegistro*>(QStringLiteral("RTFRegistro"));
    auto* rotulo = pagina.findChild<QLabel*>(QStringLiteral("LabelInfoDetalhe"));
    for (const Falha& f : falhas) {
        int linha = -1;
        for (int i = 0; i < m.rowCount() && linha < 0; ++i) {
            const LocalizadorCritica l = m.armazem().localizador(i);
            if (m.index(i, 0).data().toInt() == f.linha && l.inicioCampo == f.inicio &&
                l.tamanhoCampo == f.largura)
                linha = i;
        }
        ASSERT_GE(linha, 0) << "falha da linha " << f.linha << " não listada";
        lista->setCurrentIndex(m.index(linha, 0));
        EXPECT_TRUE(rotulo->text().contains(
            QStringLiteral("(Pos. %1, Tam. %2) ").arg(f.inicio).arg(f.largura)))
            << rotulo->text().toStdString();
        ASSERT_FALSE(caixa->isHidden());
        EXPECT_EQ(caixa->textCursor().position(), f.inicio - 1);
        // O registro mostrado é a linha criticada do arquivo.
        QFile fiscal(a.caminho);
        ASSERT_TRUE(fiscal.open(QIODevice::ReadOnly));
        const QList<QByteArray> linhas = fiscal.readAll().split('\n');
        EXPECT_EQ(caixa->toPlainText().toLatin1(), linhas[f.linha - 1].chopped(1));
    }

    const QString destino = caminho(QStringLiteral("exportado.txt"));
    plataforma.respondeSalvar(destino);
    pagina.exporta();
    QFile exportado(destino);
    ASSERT_TRUE(exportado.open(QIODevice::ReadOnly));
    const QList<QByteArray> linhas = exportado.readAll().split('\n');
    EXPECT_EQ(linhas.size(), 1 + a.erros + a.advertencias + 1); // o último pedaço vem vazio
    EXPECT_EQ(linhas[1].size(), 198 + 1);                       // CR no fim
}

} // namespace
} // namespace korventa::testes
