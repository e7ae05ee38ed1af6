// Diálogo "Impressão do Relatório de Críticas": o que imprimir (erros, advertências ou tudo),
// o intervalo de páginas e a impressora, que deve estar em paisagem.
#pragma once

#include "critiques/ImpressaoCriticas.h"

#include <QDialog>
#include <memory>
#include <optional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korventa {

struct Sessao;

class DlgSetupCriticas : public QDialog {
    Q_OBJECT
public:
    // Carregamento: escolhe o arquivo, confere que ele tem críticas, põe a impressora em
    // paisagem e escolhe o tipo pelo filtro da página. Nulo quando o arquivo não foi aceito (a
    // mensagem já foi mostrada).
    static std::unique_ptr<DlgSetupCriticas> Carrega(Sessao& s, std::optional<int> arquivo,
                                                     FiltroCriticas filtroDaPagina,
                                                     QWidget* pai = nullptr);

    // Escolha de "Erros", "Advertências" ou "Tudo": páginas, "Todas as páginas", 1 a P.
    void escolheTipo(FiltroCriticas tipo);
    // "Impressora...".
    void AbrePrintSetup();
    // Conferências de "Imprimir" (e de "Visualizar..."): o pedido, ou nada quando uma
    // mensagem parou.
    std::optional<PedidoCriticas> conferePedido();
    // "Imprimir": confere, escolhe o arquivo quando a impressora é a PDF, imprime com
    // DlgPrintCriticas e fecha.
    void CommandImprimir_Click();
    // "Visualizar...": as páginas pedidas na visualização, de onde o usuário imprime ou não.
    void CommandVisualizar_Click();

    int linhasPorPagina() const { return linhas_; }
    int paginas() const { return paginas_; }
    FiltroCriticas tipo() const;

private:
    DlgSetupCriticas(Sessao& s, int arquivo, QWidget* pai);
    void montaControles();
    void atualizaImpressora();
    void somenteDigitos(QLineEdit* caixa);

    Sessao& s_;
    int arquivo_;
    int linhas_ = 1;
    int paginas_ = 0;
    QButtonGroup* grupoTipo_ = nullptr;
    QRadioButton* tipos_[3] = {};
    QRadioButton* todas_ = nullptr;
    QRadioButton* intervalo_ = nullptr;
    QLineEdit* inicio_ = nullptr;
    QLineEdit* fim_ = nullptr;
    QLabel* labelImpressora_ = nullptr;
    QLabel* labelOrientacao_ = nullptr;
    QLabel* labelPapel_ = nullptr;
};

// "Imprimir..." da página Críticas.
void BotaoCriticasImprimir_Click(Sessao& s, std::optional<int> arquivo,
                                 FiltroCriticas filtroDaPagina, QWidget* pai);

} // namespace korventa
