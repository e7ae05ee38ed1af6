// Transmissão simulada de uma mídia: nada sai desta máquina. Grava na mídia a parte da
// transmissão do bloco de informações (renovando o selo, pela biblioteca das mídias) e deixa na
// pasta de comprovantes um recibo cifrado "UF_O<7 dígitos>.RCB", como o programa de verdade.
#pragma once

#include "media/BlocoInfoMidia.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace korventa::qiv {

// Mídia lida para a janela: o bloco conferido pelo motor (selo inclusive) ou o motivo.
struct MidiaQIV {
    QString caminho;
    bool integra = false;
    QString mensagem;
    BlocoInfoMidia bloco;
    QString tipoDocumento;
    QString razaoSocial;
};
MidiaQIV LeMidia(const QString& caminho);

// Dados que vão no recibo e no bloco.
struct DadosRecibo {
    QString ufDestino;
    QString protocoloQIV; // 7 dígitos
    QDateTime quando;
    QString chave; // 8 caracteres
    QString chaveKorventa;
    QString email;
    QString remetente; // vazio: o recibo sai sem a linha "Remetente: "
    QString nomeMidia;
    qint64 tamanho = 0;
    QString protocoloKorventa;
    QString cnpj; // com a pontuação
    QString razaoSocial;
};

// Linhas do recibo (a primeira é a linha 1).
QStringList LinhasRecibo(const DadosRecibo& d);

// Pasta de comprovantes do programa de transmissão (configuração "QIV2"). Sem uma configurada,
// a pasta padrão, que fica gravada na configuração e é criada quando falta.
QString PastaComprovantes();
QString PastaComprovantesPadrao();

// Próximo protocolo QIV: maior que todos os recibos da pasta e crescente com o tempo.
QString ProximoProtocolo(const QString& pastaRecibos, const QDateTime& agora);

struct ResultadoTransmissao {
    bool ok = false;
    QString mensagem;
    QString protocoloQIV;
    QString caminhoRecibo;
};

ResultadoTransmissao TransmiteMidia(const QString& caminhoMidia, const QString& remetente,
                                    const QString& email, const QDateTime& agora);

// Texto que a janela mostra sempre: é um simulador.
QString AvisoSimulador();

} // namespace korventa::qiv
