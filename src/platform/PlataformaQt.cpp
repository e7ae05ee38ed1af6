#include "platform/PlataformaQt.h"

#include "platform/DialogoArquivoPtBr.h"
#include "platform/JanelaAjuda.h"
#include "platform/ProcessoDestacado.h"

#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

namespace korventa {

namespace {

QMessageBox::Icon iconeQt(Icone i) {
    switch (i) {
    case Icone::Critico: return QMessageBox::Critical;
    case Icone::Exclamacao: return QMessageBox::Warning;
    case Icone::Informacao: return QMessageBox::Information;
    case Icone::Pergunta: return QMessageBox::Question;
    case Icone::Nenhum: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons botoesQt(Botoes b) {
    switch (b) {
    case Botoes::OkCancelar: return QMessageBox::Ok | QMessageBox::Cancel;
    case Botoes::SimNao: return QMessageBox::Yes | QMessageBox::No;
    case Botoes::SimNaoCancelar: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Botoes::Ok: break;
    }
    return QMessageBox::Ok;
}

} // namespace

PlataformaQt::PlataformaQt() = default;
PlataformaQt::~PlataformaQt() = default;

QString FiltroParaQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList saida;
    for (int i = 0; i + 1 < partes.size(); i += 2) {
        QString descricao = partes[i];
        QString padroes = partes[i + 1];
        padroes.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A descrição já pode trazer os padrões entre parênteses; o Qt lê o último par.
        if (!descricao.endsWith(QLatin1Char(')')))
            descricao += QStringLiteral(" (") + padroes + QLatin1Char(')');
        else
            descricao = descricao.left(descricao.lastIndexOf(QLatin1Char('('))) +
                        QLatin1Char('(') + padroes + QLatin1Char(')');
        saida << descricao;
    }
    return saida.join(QStringLiteral(";;"));
}

Resposta PlataformaQt::mensagem(const QString& texto, Icone icone, Botoes botoes,
                                const QString& titulo) {
    QString linhas = texto;
    linhas.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox caixa(iconeQt(icone),
                      titulo.isEmpty() ? QApplication::applicationName() : titulo, linhas,
                      botoesQt(botoes), janela_);
    // Caminhos e mensagens do motor podem conter "<": nada aqui é HTML.
    caixa.setTextFormat(Qt::PlainText);
    switch (caixa.exec()) {
    case QMessageBox::Yes: return Resposta::Sim;
    case QMessageBox::No: return Resposta::Nao;
    case QMessageBox::Cancel: return Resposta::Cancelar;
    default: break;
    }
    // Fechar a caixa pelo "X" equivale ao botão de escape.
    return botoes == Botoes::Ok ? Resposta::Ok
           : botoes == Botoes::SimNao ? Resposta::Nao
                                       : Resposta::Cancelar;
}

std::optional<QStringList> PlataformaQt::abrirArquivos(const DialogoArquivo& d) {
    QFileDialog dlg(janela_, d.titulo, d.pastaInicial, FiltroParaQt(d.filtro));
    PreparaDialogoArquivo(dlg);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(d.varios ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (!d.nomeProposto.isEmpty())
        dlg.selectFile(d.nomeProposto);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles();
}

std::optional<QString> PlataformaQt::salvarArquivo(const DialogoArquivo& d) {
    QFileDialog dlg(janela_, d.titulo, d.pastaInicial, FiltroParaQt(d.filtro));
    PreparaDialogoArquivo(dlg);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmaSobrescrever);
    if (!d.nomeProposto.isEmpty())
        dlg.selectFile(d.nomeProposto);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().first();
}

std::optional<QString> PlataformaQt::escolherPasta(const QString& titulo,
                                                   const QString& pastaInicial) {
    // O título de uma janela tem uma linha só: as quebras do texto viram brancos.
    QString legenda = titulo;
    legenda.replace(QRegularExpression(QStringLiteral("\r+")), QStringLiteral(" "));
    QFileDialog dlg(janela_, legenda, pastaInicial);
    PreparaDialogoArquivo(dlg);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().first();
}

bool PlataformaQt::dialogoImpressao(DialogoImpressao& d) {
    QPrinter printer(QPrinter::HighResolution);
    EstadoImpressora estado = d.estado;
    // Sem arquivo escolhido ainda, a impressora PDF propõe o nome do documento na pasta pessoal.
    if (estado.arquivoPdf.isEmpty())
        estado.arquivoPdf = QDir::home().filePath(d.documento + QStringLiteral(".pdf"));
    ConfiguraPrinter(printer, d.impressora, estado, d.documento);
    printer.setFromTo(d.dePagina, d.atePagina);

    QPrintDialog dlg(&printer, janela_);
    dlg.setWindowTitle(QStringLiteral("Imprimir"));
    dlg.setMinMax(d.minimo, d.maximo);
    dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, d.maximo > d.minimo);
    bool visualizar = false;
    if (auto* caixa = dlg.findChild<QDialogButtonBox*>()) {
        QPushButton* ver =
            caixa->addButton(QStringLiteral("&Visualizar..."), QDialogButtonBox::ActionRole);
        ver->setObjectName(QStringLiteral("BotaoVisualizarImpressao"));
        ver->setAccessibleName(QStringLiteral("Visualizar a impressão"));
        QObject::connect(ver, &QPushButton::clicked, &dlg, [&dlg, &visualizar] {
            visualizar = true;
            dlg.accept();
        });
    }
    if (dlg.exec() != QDialog::Accepted) return false;

    LePrinter(printer, d.impressora, d.estado);
    d.visualizar = visualizar;
    d.flags &= ~(MarcaIntervaloPaginas | MarcaAgrupar | MarcaArquivo);
    if (printer.printRange() == QPrinter::PageRange) {
        d.flags |= MarcaIntervaloPaginas;
        d.dePagina = printer.fromPage();
        d.atePagina = printer.toPage();
    }
    if (printer.collateCopies()) d.flags |= MarcaAgrupar;
    if (d.impressora == ImpressoraPdf) d.flags |= MarcaArquivo;
    return true;
}

bool PlataformaQt::visualizaImpressao(const DialogoImpressao& d,
                                      const std::function<void(QPagedPaintDevice&)>& desenha) {
    QPrinter printer(QPrinter::HighResolution);
    ConfiguraPrinter(printer, d.impressora, d.estado, d.documento);
    QPrintPreviewDialog dlg(&printer, janela_);
    dlg.setWindowTitle(QStringLiteral("Visualizar impressão - ") + d.documento);
    if (janela_) dlg.resize(janela_->size() * 1.1);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg,
                     [&desenha](QPrinter* p) { desenha(*p); });
    return dlg.exec() == QDialog::Accepted;
}

ResultadoInicio PlataformaQt::iniciarProcesso(const InicioProcesso& inicio, bool acompanhar) {
    const ResultadoInicio r = IniciaDestacado(inicio);
    if (r.iniciou() && acompanhar)
        acompanhados_[r.identificador] = std::make_unique<ProcessoAcompanhado>(r.identificador);
    return r;
}

bool PlataformaQt::processoAtivo(qint64 identificador) {
    const auto it = acompanhados_.find(identificador);
    return it != acompanhados_.end() && it->second->ativo();
}

void PlataformaQt::liberaProcesso(qint64 identificador) {
    acompanhados_.erase(identificador);
}

void PlataformaQt::mostrarAjuda(const QString& arquivoAjuda, int topico) {
    JanelaAjuda::mostra(arquivoAjuda, topico);
}

void PlataformaQt::cursorOcupado(bool ocupado) {
    if (ocupado == ocupado_)
        return;
    ocupado_ = ocupado;
    if (ocupado)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

void PlataformaQt::processarEventos() { QApplication::processEvents(); }

QDateTime PlataformaQt::agora() { return QDateTime::currentDateTime(); }

int PlataformaQt::larguraTela() {
    const QScreen* tela = QGuiApplication::primaryScreen();
    return tela ? tela->geometry().width() : 0;
}

FormatoNumerico PlataformaQt::formatoNumerico() {
    const QLocale local = QLocale::system();
    return {local.decimalPoint(), local.groupSeparator()};
}

} // namespace korventa
