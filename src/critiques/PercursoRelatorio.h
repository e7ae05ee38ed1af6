// Percurso dos registros de um relatório de críticas: cabeçalho pulado, registros em linhas de
// 216 caracteres até a primeira linha de outro tamanho e, dali em diante, blocos de 218 bytes
// contados a partir do fim do cabeçalho. Usado pela lista e pela impressão.
#pragma once

#include "critiques/LeitorRelatorio.h"

#include <QString>
#include <string_view>

namespace korventa {

class PercursoRelatorio {
public:
    enum class Passo { Registro, Fim, Falha };

    // false quando o arquivo não abre ou o cabeçalho não pode ser lido (ver mensagem()).
    bool abre(const QString& caminho);
    // Próximo registro (216 ou 218 bytes), válido até o passo seguinte.
    Passo proximo(std::string_view& registro);
    // Restam registros? Um resto de um byte (a marca de fim de arquivo) não conta.
    bool noFim();
    void fecha() { leitor_.fecha(); }

    // Mensagem da falha de abre() ou de proximo() (erros de leitura).
    QString mensagem() const { return mensagem_; }
    int numeroErro() const { return leitor_.numeroErro(); }
    QString descricaoErro() const { return leitor_.descricaoErro(); }

private:
    LeitorRelatorio leitor_;
    QString mensagem_;
    qint64 base_ = 0;    // deslocamento do primeiro registro
    std::int64_t r_ = 0; // registros já lidos, para a posição dos blocos
    bool emBlocos_ = false;
    qint64 proximoBloco_ = 0;
};

} // namespace korventa
