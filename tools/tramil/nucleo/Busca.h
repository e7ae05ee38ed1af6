// Busca por palavra-chave ou expressão regular no arquivo mapeado. O resultado são as linhas com
// alguma ocorrência (como `grep -c` conta), em ordem; na tela, as ocorrências de cada linha
// visível são destacadas.
#pragma once

#include "nucleo/Varredura.h"

#include <QRegularExpression>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tramil {

struct CriterioBusca {
    QString texto;
    bool expressaoRegular = false;
    bool diferenciaMaiusculas = false;
};

struct Ocorrencia {
    int inicio = 0; // coluna de 0
    int tamanho = 0;
};

class Buscador {
public:
    // nullptr com a mensagem quando o critério não serve.
    static std::shared_ptr<const Buscador> cria(const CriterioBusca& criterio, QString& erro);

    // Percorre [0, fim) de `dados` incluindo na varredura cada linha com ocorrência.
    void varre(std::string_view dados, Varredura& v) const;
    // Ocorrências numa linha só, para destacar.
    std::vector<Ocorrencia> ocorrencias(std::string_view linha) const;

    const CriterioBusca& criterio() const { return criterio_; }

private:
    void varreLiteral(std::string_view dados, Varredura& v) const;
    void varreExpressao(std::string_view dados, Varredura& v) const;
    // Próxima ocorrência literal em [p, p + n); nullptr quando não há. `copia` é a área onde o
    // trecho é passado para minúsculas quando não se diferencia maiúsculas.
    const char* procuraLiteral(const char* p, std::size_t n, std::string& copia) const;

    CriterioBusca criterio_;
    std::string agulha_; // bytes Windows-1252 (em minúsculas quando não diferencia)
    bool agulhaAscii_ = true;
    QRegularExpression expressao_;
};

// Trabalho de varredura que junta as linhas das classes marcadas (Classes.h).
Varredura::Trabalho TrabalhoFiltroClasses(std::string_view dados, std::vector<bool> classes);

} // namespace tramil
