// Contagens por tipo de registro, totais por CFOP e totais por registro de uma validação.
#pragma once

#include "core/Critica.h"
#include "core/CruzadoTabela.h"
#include "core/Leiaute.h"

#include <array>
#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kelvor {

// Tabela de Kelvor_Totalizador: linhas 0..20 os tipos, 21 o total; colunas sem crítica,
// só advertências, rejeitados, total.
class Contagens {
public:
    void conta(int indiceTipo, Situacao s);
    // Crítica tardia: o registro passa da situação de para a situação para.
    void muda(int indiceTipo, Situacao de, Situacao para);
    std::int64_t celula(int linha, int coluna) const;

private:
    std::array<std::array<std::int64_t, 3>, 21> n_{};
};

// O que um registro soma nos totais por CFOP: a chave da linha e os valores de cada campo,
// com o campo do registro de onde cada valor veio (para a crítica de soma grande demais).
struct Parcelas {
    static constexpr int Maximo = 9;
    struct Parcela {
        std::int8_t destino; // índice em TotaisCfop::Somas
        std::uint8_t inicio; // campo do registro (1-based) e largura
        std::uint8_t tamanho;
        std::int64_t valor;
    };
    std::array<char, 10> chave{}; // tipo (2), CFOP (4), alíquota (4)
    std::array<Parcela, Maximo> itens{};
    int quantas = 0;
    // Documento (resumo da chave do 54) de um 50 cancelado, denegado ou inutilizado, que os
    // itens dele não somam. 0 quando não se aplica.
    std::uint64_t documentoSemValor = 0;
};

// Documento (resumo da chave do 54) de um registro 54 de tamanho certo: só é preciso quando
// algum 50 cancelado veio antes.
std::uint64_t documentoDo54(std::string_view registro54);

// Parcelas do registro (tamanho certo e leiaute conhecido); falso quando não soma nada. Não
// olha outros registros: os itens de documento cancelado saem em TotaisCfop::acumula.
bool parcelasDe(const LeiauteRegistro& l, std::string_view registro, Parcelas& p);

// Soma dos valores por (tipo, CFOP, alíquota) dos registros 50, 51, 53, 54, 60A, 61 e 70.
// As somas param no maior int64 em vez de dar a volta: um arquivo hostil não as faz negativas,
// e o que passa de 15 dígitos é apontado à parte (veja TotaisEmOrdem).
class TotaisCfop {
public:
    static constexpr int Valores = 9;                                 // campos 3 a 11 da linha
    static constexpr std::int64_t MaximoColuna = 999'999'999'999'999; // 15 dígitos
    using Chave = std::array<char, 10>; // tipo (2), CFOP (4), alíquota (4)
    using Somas = std::array<std::int64_t, Valores>;

    // Registro de tamanho certo e leiaute conhecido, em ordem: um 54 de documento cancelado
    // antes dele não soma.
    void acumula(const LeiauteRegistro& l, std::string_view registro);

    // Partes de acumula, para quem soma em paralelo e acerta os cancelados em ordem.
    void registraSemValor(std::uint64_t documento) { semValor_.insere(documento); }
    bool temSemValor() const { return semValor_.tamanho() > 0; }
    bool semValor(std::uint64_t documento54) const { return semValor_.contem(documento54); }
    // O 54 é de um documento cancelado antes dele (e então não soma)?
    bool itemSemValor(const LeiauteRegistro& l, std::string_view registro) const {
        return l.indiceTipo == 5 && temSemValor() && semValor(documentoDo54(registro));
    }
    void soma(const Parcelas& p);
    void subtrai(const Parcelas& p);
    void junta(const TotaisCfop& outra);
    void limpa();
    bool vazia() const { return mapa_.empty(); }

    // Linhas de 146 caracteres, sem fim de linha, ordenadas por tipo, CFOP e alíquota; a soma
    // que não cabe em 15 dígitos sai com 15 noves.
    std::vector<std::string> linhas() const;
    // Linhas 0 a 30 de Kelvor_TotalizadorRegistro.
    std::vector<std::string> linhasPorRegistro() const;

    const std::map<Chave, Somas>& mapa() const { return mapa_; }
    const Somas* somasDe(const Chave& k) const;

private:
    Somas& somas(const Chave& k);

    std::map<Chave, Somas> mapa_;
    Chave ultimaChave_{};
    Somas* ultimas_ = nullptr;
    // As chaves alternam de registro a registro (parceiros de UF diferentes, alíquotas): as
    // últimas ficam aqui, pelo resumo, antes de ir ao mapa (os nós do mapa não mudam de lugar).
    struct Recente {
        Chave chave{};
        Somas* somas = nullptr;
    };
    std::array<Recente, 16> recentes_{};
    // Documentos de registros 50 cancelados, denegados ou inutilizados: 8 bytes por documento,
    // como nas verificações entre registros.
    cruzado::Conjunto semValor_;
};

// Soma saturada no maior int64 (valores nunca negativos).
inline std::int64_t somaSaturada(std::int64_t a, std::int64_t b) {
    return b > INT64_MAX - a ? INT64_MAX : a + b;
}

// Nome do campo da linha de totais (índice em Somas), como a crítica o cita.
const char* nomeValorTotal(int destino);

} // namespace kelvor
