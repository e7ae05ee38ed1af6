#include "telas/PainelCriticas.h"

#include "critiques/ListagemCriticas.h"
#include "nucleo/Formato.h"
#include "nucleo/LogTramil.h"
#include "telas/Comum.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace tramil {

namespace {
// A listagem do validador para na configuração; aqui o limite só protege a memória.
constexpr std::int32_t LimiteCriticas = 5'000'000;
enum Coluna { ColLinha, ColTipo, ColRegistro, ColCampo, ColMensagem, Colunas };
} // namespace

void ModeloCriticas::define(std::shared_ptr<const korventa::ArmazemCriticas> a) {
    beginResetModel();
    armazem_ = std::move(a);
    endResetModel();
}

int ModeloCriticas::rowCount(const QModelIndex& pai) const {
    return pai.isValid() || !armazem_ ? 0 : static_cast<int>(armazem_->tamanho());
}

int ModeloCriticas::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : Colunas;
}

QVariant ModeloCriticas::data(const QModelIndex& i, int papel) const {
    if (!armazem_ || !i.isValid()) return {};
    const auto r = static_cast<qsizetype>(i.row());
    const bool rejeicao = armazem_->tipo(r) == korventa::TipoCritica::Rejeicao;
    if (papel == Qt::DisplayRole || papel == Qt::ToolTipRole) {
        switch (i.column()) {
        case ColLinha:
            return armazem_->linha(r);
        case ColTipo:
            return rejeicao ? QStringLiteral("Rejeição") : QStringLiteral("Advertência");
        case ColRegistro:
            return armazem_->registro(r);
        case ColCampo:
            return armazem_->campo(r);
        case ColMensagem:
            return armazem_->mensagem(r);
        default:
            return {};
        }
    }
    if (papel == Qt::ForegroundRole && i.column() == ColTipo)
        return rejeicao ? QColor(170, 0, 0) : QColor(150, 90, 0);
    if (papel == Qt::TextAlignmentRole && i.column() == ColLinha)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ModeloCriticas::headerData(int s, Qt::Orientation o, int papel) const {
    if (o != Qt::Horizontal || papel != Qt::DisplayRole) return {};
    static const char* const nomes[] = {"Linha", "Tipo", "Registro", "Campo", "Mensagem de Erro"};
    return s >= 0 && s < Colunas ? QString::fromUtf8(nomes[s]) : QVariant();
}

PainelCriticas::PainelCriticas(QWidget* pai)
    : QWidget(pai), titulo_(new QLabel(this)), lista_(new QTableView(this)),
      modelo_(new ModeloCriticas(this)) {
    setObjectName(QStringLiteral("PainelCriticas"));
    titulo_->setObjectName(QStringLiteral("LabelCriticas"));
    titulo_->setTextFormat(Qt::PlainText);
    ComNome(lista_, "ListaCriticas", QStringLiteral("Críticas do arquivo"));
    lista_->setModel(modelo_);
    PreparaTabela(lista_);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(titulo_);
    l->addWidget(lista_, 1);
    // Escolher com o teclado ou com o mouse leva ao campo.
    connect(lista_, &QTableView::activated, this, &PainelCriticas::escolhe);
    connect(lista_, &QTableView::clicked, this, &PainelCriticas::escolhe);
}

PainelCriticas::~PainelCriticas() {
    if (tarefa_.joinable()) tarefa_.join();
}

QString PainelCriticas::resumo() const {
    return titulo_->text();
}

void PainelCriticas::carrega(const QString& caminho) {
    if (tarefa_.joinable()) tarefa_.join();
    caminho_ = caminho;
    carregando_ = true;
    titulo_->setText(QStringLiteral("Lendo o relatório de críticas ") +
                     QFileInfo(caminho).fileName() + QStringLiteral("..."));
    modelo_->define(nullptr);
    korventa::Log(korventa::LogOperacao, QStringLiteral("Tramil: lendo críticas de ") + caminho);
    tarefa_ = std::thread([caminho, this] {
        auto armazem = std::make_shared<korventa::ArmazemCriticas>();
        const auto r = korventa::ListaRelatorios({caminho}, korventa::FiltroCriticas::Tudo,
                                                 LimiteCriticas, *armazem);
        const QString mensagem = r.fim == korventa::FimListagem::Falha ? r.mensagem : QString();
        const bool limite = r.fim == korventa::FimListagem::Limite;
        // O destrutor espera a tarefa, então o painel existe quando a volta é agendada; se ele
        // for destruído antes de ela chegar, o Qt a descarta.
        QMetaObject::invokeMethod(
            this, [this, armazem, mensagem, limite] { termina(armazem, mensagem, limite); },
            Qt::QueuedConnection);
    });
}

void PainelCriticas::termina(std::shared_ptr<korventa::ArmazemCriticas> armazem, QString mensagem,
                             bool limite) {
    carregando_ = false;
    modelo_->define(armazem);
    std::int64_t rejeicoes = 0;
    for (qsizetype i = 0; i < armazem->tamanho(); ++i)
        rejeicoes += armazem->tipo(i) == korventa::TipoCritica::Rejeicao;
    const auto n = static_cast<std::int64_t>(armazem->tamanho());
    QString t =
        QStringLiteral("Críticas de ") + QFileInfo(caminho_).fileName() + QStringLiteral(": ") +
        FormataInteiro(rejeicoes) +
        (rejeicoes == 1 ? QStringLiteral(" rejeição, ") : QStringLiteral(" rejeições, ")) +
        FormataInteiro(n - rejeicoes) +
        (n - rejeicoes == 1 ? QStringLiteral(" advertência") : QStringLiteral(" advertências"));
    if (limite)
        t += QStringLiteral(" (só as primeiras ") + FormataInteiro(n) +
             QStringLiteral(" foram lidas)");
    titulo_->setText(t);
    lista_->resizeColumnToContents(ColLinha);
    lista_->resizeColumnToContents(ColTipo);
    lista_->resizeColumnToContents(ColRegistro);
    lista_->setColumnWidth(ColCampo, 200);
    if (!mensagem.isEmpty()) {
        korventa::Log(korventa::LogDetalhe, mensagem);
        emit falhou(mensagem);
    } else {
        emit carregou();
    }
}

void PainelCriticas::escolhe(const QModelIndex& i) {
    const auto* a = modelo_->armazem();
    if (!a || !i.isValid()) return;
    const auto loc = a->localizador(i.row());
    emit criticaEscolhida(loc.deslocamento, a->linha(i.row()).toLongLong(), loc.inicioCampo,
                          loc.tamanhoCampo);
}

} // namespace tramil
