// Um arquivo fiscal aberto e tudo o que as páginas guardam dele.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace korventa {

struct ArquivoAberto {
    QString caminho;
    QDateTime dataHoraAbertura;   // última modificação do arquivo quando foi aberto
    std::int32_t tamanhoAbertura = 0;
    QString mensagem;             // motivo da recusa ou da última falha; vazio quando não houve
    QString versaoValidador;      // versão do programa na última validação

    QString caminhoMidia;
    QDateTime dataHoraMidia;
    std::int32_t tamanhoMidia = 0;
    // Da mídia aberta (AbreArquivoMidia) e da sua transmissão (bloco da mídia ou recibo);
    // protocolo QIV vazio: não transmitida.
    QString tipoDocumento;
    QString protocoloQIV;
    QString chaveTransmissao;
    QString transmitidoEm;        // "dd/mm/aaaa às hh:mm:ss"
    QString destino;
    QString email;
    QString remetente;
    QString chaveTransmissaoKorventa;

    QString linhaRegistro10;
    QString linhaRegistro11;
    QString cnpj;
    QString inscricaoEstadual;
    QString razaoSocial;
    QString municipio;
    QString uf;
    QString fax;
    QString dataInicial;          // dd/mm/aaaa
    QString dataFinal;
    QString convenio;             // rótulos das colunas 124, 125 e 126 do registro 10
    QString natureza;
    QString finalidade;
    QString contato;
    QString telefone;
    QString logradouro;
    QString numero;

    QString protocolo;            // protocolo provisório de dez dígitos
    QString crcArquivo;           // CRC do arquivo devolvido pelo motor
    std::int32_t resultado = -1;  // -2 lote não validado, -1 não iniciado/cancelado/falhou, 0, 1, 2
    QDateTime inicioValidacao;
    QDateTime fimValidacao;
    std::array<std::array<QString, 23>, 5> totalizadores{};  // grade do Resumo
    std::array<QString, 32> totaisRegistro{};                // linhas 0 a 30 usadas
    QStringList totaisCFOP;
    std::int32_t erros = 0;
    std::int32_t advertencias = 0;
    // Somas de entrada e saída dos registros 53 (campos 5, 8, 9) e 54 (campos 3, 8, 11, 4) das
    // linhas de totais por CFOP, já formatadas.
    std::array<QString, 3> soma53Entrada{}, soma53Saida{};
    std::array<QString, 4> soma54Entrada{}, soma54Saida{};
    QDateTime dataHoraTotaisCFOP;
    std::int32_t tamanhoTotaisCFOP = 0;

    bool temCriticas88 = false;
    std::int32_t linhasErro88 = 0;
    std::int32_t linhasAdvertencia88 = 0;
    // A verificação da PB deixou críticas no seu arquivo de resultado: a lista as mostra depois
    // das do motor, para o usuário saber por que o arquivo foi rejeitado.
    bool temCriticasPB = false;
};

} // namespace korventa
