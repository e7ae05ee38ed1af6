// Recibos já lidos da pasta de comprovantes, guardados durante toda a execução: carregar só
// acrescenta os arquivos de nome ainda desconhecido, e nada sai.
#pragma once

#include "media/Recibo.h"

#include <QHash>
#include <QSet>
#include <QVector>

namespace korventa {

class CacheRecibos {
public:
    // Lê os recibos novos ("??_O???????.RCB") da pasta. Pasta vazia: nada.
    void carrega(const QString& pasta);

    // Índice do recibo da mídia (mesmo CNPJ com pontuação, mesmo protocolo KORVENTA e tamanho
    // igual ao tamanho atual do arquivo da mídia); entre vários, o de maior protocolo QIV. -1
    // quando nenhum casa.
    int procura(const QString& cnpj, const QString& protocolo, const QString& caminhoMidia) const;
    // O mesmo com o tamanho já conhecido.
    int procura(const QString& cnpj, const QString& protocolo, qint64 tamanhoMidia) const;

    const Recibo& recibo(int indice) const { return recibos_.at(indice); }
    int quantidade() const { return int(recibos_.size()); }

    // Para os testes e para quem já tem o recibo em mãos.
    void inclui(const Recibo& r);

private:
    QVector<Recibo> recibos_;
    QSet<QString> nomes_;
    QMultiHash<QString, int> porChave_; // CNPJ e protocolo
};

} // namespace korventa
