// Página "Validar": escolha do arquivo (ou de vários), cabeçalho do registro 10, lista dos
// arquivos abertos e o botão que valida um arquivo ou todos.
#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace korventa {

struct ArquivoAberto;
struct Sessao;
class BotaoComAcao;
class PaginaResumo;
class PaginaResumoArquivos;

class PaginaValidar : public QWidget {
    Q_OBJECT
public:
    PaginaValidar(Sessao& s, PaginaResumo& resumo, PaginaResumoArquivos& resumoArquivos,
                  QWidget* pai = nullptr);

    // Abre um arquivo na entrada `indice`; sucesso é a mensagem da entrada vazia.
    void AbrirArquivo(const QString& caminho, bool lote, int indice);
    // Fecha tudo: tabela com uma entrada nova, arquivos de trabalho apagados, páginas limpas.
    void FecharArquivo();

    // Fecha o que estiver aberto e abre os arquivos escolhidos: um só como arquivo aberto, vários
    // como lote (o diálogo de "..." e a linha de comando).
    void AbrirEscolhidos(const QStringList& arquivos);

    void BrowseArquivo_Click();
    void BotaoCarregar_Click();
    void ComboArquivo_Change();
    void BotaoValidarInfo_Click();
    void BotaoValidar_Click();
    // Troca para esta página (Principal): sem texto em ComboArquivo não há o que abrir.
    void AoMostrar();

    // Entrada do arquivo escolhido: 0 com um arquivo; com vários, a linha selecionada (-1 sem
    // seleção).
    int entradaSelecionada() const;

    // Ações que chegam com outras partes do programa: os botões ficam desabilitados sem elas.
    void defineAcaoVisualizar(std::function<void()> acao);
    void defineAcaoNotasFiscais(std::function<void()> acao);
    // Diálogo de informações de uma entrada que não foi recusada.
    void defineAcaoInfo(std::function<void(int n)> acao);

    QComboBox* comboArquivo() const { return combo_; }
    QPushButton* botaoValidar() const { return validar_; }
    QPushButton* botaoCarregar() const { return carregar_; }
    QPushButton* botaoValidarInfo() const { return info_; }
    QTreeWidget* listaArquivosAbertos() const { return lista_; }
    QGroupBox* frameRegistro10() const { return frame10_; }
    QLabel* labelResultadoValidacao() const { return labelResultado_; }

private:
    void montaFrameRegistro10();
    void mostraCabecalho(const ArquivoAberto& e);
    void limpaCabecalho();
    void adicionaLinhaLote(int i);
    void atualizaBotaoInfo();
    void aviso(const QString& texto);
    // Texto do combo posto pelo programa: não fecha o arquivo.
    void defineTextoCombo(const QString& texto);
    // Partes da validação de todos os arquivos.
    void marcaCancelada(int n, bool lote);
    void marcaFalha(int n, bool lote);
    void apresentaUmArquivo(bool comCriticas);

    Sessao& sessao_;
    PaginaResumo& resumo_;
    PaginaResumoArquivos& resumoArquivos_;
    std::function<void(int)> acaoInfo_;
    bool textoPeloPrograma_ = false;

    QComboBox* combo_;
    QPushButton* browse_;
    QPushButton* carregar_;
    QPushButton* validar_;
    QPushButton* info_;
    BotaoComAcao* visualizar_;
    BotaoComAcao* notasFiscais_;
    QGroupBox* frame10_;
    QTreeWidget* lista_;
    QLabel* labelResultado_;
    // Rótulos de valor do registro 10, na ordem de NomesRotulos10.
    std::array<QLabel*, 11> valores10_{};
};

} // namespace korventa
