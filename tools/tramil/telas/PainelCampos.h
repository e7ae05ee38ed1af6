// Painel lateral com os campos de um registro: número, nome, posições, conteúdo e significado.
// O campo sob o cursor fica selecionado; escolher um campo leva o cursor a ele.
#pragma once

#include "nucleo/DescricaoRegistro.h"

#include <QFont>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace tramil {

class PainelCampos : public QWidget {
    Q_OBJECT
public:
    explicit PainelCampos(QWidget* pai = nullptr);

    void mostra(const RegistroExibido& registro, int campoAtual);
    void marcaCampo(int campo);
    void limpa(const QString& aviso);

    // Para os testes e a leitura de tela.
    QTableWidget* tabela() const { return tabela_; }
    QString titulo() const;

signals:
    // Coluna (de 1) do campo escolhido no painel.
    void campoEscolhido(int coluna);

private:
    QLabel* titulo_;
    QLabel* aviso_;
    QTableWidget* tabela_;
    std::vector<int> inicios_;
    QFont mono_;
    bool mudando_ = false;
};

} // namespace tramil
