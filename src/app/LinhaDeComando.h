// Opções da linha de comando: "-?" (sintaxe) e "-l"/"-L" seguido do nível de log.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace korventa {

struct OpcoesLinhaDeComando {
    bool pedeSintaxe = false;
    std::int16_t nivelLog = 0;
};

// Lê a linha de comando (sem o nome do programa), separada em até 10 argumentos.
OpcoesLinhaDeComando InterpretaLinhaDeComando(const QString& linha);

// "Sintaxe: <programa> [-l <nível de LOG>]".
QString TextoSintaxe(const QString& nomeExecutavel);

// Arquivos pedidos na linha de comando ("Abrir com" do gerenciador de arquivos): os argumentos
// (argv sem o programa) que não são opções nem o número que segue "-l", como caminhos absolutos a
// partir de pastaAtual (o início troca a pasta corrente pela das configurações). Com "-?" no
// primeiro argumento não há arquivos: o programa só mostra a sintaxe.
QStringList ArquivosDaLinhaDeComando(const QStringList& argumentos, const QString& pastaAtual);

// Remonta a linha de comando a partir dos argumentos já separados pelo sistema (argv sem o
// programa), com aspas em volta dos que têm brancos, para passar pela mesma separação.
QString MontaLinhaDeComando(const QStringList& argumentos);

} // namespace korventa
