// Uma só instância do programa por usuário: a primeira segura uma trava e atende num servidor
// local; a segunda, sem conseguir a trava, pede à primeira que venha para a frente (e abra os
// arquivos que lhe pediram) e termina.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLockFile;
class QLocalServer;

namespace korventa {

class InstanciaUnica {
public:
    // chave: nome do servidor local e do arquivo de trava (na pasta temporária).
    explicit InstanciaUnica(QString chave);
    ~InstanciaUnica();
    InstanciaUnica(const InstanciaUnica&) = delete;
    InstanciaUnica& operator=(const InstanciaUnica&) = delete;

    // Chave padrão do programa, uma por usuário.
    static QString chavePadrao();

    // true: esta é a única instância e passa a atender os pedidos das próximas.
    // false: outra já roda; ela foi avisada para vir para a frente e abrir `arquivos`.
    bool assume(const QStringList& arquivos = {});

    // Chamado quando outra instância pede para esta vir para a frente.
    void aoPedirFrente(std::function<void()> acao) { aoPedirFrente_ = std::move(acao); }
    // Chamado depois do pedido de frente quando a outra instância trouxe arquivos.
    void aoReceberArquivos(std::function<void(const QStringList&)> acao) {
        aoReceberArquivos_ = std::move(acao);
    }

    // O pedido que vai pelo servidor local: a linha "frente", depois um caminho por linha (UTF-8
    // em %-codificação, para que nenhum caractere do nome quebre a linha).
    static QByteArray montaPedido(const QStringList& arquivos);
    static QStringList leArquivosDoPedido(const QByteArray& pedido);

private:
    void avisaOutra(const QStringList& arquivos);
    void atendePedido(const QByteArray& pedido);

    QString chave_;
    std::unique_ptr<QLockFile> trava_;
    std::unique_ptr<QLocalServer> servidor_;
    std::function<void()> aoPedirFrente_;
    std::function<void(const QStringList&)> aoReceberArquivos_;
};

} // namespace korventa
