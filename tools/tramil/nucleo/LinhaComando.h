// Opções do Tramil. O validador o inicia com " -Texto " ou " -Notas ", talvez "-Log ", e o
// caminho entre aspas; a linha pode chegar já separada pelo sistema ou como um texto só com
// brancos e aspas dentro. As duas formas dão o mesmo resultado.
#pragma once

#include <QString>
#include <QStringList>

namespace tramil {

enum class Modo { Texto, Notas };

struct OpcoesTramil {
    Modo modo = Modo::Texto;
    bool log = false;
    bool ajuda = false;
    QString caminho;  // vazio: perguntar
    QString criticas; // relatório de críticas do validador, para o visualizador de arquivo
    QString erro;     // opção desconhecida ou sem valor
};

// `argumentos` sem o nome do programa.
OpcoesTramil InterpretaArgumentos(const QStringList& argumentos);

QString TextoAjuda();

} // namespace tramil
