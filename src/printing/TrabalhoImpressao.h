// Um documento na impressora atual: desenha, confere se coube nas páginas, termina ou descarta.
// Com a visualização pedida no diálogo, a conferência corre numa passagem só de medida e as
// páginas aparecem na visualização, de onde o usuário imprime ou desiste.
#pragma once

#include "printing/SuperficieImpressao.h"

#include <QString>
#include <functional>

namespace korventa {

struct Sessao;

enum class FimTrabalho {
    Impresso,     // documento terminado (ou impresso da visualização)
    NadaImpresso, // o relatório não desenhou nada: nem termina nem descarta
    NaoImpresso,  // visualizado e fechado sem imprimir
    NaoCoube,     // passou das páginas previstas: descartado
    Falhou        // erro do documento (ver erro): descartado
};

struct ResultadoTrabalho {
    FimTrabalho fim = FimTrabalho::Impresso;
    ErroImpressao erro;
    int orientacao = 0; // da impressora no fim do desenho
};

// `desenha` devolve as páginas previstas (0 quando não prevê) ou -1 quando não desenhou nada;
// `coube` recebe as previstas e o número da página no fim do desenho.
ResultadoTrabalho ExecutaTrabalho(Sessao& s, const QString& documento, bool visualizar,
                                  const std::function<int(SuperficieImpressao&)>& desenha,
                                  const std::function<bool(int previstas, int pagina)>& coube);

} // namespace korventa
