// O que o recibo de transmissão impresso mostra, em textos prontos. A entrada do arquivo dá a
// identificação, o período e as contagens; o recibo lido do programa de transmissão dá o
// protocolo, os valores e os dados do envio. Sem recibo, o impresso é o recibo provisório.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

namespace korventa {

struct ArquivoAberto;
struct Recibo;

struct LinhaRegistrosRecibo {
    QString tipo;           // "10", "50"... ou "Totais"
    QString comAdvertencia; // contagens como na grade do Resumo
    QString semAdvertencia;
    QString total;
};

// Seções de "Valores Totais por Registro", nesta ordem.
enum SecaoValoresRecibo : int {
    ValoresRegistro50,
    ValoresRegistro51,
    ValoresRegistro53,
    ValoresRegistro54,
    ValoresRegistro60A,
    ValoresRegistro61,
    ValoresRegistro70,
    QuantidadeSecoesValores
};

struct DadosRecibo {
    QString protocolo;
    QString periodoInicial;
    QString periodoFinal;
    QString finalidade; // descrições das tabelas do registro 10
    QString natureza;

    QString razaoSocial;
    QString cidade;
    QString estado;
    QString cnpj; // 14 dígitos; impresso formatado
    QString inscricaoEstadual;
    QString responsavel;
    QString telefone;
    QStringList endereco; // partes, impressas separadas por ", "
    QString nomeArquivo;
    QString crcDocumento;
    std::int64_t tamanhoArquivo = 0;
    QDateTime dataArquivo;
    QString tipoDocumento;
    QString versaoValidador;

    QVector<LinhaRegistrosRecibo> registros; // um por tipo de registro da grade
    LinhaRegistrosRecibo totais;

    // Por seção, as linhas de valores ("Entrada" e "Saída", ou uma só em 60A e 61), cada uma com
    // os valores formatados na ordem das colunas da seção.
    std::array<QVector<QStringList>, QuantidadeSecoesValores> valores;

    // Dados da transmissão; destino vazio: arquivo ainda não transmitido.
    QString destino;
    QString dataEnvio;
    QString protocoloQIV;
    QString chaveTransmissao;
    QString remetente;
    QString email;
};

// Tudo a partir da entrada: identificação, período, protocolo, contagens da grade, valores por
// registro (dos totais por CFOP) e a transmissão que o bloco da mídia ou o recibo deixaram nela.
DadosRecibo DadosReciboDoArquivo(const ArquivoAberto& a);

// O mesmo, com o protocolo do recibo do programa de transmissão quando ele foi achado (nulo: o
// comprovante provisório).
DadosRecibo DadosReciboDaMidia(const ArquivoAberto& a, const Recibo* recibo);

} // namespace korventa
