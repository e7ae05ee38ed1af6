// Relatório de Críticas impresso: página em paisagem, Arial 9, uma crítica por linha com o
// número da linha, tipo de registro, documento-item, campo, conteúdo lido, mensagem e o tipo da
// crítica. Lê os relatórios de críticas direto, sem o limite da lista.
#pragma once

#include "critiques/RelatorioCriticas.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace korventa {

class SuperficieImpressao;

// Posições x das colunas (twips) para uma largura imprimível.
struct ColunasCriticas {
    int linha = 0;
    int tipo = 0;
    int documento = 0;
    int campo = 0;
    int fimConteudo = 0; // o conteúdo lido termina aqui
    int mensagem = 0;
    int critica = 0;         // "Rejeição" ou "Advertência"
    QString cabecaDocumento; // "Documento-Item", ou "Doc-Item" na folha estreita
};

// `larguraAdvertencia`: largura de "Advertência" em Arial 9.
ColunasCriticas CalculaColunasCriticas(int larguraImprimivel, int larguraAdvertencia);
// Fim útil da página (a linha de baixo) e linhas por página; ao menos uma linha.
int FimUtilCriticas(int alturaImprimivel);
int LinhasPorPaginaCriticas(int alturaImprimivel);
// Páginas de `quantidade` críticas (a sobra abre mais uma).
int PaginasCriticas(std::int64_t quantidade, int linhasPorPagina);

// Título do relatório pelo tipo impresso (0 erros, 1 advertências, 2 os dois).
QString TituloCriticas(FiltroCriticas tipo);
// "Nenhum erro para imprimir.", "Nenhuma advertência para imprimir." ou, para os dois tipos,
// "Nenhuma crítica para imprimir.".
QString MensagemSemCriticas(FiltroCriticas tipo);

struct PedidoCriticas {
    FiltroCriticas tipo = FiltroCriticas::Tudo;
    int paginaInicial = 1;
    int paginaFinal = 1;
    int ultimaPagina = 1;
    QStringList relatorios; // relatório principal e o de pós-validação
    QString arquivo;        // caminho do arquivo fiscal
    QString contribuinte;   // "Contribuinte: " CNPJ e razão social
    QString periodo;        // "Período: " início " a " fim
    QDateTime agora;        // a mesma data e hora em todas as páginas
};

enum class FimCriticas {
    Impresso,     // páginas desenhadas; falta terminar o documento
    NadaImpresso, // nenhuma crítica caiu no intervalo
    Cancelado,
    NaoCoube, // uma página passou do fim da folha
    Falhou    // arquivo de críticas que não abre ou não se lê (ver mensagem)
};

struct ResultadoCriticas {
    FimCriticas fim = FimCriticas::Impresso;
    QString mensagem;
    int paginas = 0; // páginas desenhadas
};

struct AcompanhamentoCriticas {
    // Uma página começou (número no relatório).
    std::function<void(int pagina)> pagina;
    // Depois de cada linha: deixa os eventos correrem e diz se o usuário cancelou.
    std::function<bool()> cancelou;
};

// Desenha as páginas do intervalo pedido. Não termina nem descarta o documento.
ResultadoCriticas DesenhaCriticas(SuperficieImpressao& s, const PedidoCriticas& pedido,
                                  const AcompanhamentoCriticas& acompanhamento);

} // namespace korventa
