#include "platform/DialogoArquivoPtBr.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QScreen>
#include <QTreeView>

namespace korventa {

namespace {

enum Coluna { ColNome, ColTamanho, ColTipo, ColData };

QLocale Brasil() {
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

class ModeloArquivosPtBr : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& indice, int papel) const override {
        const auto* arquivos = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (papel != Qt::DisplayRole || !arquivos || indice.column() == ColNome)
            return QIdentityProxyModel::data(indice, papel);
        const QModelIndex origem = mapToSource(indice);
        const bool pasta = arquivos->isDir(origem);
        switch (indice.column()) {
        case ColTamanho:
            return pasta ? QString() : Brasil().formattedDataSize(arquivos->size(origem));
        case ColTipo:
            // O tipo dos arquivos já vem do banco de tipos no idioma padrão (português).
            return pasta ? QStringLiteral("Pasta") : QIdentityProxyModel::data(indice, papel);
        case ColData:
            return Brasil().toString(arquivos->lastModified(origem), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(indice, papel);
    }
};

} // namespace

void PreparaDialogoArquivo(QFileDialog& dialogo) {
    // O diálogo do sistema falaria o idioma do sistema.
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setProxyModel(new ModeloArquivosPtBr(&dialogo));
    auto* detalhe = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!detalhe) return;
    QHeaderView* cabecalho = detalhe->header();
    const QFontMetrics medida(cabecalho->font());
    const int margem = 2 * cabecalho->style()->pixelMetric(QStyle::PM_HeaderMargin) + 16;
    const QString exemplos[] = {QString(), QStringLiteral("000,00 KiB"),
                                QStringLiteral("Documento de Texto"),
                                QStringLiteral("00/00/0000 00:00")};
    int colunas = 0;
    for (int c = ColNome; c <= ColData && c < cabecalho->count(); ++c) {
        const QString titulo = cabecalho->model()->headerData(c, Qt::Horizontal).toString();
        const int largura =
            qMax(medida.horizontalAdvance(titulo), medida.horizontalAdvance(exemplos[c]));
        cabecalho->resizeSection(c, qMax(cabecalho->sectionSize(c), largura + margem));
        colunas += cabecalho->sectionSize(c);
    }
    // O diálogo abre largo o bastante para todas as colunas, sem rolar para ver a data.
    const auto* lado = dialogo.findChild<QWidget*>(QStringLiteral("sidebar"));
    const int lateral = lado ? lado->sizeHint().width() : 0;
    QSize tamanho(qMax(dialogo.width(), colunas + lateral + 80), qMax(dialogo.height(), 460));
    if (const QScreen* tela = dialogo.screen())
        tamanho = tamanho.boundedTo(tela->availableGeometry().size());
    dialogo.resize(tamanho);
}

} // namespace korventa
