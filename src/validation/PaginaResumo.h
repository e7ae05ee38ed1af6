// Página "Resumo" de um arquivo: veredicto, grade de totais por tipo de registro e, pelas opções
// "Listar:", as listas de totais por registro, por CFOP e por CFOP e registro.
#pragma once

#include "validation/GradeTotalizadores.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QLabel;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QTreeWidget;

namespace korventa {

struct Sessao;
class BotaoComAcao;

class PaginaResumo : public QWidget {
    Q_OBJECT
public:
    enum Visao { VisaoValidacao = 0, VisaoRegistros = 1, VisaoCFOP = 2, VisaoCFOPxReg = 3 };

    PaginaResumo(Sessao& s, QWidget* pai = nullptr);

    // Página como fica sem arquivo validado (FecharArquivo e início do programa).
    void Limpa();
    // Célula (r, c + 1) da grade = célula (c, r) da tabela de totais da entrada n (os títulos
    // ficam no cabeçalho).
    void PreencheGrade(int n);
    // Estado da página depois de validar um arquivo (veredicto, opções, botões).
    void MostraValidacao(int n);
    void OptionListarResumo_Click(int indice);

    void habilitaOpcao(int indice, bool sim);
    void mostraListasTotais(bool sim);
    int visaoAtual() const;

    GradeTotalizadores* gradeTotalizadores() const { return grade_; }
    QTreeWidget* listTotaisRegistro() const { return listas_[0]; }
    QTreeWidget* listTotaisCFOP() const { return listas_[1]; }
    QTreeWidget* listTotaisRegCFOP() const { return listas_[2]; }
    QRadioButton* opcao(int indice) const { return opcoes_[indice]; }
    BotaoComAcao* botaoGerarMidia() const { return gerarMidia_; }
    BotaoComAcao* botaoImprimir() const { return imprimir_; }
    BotaoComAcao* botaoRecibo() const { return recibo_; }
    BotaoComAcao* botaoTransmitir() const { return transmitir_; }

private:
    void mostraVisao(int indice);
    // Vista da opção marcada e o botão de imprimir que vai com ela.
    void trocaVisao(int indice);

    Sessao& sessao_;
    QLabel* labelArquivo_;
    QLabel* labelResultado_;
    QButtonGroup* grupo_;
    std::array<QRadioButton*, 4> opcoes_{};
    QStackedWidget* pilha_;
    GradeTotalizadores* grade_;
    std::array<QTreeWidget*, 3> listas_{};
    std::array<bool, 4> visivel_{};
    BotaoComAcao* gerarMidia_;
    BotaoComAcao* imprimir_;
    BotaoComAcao* recibo_;
    BotaoComAcao* transmitir_;
};

} // namespace korventa
