#pragma once

#include "platform/Plataforma.h"

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

namespace korventa {

class ProcessoAcompanhado;

class PlataformaQt : public Plataforma {
public:
    // Janela dona dos diálogos (pode ser nula até a janela principal existir).
    PlataformaQt();
    ~PlataformaQt() override;
    void defineJanela(QWidget* janela) { janela_ = janela; }

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
    void cursorOcupado(bool ocupado) override;
    void processarEventos() override;
    QDateTime agora() override;
    int larguraTela() override;
    FormatoNumerico formatoNumerico() override;

private:
    QPointer<QWidget> janela_;
    std::map<qint64, std::unique_ptr<ProcessoAcompanhado>> acompanhados_;
    bool ocupado_ = false;
};

// "Descrição (*.a)|*.a|Outra|*.b" → filtro do QFileDialog ("Descrição (*.a);;Outra (*.b)").
QString FiltroParaQt(const QString& filtro);

} // namespace korventa
