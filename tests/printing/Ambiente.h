// Apoio dos testes de impressão: sessão com a plataforma roteirizada, a impressora "PDF" como
// atual e um arquivo validado de exemplo.
#pragma once

#include "apoio/LeituraPdf.h"
#include "apoio/PlataformaRoteirizada.h"
#include "validation/Sessao.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korventa::testes {

class TesteImpressao : public ::testing::Test {
protected:
    TesteImpressao();

    QString caminho(const QString& nome) const { return pasta.filePath(nome); }
    // O usuário confirma o diálogo de impressão na impressora PDF gravando em `arquivo`, com a
    // orientação (0: a proposta) e o papel (inválido: o proposto) dados.
    void confirmaPdf(const QString& arquivo, int orientacao = 0, QPageSize papel = QPageSize());

    QTemporaryDir pasta;
    PlataformaRoteirizada plataforma;
    Sessao sessao{plataforma};
};

// Arquivo validado com contagens distintas em cada célula da grade.
ArquivoAberto ArquivoDeExemplo(const QString& caminho);

} // namespace korventa::testes
