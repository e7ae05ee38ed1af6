// Modelo da lista de documentos: todos, ou os que o filtro aceitou. As colunas são lidas do
// arquivo mapeado só para as linhas que a lista mostra.
#pragma once

#include "nucleo/IndiceNotas.h"
#include "nucleo/Varredura.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>
#include <unordered_map>

namespace tramil {

class ModeloNotas : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Todos os documentos do índice (completo), ou nenhum com nullptr.
    void defineIndice(const IndiceNotas* indice);
    // Só os documentos da varredura (completa); nullptr volta a todos.
    void defineFiltro(std::shared_ptr<const Varredura> filtro);

    std::uint32_t documento(int linha) const;
    // Linha do documento na lista; -1 quando o filtro o esconde.
    int linhaDe(std::uint32_t documento) const;

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& i, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation o, int papel) const override;

private:
    const QStringList& colunas(std::uint32_t doc) const;

    const IndiceNotas* indice_ = nullptr;
    std::shared_ptr<const Varredura> filtro_;
    mutable std::unordered_map<std::uint32_t, QStringList> lidas_;
};

} // namespace tramil
