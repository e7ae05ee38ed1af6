// Tramil: o utilitário que o validador inicia com -Texto (Visualizar Arquivo) ou -Notas
// (Consulta Nota Fiscal), talvez -Log, e o caminho do arquivo.
#include "engine/Log.h"
#include "nucleo/LinhaComando.h"
#include "nucleo/LogTramil.h"
#include "telas/Comum.h"
#include "telas/JanelaNotas.h"
#include "telas/JanelaTexto.h"
#include "telas/Mensagens.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("ValidadorKorventa2017"));
    app.setApplicationName(QStringLiteral("Tramil"));
    // Os textos do próprio Qt em português, como no validador.
    QTranslator traducaoQt;
    if (traducaoQt.load(QStringLiteral("qtbase_pt_BR"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&traducaoQt);

    const tramil::OpcoesTramil o = tramil::InterpretaArgumentos(app.arguments().mid(1));
    if (o.ajuda) {
        std::fputs(tramil::TextoAjuda().toLocal8Bit().constData(), stdout);
        return 0;
    }
    tramil::LigaLog(o.log);
    const bool notas = o.modo == tramil::Modo::Notas;
    korventa::Log(korventa::LogDetalhe,
                  QStringLiteral("Tramil ") +
                      (notas ? QStringLiteral("-Notas ") : QStringLiteral("-Texto ")) + o.caminho +
                      QStringLiteral("..."));
    if (!o.erro.isEmpty()) {
        tramil::Mensagem(nullptr, QMessageBox::Warning,
                         o.erro + QStringLiteral("\n\n") + tramil::TextoAjuda());
        return 1;
    }

    QString caminho = o.caminho;
    if (caminho.isEmpty()) {
        caminho = tramil::PerguntaArquivo(
            nullptr, notas ? QStringLiteral("Consulta Nota Fiscal: abrir arquivo Convênio 57/95")
                           : QStringLiteral("Visualizar Arquivo: abrir arquivo Convênio 57/95"));
        if (caminho.isEmpty()) return 0;
    }

    int resultado = 0;
    if (notas) {
        tramil::JanelaNotas janela;
        janela.show();
        janela.abre(caminho);
        resultado = app.exec();
    } else {
        tramil::JanelaTexto janela;
        janela.show();
        if (janela.abre(caminho) && !o.criticas.isEmpty()) janela.abreCriticas(o.criticas);
        resultado = app.exec();
    }
    korventa::Log(korventa::LogDetalhe, QStringLiteral("Fim Tramil."));
    return resultado;
}
