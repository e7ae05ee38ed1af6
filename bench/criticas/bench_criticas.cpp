// Tempo para listar um milhão de críticas na página Críticas (MaxCriticas = 1.000.000) e para
// rolar a lista até o fim e mostrar o detalhe da última linha.
//
//   build/bin/bench_criticas [quantidade]     (QT_QPA_PLATFORM=offscreen quando não há tela)
#include "critiques/GeradorRelatorio.h"
#include "critiques/ModeloCriticas.h"
#include "critiques/PaginaCriticas.h"
#include "platform/PlataformaQt.h"
#include "validation/Sessao.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>

using namespace korventa;
using namespace korventa::testes;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000000;

    QTemporaryDir pasta;
    PlataformaQt plataforma;
    Sessao sessao(plataforma);
    sessao.caminhoCriticas = pasta.filePath(QStringLiteral("Criticas.tmp"));
    sessao.pastaPrograma = pasta.path();
    sessao.cfg.maxCriticas = 1000000;
    ArquivoAberto& a = sessao.arquivos[0];
    a.caminho = pasta.filePath(QStringLiteral("grande.txt"));
    a.erros = n - n / 4;
    a.advertencias = n / 4;
    a.resultado = 2;
    {
        // Arquivo fiscal pequeno: o detalhe da última crítica cai além do fim ("Fim do arquivo.").
        QFile fiscal(a.caminho);
        fiscal.open(QIODevice::WriteOnly);
        fiscal.write(QByteArray(126, '5') + "\r\n");
    }
    a.dataHoraAbertura = QFileInfo(a.caminho).lastModified();
    a.tamanhoAbertura = static_cast<std::int32_t>(QFileInfo(a.caminho).size());

    QElapsedTimer relogio;
    relogio.start();
    const QString relatorio = sessao.caminhoCriticas + QStringLiteral(". 0");
    if (!GravaRelatorioGrande(relatorio, n)) {
        std::fprintf(stderr, "não gravou o relatório\n");
        return 1;
    }
    const double mb = QFileInfo(relatorio).size() / 1e6;
    std::printf("relatório: %d críticas, %.1f MB, gerado em %lld ms\n", n, mb,
                static_cast<long long>(relogio.elapsed()));

    PaginaCriticas pagina(sessao);
    pagina.resize(1000, 700);
    pagina.show();
    app.processEvents();

    relogio.restart();
    sessao.listaCriticas();
    app.processEvents(); // a lista desenha as primeiras linhas
    pagina.repaint();
    const qint64 listar = relogio.elapsed();
    const int linhas = pagina.modelo().rowCount();
    std::printf("listagem: %d linhas em %lld ms (%.0f MB/s)\n", linhas,
                static_cast<long long>(listar), mb / (listar / 1000.0));

    auto* lista = pagina.findChild<QTreeView*>(QStringLiteral("ListaCriticas"));
    relogio.restart();
    lista->scrollToBottom();
    lista->setCurrentIndex(pagina.modelo().index(linhas - 1, 0));
    app.processEvents();
    pagina.repaint();
    const qint64 rolar = relogio.elapsed();
    relogio.restart();
    for (int i = 0; i < 200; ++i) {
        lista->verticalScrollBar()->setValue(lista->verticalScrollBar()->maximum() * i / 200);
        lista->viewport()->repaint();
    }
    const qint64 passos = relogio.elapsed();
    std::printf("rolar até o fim e mostrar o detalhe: %lld ms; 200 posições da barra: %lld ms "
                "(%.2f ms por quadro)\n",
                static_cast<long long>(rolar), static_cast<long long>(passos), passos / 200.0);
    std::printf("detalhe: %s\n",
                qPrintable(pagina.findChild<QLabel*>(QStringLiteral("LabelInfoDetalhe"))->text()));
    const bool ok = linhas == std::min(n, 1000000) && listar < 2000;
    std::printf("%s: listagem %s 2 s\n\n", ok ? "OK" : "LENTO",
                listar < 2000 ? "abaixo de" : "acima de");
    return ok ? 0 : 2;
}
