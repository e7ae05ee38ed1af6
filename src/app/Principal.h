// Janela principal: faixa de abas com as sete páginas, as oito molduras MeuTab, "Encerrar",
// versão e status. Dona da sessão durante a vida do programa; liga as páginas entre si.
#pragma once

#include "app/JanelaInicio.h"
#include "validation/Sessao.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QVBoxLayout;

namespace korventa {

class PaginaConfigurar;
class PaginaCriticas;
class PaginaResumo;
class PaginaResumoArquivos;
class PaginaValidar;
class PaginaMidias;
class PaginaSobre;
class PaginaUtilitarios;
class ProgramasCompanheiros;
struct EstadoMidias;

// Molduras (índice de MeuTab) de cada página.
enum Moldura : int {
    MolduraConfigurar = 0,
    MolduraValidar = 1,
    MolduraResumo = 2,
    MolduraCriticas = 3,
    MolduraMidias = 4,
    MolduraUtilitarios = 5,
    MolduraSobre = 6,
    MolduraResumoVarios = 7,
    QuantidadeMolduras = 8
};

class Principal : public QWidget, public JanelaInicio {
public:
    explicit Principal(Sessao& sessao, QWidget* pai = nullptr);
    ~Principal() override;

    // Moldura MeuTab(i), 0 a 7, com um QVBoxLayout sem margens pronto para receber a página.
    QWidget* moldura(int indice) const;

    // Verificações da página Configurar ao sair dela (só quando algo mudou). Devolve o campo que
    // deve receber o foco quando uma verificação falha, ou nulo quando tudo passou. Sem ela
    // ligada, sair da página não confere nada.
    std::function<QWidget*()> confereConfigurar;

    // Chamado depois de um fechamento aceito (o programa termina, mesmo com a ajuda aberta).
    std::function<void()> aoEncerrar;

    // Texto dos créditos (entradas separadas por "|") do quinto duplo clique no banner.
    static QString creditos();

    // Troca de página (clique na faixa de abas), com o índice 0 a 6 da aba escolhida.
    void trocaPagina(int indiceAba);
    // Pedido de fechamento: false quando recusado (validação em andamento).
    bool pedidoFechamento();
    // Duplo clique no banner Image1.
    void duploCliqueBanner();

    PaginaConfigurar* paginaConfigurar() const { return configurar_; }
    PaginaMidias* paginaMidias() const { return midias_; }
    PaginaUtilitarios* paginaUtilitarios() const { return utilitarios_; }
    ProgramasCompanheiros& programasCompanheiros() const { return *companheiros_; }

    // JanelaInicio
    void mostraJanela() override;
    void ampliaLeiaute() override;
    void trazParaFrente() override;
    void mostraVersoesComponentes(const VersoesComponentes& versoes) override;
    void mostraVersaoPrograma(const QString& versao, bool versaoDeTeste) override;
    void aplicaConfiguracoes() override;
    void preencheConfigurar() override;
    void preencheMidias() override;
    void selecionaAba(int aba) override;
    bool abreArquivos(const QStringList& arquivos) override;

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void montaCabecalho(QVBoxLayout* layout);
    void montaMolduras();
    void ligaConfigurar();
    void ligaProgramasCompanheiros();
    void guardaConfiguracoesDasPaginas();
    void apagaArquivosDeTrabalho();
    // Ctrl+Tab (1) e Ctrl+Shift+Tab (-1): a página seguinte ou a anterior, dando a volta.
    void avancaPagina(int passo);

    Sessao& sessao_;
    QTabBar* abas_;
    QStackedWidget* molduras_;
    QLabel* labelVersao_;
    QLabel* labelVersaoDeTeste_;
    QLabel* labelStatus_;
    QLabel* labelImprimindo_ = nullptr;
    QPushButton* botaoEncerrar_;
    PaginaConfigurar* configurar_ = nullptr;
    PaginaMidias* midias_ = nullptr;
    PaginaSobre* sobre_ = nullptr;
    PaginaUtilitarios* utilitarios_ = nullptr;
    PaginaValidar* validar_ = nullptr;
    PaginaResumo* resumo_ = nullptr;
    PaginaResumoArquivos* resumoArquivos_ = nullptr;
    PaginaCriticas* criticas_ = nullptr;
    std::unique_ptr<ProgramasCompanheiros> companheiros_;
    std::unique_ptr<EstadoMidias> estadoMidias_;
    int cliquesSobre_ = 0;
    bool fechada_ = false;
};

} // namespace korventa
