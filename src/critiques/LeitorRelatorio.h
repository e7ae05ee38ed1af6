// Leitura de um arquivo de críticas em blocos grandes: linhas (fim em CR LF, LF ou CR) e trechos
// de tamanho fixo em qualquer posição. Os bytes chegam como estão (Windows-1252); quem lê decide
// quando converter.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace korventa {

class LeitorRelatorio {
public:
    explicit LeitorRelatorio(std::size_t tamanhoBloco = std::size_t(1) << 20);

    bool abre(const QString& caminho);
    void fecha();

    // Próximo trecho da linha corrente, com até `maximo` bytes e sem o fim de linha;
    // `fimDaLinha` diz se a linha acabou nele. A vista vale até a próxima leitura. false no fim
    // do arquivo ou numa falha (ver falhou()).
    bool trecho(std::string_view& saida, std::size_t maximo, bool& fimDaLinha);
    // Próxima linha cortada em `maximo` bytes; o resto dela é pulado sem ser guardado, então uma
    // linha enorme não ocupa memória.
    bool linha(std::string_view& saida, std::size_t maximo);
    // `quantos` bytes a partir do deslocamento (0 em diante); no fim do arquivo o que faltar vem
    // como brancos. As linhas seguintes continuam depois deles.
    bool bytesEm(qint64 deslocamento, std::size_t quantos, std::string_view& saida);

    // Deslocamento do próximo byte que linha() lê.
    qint64 posicao() const { return inicio_ + static_cast<qint64>(pos_); }
    qint64 tamanho() const { return arquivo_.size(); }

    bool falhou() const { return falhou_; }
    int numeroErro() const { return numeroErro_; }
    QString descricaoErro() const { return descricaoErro_; }

private:
    bool carrega();
    void registraFalha();

    QFile arquivo_;
    std::vector<char> buf_;
    std::string copia_;   // linha cortada ou trecho completado com brancos
    qint64 inicio_ = 0;   // deslocamento no arquivo de buf_[0]
    std::size_t pos_ = 0; // próximo byte a ler em buf_
    std::size_t fim_ = 0; // bytes válidos em buf_
    bool fimArquivo_ = false;
    bool falhou_ = false;
    int numeroErro_ = 0;
    QString descricaoErro_;
};

} // namespace korventa
