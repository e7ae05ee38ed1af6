#include "telas/ModeloNotas.h"

#include "nucleo/ListaNotas.h"
#include "telas/Cores.h"

#include <limits>

namespace tramil {

void ModeloNotas::defineIndice(const IndiceNotas* indice) {
    beginResetModel();
    indice_ = indice;
    filtro_.reset();
    lidas_.clear();
    endResetModel();
}

void ModeloNotas::defineFiltro(std::shared_ptr<const Varredura> filtro) {
    beginResetModel();
    filtro_ = std::move(filtro);
    endResetModel();
}

int ModeloNotas::rowCount(const QModelIndex& pai) const {
    if (pai.isValid() || !indice_) return 0;
    const std::size_t n = filtro_ ? filtro_->linhas().tamanho() : indice_->documentos().size();
    return static_cast<int>(std::min<std::size_t>(n, std::numeric_limits<int>::max()));
}

int ModeloNotas::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : QuantidadeColunasNota;
}

std::uint32_t ModeloNotas::documento(int linha) const {
    return filtro_ ? filtro_->linhas()[static_cast<std::size_t>(linha)]
                   : static_cast<std::uint32_t>(linha);
}

int ModeloNotas::linhaDe(std::uint32_t doc) const {
    if (!indice_) return -1;
    if (!filtro_) return doc < indice_->documentos().size() ? static_cast<int>(doc) : -1;
    const auto i = filtro_->linhas().primeiroNaoMenorQue(doc);
    return i < filtro_->linhas().tamanho() && filtro_->linhas()[i] == doc ? static_cast<int>(i)
                                                                          : -1;
}

const QStringList& ModeloNotas::colunas(std::uint32_t doc) const {
    auto it = lidas_.find(doc);
    if (it != lidas_.end()) return it->second;
    // Só as linhas que a lista mostra passam por aqui; a lembrança é curta.
    if (lidas_.size() > 4000) lidas_.clear();
    return lidas_.emplace(doc, ResumeDocumento(*indice_, doc)).first->second;
}

QVariant ModeloNotas::data(const QModelIndex& i, int papel) const {
    if (!indice_ || !i.isValid()) return {};
    const std::uint32_t doc = documento(i.row());
    switch (papel) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return colunas(doc).value(i.column());
    case Qt::ForegroundRole:
        if (i.column() == ColConferencia)
            return NaoConfere(indice_->documentos()[doc]) ? CorNaoConfere() : CorConfere();
        return {};
    case Qt::TextAlignmentRole:
        if (i.column() == ColValor || i.column() == ColNumero)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant ModeloNotas::headerData(int s, Qt::Orientation o, int papel) const {
    if (o == Qt::Horizontal && papel == Qt::DisplayRole) return TitulosColunasNota().value(s);
    return {};
}

} // namespace tramil
