// Ambiente da validação com a geração de mídia ligada ao Resumo: arquivos de trabalho na pasta
// do teste, um arquivo validado de verdade e a leitura da mídia pelas funções do motor.
#pragma once

#include "Ambiente.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace korventa::testes {

class AmbienteMidia : public AmbienteValidacao {
protected:
    AmbienteMidia();

    // Gera, abre e valida um arquivo de exemplo; a entrada 0 fica aceita.
    QString validaExemplo(const QString& nome, kelvor::exemplo::Opcoes opcoes = {});
    // Gera a mídia da entrada 0 pelo botão do Resumo; a resposta à pergunta final é "Não".
    void geraPeloBotao(const QString& caminhoMidia);

    // Leitores do motor: 0 e o texto, ou o código e a mensagem.
    int info(const QString& midia, QByteArray& bloco, QString& tipo, QString& mensagem);
    int resumoDaMidia(const QString& midia, QByteArray& texto, QString& mensagem);
    int totaisDaMidia(const QString& midia, QByteArray& texto, QString& mensagem);

    static QByteArray le(const QString& caminho);
    // Arquivos da pasta do teste que não são entradas nem saídas esperadas.
    QStringList arquivosNaPasta() const;
};

// Programa externo (python3, ziptool); vazio quando não está instalado.
QString Programa(const char* nome);
// Executa e devolve (código de saída, saída padrão).
std::pair<int, QByteArray> Executa(const QString& programa, const QStringList& argumentos);

} // namespace korventa::testes
