// As posições dos campos que a consulta de notas lê, tiradas uma vez da tabela de leiaute do
// motor (pelo papel do campo ou pelo nome): o Tramil não tem tabela de posições própria.
#pragma once

#include <QStringList>
#include <string_view>

namespace tramil {

struct Pos {
    int inicio = 0; // de 1; 0: o campo não foi achado na tabela
    int tamanho = 0;
    // O campo num registro de pelo menos 126 posições.
    std::string_view de(const char* registro) const {
        return {registro + inicio - 1, static_cast<std::size_t>(tamanho)};
    }
    std::string_view de(std::string_view registro) const;
};

struct CamposNota {
    struct {
        Pos cnpj, ie, data, uf, modelo, serie, numero, cfop, emitente, total, base, icms, isentas,
            outras, aliquota, situacao;
    } r50;
    struct {
        Pos cnpj, data, uf, serie, numero, cfop, total, ipi, isentas, outras, situacao;
    } r51;
    struct {
        Pos cnpj, ie, data, uf, modelo, serie, numero, cfop, baseSt, retido, despesas, situacao;
    } r53;
    struct {
        Pos cnpj, modelo, serie, numero, cfop, cst, item, produto, quantidade, valor, desconto,
            base, baseSt, ipi, aliquota;
    } r54;
    struct {
        Pos data, serieFab, ordem, modelo, cooInicial, cooFinal, crz, cro, vendaBruta, gt;
    } r60M;
    struct {
        Pos data, serieFab, situacao, valor;
    } r60A;
    struct {
        Pos data, serieFab, produto, quantidade, valor, base, situacao, icms;
    } r60D;
    struct {
        Pos data, serieFab, modelo, coo, item, produto, quantidade, valor, base, situacao, icms;
    } r60I;
    struct {
        Pos cnpj, ie, data, uf, modelo, serie, subserie, numero, cfop, total, base, icms, isentas,
            outras, frete, situacao;
    } r70;
    struct {
        Pos cnpj, ie, data, uf, modelo, serie, subserie, numero, ufNf, cnpjNf, ieNf, dataNf,
            modeloNf, serieNf, numeroNf, valorNf;
    } r71;
    struct {
        Pos codigo, ncm, descricao, unidade, aliqIpi, aliqIcms;
    } r75;
    struct {
        Pos cnpj, ie, nome, municipio, uf, inicio, fim;
    } r10;
    struct {
        Pos logradouro, numero, complemento, bairro, cep, contato, telefone;
    } r11;

    // "registro: campo" de cada campo que a tabela não tem (deve ficar vazio).
    QStringList faltando;
};

const CamposNota& Campos();

} // namespace tramil
