// Plataforma dos testes: registra cada caixa de mensagem e responde aos diálogos a partir de
// filas. Uma caixa ou diálogo que ninguém roteirizou falha o teste na hora.
#pragma once

#include "platform/Plataforma.h"

#include <QVector>
#include <deque>
#include <functional>

namespace korventa::testes {

struct CaixaMostrada {
    QString texto;
    Icone icone;
    Botoes botoes;
    QString titulo;
};

struct ProcessoIniciado {
    QString programa;
    QStringList argumentos;
    QString pastaTrabalho;
    bool acompanhado = false;
};

class PlataformaRoteirizada : public Plataforma {
public:
    ~PlataformaRoteirizada() override;

    // Roteiro.
    void respondeMensagem(Resposta r) { respostas_.push_back(r); }
    // nullopt: o usuário cancela.
    void respondeAbrir(const std::optional<QStringList>& arquivos) {
        abrir_.push_back({arquivos.has_value(), arquivos.value_or(QStringList())});
    }
    void respondeSalvar(const std::optional<QString>& arquivo) {
        salvar_.push_back({arquivo.has_value(), arquivo.value_or(QString())});
    }
    void respondePasta(const std::optional<QString>& pasta) {
        pastas_.push_back({pasta.has_value(), pasta.value_or(QString())});
    }
    // Diálogo de impressão: a resposta muda o registro como o usuário faria e diz se ele
    // confirmou.
    void respondeImpressao(std::function<bool(DialogoImpressao&)> resposta) {
        impressao_.push_back(std::move(resposta));
    }
    void cancelaImpressao() {
        respondeImpressao([](DialogoImpressao&) { return false; });
    }
    // Visualização: as páginas vão para o PDF `arquivo` (se dado) e a resposta diz se o usuário
    // imprimiu a partir dela.
    void respondeVisualizacao(bool imprimiu, const QString& arquivo = QString()) {
        visualizacao_.push_back({imprimiu, arquivo});
    }
    // Chamado a cada processarEventos com a contagem: o usuário agindo no meio de um trabalho.
    void aoProcessarEventos(std::function<void(int)> acao) { aoProcessar_ = std::move(acao); }
    void defineFormato(FormatoNumerico f) { formato_ = std::move(f); }
    void defineLarguraTela(int pixels) { largura_ = pixels; }
    void defineAgora(QDateTime quando) { agora_ = std::move(quando); }
    void defineProcessoAtivo(bool ativo) { processoAtivo_ = ativo; }
    // 0: os processos iniciam; outro número: falham com esse erro.
    void defineErroProcesso(int erro) { erroProcesso_ = erro; }

    // O que aconteceu.
    const QVector<CaixaMostrada>& caixas() const { return caixas_; }
    const QVector<DialogoArquivo>& dialogos() const { return dialogos_; }
    const QVector<DialogoImpressao>& dialogosImpressao() const { return dialogosImpressao_; }
    const QVector<ProcessoIniciado>& processos() const { return processos_; }
    // Processos acompanhados ainda não liberados.
    const QVector<qint64>& acompanhados() const { return acompanhados_; }
    const QVector<int>& topicosAjuda() const { return topicos_; }
    int eventosProcessados() const { return eventos_; }
    bool ocupado() const { return ocupado_; }
    // Esquece as caixas registradas (o roteiro que sobrar continua valendo).
    void limpaCaixas() { caixas_.clear(); }

    Resposta mensagem(const QString& texto, Icone icone, Botoes botoes,
                      const QString& titulo) override;
    std::optional<QStringList> abrirArquivos(const DialogoArquivo& d) override;
    std::optional<QString> salvarArquivo(const DialogoArquivo& d) override;
    std::optional<QString> escolherPasta(const QString& titulo,
                                         const QString& pastaInicial) override;
    bool dialogoImpressao(DialogoImpressao& d) override;
    bool visualizaImpressao(const DialogoImpressao& d,
                            const std::function<void(QPagedPaintDevice&)>& desenha) override;
    ResultadoInicio iniciarProcesso(const InicioProcesso& inicio, bool acompanhar) override;
    bool processoAtivo(qint64 identificador) override;
    void liberaProcesso(qint64 identificador) override;
    void mostrarAjuda(const QString& arquivoAjuda, int topico) override;
    void cursorOcupado(bool ocupado) override { ocupado_ = ocupado; }
    void processarEventos() override;
    QDateTime agora() override;
    int larguraTela() override { return largura_; }
    FormatoNumerico formatoNumerico() override { return formato_; }

private:
    std::deque<Resposta> respostas_;
    // (escolheu, escolha)
    std::deque<std::pair<bool, QStringList>> abrir_;
    std::deque<std::pair<bool, QString>> salvar_;
    std::deque<std::pair<bool, QString>> pastas_;
    std::deque<std::function<bool(DialogoImpressao&)>> impressao_;
    std::deque<std::pair<bool, QString>> visualizacao_;
    std::function<void(int)> aoProcessar_;
    QVector<DialogoImpressao> dialogosImpressao_;
    QVector<CaixaMostrada> caixas_;
    QVector<DialogoArquivo> dialogos_;
    QVector<ProcessoIniciado> processos_;
    QVector<int> topicos_;
    FormatoNumerico formato_{QStringLiteral(","), QStringLiteral(".")};
    int largura_ = 1024;
    QDateTime agora_;
    bool processoAtivo_ = false;
    int erroProcesso_ = 0;
    QVector<qint64> acompanhados_;
    bool ocupado_ = false;
    int eventos_ = 0;
};

} // namespace korventa::testes
