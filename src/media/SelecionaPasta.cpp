#include "media/SelecionaPasta.h"

#include "platform/Plataforma.h"

#include <QFileInfo>

namespace korventa {

namespace {

bool Unidade(const QString& pasta) {
    return pasta.size() == 2 && pasta.at(1) == QLatin1Char(':') && pasta.at(0).isLetter();
}

// Disquetes vão sem consulta: o acesso demoraria ou pediria um disco.
bool Disquete(const QString& pasta) {
    return pasta.size() >= 2 && pasta.at(1) == QLatin1Char(':') &&
           (pasta.at(0).toUpper() == QLatin1Char('A') || pasta.at(0).toUpper() == QLatin1Char('B'));
}

} // namespace

QString SelecionaPasta(Plataforma& p, const QString& pastaInicial, const QString& titulo) {
    QString inicial = pastaInicial;
    if (Unidade(inicial)) inicial += QLatin1Char('\\');
    if (!Disquete(inicial) && !QFileInfo(inicial).isDir()) inicial.clear();
    const auto escolha = p.escolherPasta(titulo, inicial);
    if (!escolha || escolha->isEmpty()) return QString();
    if (!QFileInfo(*escolha).isDir()) {
        p.mensagem(QStringLiteral("ATENÇÃO: Foi selecionado ") + *escolha +
                       QStringLiteral(" que não é um diretório.\rSOLUÇÃO: Selecione um diretório."),
                   Icone::Exclamacao, Botoes::Ok,
                   QStringLiteral("Selecione a pasta de mídias ..."));
        return QString();
    }
    return *escolha;
}

} // namespace korventa
