// Saída bufferizada do gerador: junta as linhas em blocos grandes, conta linhas e tipos.
#pragma once

#include "GeradorExemplo.h"
#include "Registro.h"

#include <cstdio>
#include <string>
#include <vector>

namespace kelvor::exemplo {

class Escritor {
public:
    Escritor(Destino& destino, Resumo& resumo, bool soLf);

    // Grava as primeiras `posicoes` posições do registro (126, salvo falha de tamanho) e o fim
    // de linha. O fim da última linha fica pendente até se saber se outra linha vem.
    void linha(const Registro& r, int posicoes = Registro::tamanho);
    // Próxima linha a ser gravada (1-based).
    std::int64_t proximaLinha() const { return resumo_.linhas + 1; }
    // Fecha o arquivo: fim da última linha (ou não) e o caractere 26 (ou não).
    bool termina(bool quebraFinal, bool eof26);
    bool ok() const { return ok_; }

private:
    void poe(const char* p, std::size_t n);
    void descarrega();

    Destino& destino_;
    Resumo& resumo_;
    std::vector<char> buf_;
    std::size_t usado_ = 0;
    bool soLf_;
    bool fimPendente_ = false;
    bool ok_ = true;
};

// Destino num arquivo em disco.
class DestinoArquivo : public Destino {
public:
    explicit DestinoArquivo(const std::string& caminho);
    ~DestinoArquivo() override;
    bool aberto() const { return f_ != nullptr; }
    bool grava(const char* dados, std::size_t n) override;
    bool fecha();

private:
    std::FILE* f_ = nullptr;
};

class DestinoTexto : public Destino {
public:
    explicit DestinoTexto(std::string& s) : s_(s) {}
    bool grava(const char* dados, std::size_t n) override {
        s_.append(dados, n);
        return true;
    }

private:
    std::string& s_;
};

} // namespace kelvor::exemplo
