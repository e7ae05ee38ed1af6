// Página "Resumo" com vários arquivos abertos: uma linha por arquivo com o resultado da
// validação e a mídia, e os botões que agem sobre as linhas selecionadas.
#pragma once

#include <QColor>
#include <QVector>
#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace korventa {

struct Sessao;
class BotaoComAcao;

class PaginaResumoArquivos : public QWidget {
    Q_OBJECT
public:
    enum Coluna { ColunaArquivo = 0, ColunaResultado = 1, ColunaMidia = 2 };

    PaginaResumoArquivos(Sessao& s, QWidget* pai = nullptr);

    // Esconde e esvazia a lista, desabilita os botões e limpa os rótulos (FecharArquivo).
    void Limpa();
    void defineTitulo(const QString& texto);
    void mostraLista();

    // Linha da entrada n (etiqueta = n); criada com o nome do arquivo quando ainda não existe.
    QTreeWidgetItem* linha(int n);
    static int entradaDaLinha(const QTreeWidgetItem* item);
    // Entrada da primeira linha selecionada (na ordem da lista); -1 sem seleção.
    int entradaSelecionada() const;
    // Entradas de todas as linhas selecionadas, na ordem da lista.
    QVector<int> entradasSelecionadas() const;
    void escreve(int n, Coluna coluna, const QString& texto, bool vermelho = false);

    // Botões que dependem das linhas selecionadas.
    void AtualizaBotoes();
    void ListaResumoValidacao_DblClick();
    void habilitaGerarMidias(bool sim);

    QTreeWidget* lista() const { return lista_; }
    QLabel* labelPathMidiasGeradas() const { return labelPath_; }
    BotaoComAcao* botaoInfo() const { return info_; }
    BotaoComAcao* botaoGerarMidias() const { return gerarMidias_; }
    BotaoComAcao* botaoRecibos() const { return recibos_; }
    BotaoComAcao* botaoTransmitir() const { return transmitir_; }

private:
    Sessao& sessao_;
    QLabel* titulo_;
    QTreeWidget* lista_;
    QLabel* labelPath_;
    BotaoComAcao* info_;
    BotaoComAcao* gerarMidias_;
    BotaoComAcao* recibos_;
    BotaoComAcao* transmitir_;
};

} // namespace korventa
