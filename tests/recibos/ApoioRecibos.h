// Recibos de teste: as linhas no formato que o programa de transmissão deixa e a gravação
// cifrada pelo motor de verdade.
#pragma once

#include <QString>
#include <QStringList>

namespace korventa::testes {

struct DadosReciboTeste {
    QString protocoloQIV = QStringLiteral("1234567");
    QString data = QStringLiteral("05/03/2024");
    QString hora = QStringLiteral("14:22:10");
    QString chave = QStringLiteral("A1B2C3D4");
    QString chaveKorventa;
    QString email = QStringLiteral("contabil@exemplo.com.br");
    QString remetente; // vazio: recibo sem a linha "Remetente: "
    qint64 tamanho = 1000;
    QString protocolo = QStringLiteral("1234567890");
    QString cnpj = QStringLiteral("11.222.333/0001-81");
    bool teste = false;
};

QStringList LinhasReciboTeste(const DadosReciboTeste& d);

// Grava o recibo cifrado pelo motor (GravarArquivoCripto); falso com a mensagem do motor.
bool GravaReciboTeste(const QString& caminho, const QStringList& linhas,
                      QString* mensagem = nullptr);

} // namespace korventa::testes
