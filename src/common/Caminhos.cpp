#include "common/Caminhos.h"

#include <QDir>

namespace korventa {

namespace {

bool EhSeparador(QChar c) {
    return c == u'\\' || c == u'/';
}

qsizetype UltimoSeparador(const QString& caminho) {
    return qMax(caminho.lastIndexOf(u'\\'), caminho.lastIndexOf(u'/'));
}

} // namespace

QString PastaDoArquivo(const QString& caminho) {
    const qsizetype sep = UltimoSeparador(caminho);
    return sep < 0 ? QString() : caminho.left(sep);
}

QString NomeDoArquivo(const QString& caminho) {
    const qsizetype sep = UltimoSeparador(caminho);
    return sep < 0 ? caminho : caminho.mid(sep + 1);
}

QString JuntaCaminho(const QString& pasta, const QString& nome) {
    const bool pastaTermina = !pasta.isEmpty() && EhSeparador(pasta.back());
    const bool nomeComeca = !nome.isEmpty() && EhSeparador(nome.front());
    if (pastaTermina) return nomeComeca ? pasta + nome.mid(1) : pasta + nome;
    return nomeComeca ? pasta + nome : pasta + QDir::separator() + nome;
}

} // namespace korventa
