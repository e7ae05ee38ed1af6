// Mídias pequenas feitas pela biblioteca de verdade (GerarMidiaQivEx) com o resumo e os totais
// que o teste quiser, e a regravação da parte da transmissão (RegravarInfoMidiaQIV).
#pragma once

#include "media/BlocoInfoMidia.h"

#include <QString>
#include <QStringList>

namespace korventa::testes {

struct MidiaTeste {
    QString protocolo = QStringLiteral("0123456789");
    QString versao = QStringLiteral("5.4.0"); // vazio: o resumo sai sem a linha da versão
    bool linhaTotais = true;                  // a última linha, a dos totais por registro
    int linhasTabela = 21;
    QStringList totaisCFOP;
};

// Linhas dos registros 10 e 11 de um arquivo do gerador de exemplos.
QStringList CabecalhoExemplo();
// CNPJ do registro 10 do exemplo (14 dígitos).
QString CnpjExemplo();

QStringList ResumoTeste(const MidiaTeste& m);

// Grava a mídia; vazio quando deu certo, senão a mensagem da biblioteca.
QString GeraMidiaTeste(const QString& caminhoMidia, const MidiaTeste& m = {});

// Troca a parte da transmissão do bloco da mídia; vazio quando deu certo.
QString TransmiteMidiaTeste(const QString& caminhoMidia, const DadosTransmissao& t);

} // namespace korventa::testes
