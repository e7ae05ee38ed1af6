// Modelo da lista ListaCriticas sobre o armazém compacto: colunas "Linha", "Mensagem de Erro",
// "Registro" e "Campo", ícone de rejeição ou advertência na primeira coluna e Tag (o índice do
// localizador) no papel RoleTag.
#pragma once

#include "critiques/ArmazemCriticas.h"

#include <QAbstractTableModel>
#include <QIcon>

namespace korventa {

class ModeloCriticas : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int RoleTag = Qt::UserRole;
    static constexpr int RoleTipo = Qt::UserRole + 1; // TipoCritica como int

    explicit ModeloCriticas(QObject* pai = nullptr);

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;

    // O armazém muda por inteiro numa listagem: esvaziar e mostrar o que foi lido.
    void esvazia();
    ArmazemCriticas& armazem() { return armazem_; }
    const ArmazemCriticas& armazem() const { return armazem_; }
    void mostraArmazem();

private:
    ArmazemCriticas armazem_;
    int linhas_ = 0; // o que a vista conhece; muda só com o reset do modelo
    QIcon rejeicao_;
    QIcon advertencia_;
};

// "Rejeição" ou "Advertência": o que o ícone da linha diz, em texto para o leitor de tela.
QString TextoTipoCritica(TipoCritica tipo);

// Ícones pequenos da lista (ImageListCriticas): 1 rejeição, 2 advertência.
QIcon IconeCritica(TipoCritica tipo);

} // namespace korventa
