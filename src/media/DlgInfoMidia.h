// Diálogo DlgInfoMidia: tudo o que se sabe de uma mídia, em cinco abas (arquivo, contribuinte,
// valores, validação e transmissão), preenchido de uma entrada de arquivo aberto.
#pragma once

#include <QDialog>
#include <QHash>
#include <array>
#include <memory>

class QButtonGroup;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;

namespace korventa {

struct ArquivoAberto;
struct EstadoMidias;
struct Sessao;
class GradeTotalizadores;

class DlgInfoMidia : public QDialog {
public:
    DlgInfoMidia(Sessao& s, EstadoMidias& estado, QWidget* pai = nullptr);

    // Texto dos rótulos de valores que a entrada não tem.
    static QString SemInformacao();

    void preenche(const ArquivoAberto& e);

    // Para os testes e para a acessibilidade: o rótulo de valor pelo nome do controle.
    QLabel* rotulo(const QString& nome) const { return rotulos_.value(nome); }
    QTabWidget* abas() const { return abas_; }
    QTreeWidget* lista(int indice) const { return listas_[indice]; }
    void escolheTotais(int indice);

private:
    QWidget* abaArquivo();
    QWidget* abaContribuinte();
    QWidget* abaValores();
    QWidget* abaValidacao();
    QWidget* abaTransmissao();
    QLabel* valor(const QString& nome, const QString& legenda);
    void mostra(const QString& nome, const QString& texto);
    void mostraTotais(int indice);
    void imprimeValores();
    void imprimeValidacao();

    Sessao& s_;
    EstadoMidias& estado_;
    QTabWidget* abas_;
    QHash<QString, QLabel*> rotulos_;
    QButtonGroup* opcoesTotais_ = nullptr;
    QStackedWidget* pilhaTotais_ = nullptr;
    std::array<QTreeWidget*, 3> listas_{};
    QLabel* semInfoTotais_ = nullptr;
    QPushButton* imprimirValores_ = nullptr;
    GradeTotalizadores* grade_ = nullptr;
    QStackedWidget* pilhaTransmissao_ = nullptr;
    bool temTotais_ = false;
    // Cópia da entrada mostrada, para as impressões.
    std::unique_ptr<ArquivoAberto> entrada_;
};

} // namespace korventa
