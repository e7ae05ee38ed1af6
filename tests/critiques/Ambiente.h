// Apoio dos testes da página Críticas: a aplicação Qt (uma por executável), uma pasta temporária
// com os arquivos de trabalho e uma sessão com a plataforma roteirizada.
#pragma once

#include "apoio/PlataformaRoteirizada.h"
#include "critiques/GeradorRelatorio.h"
#include "validation/Sessao.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korventa::testes {

class TesteCriticas : public ::testing::Test {
protected:
    TesteCriticas();

    QString caminho(const QString& nome) const { return pasta.filePath(nome); }
    // Relatório principal do arquivo de índice n ("Criticas.tmp. n").
    QString relatorio(int n) const;
    // Relatório de pós-validação do arquivo de índice n ("CriticasPos.<UF>. n").
    QString relatorioPos(int n) const;
    // Arquivo fiscal gravado e registrado como aberto na entrada n, com as contagens dadas.
    void abreArquivo(int n, const QString& nome, const QByteArray& conteudo, int erros,
                     int advertencias, std::int32_t resultado = 2);

    QTemporaryDir pasta;
    PlataformaRoteirizada plataforma;
    Sessao sessao{plataforma};
};

} // namespace korventa::testes
