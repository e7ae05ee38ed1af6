// As críticas do validador ao lado do arquivo: o relatório é lido pelo mesmo leitor da página
// Críticas do validador, numa tarefa de fundo; escolher uma crítica leva o cursor ao campo dela.
#pragma once

#include "critiques/ArmazemCriticas.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <memory>
#include <thread>

class QLabel;
class QTableView;

namespace tramil {

class ModeloCriticas : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void define(std::shared_ptr<const korventa::ArmazemCriticas> armazem);
    const korventa::ArmazemCriticas* armazem() const { return armazem_.get(); }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& i, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation o, int papel) const override;

private:
    std::shared_ptr<const korventa::ArmazemCriticas> armazem_;
};

class PainelCriticas : public QWidget {
    Q_OBJECT
public:
    explicit PainelCriticas(QWidget* pai = nullptr);
    ~PainelCriticas() override;

    // Lê o relatório em fundo; carregou() ou falhou() avisam no fim.
    void carrega(const QString& caminho);
    bool carregando() const { return carregando_; }
    QTableView* lista() const { return lista_; }
    const ModeloCriticas& modelo() const { return *modelo_; }
    QString resumo() const;

signals:
    // Deslocamento do registro no arquivo, linha (de 1, como o relatório diz) e o campo.
    void criticaEscolhida(qint64 deslocamento, qint64 linha, int inicioCampo, int tamanhoCampo);
    void carregou();
    void falhou(const QString& mensagem);

private:
    void termina(std::shared_ptr<korventa::ArmazemCriticas> armazem, QString mensagem, bool limite);
    void escolhe(const QModelIndex& i);

    QLabel* titulo_;
    QTableView* lista_;
    ModeloCriticas* modelo_;
    std::thread tarefa_;
    bool carregando_ = false;
    QString caminho_;
};

} // namespace tramil
