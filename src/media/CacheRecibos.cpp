#include "media/CacheRecibos.h"

#include "common/Caminhos.h"

#include <QDir>
#include <QFileInfo>

namespace korventa {

namespace {

QString chave(const QString& cnpj, const QString& protocolo) {
    return cnpj + QLatin1Char('|') + protocolo;
}

} // namespace

void CacheRecibos::carrega(const QString& pasta) {
    // Sem pasta configurada não há o que ler (QDir("") seria a pasta atual).
    if (pasta.isEmpty()) return;
    const QDir dir(pasta);
    const QStringList nomes = dir.entryList({QStringLiteral("*_*.RCB")}, QDir::Files);
    for (const QString& nome : nomes) {
        if (!NomeDeRecibo(nome) || nomes_.contains(nome)) continue;
        Recibo r;
        if (LeRecibo(JuntaCaminho(pasta, nome), r)) inclui(r);
    }
}

void CacheRecibos::inclui(const Recibo& r) {
    nomes_.insert(r.arquivo);
    porChave_.insert(chave(r.cnpj, r.protocoloKorventa), int(recibos_.size()));
    recibos_ << r;
}

int CacheRecibos::procura(const QString& cnpj, const QString& protocolo,
                          const QString& caminhoMidia) const {
    const QFileInfo info(caminhoMidia);
    if (!info.isFile()) return -1;
    return procura(cnpj, protocolo, info.size());
}

int CacheRecibos::procura(const QString& cnpj, const QString& protocolo,
                          qint64 tamanhoMidia) const {
    int melhor = -1;
    for (auto it = porChave_.constFind(chave(cnpj, protocolo));
         it != porChave_.cend() && it.key() == chave(cnpj, protocolo); ++it) {
        const Recibo& r = recibos_.at(it.value());
        if (r.tamanho != tamanhoMidia) continue;
        if (melhor < 0 || r.protocoloQIV > recibos_.at(melhor).protocoloQIV) melhor = it.value();
    }
    return melhor;
}

} // namespace korventa
