#include "telas/Comum.h"

#include "nucleo/ArquivoMapeado.h"
#include "nucleo/Reconhecimento.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>
#include <QToolButton>

namespace tramil {

QLabel* Rotulo(const char* nome) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromLatin1(nome));
    l->setTextFormat(Qt::PlainText);
    return l;
}

void ComBotaoLimpar(QLineEdit* campo) {
    campo->setClearButtonEnabled(true);
    for (auto* b : campo->findChildren<QToolButton*>())
        b->setAccessibleName(QStringLiteral("Limpar ") + campo->accessibleName().toLower());
}

void PreparaTabela(QAbstractItemView* t) {
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setTabKeyNavigation(false);
    if (auto* v = qobject_cast<QTableView*>(t)) {
        v->setWordWrap(false);
        v->verticalHeader()->hide();
        v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 6);
        v->horizontalHeader()->setStretchLastSection(true);
    }
}

QString PerguntaArquivo(QWidget* pai, const QString& titulo) {
    QSettings s;
    // Sem pasta guardada, a pasta pessoal (não a do programa, onde o validador nos inicia).
    const QString c = QFileDialog::getOpenFileName(
        pai, titulo, s.value(QStringLiteral("PastaArquivos"), QDir::homePath()).toString(),
        QStringLiteral("Arquivos texto (*.txt *.TXT);;Todos os arquivos (*)"));
    if (!c.isEmpty()) s.setValue(QStringLiteral("PastaArquivos"), QFileInfo(c).absolutePath());
    return c;
}

QString AvisoNaoConvenio(const ArquivoMapeado& arquivo, const QString& complemento) {
    const QString motivo = MotivoNaoConvenio(arquivo.dados());
    if (motivo.isEmpty()) return {};
    return QStringLiteral("O arquivo ") + QFileInfo(arquivo.caminho()).fileName() +
           QStringLiteral(" não parece ser um arquivo Convênio 57/95: ") + motivo +
           QLatin1Char(' ') + complemento;
}

std::optional<MudancaArquivo> ConfereMudanca(const ArquivoMapeado& arquivo,
                                             const QString& mostrado) {
    if (!arquivo.aberto()) return std::nullopt;
    const auto s = arquivo.confere();
    if (s == ArquivoMapeado::Situacao::Igual) return std::nullopt;
    const QString nome = QStringLiteral("O arquivo ") + QFileInfo(arquivo.caminho()).fileName();
    MudancaArquivo m;
    if (arquivo.truncado()) {
        m.texto =
            nome + QStringLiteral(" encolheu depois de aberto: a parte que sumiu aparece como "
                                  "pontos e não entra nas contas.");
        m.podeReabrir = s != ArquivoMapeado::Situacao::Removido;
    } else if (s == ArquivoMapeado::Situacao::Removido) {
        m.texto = nome + QStringLiteral(" foi removido ou renomeado depois de aberto. ") +
                  mostrado + QStringLiteral(" é o de quando ele foi aberto.");
    } else {
        m.texto = nome + QStringLiteral(" foi alterado depois de aberto. ") + mostrado +
                  QStringLiteral(" pode não ser o conteúdo atual.");
        m.podeReabrir = true;
    }
    return m;
}

} // namespace tramil
