// Página Utilitários (aba 6): os dois modos do utilitário, cada um com a sua descrição e o
// botão "Abrir...".
#pragma once

#include <QWidget>

namespace korventa {

struct Sessao;
class BotaoComAcao;

class PaginaUtilitarios : public QWidget {
public:
    PaginaUtilitarios(Sessao& sessao, QWidget* pai);

    // "Abrir..." de " Consulta Nota Fiscal " e de " Visualizar Arquivo ".
    BotaoComAcao* botaoNotasFiscais() const { return notasFiscais_; }
    BotaoComAcao* botaoArquivoTexto() const { return arquivoTexto_; }

private:
    BotaoComAcao* notasFiscais_;
    BotaoComAcao* arquivoTexto_;
};

} // namespace korventa
