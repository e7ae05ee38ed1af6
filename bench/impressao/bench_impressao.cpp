// Tempo para imprimir em PDF o relatório de críticas inteiro (100.000 críticas por padrão) pelo
// diálogo de impressão em segundo plano, com a barra de progresso e o "Cancelar" vivos; depois o
// mesmo relatório cancelado no meio, que não pode deixar documento nenhum.
//
//   build/bin/bench_impressao [quantidade]     (QT_QPA_PLATFORM=offscreen quando não há tela)
#include "critiques/DlgPrintCriticas.h"
#include "critiques/GeradorRelatorio.h"
#include "critiques/ImpressaoCriticas.h"
#include "platform/PlataformaQt.h"
#include "printing/ImpressoraAtual.h"
#include "validation/Sessao.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

using namespace korventa;
using namespace korventa::testes;

namespace {

// As caixas de mensagem viram linhas na saída: a medição não espera ninguém.
class PlataformaMedicao : public PlataformaQt {
public:
    Resposta mensagem(const QString& texto, Icone, Botoes, const QString&) override {
        ultima = texto;
        return Resposta::Ok;
    }
    QString ultima;
};

double SegundosDeCpu() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_utime.tv_sec + uso.ru_stime.tv_sec +
           (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

long PicoDeMemoriaKb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

// Mostra o diálogo de impressão como o programa mostra e espera ele se fechar sozinho.
void Imprime(Sessao& s, const PedidoCriticas& pedido, int cancelarEmMs) {
    DlgPrintCriticas dlg(s, pedido);
    if (cancelarEmMs > 0) QTimer::singleShot(cancelarEmMs, &dlg, [&dlg] { dlg.cancela(); });
    dlg.exec();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;

    QTemporaryDir pasta;
    PlataformaMedicao plataforma;
    Sessao sessao(plataforma);
    sessao.cfg.ultimaImpressora = ImpressoraPdf;
    sessao.impressora.orientacao = Paisagem;
    const QString relatorio = pasta.filePath(QStringLiteral("Criticas.tmp. 0"));
    if (!GravaRelatorioGrande(relatorio, n)) {
        std::fprintf(stderr, "não gravou o relatório\n");
        return 1;
    }

    PedidoCriticas pedido;
    pedido.tipo = FiltroCriticas::Tudo;
    pedido.relatorios = {relatorio};
    pedido.arquivo = pasta.filePath(QStringLiteral("grande.txt"));
    pedido.contribuinte = QStringLiteral("Contribuinte: 12.345.678/0001-95 COMERCIAL EXEMPLO LTDA");
    pedido.periodo = QStringLiteral("Período: 01/01/2024 a 31/01/2024");
    pedido.agora = QDateTime::currentDateTime();
    const int linhas = LinhasPorPaginaCriticas(AlturaImprimivelAtual(sessao));
    pedido.ultimaPagina = PaginasCriticas(n, linhas);
    pedido.paginaInicial = 1;
    pedido.paginaFinal = pedido.ultimaPagina;
    std::printf("relatório: %d críticas, %d linhas por página (A4 paisagem), %d páginas\n", n,
                linhas, pedido.ultimaPagina);

    const QString pdf = pasta.filePath(QStringLiteral("criticas.pdf"));
    sessao.impressora.arquivoPdf = pdf;
    QElapsedTimer relogio;
    relogio.start();
    double cpu = SegundosDeCpu();
    Imprime(sessao, pedido, 0);
    cpu = SegundosDeCpu() - cpu;
    const double parede = relogio.elapsed() / 1000.0;
    const bool impresso = plataforma.ultima == QStringLiteral("Relatório de Críticas impresso.") &&
                          QFile::exists(pdf);
    std::printf("impressão: %s; %.1f s de CPU, %.1f s de parede; %.0f páginas/s pela CPU, %.0f "
                "pela parede; PDF de %.1f MB; pico de memória %ld MB\n",
                qPrintable(plataforma.ultima), cpu, parede, pedido.ultimaPagina / cpu,
                pedido.ultimaPagina / parede, QFileInfo(pdf).size() / 1e6,
                PicoDeMemoriaKb() / 1024);

    // Cancelado no meio: nada no lugar do arquivo.
    const QString cancelado = pasta.filePath(QStringLiteral("cancelado.pdf"));
    sessao.impressora.arquivoPdf = cancelado;
    relogio.restart();
    Imprime(sessao, pedido, static_cast<int>(parede * 1000 / 2));
    // Relatório pequeno: a impressão termina antes de o cancelamento chegar; nada a conferir.
    if (plataforma.ultima == QStringLiteral("Relatório de Críticas impresso.")) {
        std::printf("cancelamento não medido: a impressão terminou em %.1f s, antes dele "
                    "(use mais críticas)\n",
                    relogio.elapsed() / 1000.0);
        std::printf("%s\n\n", impresso ? "OK" : "FALHOU");
        return impresso ? 0 : 2;
    }
    const bool limpo =
        !QFile::exists(cancelado) &&
        plataforma.ultima == QStringLiteral("Impressão do Relatório de Críticas cancelada.") &&
        QDir(pasta.path()).entryList({QStringLiteral("cancelado*")}).isEmpty();
    std::printf("cancelado em %.1f s: %s; %s\n", relogio.elapsed() / 1000.0,
                qPrintable(plataforma.ultima), limpo ? "nenhum arquivo deixado" : "SOBROU ARQUIVO");
    const bool ok = impresso && limpo;
    std::printf("%s\n\n", ok ? "OK" : "FALHOU");
    return ok ? 0 : 2;
}
