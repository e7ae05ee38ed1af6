// As críticas listadas e a tabela de localizadores (LocalizadorCritica), guardadas de forma
// compacta: um milhão de linhas não pode virar um milhão de objetos. Os textos ficam em bytes
// Windows-1252 numa área única; mensagens e nomes de campo repetidos são guardados uma só vez.
// A linha i da lista tem Tag = i e o localizador i.
#pragma once

#include "critiques/RelatorioCriticas.h"

#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korventa {

struct LocalizadorCritica {
    QString documentoItem;         // colunas 48-62, sem brancos; pode ser vazio
    std::int64_t deslocamento = 0; // do registro no arquivo fiscal, a partir de 0
    std::int16_t inicioCampo = 0;  // coluna do campo no registro, de 1 em diante; 0 sem campo
    std::int16_t tamanhoCampo = 0; // 0 sem campo
};

class ArmazemCriticas {
public:
    void limpa();
    qsizetype tamanho() const { return static_cast<qsizetype>(linhas_.size()); }

    // Inclusão em dois passos, para que a falha de cada um tenha a sua mensagem: primeiro abre
    // espaço para mais uma linha, depois guarda os textos. Ambos podem lançar std::bad_alloc.
    void reservaMaisUma();
    void inclui(const CamposCritica& campos, TipoCritica tipo);

    QString linha(qsizetype i) const;
    QString mensagem(qsizetype i) const;
    QString registro(qsizetype i) const;
    QString campo(qsizetype i) const;
    TipoCritica tipo(qsizetype i) const { return linhas_[i].tipo; }
    LocalizadorCritica localizador(qsizetype i) const;

private:
    struct Texto {
        std::uint32_t inicio = 0;
        std::uint8_t tamanho = 0;
    };
    struct Linha {
        Texto linha, registro, campo, documentoItem, mensagem;
        TipoCritica tipo;
        std::int16_t inicioCampo;
        std::int16_t tamanhoCampo;
        std::int64_t deslocamento;
    };
    struct HashTexto {
        using is_transparent = void;
        std::size_t operator()(std::string_view t) const {
            return std::hash<std::string_view>{}(t);
        }
    };

    Texto guarda(std::string_view texto);
    Texto guardaUmaVez(std::string_view texto);
    QString texto(Texto t) const;

    std::vector<Linha> linhas_;
    std::vector<char> area_;
    std::unordered_map<std::string, Texto, HashTexto, std::equal_to<>> repetidos_;
};

} // namespace korventa
