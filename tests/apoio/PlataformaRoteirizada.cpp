#include "apoio/PlataformaRoteirizada.h"

#include <QCoreApplication>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace korventa::testes {

namespace {
QString descreve(const QString& texto) {
    QString t = texto;
    return t.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
}
} // namespace

PlataformaRoteirizada::~PlataformaRoteirizada() {
    // Roteiro não consumido também é erro do teste: esperava-se uma caixa que não veio.
    EXPECT_TRUE(respostas_.empty()) << respostas_.size() << " resposta(s) de mensagem sem uso";
    EXPECT_TRUE(abrir_.empty()) << abrir_.size() << " resposta(s) de abrir arquivo sem uso";
    EXPECT_TRUE(salvar_.empty()) << salvar_.size() << " resposta(s) de salvar arquivo sem uso";
    EXPECT_TRUE(pastas_.empty()) << pastas_.size() << " resposta(s) de pasta sem uso";
    EXPECT_TRUE(impressao_.empty()) << impressao_.size() << " resposta(s) de impressão sem uso";
    EXPECT_TRUE(visualizacao_.empty())
        << visualizacao_.size() << " resposta(s) de visualização sem uso";
}

Resposta PlataformaRoteirizada::mensagem(const QString& texto, Icone icone, Botoes botoes,
                                         const QString& titulo) {
    caixas_.push_back({texto, icone, botoes, titulo});
    if (respostas_.empty()) {
        ADD_FAILURE() << "Caixa de mensagem não roteirizada: \"" << descreve(texto).toStdString()
                      << "\"";
        return Resposta::Cancelar;
    }
    const Resposta r = respostas_.front();
    respostas_.pop_front();
    return r;
}

std::optional<QStringList> PlataformaRoteirizada::abrirArquivos(const DialogoArquivo& d) {
    dialogos_.push_back(d);
    if (abrir_.empty()) {
        ADD_FAILURE() << "Diálogo de abrir não roteirizado: " << d.titulo.toStdString();
        return std::nullopt;
    }
    const auto [escolheu, arquivos] = abrir_.front();
    abrir_.pop_front();
    if (!escolheu)
        return std::nullopt;
    return arquivos;
}

std::optional<QString> PlataformaRoteirizada::salvarArquivo(const DialogoArquivo& d) {
    dialogos_.push_back(d);
    if (salvar_.empty()) {
        ADD_FAILURE() << "Diálogo de salvar não roteirizado: " << d.titulo.toStdString();
        return std::nullopt;
    }
    const auto [escolheu, arquivo] = salvar_.front();
    salvar_.pop_front();
    if (!escolheu)
        return std::nullopt;
    return arquivo;
}

std::optional<QString> PlataformaRoteirizada::escolherPasta(const QString& titulo,
                                                            const QString& pastaInicial) {
    dialogos_.push_back({titulo, QString(), pastaInicial, QString(), false, false});
    if (pastas_.empty()) {
        ADD_FAILURE() << "Diálogo de pasta não roteirizado: " << titulo.toStdString();
        return std::nullopt;
    }
    const auto [escolheu, pasta] = pastas_.front();
    pastas_.pop_front();
    if (!escolheu)
        return std::nullopt;
    return pasta;
}

bool PlataformaRoteirizada::dialogoImpressao(DialogoImpressao& d) {
    dialogosImpressao_.push_back(d);
    if (impressao_.empty()) {
        ADD_FAILURE() << "Diálogo de impressão não roteirizado: " << d.documento.toStdString();
        return false;
    }
    const auto resposta = std::move(impressao_.front());
    impressao_.pop_front();
    d.visualizar = false;
    return resposta(d);
}

bool PlataformaRoteirizada::visualizaImpressao(
    const DialogoImpressao& d, const std::function<void(QPagedPaintDevice&)>& desenha) {
    if (visualizacao_.empty()) {
        ADD_FAILURE() << "Visualização de impressão não roteirizada: " << d.documento.toStdString();
        return false;
    }
    const auto [imprimiu, arquivo] = visualizacao_.front();
    visualizacao_.pop_front();
    if (!arquivo.isEmpty()) {
        QPdfWriter pdf(arquivo);
        pdf.setPageSize(d.estado.papel.isValid() ? d.estado.papel : QPageSize(QPageSize::A4));
        pdf.setPageOrientation(d.estado.orientacao == Paisagem ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter);
        desenha(pdf);
    }
    return imprimiu;
}

ResultadoInicio PlataformaRoteirizada::iniciarProcesso(const InicioProcesso& inicio,
                                                       bool acompanhar) {
    processos_.push_back({inicio.programa, inicio.argumentos, inicio.pastaTrabalho, acompanhar});
    if (erroProcesso_ != 0) return {0, erroProcesso_};
    const qint64 id = processos_.size();
    if (acompanhar) acompanhados_.push_back(id);
    return {id, 0};
}

bool PlataformaRoteirizada::processoAtivo(qint64 identificador) {
    return processoAtivo_ && acompanhados_.contains(identificador);
}

void PlataformaRoteirizada::liberaProcesso(qint64 identificador) {
    acompanhados_.removeAll(identificador);
}

void PlataformaRoteirizada::mostrarAjuda(const QString&, int topico) { topicos_.push_back(topico); }

void PlataformaRoteirizada::processarEventos() {
    ++eventos_;
    if (aoProcessar_) aoProcessar_(eventos_);
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

QDateTime PlataformaRoteirizada::agora() {
    return agora_.isValid() ? agora_ : QDateTime::currentDateTime();
}

} // namespace korventa::testes
