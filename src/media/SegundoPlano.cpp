#include "media/SegundoPlano.h"

#include "platform/Plataforma.h"
#include "validation/Sessao.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

namespace korventa {

namespace {
AndamentoExterno* g_externo = nullptr;
} // namespace

AndamentoExterno::AndamentoExterno() : anterior_(g_externo) {
    g_externo = this;
}

AndamentoExterno::~AndamentoExterno() {
    g_externo = anterior_;
}

std::int32_t ExecutaEmSegundoPlano(Sessao& s, const QString& texto,
                                   std::function<std::int32_t()> trabalho,
                                   std::function<int()> progresso) {
    std::atomic<bool> terminou{false};
    std::int32_t resultado = 0;
    QEventLoop laco;
    std::thread t([&] {
        resultado = trabalho();
        terminou = true;
        QMetaObject::invokeMethod(&laco, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // O diálogo modal impede que outra ação comece (ou a janela feche) no meio do trabalho.
    std::unique_ptr<QProgressDialog> dlg;
    AndamentoExterno* externo = g_externo;
    if (externo) {
        externo->andamento(texto, progresso ? 0 : -1);
    } else if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // Sem janela ativa (gerenciador de janelas ainda sem foco) o diálogo se centra na
        // primeira janela visível.
        QWidget* dono = QApplication::activeWindow();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!dono && w->isVisible()) dono = w;
        dlg = std::make_unique<QProgressDialog>(texto, QString(), 0, progresso ? 100 : 0, dono);
        dlg->setObjectName(QStringLiteral("DlgProgressoMidia"));
        dlg->setAccessibleName(texto);
        dlg->setWindowTitle(texto);
        dlg->setWindowModality(Qt::ApplicationModal);
        dlg->setCancelButton(nullptr);
        // Só aparece quando o trabalho passa de um instante: gerações pequenas não piscam.
        dlg->setMinimumDuration(300);
        dlg->setAutoClose(false);
        dlg->setAutoReset(false);
    }
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        if (dlg && progresso) dlg->setValue(qBound(0, progresso(), 100));
        if (externo && progresso) externo->andamento(texto, qBound(0, progresso(), 100));
    });
    relogio.start(100);
    while (!terminou) {
        laco.exec();
        s.plataforma.processarEventos();
    }
    t.join();
    relogio.stop();
    return resultado;
}

} // namespace korventa
