// Página Validar com as duas páginas do Resumo, numa sessão de testes com a plataforma
// roteirizada, pasta temporária própria e arquivos do gerador de exemplos.
#pragma once

#include "GeradorExemplo.h"
#include "apoio/PlataformaRoteirizada.h"
#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"
#include "validation/PaginaValidar.h"
#include "validation/Sessao.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace korventa::testes {

class AmbienteValidacao : public ::testing::Test {
protected:
    AmbienteValidacao();
    ~AmbienteValidacao() override;

    // Arquivo do gerador na pasta temporária; devolve o caminho.
    QString exemplo(const QString& nome, kelvor::exemplo::Opcoes opcoes = {});
    // Texto do gerador com as duas primeiras linhas trocadas por uma função.
    QString grava(const QString& nome, const QByteArray& conteudo);
    QByteArray textoExemplo(kelvor::exemplo::Opcoes opcoes = {});
    // Abre um arquivo como o botão Abrir faz (com a caixa de recusa roteirizada, se vier).
    void abre(const QString& caminho);
    // Abre vários arquivos pelo diálogo.
    void abreVarios(const QStringList& caminhos);

    PlataformaRoteirizada plataforma;
    Sessao sessao{plataforma};
    QTemporaryDir pasta;
    std::unique_ptr<PaginaResumo> resumo;
    std::unique_ptr<PaginaResumoArquivos> resumoArquivos;
    std::unique_ptr<PaginaValidar> validar;
    QVector<int> abasPedidas;
};

} // namespace korventa::testes
