// Listagem das mídias de uma pasta: os blocos de informações são lidos numa thread à parte e as
// linhas chegam aos poucos à thread da interface, que continua respondendo.
#pragma once

#include <QString>
#include <QVector>
#include <atomic>
#include <functional>

class QTreeWidget;

namespace korventa {

class CacheRecibos;
class Plataforma;

struct LinhaMidia {
    QString nome;         // sem a pasta
    QString protocolo;    // "Protocolo Korventa": os dez primeiros caracteres do bloco
    QString protocoloQIV; // vazio quando não transmitida
    QString destino;
    bool transmitida = false; // o bloco tem o código de transmissão (ícone próprio)
};

// Como a listagem terminou. Com `pastaSumiu` a pasta deixou de existir (ou nunca existiu) e as
// linhas entregues até ali continuam valendo.
struct FimListagem {
    int linhas = 0;
    bool pastaSumiu = false;
    bool cancelada = false;
};

// Acrescenta as linhas à lista de quatro colunas, com o ícone da transmitida ou o comum.
void AcrescentaLinhasMidias(QTreeWidget* lista, const QVector<LinhaMidia>& linhas);

// Pasta digitada: sem brancos nas pontas e sem uma "\" (ou "/") no fim.
QString PastaParaListar(const QString& texto);

class ListagemMidias {
public:
    ListagemMidias(Plataforma& plataforma, const CacheRecibos& recibos)
        : plataforma_(plataforma), recibos_(recibos) {}

    // Lista os "*.zip" da pasta na ordem do sistema de arquivos; `aoLer` recebe as linhas em
    // lotes, na thread da interface. Uma mídia que não se lê fica de fora, só no log.
    FimListagem lista(const QString& pasta,
                      const std::function<void(const QVector<LinhaMidia>&)>& aoLer);

    // Pede o fim antecipado (o programa está fechando).
    void cancela() { cancelar_ = true; }

private:
    Plataforma& plataforma_;
    const CacheRecibos& recibos_;
    std::atomic<bool> cancelar_{false};
};

} // namespace korventa
