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

    // Próxima linha, sem o fim de linha; a vista vale até a próxima leitura. false no fim do
    // arquivo ou numa falha (ver falhou()).
    bool linha(std::string_view& saida);
    // true quando não resta byte algum depois da última linha lida.
    bool noFim();
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
    std::string completado_;
    qint64 inicio_ = 0;   // deslocamento no arquivo de buf_[0]
    std::size_t pos_ = 0; // próximo byte a ler em buf_
    std::size_t fim_ = 0; // bytes válidos em buf_
    bool fimArquivo_ = false;
    bool falhou_ = false;
    int numeroErro_ = 0;
    QString descricaoErro_;
};

} // namespace korventa
