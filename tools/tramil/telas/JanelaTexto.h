// "Visualizar Arquivo": o arquivo mapeado na vista, o painel de campos, a busca em fundo, o
// filtro por tipo de registro, o "ir para a linha" e, quando pedido, as críticas do validador.
#pragma once

#include "nucleo/ArquivoMapeado.h"
#include "nucleo/Busca.h"
#include "nucleo/IndiceLinhas.h"
#include "telas/FonteLinhas.h"

#include <QMainWindow>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTimer;

namespace tramil {

class PainelCampos;
class PainelCriticas;
class VisaoArquivo;
class BarraAviso;

class JanelaTexto : public QMainWindow {
    Q_OBJECT
public:
    explicit JanelaTexto(QWidget* pai = nullptr);
    ~JanelaTexto() override;

    // Falso (com a mensagem já mostrada) quando o arquivo não pôde ser aberto.
    bool abre(const QString& caminho);
    void abreCriticas(const QString& caminho);

    // Busca com o critério dos controles; próxima e anterior a partir do cursor.
    void procura();
    void proxima();
    void anterior();
    void vaiParaLinha(std::int64_t linha); // de 1
    void filtraClasse(int classe);         // -1: todas

    // Para os testes e as medições.
    VisaoArquivo* visao() const { return visao_; }
    PainelCampos* painel() const { return painel_; }
    PainelCriticas* criticas() const { return criticas_; }
    const IndiceLinhas* indice() const { return indice_.get(); }
    std::shared_ptr<const Varredura> busca() const { return busca_; }
    std::shared_ptr<const Varredura> filtro() const { return filtro_; }
    QLineEdit* campoBusca() const { return editBusca_; }
    QCheckBox* opcaoExpressao() const { return opcaoExpressao_; }
    QCheckBox* opcaoMaiusculas() const { return opcaoMaiusculas_; }
    QComboBox* comboTipo() const { return comboTipo_; }
    QString textoResultadoBusca() const;
    QString textoAviso() const;
    // Um passo do acompanhamento das tarefas de fundo (o relógio chama a cada 100 ms).
    void acompanha();

private:
    void montaTela();
    void montaMenus();
    void fecha();
    void cursorMudou(qint64 linhaReal, int coluna);
    void atualizaPosicao();
    void criticaEscolhida(qint64 deslocamento, qint64 linha, int inicio, int tamanho);
    void navega(bool adiante);
    bool navegaAgora(bool adiante);
    void vigia();
    void atualizaComboTipos();
    void perguntaArquivo();
    void perguntaCriticas();

    ArquivoMapeado arquivo_;
    std::unique_ptr<IndiceLinhas> indice_;
    std::unique_ptr<FonteTodas> todas_;
    std::shared_ptr<Varredura> filtro_;
    std::unique_ptr<FonteFiltrada> filtrada_;
    std::shared_ptr<Varredura> busca_;
    std::shared_ptr<const Buscador> buscador_;
    enum class Pendente { Nada, Proxima, Anterior } pendente_ = Pendente::Nada;
    std::int64_t pendenteDe_ = 0; // linha do arquivo de onde a navegação pendente parte
    bool contouTipos_ = false;
    qint64 ultimaLinhaPainel_ = -1;
    std::int64_t linhaPendente_ = 0; // "ir para a linha" antes de o índice chegar nela

    BarraAviso* aviso_;
    VisaoArquivo* visao_;
    PainelCampos* painel_;
    PainelCriticas* criticas_;
    QSplitter* divisaoVertical_;
    QLineEdit* editBusca_;
    QCheckBox* opcaoExpressao_;
    QCheckBox* opcaoMaiusculas_;
    QPushButton* botaoProcurar_;
    QPushButton* botaoAnterior_;
    QPushButton* botaoProxima_;
    QLabel* resultadoBusca_;
    QProgressBar* progressoBusca_;
    QLineEdit* editLinha_;
    QPushButton* botaoIr_;
    QComboBox* comboTipo_;
    QLabel* situacao_;
    QLabel* posicao_;
    QProgressBar* progressoIndice_;
    QTimer* relogio_;
    QTimer* vigia_;
};

} // namespace tramil
