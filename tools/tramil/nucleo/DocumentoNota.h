// Um documento montado como a nota se lê: dados do documento, emitente e destinatário, tabelas
// (itens, impostos por CFOP e alíquota, despesas...), totais, a conferência das somas e os
// registros de onde tudo veio. A tela e a impressão desenham esta mesma estrutura.
#pragma once

#include "nucleo/IndiceNotas.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace tramil {

using Par = std::pair<QString, QString>; // rótulo, valor

struct Participante {
    QString papel; // "Emitente", "Destinatário", "Tomador do serviço"...
    std::vector<Par> dados;
};

struct Tabela {
    QString titulo;
    QStringList colunas;
    std::vector<bool> numerica; // alinhar à direita
    std::vector<QStringList> linhas;
    std::vector<bool> marcada; // linha que não confere
};

struct Conferencia {
    QString descricao;
    QString detalhe; // as contas, com os valores
    bool confere = true;
};

struct RegistroDoDocumento {
    std::uint64_t deslocamento = 0;
    std::int64_t linha = -1; // de 1; quem conhece o índice de linhas preenche
    QString texto;
};

struct DocumentoNota {
    QString titulo;
    std::vector<Par> dados;
    std::vector<Participante> participantes;
    std::vector<Tabela> tabelas;
    std::vector<Par> totais;
    std::vector<Conferencia> conferencias;
    std::vector<RegistroDoDocumento> registros;

    bool confere() const;
};

DocumentoNota MontaDocumento(const IndiceNotas& indice, std::uint32_t doc);

} // namespace tramil
