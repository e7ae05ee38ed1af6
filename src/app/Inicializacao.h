// Início do programa, na ordem fixa: opções regionais, linha de comando, instância única, log do
// motor, versões dos componentes e suas conferências, arquivos de trabalho, configurações,
// preenchimento das páginas e a primeira página.
#pragma once

#include "app/InstanciaUnica.h"
#include "app/JanelaInicio.h"
#include "validation/Sessao.h"

#include <QStringList>

#include <memory>

namespace korventa {

struct ParametrosInicio {
    QString linhaDeComando; // argumentos, sem o nome do programa
    QString nomeExecutavel; // sem extensão, para a mensagem de sintaxe
    QString chaveInstancia; // InstanciaUnica::chavePadrao() no programa
    QStringList arquivos;   // caminhos absolutos a abrir no fim do início (ou na outra instância)
};

// Aba em que o início termina (1 Configurar, 2 Validar), depois de lidas as configurações:
// Configurar quando o programa de transmissão nunca foi configurado nem achado (PathQiv fica
// vazio) ou quando o caminho salvo não existe mais. Atualiza qivEncontrado.
int EscolhePrimeiraAba(Sessao& sessao);

class Inicializacao {
public:
    Inicializacao(Sessao& sessao, JanelaInicio& janela, ParametrosInicio parametros);
    ~Inicializacao();

    // false: o programa deve terminar agora (nada é gravado nem apagado).
    bool executa();

private:
    bool confereOpcoesRegionais();
    bool leLinhaDeComando();
    bool assumeInstancia();
    void ajustaJanela();
    bool ligaLog();
    bool leVersoes();
    bool confereVersoes();
    void mostraVersaoPrograma();
    bool confereIntegridade();
    void defineArquivosDeTrabalho();
    void preenchePaginas();
    void mostraFalhaBiblioteca(const QString& passo);
    // Kelvor_VersoesEx devolveu 0: qual componente falhou e por quê.
    void mostraFalhaVersoes();

    Sessao& sessao_;
    JanelaInicio& janela_;
    ParametrosInicio parametros_;
    std::unique_ptr<InstanciaUnica> instancia_;
    VersoesComponentes versoes_;
    bool comecaEmConfigurar_ = false;
};

} // namespace korventa
