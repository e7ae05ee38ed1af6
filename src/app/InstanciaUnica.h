// Uma só instância do programa por usuário: a primeira segura uma trava e atende num servidor
// local; a segunda, sem conseguir a trava, pede à primeira que venha para a frente e termina.
#pragma once

#include <QString>
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
    // false: outra já roda; ela foi avisada para vir para a frente.
    bool assume();

    // Chamado quando outra instância pede para esta vir para a frente.
    void aoPedirFrente(std::function<void()> acao) { aoPedirFrente_ = std::move(acao); }

private:
    void avisaOutra();

    QString chave_;
    std::unique_ptr<QLockFile> trava_;
    std::unique_ptr<QLocalServer> servidor_;
    std::function<void()> aoPedirFrente_;
};

} // namespace korventa
