// Lista uma pasta de N mídias (5.000 por padrão) como o botão "Listar" faz: recibos carregados,
// blocos lidos na thread de leitura e as linhas acrescentadas aos poucos numa lista à vista.
// Mede o tempo até a primeira linha, o tempo total (parede e CPU) e o maior intervalo sem que a
// interface rodasse os seus eventos.
//   bench-listagem [N] [linhas do arquivo fiscal de cada mídia]
#include "GeradorExemplo.h"
#include "apoio/PlataformaRoteirizada.h"
#include "engine/Bibliotecas.h"
#include "media/CacheRecibos.h"
#include "media/ListagemMidias.h"
#include "midia/ChavesMidia.h"
#include "validation/Motor.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <sys/resource.h>

using namespace korventa;

namespace {

double Cpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Registra o intervalo entre duas voltas do laço de eventos.
class PlataformaMedida : public testes::PlataformaRoteirizada {
public:
    QElapsedTimer relogio;
    qint64 ultima = 0, maiorIntervalo = 0;
    void processarEventos() override {
        const qint64 t = relogio.nsecsElapsed();
        maiorIntervalo = qMax(maiorIntervalo, t - ultima);
        ultima = t;
        PlataformaRoteirizada::processarEventos();
    }
};

void Grava(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

bool GeraModelo(const QString& pasta, int registros, QString& caminho) {
    kelvor::exemplo::Opcoes o;
    o.registros = registros;
    const QByteArray fiscal = QByteArray::fromStdString(kelvor::exemplo::geraTexto(o));
    const QString r10 = QString::fromLatin1(fiscal.left(126));
    Grava(pasta + QStringLiteral("/fiscal.txt"), fiscal);
    Grava(pasta + QStringLiteral("/Validacao2.resumo"), fiscal.left(256) + "\r\n");
    Grava(pasta + QStringLiteral("/Totais.CFOP"), " \r\n");
    Grava(pasta + QStringLiteral("/Comprovante.tmp"), "comprovante\r\n");
    const QString lista = pasta + QStringLiteral("/fiscal.txt,txt,1;") + pasta +
                          QStringLiteral("/Validacao2.resumo,resumo,0;") + pasta +
                          QStringLiteral("/Totais.CFOP,CFOP,0;");
    const QString info =
        (QStringLiteral("0123456789") + r10.mid(2, 14) + r10.mid(16, 14) + r10.mid(95, 2) + r10)
            .leftJustified(502) +
        QStringLiteral("ABCDEF0101");
    caminho = pasta + QStringLiteral("/modelo.zip");
    auto* gera = KORVENTA_FUNCAO("GerarMidiaQIV", GerarMidiaQivEx);
    char msg[1000] = {};
    const std::string variante = midia::ChaveVariante(false), chave = *midia::ChaveDaUF("SP");
    if (!gera || gera(CaminhoParaMotor(lista).constData(), CaminhoParaMotor(caminho).constData(),
                      CaminhoParaMotor(pasta + QStringLiteral("/Comprovante.tmp")).constData(),
                      "CL_PADRAO", "", "CONV579532v2", variante.c_str(), "01", "5", "4", "0", "",
                      TextoParaMotor(info).constData(), chave.c_str(), msg, 1000) != 0) {
        std::fprintf(stderr, "bench-listagem: mídia modelo: %s\n", msg);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    defineBibliotecas(std::make_unique<Bibliotecas>(QStringLiteral(KORVENTA_BIN_DIR)));
    const int quantas = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int registros = argc > 2 ? std::atoi(argv[2]) : 200;

    QTemporaryDir trabalho;
    const QString pastaMidias = trabalho.filePath(QStringLiteral("midias"));
    QDir().mkpath(pastaMidias);
    QString modelo;
    if (!GeraModelo(trabalho.path(), registros, modelo)) return 1;
    for (int i = 0; i < quantas; ++i)
        QFile::copy(modelo,
                    pastaMidias + QStringLiteral("/midia%1.zip").arg(i, 5, 10, QLatin1Char('0')));
    std::printf("%d mídias de %lld bytes (arquivo fiscal de %d registros)\n", quantas,
                QFile(modelo).size(), registros);

    PlataformaMedida p;
    CacheRecibos recibos;
    QTreeWidget lista;
    lista.setColumnCount(4);
    lista.resize(800, 600);
    lista.show();
    app.processEvents();

    ListagemMidias listagem(p, recibos);
    qint64 primeira = -1;
    const double cpu0 = Cpu();
    p.relogio.start();
    const FimListagem fim = listagem.lista(pastaMidias, [&](const QVector<LinhaMidia>& linhas) {
        if (primeira < 0) primeira = p.relogio.nsecsElapsed();
        AcrescentaLinhasMidias(&lista, linhas);
    });
    const double parede = double(p.relogio.nsecsElapsed()) / 1e9;
    const double cpu = Cpu() - cpu0;
    std::printf("linhas listadas: %d de %d\n", fim.linhas, quantas);
    std::printf("primeira linha: %.1f ms\n", double(primeira) / 1e6);
    std::printf("total: %.2f s de parede, %.2f s de CPU (%.0f mídias/s pela parede)\n", parede, cpu,
                quantas / parede);
    std::printf("maior intervalo sem eventos da interface: %.1f ms\n",
                double(p.maiorIntervalo) / 1e6);
    return fim.linhas == quantas ? 0 : 2;
}
