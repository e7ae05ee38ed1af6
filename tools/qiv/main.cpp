// qiv [-l N] "<mídia>": o simulador do programa de transmissão, iniciado como o de verdade.
#include "JanelaQIV.h"

#include "engine/Bibliotecas.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString midia;
    int nivel = 0;
    const QStringList argumentos = app.arguments().mid(1);
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos.at(i);
        if (a.compare(QLatin1String("-l"), Qt::CaseInsensitive) == 0 && i + 1 < argumentos.size())
            nivel = argumentos.at(++i).toInt();
        else if (!a.startsWith(QLatin1Char('-')))
            midia = a;
    }
    if (auto* ligar = KORVENTA_FUNCAO("Kelvor", LigarLog)) ligar("QIV", nivel);
    korventa::qiv::JanelaQIV janela;
    janela.abreMidia(midia);
    janela.show();
    return app.exec();
}
