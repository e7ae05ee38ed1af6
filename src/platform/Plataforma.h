// Tudo o que bloqueia ou sai do processo passa por aqui: caixas de mensagem, diálogos de arquivo
// e de pasta, diálogo e visualização de impressão, processos, ajuda, ponteiro do mouse, eventos
// pendentes, relógio, tela e o formato numérico regional. O programa usa PlataformaQt; os testes,
// uma plataforma roteirizada.
#pragma once

#include "platform/Impressora.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPagedPaintDevice;

namespace korventa {

enum class Icone { Nenhum, Critico, Exclamacao, Informacao, Pergunta };
enum class Botoes { Ok, OkCancelar, SimNao, SimNaoCancelar };
enum class Resposta { Ok, Cancelar, Sim, Nao };

// Diálogo de abrir ou salvar. O filtro segue a forma "Descrição (*.ext)|*.ext|..." dos textos
// do programa.
struct DialogoArquivo {
    QString titulo;
    QString filtro;
    QString pastaInicial;
    QString nomeProposto;
    bool varios = false;               // abrir: vários arquivos de uma vez
    bool confirmaSobrescrever = false; // salvar: pergunta antes de substituir
};

// Programa a iniciar: janela normal, nada herdado além do ambiente, na pasta de trabalho dada.
struct InicioProcesso {
    QString programa;
    QStringList argumentos;
    QString pastaTrabalho;
};

// Processo iniciado (identificador) ou o número de erro da plataforma quando não iniciou.
struct ResultadoInicio {
    qint64 identificador = 0;
    int erro = 0;
    bool iniciou() const { return erro == 0; }
};

// Símbolos do formato numérico regional do usuário.
struct FormatoNumerico {
    QString simboloDecimal;
    QString simboloAgrupamento;
};

class Plataforma {
public:
    virtual ~Plataforma() = default;

    // Caixa de mensagem modal; as linhas do texto vêm separadas por "\r".
    virtual Resposta mensagem(const QString& texto, Icone icone, Botoes botoes = Botoes::Ok,
                              const QString& titulo = QString()) = 0;

    // Diálogos de arquivo e de pasta: nullopt quando o usuário cancela.
    virtual std::optional<QStringList> abrirArquivos(const DialogoArquivo& d) = 0;
    virtual std::optional<QString> salvarArquivo(const DialogoArquivo& d) = 0;
    virtual std::optional<QString> escolherPasta(const QString& titulo,
                                                 const QString& pastaInicial) = 0;

    // Diálogo de impressão da plataforma sobre a impressora de `d`; devolve nele o que o usuário
    // escolheu. false quando ele cancela.
    virtual bool dialogoImpressao(DialogoImpressao& d) = 0;
    // Mostra o documento antes de imprimir: `desenha` pinta as páginas no dispositivo dado (pode
    // ser chamada mais de uma vez). true quando o usuário imprimiu a partir da visualização.
    virtual bool visualizaImpressao(const DialogoImpressao& d,
                                    const std::function<void(QPagedPaintDevice&)>& desenha) = 0;

    // Programas companheiros: iniciados sem esperar por eles. Com `acompanhar` o processo fica
    // seguido até liberaProcesso, para processoAtivo dizer se ele ainda roda.
    virtual ResultadoInicio iniciarProcesso(const InicioProcesso& inicio, bool acompanhar) = 0;
    virtual bool processoAtivo(qint64 identificador) = 0;
    virtual void liberaProcesso(qint64 identificador) = 0;

    // Ajuda no tópico numérico do arquivo de ajuda.
    virtual void mostrarAjuda(const QString& arquivoAjuda, int topico) = 0;

    virtual void cursorOcupado(bool ocupado) = 0;
    virtual void processarEventos() = 0;
    virtual QDateTime agora() = 0;
    // Largura da tela em pixels; 0 quando não se consegue saber.
    virtual int larguraTela() = 0;
    virtual FormatoNumerico formatoNumerico() = 0;
};

} // namespace korventa
