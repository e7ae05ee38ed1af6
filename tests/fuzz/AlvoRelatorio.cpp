// Alvo de fuzzing: o leitor do relatório de críticas do programa (listagem com e sem filtro e
// limite, campos de cada crítica e exportação) sobre um relatório qualquer.
#include "AlvoApoio.h"

#include "critiques/ArmazemCriticas.h"
#include "critiques/ExportaCriticas.h"
#include "critiques/ListagemCriticas.h"

#include <QString>

using namespace korventa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string caminho = fuzz::pasta() + "Criticas.tmp";
    fuzz::grava(caminho, dados, tamanho);
    const QStringList relatorios{QString::fromStdString(caminho)};

    ArmazemCriticas tudo;
    const auto r = ListaRelatorios(relatorios, FiltroCriticas::Tudo, 1 << 20, tudo);
    if (r.fim == FimListagem::Limite) fuzz::falha("limite alcançado numa entrada pequena");
    for (qsizetype i = 0; i < tudo.tamanho(); ++i) {
        (void)tudo.linha(i);
        (void)tudo.mensagem(i);
        (void)tudo.registro(i);
        (void)tudo.campo(i);
        (void)tudo.localizador(i);
    }
    // Filtro e limite pequeno: a lista para no meio do arquivo.
    ArmazemCriticas erros;
    (void)ListaRelatorios(relatorios, FiltroCriticas::Erros, 2, erros);
    if (erros.tamanho() > 2) fuzz::falha("listagem passou do limite");
    if (erros.tamanho() > tudo.tamanho()) fuzz::falha("o filtro achou mais que a lista inteira");

    const QString destino = QString::fromStdString(fuzz::pasta() + "exportado.txt");
    if (!ExportaRelatorios(relatorios, destino).ok) fuzz::falha("exportação falhou");
    return 0;
}
