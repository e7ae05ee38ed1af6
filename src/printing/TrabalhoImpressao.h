// Um documento na impressora atual: desenha, confere se coube nas páginas, termina ou descarta.
// Com a visualização pedida no diálogo, a conferência corre numa passagem só de medida e as
// páginas aparecem na visualização, de onde o usuário imprime ou desiste.
#pragma once

#include "printing/SuperficieImpressao.h"

#include <QString>
#include <functional>

namespace korventa {

struct Sessao;
class clsPrintDialog;

// Diálogo de impressão até o usuário confirmar numa orientação aceita, ou desistir.
struct ConfirmacaoImpressora {
    QString documento;
    int exigida = 0; // orientação que o relatório exige; 0: qualquer uma
    QString logChamada;
    QString logVerifica;
    QString logCancelou;
    QString logErrada;      // vazio: não registra
    QString mensagemErrada; // caixa de exclamação da orientação que não é a exigida
};

// Páginas de 1 a 1 no diálogo. Confirmado: true, e a impressora "PDF" já com o arquivo escolhido
// (menos para visualizar). O ponteiro fica normal durante o diálogo e as caixas.
bool ConfirmaImpressora(Sessao& s, clsPrintDialog& dialogo, const ConfirmacaoImpressora& c);

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
// `coube` recebe as previstas e o número da página no fim do desenho. O indicador de impressão
// da janela mostra `rotulo` enquanto isso; no fim o arquivo PDF deste trabalho é esquecido.
ResultadoTrabalho ExecutaTrabalho(Sessao& s, const QString& rotulo, const QString& documento,
                                  bool visualizar,
                                  const std::function<int(SuperficieImpressao&)>& desenha,
                                  const std::function<bool(int previstas, int pagina)>& coube);

} // namespace korventa
