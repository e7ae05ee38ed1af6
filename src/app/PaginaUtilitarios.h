// Página "Utilitários" (aba 6): os dois modos do programa utilitário, cada um num quadro com a
// sua descrição e o botão que o abre. Os botões ficam desabilitados até receberem a ação que
// inicia o utilitário.
#pragma once

#include <QWidget>

namespace korventa {

struct Sessao;
class BotaoComAcao;

class PaginaUtilitarios : public QWidget {
    Q_OBJECT
public:
    PaginaUtilitarios(Sessao& sessao, QWidget* pai = nullptr);

    // "Abrir..." do quadro " Consulta Nota Fiscal " e do quadro " Visualizar Arquivo ".
    BotaoComAcao* botaoNotasFiscais() const { return notasFiscais_; }
    BotaoComAcao* botaoArquivoTexto() const { return arquivoTexto_; }

private:
    Sessao& sessao_;
    BotaoComAcao* notasFiscais_;
    BotaoComAcao* arquivoTexto_;
};

} // namespace korventa
