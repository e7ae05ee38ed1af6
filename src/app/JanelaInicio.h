// O que o início do programa pede à janela principal (Principal a implementa; os testes podem
// usar a janela real, fora da tela).
#pragma once

#include <QString>
#include <QStringList>

namespace korventa {

struct VersoesComponentes {
    QString valkora2;
    QString valkora3;
    QString kelvor;
    QString gerarMidia;
    QString tramil; // rótulo inteiro ("Tramil:" e brancos antes da versão) ou vazio
    QString reexame;
    QString reexame88;
};

class JanelaInicio {
public:
    virtual ~JanelaInicio() = default;

    virtual void mostraJanela() = 0;
    // Tela com 800 pixels ou mais: janela, páginas e listas maiores.
    virtual void ampliaLeiaute() = 0;
    // Outra instância pediu: restaura e traz para a frente.
    virtual void trazParaFrente() = 0;
    virtual void mostraVersoesComponentes(const VersoesComponentes& versoes) = 0;
    virtual void mostraVersaoPrograma(const QString& versao, bool versaoDeTeste) = 0;
    // Depois de lidas as configurações: larguras das colunas e listas das páginas.
    virtual void aplicaConfiguracoes() = 0;
    virtual void preencheConfigurar() = 0;
    virtual void preencheMidias() = 0;
    // Abas de 1 a 7; roda a troca de página.
    virtual void selecionaAba(int aba) = 0;
    // Arquivos pedidos na linha de comando desta instância ou de outra: abre-os como se
    // escolhidos no diálogo da página Validar. false quando o programa está ocupado (início,
    // validação, diálogo aberto) e nada foi aberto.
    virtual bool abreArquivos(const QStringList& arquivos) = 0;
};

} // namespace korventa
