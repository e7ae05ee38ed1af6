// bench-tramil: mede o Tramil num arquivo: tempo até a primeira tela do visualizador (janela de
// verdade, plataforma offscreen), índice de linhas completo, busca em MB/s ao lado de `grep -c`
// com o mesmo padrão (e as duas contagens), filtro por tipo, e o índice de documentos da
// consulta de notas em registros por segundo. Tempos de parede e de CPU (a máquina é
// compartilhada: compare a CPU).
#include "nucleo/ArquivoMapeado.h"
#include "nucleo/Busca.h"
#include "nucleo/Classes.h"
#include "nucleo/IndiceLinhas.h"
#include "nucleo/IndiceNotas.h"
#include "telas/JanelaTexto.h"
#include "telas/VisaoArquivo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

using namespace tramil;
using Relogio = std::chrono::steady_clock;

namespace {

double Segundos(Relogio::time_point a, Relogio::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

double Cpu(int quem) {
    rusage u{};
    getrusage(quem, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long long StatusKb(const char* chave) {
    std::ifstream f("/proc/self/status");
    std::string l;
    while (std::getline(f, l))
        if (l.rfind(chave, 0) == 0) return std::atoll(l.c_str() + std::strlen(chave));
    return 0;
}

struct Medida {
    double parede = 0, cpu = 0;
    long long contagem = -1;
};

// `grep -c` com o mesmo padrão, com a CPU do processo filho.
Medida Grep(const std::string& opcoes, const std::string& padrao, const std::string& arquivo) {
    const std::string comando =
        "LC_ALL=C grep -c " + opcoes + " -e '" + padrao + "' '" + arquivo + "'";
    const double cpu0 = Cpu(RUSAGE_CHILDREN);
    const auto t0 = Relogio::now();
    Medida m;
    if (std::FILE* p = popen(comando.c_str(), "r")) {
        if (std::fscanf(p, "%lld", &m.contagem) != 1) m.contagem = -1;
        pclose(p);
    }
    m.parede = Segundos(t0, Relogio::now());
    m.cpu = Cpu(RUSAGE_CHILDREN) - cpu0;
    return m;
}

Medida Busca(std::string_view dados, const CriterioBusca& c) {
    QString erro;
    const auto b = Buscador::cria(c, erro);
    Medida m;
    if (!b) return m;
    Varredura v(dados.size() + 1, [&](Varredura& x) { b->varre(dados, x); });
    const double cpu0 = Cpu(RUSAGE_THREAD);
    const auto t0 = Relogio::now();
    v.executaAqui();
    m.parede = Segundos(t0, Relogio::now());
    m.cpu = Cpu(RUSAGE_THREAD) - cpu0;
    m.contagem = static_cast<long long>(v.linhas().tamanho());
    return m;
}

// Espera a primeira pintura da vista com linhas do arquivo.
class PrimeiraTela : public QObject {
public:
    bool pintou = false;
    VisaoArquivo* visao = nullptr;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && visao && visao->fonte() &&
            visao->fonte()->quantidade() > 0)
            pintou = true;
        return QObject::eventFilter(o, e);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 2) {
        std::fprintf(stderr, "Uso: bench-tramil ARQUIVO\n");
        return 1;
    }
    const std::string caminho = argv[1];
    const auto tApp = Relogio::now();
    QApplication app(argc, argv);
    const double inicioQt = Segundos(tApp, Relogio::now());

    ArquivoMapeado arquivo;
    QString erro;
    if (!arquivo.abre(QString::fromLocal8Bit(caminho.c_str()), erro)) {
        std::fprintf(stderr, "%s\n", erro.toLocal8Bit().constData());
        return 1;
    }
    const double mb = static_cast<double>(arquivo.tamanho()) / (1024.0 * 1024.0);
    std::printf("Arquivo: %s, %.0f MB\n", caminho.c_str(), mb);
    // Aquece o cache do sistema, para todos medirem o mesmo (arquivo na memória).
    const Medida wc = Grep("", "^90", caminho);
    (void)wc;

    // 1. Primeira tela do visualizador.
    {
        JanelaTexto j;
        PrimeiraTela espia;
        espia.visao = j.visao();
        j.visao()->viewport()->installEventFilter(&espia);
        j.show();
        QTest::qWait(200); // janela já na tela antes de abrir, como quem escolhe o arquivo
        const auto t0 = Relogio::now();
        j.abre(QString::fromLocal8Bit(caminho.c_str()));
        while (!espia.pintou && Segundos(t0, Relogio::now()) < 30)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double primeira = Segundos(t0, Relogio::now());
        while (!j.indice()->completo())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const double completo = Segundos(t0, Relogio::now());
        std::printf("\nVisualizador (janela offscreen; o Qt iniciou em %.3f s)\n", inicioQt);
        std::printf("  primeira tela com as linhas:  %8.3f s\n", primeira);
        std::printf("  índice de linhas completo:    %8.3f s (%lld linhas, %.0f MB/s)\n", completo,
                    static_cast<long long>(j.indice()->linhasConhecidas()), mb / completo);
        // Rolagem: posições espalhadas pelo arquivo, cada uma pintada.
        const auto n = j.indice()->linhasConhecidas();
        const auto tr = Relogio::now();
        const double cr = Cpu(RUSAGE_THREAD);
        const int saltos = 200;
        for (int k = 0; k < saltos; ++k) {
            j.visao()->vaiParaLinhaReal(n / saltos * k + (k * 7919) % 1000, 0);
            j.visao()->viewport()->repaint();
        }
        std::printf("  cursor em outro ponto:        %8.3f ms por salto (CPU %.3f ms), com o "
                    "painel de campos (%d saltos)\n",
                    Segundos(tr, Relogio::now()) * 1000 / saltos,
                    (Cpu(RUSAGE_THREAD) - cr) * 1000 / saltos, saltos);
        // Rolagem pela barra, do começo ao fim do arquivo, sem mexer no cursor.
        auto* barra = j.visao()->verticalScrollBar();
        const auto tb = Relogio::now();
        const double cb = Cpu(RUSAGE_THREAD);
        const int passos = 500;
        for (int k = 0; k < passos; ++k) {
            barra->setValue(
                static_cast<int>(static_cast<long long>(barra->maximum()) * k / passos));
            j.visao()->viewport()->repaint();
        }
        std::printf("  rolagem pela barra:           %8.3f ms por tela pintada (CPU %.3f ms; %d "
                    "telas pelo arquivo)\n",
                    Segundos(tb, Relogio::now()) * 1000 / passos,
                    (Cpu(RUSAGE_THREAD) - cb) * 1000 / passos, passos);
    }

    // 2. Busca ao lado do grep -c.
    std::printf(
        "\nBusca (contagem de linhas com ocorrência)        Tramil                 grep -c\n");
    struct Caso {
        const char* nome;
        CriterioBusca criterio;
        std::string opcoesGrep, padraoGrep;
    };
    const Caso casos[] = {
        {"palavra, maiúsculas exatas", {QStringLiteral("ISENTO"), false, true}, "-F", "ISENTO"},
        {"palavra, sem diferenciar", {QStringLiteral("isento"), false, false}, "-F -i", "isento"},
        {"palavra rara", {QStringLiteral("SEMREGISTRO75"), false, true}, "-F", "SEMREGISTRO75"},
        {"expressão ^54.*P", {QStringLiteral("^54.*P"), true, true}, "-E", "^54.*P"},
        {"expressão 5102|6102", {QStringLiteral("5102|6102"), true, true}, "-E", "5102|6102"},
    };
    for (const auto& c : casos) {
        const Medida t = Busca(arquivo.dados(), c.criterio);
        const Medida g = Grep(c.opcoesGrep, c.padraoGrep, caminho);
        std::printf("  %-28s %11lld linhas  %6.0f MB/s (CPU %5.2f s)  %6.0f MB/s (CPU %5.2f s)%s\n",
                    c.nome, t.contagem, mb / std::max(t.cpu, 1e-6), t.cpu,
                    mb / std::max(g.cpu, 1e-6), g.cpu,
                    t.contagem == g.contagem ? "" : "  CONTAGENS DIFERENTES");
    }

    // 3. Filtro por tipo.
    {
        std::vector<bool> classes(static_cast<std::size_t>(ClasseOutros()) + 1, false);
        classes[static_cast<std::size_t>(CodigosClasses().indexOf(QStringLiteral("54")))] = true;
        Varredura v(arquivo.dados().size(), TrabalhoFiltroClasses(arquivo.dados(), classes));
        const double cpu0 = Cpu(RUSAGE_THREAD);
        v.executaAqui();
        const double cpu = Cpu(RUSAGE_THREAD) - cpu0;
        std::printf("\nFiltro por tipo 54: %lld linhas, CPU %.2f s, %.0f MB/s\n",
                    static_cast<long long>(v.linhas().tamanho()), cpu, mb / cpu);
    }

    // 4. Índice de documentos.
    {
        IndiceNotas ix(arquivo.dados());
        const double cpu0 = Cpu(RUSAGE_THREAD);
        const auto t0 = Relogio::now();
        ix.indexaAqui();
        const double parede = Segundos(t0, Relogio::now());
        const double cpu = Cpu(RUSAGE_THREAD) - cpu0;
        const double registros = static_cast<double>(ix.registrosLidos());
        std::printf("\nÍndice de documentos: %zu documentos em %.0f registros\n",
                    ix.documentos().size(), registros);
        std::printf("  CPU %.2f s (parede %.2f s): %.2f milhões de registros/s, %.0f MB/s; índice "
                    "%.0f MB\n",
                    cpu, parede, registros / cpu / 1e6, mb / cpu,
                    static_cast<double>(ix.bytesUsados()) / 1048576.0);
        std::printf("  memória própria com o índice pronto (RssAnon): %lld MB\n",
                    StatusKb("RssAnon:") / 1024);
    }
    std::printf("\nPico do processo (VmHWM, inclui as páginas do arquivo mapeado): %lld MB\n",
                StatusKb("VmHWM:") / 1024);
    return 0;
}
