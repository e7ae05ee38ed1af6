#include "app/Aplicacao.h"

#include "app/Inicializacao.h"
#include "app/LinhaDeComando.h"
#include "app/Principal.h"
#include "app/Produto.h"
#include "app/SinaisEncerramento.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/PastaTemporaria.h"
#include "platform/PlataformaQt.h"
#include "validation/Sessao.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace korventa {

int executaAplicacao(int argc, char** argv) {
    // Antes de tudo: o log do motor e os arquivos de trabalho vão para a pasta só do usuário.
    const PastaTemporaria temporaria = PreparaPastaTemporaria(QDir::tempPath());
    UsaPastaTemporaria(temporaria);
    // Datas, tamanhos e tipos de arquivo dos diálogos em português; a conferência das opções
    // regionais do início continua lendo o formato do sistema.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QApplication app(argc, argv);
    app.setApplicationName(QString::fromLatin1(TituloPrograma));
    // Liga as janelas ao menu e ao ícone instalados (o ícone embutido vale sem o tema).
    app.setDesktopFileName(QString::fromLatin1(IdentificacaoDesktop));
    app.setWindowIcon(QIcon::fromTheme(QString::fromLatin1(IdentificacaoDesktop),
                                       QIcon(QStringLiteral(":/icones/128.png"))));
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
    parametros.arquivos = ArquivosDaLinhaDeComando(app.arguments().mid(1), QDir::currentPath());
    SinaisEncerramento sinais([&janela] {
        if (QApplication::activeModalWidget()) {
            Log(LogDetalhe, QStringLiteral("Pedido de encerramento do sistema com dialogo aberto: "
                                           "ignorado."));
            return;
        }
        janela.close();
    });
    Inicializacao inicio(sessao, janela, parametros);
    // Um início interrompido termina o programa sem gravar nem apagar nada.
    const int saida = inicio.executa() ? app.exec() : 0;
    EncerraPastaTemporaria(temporaria);
    return saida;
}

} // namespace korventa
