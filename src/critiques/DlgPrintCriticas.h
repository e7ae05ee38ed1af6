// Diálogo "Impressão do Relatório de Críticas" que imprime: barra de progresso, a página em
// impressão e "Cancelar". A impressão começa quando o diálogo aparece e ele se fecha no fim.
#pragma once

#include "critiques/ImpressaoCriticas.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace korventa {

struct Sessao;

class DlgPrintCriticas : public QDialog {
    Q_OBJECT
public:
    // `pedido` traz TipoImpressao, PaginaInicial, PaginaFinal e UltimaPagina.
    DlgPrintCriticas(Sessao& s, const PedidoCriticas& pedido, QWidget* pai = nullptr);

    // Imprime na impressora atual e mostra como terminou. true quando o documento foi impresso.
    bool ImprimeCriticas();
    // Botão "Cancelar": a impressão para depois da linha em andamento.
    void cancela() { PediuCancelamento = true; }

    bool PediuCancelamento = false;

    QProgressBar* progresso() const { return progresso_; }
    QLabel* labelIntervalo() const { return intervalo_; }

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void paginaComecou(int pagina);

    Sessao& s_;
    PedidoCriticas pedido_;
    QProgressBar* progresso_;
    QLabel* intervalo_;
    QPushButton* cancelar_;
    bool imprimindo_ = false;
    bool comecou_ = false;
};

} // namespace korventa
