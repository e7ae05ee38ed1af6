// Estado que a janela principal possui durante a vida do programa e que as páginas e diálogos
// leem e escrevem: tabela de arquivos abertos, configurações em memória, marcas da janela e
// caminhos dos arquivos de trabalho.
#pragma once

#include "engine/Definicoes.h"
#include "platform/Impressora.h"
#include "validation/ArquivoAberto.h"

#include <QStringListModel>
#include <QVector>
#include <functional>
#include <cstdint>

namespace korventa {

class Plataforma;

// Configurações lidas no início e gravadas no fim.
struct Configuracoes {
    QString pathQiv = QStringLiteral("?");
    QString pathConvenio = QStringLiteral(".");
    QString pathGeraMidia = QStringLiteral(".");
    std::int32_t maxCriticas = 3000;
    QString ultimaImpressora;
    QVector<double> colunasCriticas{855, 3855, 440, 1400};  // twips
    QVector<double> colunasMidias{3040, 1560, 1230, 840};   // twips
    QString ultimaPastaMidia;     // texto de ComboPastaMidias
    int filtroCriticas = 2;       // 0 Erros, 1 Advertências, 2 Tudo
    QString pastaComprovantesQIV; // do programa de transmissão
    QString nomeAplicacao;        // "ValidadorKorventa" ou "ValidadorKorventaV2"
    QByteArray geometriaJanela;   // tamanho e posição da janela principal (saveGeometry)
};

struct Sessao {
    explicit Sessao(Plataforma& p) : plataforma(p) { arquivos.resize(1); }

    Plataforma& plataforma;
    VersaoPrograma versao{5, 4, 0};
    QString versaoValkora2;       // legenda de LabelVersaoValkora2 (vai no resumo da mídia)

    // Tabela de arquivos abertos: sempre ao menos uma entrada.
    QVector<ArquivoAberto> arquivos;
    bool variosArquivos() const { return arquivos.size() > 1; }

    Configuracoes cfg;
    // Listas recentes, mais novo no índice 0: os modelos de ComboArquivo e ComboPastaMidias.
    QStringListModel arquivosRecentes;
    QStringListModel pastasMidiaRecentes;

    // Marcas da janela principal.
    std::int16_t paginaAtual = -1;
    bool configuracaoAlterada = false;
    bool carregando = false;
    bool validando = false;
    std::int16_t nivelLog = 0;
    bool qivEncontrado = false;
    bool listaCriticasDesatualizada = false;
    bool temCriticas = false;     // a última validação deixou erros ou advertências
    QString ultimaPastaMidia;     // pasta da última mídia gravada (um ou vários arquivos)
    // Impressora atual (o nome é cfg.ultimaImpressora) e a pasta do último PDF gravado.
    EstadoImpressora impressora;
    QString pastaUltimoPdf;

    // Pastas e arquivos de trabalho.
    QString pastaPrograma;        // pasta do executável
    QString pastaTemporaria;      // com o separador no fim
    QString caminhoCriticas;      // base: "<temp>Criticas.tmp"
    QString caminhoTotaisCFOP;
    QString caminhoResumo;
    QString caminhoTotaisSituacao;
    QString caminhoTotaisOutrasIEs;
    QString caminhoTotaisPorUF;
    QString caminhoComprovante;
    QString caminhoUtilitarioNotas;

    // Ligações entre as páginas, feitas pela janela principal. Quem chama confere se existem:
    // nos testes de uma página sozinha elas ficam vazias.
    std::function<void(int aba)> selecionaAba;       // abas de 1 a 7
    std::function<void()> preencheValidar;           // página Validar depois de abrir/fechar
    std::function<void()> preencheResumo;            // atualização do Resumo
    std::function<void()> preencheArquivosCriticas;  // ComboArquivoCriticas a partir da tabela
    std::function<void()> listaCriticas;             // ListaArquivoCriticas
    std::function<void()> limpaCriticas;             // página Críticas ao fechar os arquivos
    std::function<void(const QString&)> avisoCriticas; // texto de LabelAvisoCriticas
    std::function<void(const QString&)> tituloDetalheCriticas; // título de FrameDetalhe
    std::function<void()> mostraCriticas;            // a validação deixou críticas a listar
    std::function<void(int topico)> ajuda;           // Ajuda(tópico) da janela principal
    std::function<void()> paginaValidarMostrada;     // troca para a Validar: pendências e botões
    std::function<void()> selecionaArquivoCriticasDoResumo; // Críticas vindo do Resumo de vários
    std::function<void()> preencheVariosArquivos;    // lista do Resumo de vários arquivos
    // Listas de totais do Resumo (por registro, por CFOP, por CFOP e registro) da entrada n.
    std::function<void(int n)> preencheTotaisResumo;
    // Indicador de impressão da janela principal: o rótulo mostrado; vazio esconde.
    std::function<void(const QString& rotulo)> indicaImpressao;
    // ExecutarQIV: transmissão de uma mídia pelo programa de transmissão.
    std::function<void(const QString& midia)> executarQIV;
};

} // namespace korventa
