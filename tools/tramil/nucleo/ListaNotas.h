// A lista de documentos da consulta: as colunas de cada documento, lidas do registro principal
// pela tabela de leiaute, e o filtro por número, CNPJ, data, CFOP, situação e tipo.
#pragma once

#include "nucleo/IndiceNotas.h"
#include "nucleo/Varredura.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

namespace tramil {

enum ColunaNota {
    ColTipo,
    ColModelo,
    ColSerie,
    ColNumero,
    ColData,
    ColCnpj,
    ColUf,
    ColCfop,
    ColSituacao,
    ColValor,
    ColConferencia,
    QuantidadeColunasNota
};

const QStringList& TitulosColunasNota();

// As colunas de um documento, já formatadas.
QStringList ResumeDocumento(const IndiceNotas& indice, std::uint32_t doc);
// "Confere", "ICMS não confere"...; vazio quando não há o que conferir.
QString TextoConferencia(const Documento& d);
bool NaoConfere(const Documento& d);

struct FiltroNotas {
    QString numero;
    QString cnpj;   // dígitos em qualquer formato; parte do CNPJ basta
    QString data;   // "dd/mm/aaaa" ou "dd/mm/aaaa a dd/mm/aaaa"
    QString cfop;   // começo do CFOP ("5" = saídas do Estado)
    QChar situacao; // nulo: todas
    int tipo = -1;  // TipoDocumento; -1: todos
    bool soNaoConferem = false;
};

class CriterioNotas {
public:
    // Nenhum com a mensagem quando um campo do filtro não faz sentido.
    static std::optional<CriterioNotas> de(const FiltroNotas& f, QString& erro);
    bool vazio() const;
    bool aceita(const IndiceNotas& indice, std::uint32_t doc) const;

private:
    std::int64_t numero_ = -1;
    std::string cnpj_;
    int dataDe_ = 0, dataAte_ = 0;
    std::string cfop_;
    char situacao_ = 0;
    int tipo_ = -1;
    bool soNaoConferem_ = false;
};

// Varredura que junta os índices dos documentos aceitos pelo critério.
Varredura::Trabalho TrabalhoFiltroNotas(const IndiceNotas& indice, CriterioNotas criterio);

} // namespace tramil
