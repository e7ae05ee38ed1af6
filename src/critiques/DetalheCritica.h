// Detalhe de uma crítica: o registro do arquivo fiscal com o campo marcado. Tudo em bytes
// Windows-1252, como no arquivo; a conversão para a tela é feita só no fim.
#pragma once

#include "critiques/RelatorioCriticas.h"

#include <QByteArray>
#include <QString>

namespace korventa {

inline constexpr int LarguraRegistroFiscal = 126;
inline constexpr int MaximoLidoDoRegistro = 1000;

enum class LeituraRegistro { Lido, ErroAbertura, ErroLeitura };

// Até 1000 bytes do arquivo fiscal a partir do deslocamento do registro (vazio depois do fim).
LeituraRegistro LeRegistroFiscal(const QString& caminho, std::int64_t deslocamento,
                                 QByteArray& lido);

// Corta no primeiro fim de linha (CR ou LF) ou, sem ele, no primeiro caractere 26; completa com
// brancos até 126.
QByteArray PreparaRegistro(QByteArray lido);

struct PartesRegistro {
    bool marcado = false;
    QByteArray antes; // sem marca, o registro inteiro fica aqui
    QByteArray campo;
    QByteArray depois;
    int inicio = 0; // coluna do campo, de 1 em diante
    int tamanho = 0;
};

// O campo é marcado quando tem início e tamanho e termina até a coluna 126.
PartesRegistro SeparaCampo(const QByteArray& registro, int inicio, int tamanho);

// Texto RTF do registro: prólogo com a tabela de cores, o campo sublinhado, em negrito e na cor
// do tipo (1 vermelho, 2 oliva), com "\", "{" e "}" escapados e controles como ".".
QByteArray MontaRtf(const PartesRegistro& partes, TipoCritica tipo);

// O campo como aparece na tela: controles como ".".
QString CampoVisivel(const QByteArray& campo);

// Rótulo LabelInfoDetalhe.
QString TextoInfoDetalhe(const QString& documentoItem, const QString& nomeCampo,
                         const PartesRegistro& partes);

} // namespace korventa
