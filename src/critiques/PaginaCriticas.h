// Página "Críticas": a lista das críticas do arquivo escolhido (ListaArquivoCriticas), o detalhe
// do registro com o campo marcado e a exportação. Os métodos públicos são os procedimentos e
// tratadores da página. O construtor liga a eles os ganchos da Sessao que são desta página
// (preencheArquivosCriticas, listaCriticas, limpaCriticas, avisoCriticas, tituloDetalheCriticas,
// mostraCriticas) e o destrutor os desfaz.
#pragma once

#include "critiques/RelatorioCriticas.h"

#include <QWidget>
#include <optional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace korventa {

struct Sessao;
class CaixaRegistro;
class ModeloCriticas;

class PaginaCriticas : public QWidget {
    Q_OBJECT
public:
    PaginaCriticas(Sessao& sessao, QWidget* pai = nullptr);
    ~PaginaCriticas() override;

    // Gancho preencheArquivosCriticas: ComboArquivoCriticas com os arquivos validados da tabela
    // (nome, " ( REJEITADO )" quando rejeitado, índice como dado), sem nenhum escolhido.
    void preencheArquivos();
    // Gancho listaCriticas: ampulheta, eventos pendentes, ListaArquivoCriticas, seta.
    void listaComAmpulheta();
    // Troca para esta página (passo 8): com a lista marcada como desatualizada, lista de novo e
    // tira a marca.
    void aoMostrarPagina();
    // Escolhe em ComboArquivoCriticas o arquivo deste índice (lista-o se mudou a escolha).
    void selecionaArquivo(int indice);
    // Larguras das colunas e filtro a partir das configurações em memória (o construtor já
    // aplica; a janela principal chama de novo depois de ler as configurações).
    void aplicaConfiguracoes();
    // Gancho limpaCriticas: estado de nenhum arquivo aberto.
    void limpa();
    // Gancho avisoCriticas.
    void defineAviso(const QString& texto);
    // Gancho tituloDetalheCriticas: título de FrameDetalhe.
    void defineTituloDetalhe(const QString& titulo);
    // Gancho mostraCriticas: a validação deixou críticas (um arquivo: lista, botões e filtro;
    // vários: o combo).
    void mostraCriticas();

    // ListaArquivoCriticas.
    void listaArquivoCriticas();
    // Clique numa linha de ListaCriticas: detalhe da linha selecionada.
    void mostraDetalhe();
    // BotaoCriticasExportar_Click.
    void exporta();
    // BotaoCriticasImprimir_Click: DlgSetupCriticas do arquivo da página.
    void imprime();
    // ComboArquivoCriticas_Click e OptionListar_Click.
    void arquivoEscolhido();
    void filtroEscolhido();

    ModeloCriticas& modelo() { return *modelo_; }
    // RTF do detalhe mostrado por último.
    QByteArray rtfDetalhe() const;

private:
    void montaControles();
    // Índice do arquivo da página; nenhum quando há vários e nada está escolhido no combo.
    std::optional<int> arquivoDaPagina() const;
    FiltroCriticas filtroMarcado() const;
    void escondeDetalhe(const QString& texto);

    Sessao& s_;
    ModeloCriticas* modelo_ = nullptr;
    QLabel* labelRelatorio_ = nullptr;
    QComboBox* combo_ = nullptr;
    QGroupBox* grupoListar_ = nullptr;
    QButtonGroup* opcoes_ = nullptr;
    QRadioButton* opcao_[3] = {};
    QPushButton* exportar_ = nullptr;
    QPushButton* imprimir_ = nullptr;
    QPushButton* ajuda_ = nullptr;
    QLabel* aviso_ = nullptr;
    QTreeView* lista_ = nullptr;
    QGroupBox* frameDetalhe_ = nullptr;
    QLabel* infoDetalhe_ = nullptr;
    CaixaRegistro* rtf_ = nullptr;
};

} // namespace korventa
