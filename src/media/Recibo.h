// Recibo de transmissão (".RCB") deixado pelo programa de transmissão: o nome do arquivo, a
// leitura pelo motor (que decifra) e a interpretação das linhas. Estrutura simples, para a tela
// e para a impressão.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace korventa {

struct Recibo {
    QString arquivo;          // nome do ".RCB", sem a pasta
    QString protocoloQIV;     // 7 caracteres
    QString chaveTransmissao; // 8 caracteres
    std::int32_t tamanho = 0; // bytes da mídia enviada
    QString transmitidoEm;    // data (10), " às ", hora (8)
    QString remetente;        // vazio quando o recibo não traz
    QString email;
    QString linha2, linha3;
    QString protocoloKorventa;
    QString cnpj;                     // com a pontuação
    QString chaveTransmissaoKorventa; // vazio quando o recibo não traz

    // UF de destino: os dois primeiros caracteres do nome do arquivo.
    QString destino() const { return arquivo.left(2); }
};

// Linhas lidas de um recibo, no máximo estas.
inline constexpr int MaximoLinhasRecibo = 37;

// Nome no padrão "??_O???????.RCB": UF, "_O", sete caracteres, ".RCB".
bool NomeDeRecibo(const QString& nome);

// Interpreta as linhas já decifradas (a primeira é a linha 1). Falso para recibo de teste
// ("TESTE" na linha 5) ou sem as linhas do protocolo KORVENTA e do CNPJ.
bool InterpretaRecibo(const QStringList& linhas, Recibo& recibo);

// Lê pelo motor (AbrirArquivoCripto, LerArquivoCripto, FecharArquivoCripto) e interpreta.
// Falso, sem mensagem, quando não abre, não lê ou não é válido.
bool LeRecibo(const QString& caminho, Recibo& recibo);

} // namespace korventa
