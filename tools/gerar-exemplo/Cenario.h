// O "universo" de um arquivo de exemplo: informante, parceiros, produtos e documentos, todos
// funções puras da semente. Cada seção do arquivo percorre os documentos de novo em vez de
// guardá-los: a memória não cresce com o tamanho do arquivo.
#pragma once

#include "GeradorExemplo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvor::exemplo {

struct Parceiro {
    char cnpj[14]; // CNPJ, ou "000" + CPF para pessoa física
    char ie[14];   // X(14) já com brancos; "ISENTO" para pessoa física
    char uf[2];
    bool mesmaUf;
};

struct Documento {
    std::int64_t indice = 0;
    Parceiro parte; // na forma atacadista, um parceiro só desta nota
    int parceiro = 0;
    int dia = 0; // 0-based dentro do mês
    bool saida = false;
    int serie = 1;
    int numero = 1;
    int cfop = 0;
    int nAliq = 1;
    int aliq[2] = {0, 0};
    int itens = 1;
    bool frete = false;
    bool tem51 = false;
    bool tem53 = false;
    std::uint64_t h = 0;
};

class Cenario {
public:
    explicit Cenario(const Opcoes& o);
    const std::string& erro() const { return erro_; }

    // Tamanhos derivados do número de linhas pedido.
    std::int64_t documentos = 0;
    std::int64_t transportes = 0; // registros 70
    int diasMes = 0;
    int dias60 = 0, equipamentos = 0;
    int itens60D = 0, itens60I = 0; // por dia e equipamento (só na forma de cupons)
    int dias61 = 0, series61 = 0;
    int produtos = 0;

    // Documentos com forma imposta por uma falha pedida (-1 quando não pedida).
    std::int64_t docSem50 = -1, docSem75 = -1, docIcms = -1, docOrdem = -1;

    char cnpj[14];
    char ie[14];
    char uf[2];

    const std::vector<Parceiro>& parceiros() const { return parceiros_; }
    int parceiroDe(std::int64_t i, std::int64_t total) const;
    // O parceiro do documento com a IE (na forma atacadista ela só é gerada aqui).
    const Parceiro& parteComIe(Documento& d) const;
    Documento documento(std::int64_t i) const;
    std::uint64_t valorItem(const Documento& d, int j) const;
    int aliqItem(const Documento& d, int j) const { return d.aliq[j % d.nAliq]; }
    int produtoItem(const Documento& d, int j) const;
    // Soma dos itens do documento com a alíquota dada.
    std::uint64_t totalAliq(const Documento& d, int aliq) const;

    static void codigoProduto(int indice, char saida[14]);
    int data(int dia) const { return dataInicial_ + dia; } // AAAAMMDD, dia 0-based
    int dataInicial() const { return dataInicial_; }
    int dataFinal() const { return dataInicial_ + diasMes - 1; }
    int dataMesSeguinte() const;
    std::uint64_t mistura(std::uint64_t a, std::uint64_t b) const;
    Forma forma() const { return forma_; }

private:
    void montaParceiros();
    void dimensiona(double linhas);
    Parceiro parceiroProprio(std::int64_t i) const;

    std::uint64_t semente_;
    int ano_, mes_;
    int dataInicial_ = 0;
    Forma forma_;
    std::vector<Parceiro> parceiros_;
    const char* outrasUfs_[26] = {};
    std::string erro_;
};

} // namespace kelvor::exemplo
