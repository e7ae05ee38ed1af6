// "Consulta Nota Fiscal": o índice de documentos em fundo, a lista filtrável, o documento com a
// cara de nota e a conferência das somas, os registros de onde ele veio e a impressão.
#pragma once

#include "nucleo/ArquivoMapeado.h"
#include "nucleo/DocumentoNota.h"
#include "nucleo/IndiceLinhas.h"
#include "nucleo/IndiceNotas.h"
#include "nucleo/Varredura.h"

#include <QMainWindow>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;
class QTimer;
class QPrinter;

namespace tramil {

class BarraAviso;
class FormularioNota;
class ModeloNotas;
class PainelCampos;

class JanelaNotas : public QMainWindow {
    Q_OBJECT
public:
    explicit JanelaNotas(QWidget* pai = nullptr);
    ~JanelaNotas() override;

    bool abre(const QString& caminho);
    // Escolhe o documento da linha da lista.
    void escolhe(int linhaLista);
    void aplicaFiltro();
    // Imprime o documento escolhido na impressora dada (sem diálogo).
    int imprime(QPrinter& impressora);
    // Grava o documento escolhido em PDF (arquivo temporário e troca no fim).
    bool gravaPdf(const QString& caminho, QString& erro);
    void acompanha();

    // Para os testes e as medições.
    const IndiceNotas* indice() const { return notas_.get(); }
    QTableView* lista() const { return lista_; }
    const ModeloNotas* modelo() const { return modelo_; }
    FormularioNota* formulario() const { return formulario_; }
    QTableWidget* registros() const { return registros_; }
    PainelCampos* painel() const { return painel_; }
    QLineEdit* campoNumero() const { return editNumero_; }
    QLineEdit* campoCnpj() const { return editCnpj_; }
    QLineEdit* campoData() const { return editData_; }
    QLineEdit* campoCfop() const { return editCfop_; }
    QComboBox* comboSituacao() const { return comboSituacao_; }
    QComboBox* comboTipo() const { return comboTipo_; }
    QCheckBox* opcaoNaoConferem() const { return opcaoNaoConferem_; }
    bool filtrando() const;
    QString textoQuantidade() const;
    QString textoAviso() const;
    const std::optional<DocumentoNota>& documento() const { return documento_; }

private:
    void montaTela();
    void montaMenus();
    void fecha();
    void mostraDocumento(std::uint32_t doc);
    void registroEscolhido(int linha);
    void verNoArquivo();
    void perguntaArquivo();
    void imprimeComDialogo();
    void exportaPdf();
    void limpaFiltro();
    void vigia();

    ArquivoMapeado arquivo_;
    std::unique_ptr<IndiceLinhas> linhas_;
    std::unique_ptr<IndiceNotas> notas_;
    std::shared_ptr<Varredura> filtro_;
    bool listou_ = false;
    std::optional<DocumentoNota> documento_;
    std::int64_t documentoAtual_ = -1;

    BarraAviso* aviso_;
    QLineEdit* editNumero_;
    QLineEdit* editCnpj_;
    QLineEdit* editData_;
    QLineEdit* editCfop_;
    QComboBox* comboSituacao_;
    QComboBox* comboTipo_;
    QCheckBox* opcaoNaoConferem_;
    QPushButton* botaoLimpar_;
    QLabel* erroFiltro_;
    QProgressBar* progresso_;
    QLabel* quantidade_;
    QTableView* lista_;
    ModeloNotas* modelo_;
    FormularioNota* formulario_;
    QTableWidget* registros_;
    PainelCampos* painel_;
    QPushButton* botaoVerNoArquivo_;
    QPushButton* botaoImprimir_;
    QPushButton* botaoPdf_;
    QTimer* relogio_;
    QTimer* espera_; // o filtro espera a pessoa parar de digitar
    QTimer* vigia_;
};

} // namespace tramil
