// Pasta temporária só do usuário, dentro da temporária do sistema. Os arquivos de trabalho e o
// log têm nomes fixos: direto na pasta comum a todos, o arquivo deixado por outro usuário
// impediria a gravação (e um nome previsível ali pode ser uma ligação plantada por outro).
#pragma once

#include <QString>

namespace korventa {

struct PastaTemporaria {
    QString caminho;         // vazio quando nenhuma pasta segura pôde ser preparada
    bool provisoria = false; // nome único desta execução, a remover no fim
};

// Prepara "<base>/ValidadorKorventa2017-<uid>" com permissão só do dono, conferindo que é uma
// pasta de verdade (não uma ligação) e do próprio usuário. Quando esse nome não serve, cria uma
// pasta de nome único ao lado; quando nem isso dá, devolve o caminho vazio.
PastaTemporaria PreparaPastaTemporaria(const QString& base);

// Faz da pasta a temporária do processo (QDir::tempPath, o log do motor e os programas
// iniciados daqui a herdam).
void UsaPastaTemporaria(const PastaTemporaria& pasta);

// No fim: a pasta provisória sai quando ficou vazia.
void EncerraPastaTemporaria(const PastaTemporaria& pasta);

} // namespace korventa
