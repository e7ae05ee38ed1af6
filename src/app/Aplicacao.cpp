#include "app/Aplicacao.h"

#include "engine/Definicoes.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QTranslator>

namespace korventa {

int executaAplicacao(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QString::fromLatin1(TituloPrograma));
    // Os textos do próprio Qt (botões "Sim", "Não", "Cancelar") em português, qualquer que
    // seja o idioma da máquina.
    QTranslator traducaoQt;
    if (traducaoQt.load(QStringLiteral("qtbase_pt_BR"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&traducaoQt);

    QMainWindow janela;
    janela.setWindowTitle(QString::fromLatin1(TituloPrograma));
    janela.resize(800, 600);
    janela.show();
    return app.exec();
}

} // namespace korventa
