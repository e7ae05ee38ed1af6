#include "nucleo/CamposNota.h"

#include "core/Leiaute.h"

#include <cstring>
#include <string>

namespace tramil {

std::string_view Pos::de(std::string_view r) const {
    const auto i = static_cast<std::size_t>(inicio - 1);
    if (inicio <= 0 || i >= r.size()) return {};
    return r.substr(i, static_cast<std::size_t>(tamanho));
}

namespace {

class Leitor {
public:
    Leitor(const char* codigo, QStringList& faltando)
        : codigo_(codigo), faltando_(faltando), l_(kelvor::leiautePara(Completo(codigo))) {
        if (!l_) faltando_ << QString::fromLatin1(codigo) + QStringLiteral(": leiaute");
    }

    // Pelo nome, como está na tabela.
    Pos nome(const char* nome) {
        if (l_)
            for (const auto& c : l_->campos)
                if (std::strcmp(c.nome, nome) == 0) return {c.inicio, c.tamanho};
        falta(nome);
        return {};
    }
    // Pelo papel que as regras do motor dão ao campo.
    Pos papel(std::int8_t kelvor::Papeis::*p, const char* descricao) {
        if (l_ && l_->papeis.*p >= 0) {
            const auto& c = l_->campos[static_cast<std::size_t>(l_->papeis.*p)];
            return {c.inicio, c.tamanho};
        }
        falta(descricao);
        return {};
    }
    // Pela identificação documento-item do relatório de críticas.
    Pos posicao(kelvor::Posicao kelvor::LeiauteRegistro::*p, const char* descricao) {
        if (l_ && (l_->*p).inicio > 0) return {(l_->*p).inicio, (l_->*p).tamanho};
        falta(descricao);
        return {};
    }

private:
    static std::string Completo(const char* codigo) {
        std::string r(codigo);
        r.resize(126, ' ');
        return r;
    }
    void falta(const char* nome) {
        faltando_ << QString::fromLatin1(codigo_) + QStringLiteral(": ") + QString::fromUtf8(nome);
    }

    const char* codigo_;
    QStringList& faltando_;
    const kelvor::LeiauteRegistro* l_;
};

using P = kelvor::Papeis;
using L = kelvor::LeiauteRegistro;

CamposNota Monta() {
    CamposNota c;
    auto& f = c.faltando;
    {
        Leitor t("50", f);
        c.r50 = {t.nome("CNPJ"),
                 t.nome("Inscrição Estadual"),
                 t.papel(&P::data, "data"),
                 t.papel(&P::uf, "UF"),
                 t.nome("Modelo"),
                 t.posicao(&L::serie, "série"),
                 t.posicao(&L::numero, "número"),
                 t.papel(&P::cfop, "CFOP"),
                 t.nome("Emitente"),
                 t.nome("Valor total"),
                 t.papel(&P::base, "base"),
                 t.papel(&P::icms, "ICMS"),
                 t.nome("Isenta ou não-tributada"),
                 t.nome("Outras"),
                 t.papel(&P::aliquota, "alíquota"),
                 t.papel(&P::situacao, "situação")};
    }
    {
        Leitor t("51", f);
        c.r51 = {t.nome("CNPJ"),
                 t.papel(&P::data, "data"),
                 t.papel(&P::uf, "UF"),
                 t.posicao(&L::serie, "série"),
                 t.posicao(&L::numero, "número"),
                 t.papel(&P::cfop, "CFOP"),
                 t.nome("Valor total"),
                 t.nome("Valor do IPI"),
                 t.nome("Isenta ou não-trib. IPI"),
                 t.nome("Outras - IPI"),
                 t.papel(&P::situacao, "situação")};
    }
    {
        Leitor t("53", f);
        c.r53 = {t.nome("CNPJ"),
                 t.nome("Inscrição Estadual"),
                 t.papel(&P::data, "data"),
                 t.papel(&P::uf, "UF"),
                 t.nome("Modelo"),
                 t.posicao(&L::serie, "série"),
                 t.posicao(&L::numero, "número"),
                 t.papel(&P::cfop, "CFOP"),
                 t.nome("Base de cálculo ICMS ST"),
                 t.nome("ICMS retido"),
                 t.nome("Despesas acessórias"),
                 t.papel(&P::situacao, "situação")};
    }
    {
        Leitor t("54", f);
        c.r54 = {t.nome("CNPJ"),
                 t.nome("Modelo"),
                 t.posicao(&L::serie, "série"),
                 t.posicao(&L::numero, "número"),
                 t.papel(&P::cfop, "CFOP"),
                 t.nome("CST"),
                 t.posicao(&L::item, "item"),
                 t.nome("Código do produto"),
                 t.nome("Quantidade"),
                 t.nome("Valor do produto"),
                 t.nome("Valor desconto/despesa"),
                 t.nome("Base de cálculo do ICMS"),
                 t.nome("Base de cálculo ICMS ST"),
                 t.nome("Valor do IPI"),
                 t.nome("Alíquota do ICMS")};
    }
    {
        Leitor t("60M", f);
        c.r60M = {t.papel(&P::data, "data"),         t.nome("Nº de série de fabricação"),
                  t.nome("Nº ordem do equipamento"), t.nome("Modelo do documento"),
                  t.nome("COO no início do dia"),    t.nome("COO no final do dia"),
                  t.nome("Contador de redução Z"),   t.nome("Contador de reinício"),
                  t.nome("Valor da venda bruta"),    t.nome("Totalizador geral")};
    }
    {
        Leitor t("60A", f);
        c.r60A = {t.papel(&P::data, "data"), t.nome("Nº de série de fabricação"),
                  t.nome("Situação tributária"), t.nome("Valor acumulado")};
    }
    {
        Leitor t("60D", f);
        c.r60D = {t.papel(&P::data, "data"),     t.nome("Nº de série de fabricação"),
                  t.nome("Código do produto"),   t.nome("Quantidade"),
                  t.nome("Valor do produto"),    t.papel(&P::base, "base"),
                  t.nome("Situação tributária"), t.papel(&P::icms, "ICMS")};
    }
    {
        Leitor t("60I", f);
        c.r60I = {t.papel(&P::data, "data"),     t.nome("Nº de série de fabricação"),
                  t.nome("Modelo do documento"), t.posicao(&L::numero, "documento"),
                  t.posicao(&L::item, "item"),   t.nome("Código do produto"),
                  t.nome("Quantidade"),          t.nome("Valor do produto"),
                  t.papel(&P::base, "base"),     t.nome("Situação tributária"),
                  t.papel(&P::icms, "ICMS")};
    }
    {
        Leitor t("70", f);
        c.r70 = {t.nome("CNPJ"),
                 t.nome("Inscrição Estadual"),
                 t.papel(&P::data, "data"),
                 t.papel(&P::uf, "UF"),
                 t.nome("Modelo"),
                 t.posicao(&L::serie, "série"),
                 t.nome("Subsérie"),
                 t.posicao(&L::numero, "número"),
                 t.papel(&P::cfop, "CFOP"),
                 t.nome("Valor total"),
                 t.nome("Base de cálculo do ICMS"),
                 t.nome("Valor do ICMS"),
                 t.nome("Isenta ou não tributada"),
                 t.nome("Outras"),
                 t.nome("CIF/FOB/Outros"),
                 t.papel(&P::situacao, "situação")};
    }
    {
        Leitor t("71", f);
        c.r71 = {t.nome("CNPJ do tomador"),
                 t.nome("IE do tomador"),
                 t.papel(&P::data, "data"),
                 t.nome("UF do tomador"),
                 t.nome("Modelo"),
                 t.posicao(&L::serie, "série"),
                 t.nome("Subsérie"),
                 t.posicao(&L::numero, "número"),
                 t.nome("UF remetente/destinatário"),
                 t.nome("CNPJ remetente/destinat."),
                 t.nome("IE remetente/destinatário"),
                 t.nome("Data de emissão da NF"),
                 t.nome("Modelo da NF"),
                 t.nome("Série da NF"),
                 t.nome("Número da NF"),
                 t.nome("Valor total da NF")};
    }
    {
        Leitor t("75", f);
        c.r75 = {t.nome("Código do produto"), t.nome("Código NCM"),
                 t.nome("Descrição"),         t.nome("Unidade de medida"),
                 t.nome("Alíquota do IPI"),   t.nome("Alíquota do ICMS")};
    }
    {
        Leitor t("10", f);
        c.r10 = {
            t.nome("CNPJ"),      t.nome("Inscrição Estadual"),   t.nome("Nome do Contribuinte"),
            t.nome("Município"), t.nome("Unidade da Federação"), t.nome("Data Inicial"),
            t.nome("Data Final")};
    }
    {
        Leitor t("11", f);
        c.r11 = {t.nome("Logradouro"), t.nome("Número"), t.nome("Complemento"),
                 t.nome("Bairro"),     t.nome("CEP"),    t.nome("Nome do Contato"),
                 t.nome("Telefone")};
    }
    return c;
}

} // namespace

const CamposNota& Campos() {
    static const CamposNota c = Monta();
    return c;
}

} // namespace tramil
