#include "ApoioRecibos.h"

#include "engine/Bibliotecas.h"
#include "validation/Motor.h"

#include <array>

namespace korventa::testes {

QStringList LinhasReciboTeste(const DadosReciboTeste& d) {
    QStringList l{
        QStringLiteral("RECIBO DE ENTREGA"),
        QStringLiteral("  Secretaria da Fazenda  "),
        QStringLiteral("Convênio ICMS 57/95"),
        QString(),
        QStringLiteral("Protocolo QIV: %1   Data: %2   Hora: %3%4")
            .arg(d.protocoloQIV, d.data, d.hora, d.teste ? QStringLiteral("   TESTE") : QString()),
        QStringLiteral("Chave Transmissão: ") + d.chave,
        d.chaveKorventa.isEmpty()
            ? QString()
            : QStringLiteral("Chave de Transmissão KORVENTA: ") + d.chaveKorventa,
        QStringLiteral("E-Mail: ") + d.email};
    if (!d.remetente.isEmpty()) l << QStringLiteral("Remetente: ") + d.remetente;
    l << QString() << QStringLiteral("Dados da transmissão") << QStringLiteral("Arquivo: midia.zip")
      << QStringLiteral("Tamanho: %1 bytes").arg(d.tamanho) << QString()
      << QStringLiteral("Dados do arquivo") << QStringLiteral("Protocolo KORVENTA: ") + d.protocolo
      << QStringLiteral("CNPJ: ") + d.cnpj;
    return l;
}

bool GravaReciboTeste(const QString& caminho, const QStringList& linhas, QString* mensagem) {
    auto* grava = KORVENTA_FUNCAO("Kelvor", GravarArquivoCripto);
    if (!grava) {
        if (mensagem) *mensagem = FalhaDoMotor();
        return false;
    }
    std::array<char, 1000> msg{};
    const bool ok = grava(CaminhoParaMotor(caminho).constData(),
                          TextoParaMotor(linhas.join(QStringLiteral("\r\n"))).constData(),
                          msg.data(), int(msg.size())) == 0;
    if (mensagem) *mensagem = TextoDoMotor(msg.data(), int(msg.size()));
    return ok;
}

} // namespace korventa::testes
