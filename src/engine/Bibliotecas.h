// Carregador das bibliotecas fechadas: carrega cada uma pelo nome-base, da pasta do programa,
// na primeira vez que uma função dela é pedida, e guarda cada ponteiro resolvido.
#pragma once

#include "engine/Cabecalhos.h"

#include <QHash>
#include <QString>
#include <memory>

class QLibrary;

namespace korventa {

// Por que a última resolução falhou.
struct FalhaCarga {
    int numero = 0;      // 48: biblioteca não carregou; 453: ponto de entrada ausente
    QString descricao;   // em português, com o nome da biblioteca e, se for o caso, da função
    QString biblioteca;  // nome-base ("Kelvor")
    QString funcao;      // vazio quando a falha é da biblioteca
};

class Bibliotecas {
public:
    explicit Bibliotecas(QString pasta);
    ~Bibliotecas();
    Bibliotecas(const Bibliotecas&) = delete;
    Bibliotecas& operator=(const Bibliotecas&) = delete;

    const QString& pasta() const { return pasta_; }
    // Nome do arquivo da biblioteca na plataforma ("libKelvor.so", "Kelvor.dll").
    static QString nomeArquivo(const QString& nomeBase);

    // Ponteiro da função, ou nulo com a falha em falha().
    QFunctionPointer resolve(const QString& biblioteca, const char* funcao);
    template <typename F> F funcao(const QString& biblioteca, const char* nome) {
        return reinterpret_cast<F>(resolve(biblioteca, nome));
    }
    const FalhaCarga& falha() const { return falha_; }

private:
    QLibrary* carrega(const QString& biblioteca);

    QString pasta_;
    QHash<QString, std::shared_ptr<QLibrary>> bibliotecas_;
    QHash<QString, QFunctionPointer> funcoes_;
    FalhaCarga falha_;
};

// Carregador do programa (pasta do executável), trocável nos testes.
Bibliotecas& bibliotecas();
void defineBibliotecas(std::unique_ptr<Bibliotecas> novas);

// Acesso tipado: bibliotecas().funcao<assinaturas::X>("Kelvor", "X").
#define KORVENTA_FUNCAO(biblioteca, nome)                                                          \
    ::korventa::bibliotecas().funcao<::korventa::assinaturas::nome>(QStringLiteral(biblioteca),    \
                                                                      #nome)

} // namespace korventa
