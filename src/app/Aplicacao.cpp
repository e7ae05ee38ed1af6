#include "app/Aplicacao.h"

#include "app/Inicializacao.h"
#include "app/LinhaDeComando.h"
#include "app/Principal.h"
#include "engine/Definicoes.h"
#include "platform/PlataformaQt.h"
#include "validation/Sessao.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace korventa {

int executaAplicacao(int argc, char** argv) {
    // Datas, tamanhos e tipos de arquivo dos diálogos em português; a conferência das opções
    // regionais do início continua lendo o formato do sistema.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QApplication app(argc, argv);
    app.setApplicationName(QString::fromLatin1(TituloPrograma));
    // Os textos do próprio Qt (botões "Sim", "Não", "Cancelar") em português, qualquer que
    // seja o idioma da máquina.
    QTranslator traducaoQt;
    if (traducaoQt.load(QStringLiteral("qtbase_pt_BR"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&traducaoQt);

    PlataformaQt plataforma;
    Sessao sessao(plataforma);
    sessao.pastaPrograma = QCoreApplication::applicationDirPath();
    Principal janela(sessao);
    plataforma.defineJanela(&janela);
    janela.aoEncerrar = [&app] { app.quit(); };

    ParametrosInicio parametros;
    parametros.linhaDeComando = MontaLinhaDeComando(app.arguments().mid(1));
    parametros.nomeExecutavel = QFileInfo(app.applicationFilePath()).completeBaseName();
    parametros.chaveInstancia = InstanciaUnica::chavePadrao();
    Inicializacao inicio(sessao, janela, parametros);
    // Um início interrompido termina o programa sem gravar nem apagar nada.
    if (!inicio.executa()) return 0;
    return app.exec();
}

} // namespace korventa
