// Relatório e totais pedidos na linha de comando são gravados num arquivo temporário na mesma
// pasta e só trocados pelo destino quando a validação termina: uma falha no meio (disco cheio, a
// outra saída que não pôde ser criada) deixa o arquivo que já existia como estava.
#pragma once

#include <optional>
#include <string>

class SaidaTemporaria {
public:
    explicit SaidaTemporaria(std::string destino) : destino_(std::move(destino)) {}
    ~SaidaTemporaria();
    SaidaTemporaria(const SaidaTemporaria&) = delete;
    SaidaTemporaria& operator=(const SaidaTemporaria&) = delete;

    // Reserva o nome temporário; o motivo quando não dá. Sem destino não faz nada. Numa pasta
    // onde não se pode criar arquivos, um destino que já existe e aceita gravação é gravado
    // direto, como antes.
    std::optional<std::string> cria();
    // Onde o motor grava (vazio sem destino).
    const std::string& caminho() const { return direto_ ? destino_ : temporario_; }
    // Troca o destino pelo temporário.
    std::optional<std::string> confirma();
    // Mensagem do motor com o nome temporário trocado pelo do destino.
    std::string comDestino(std::string mensagem) const;

private:
    std::string destino_;
    std::string temporario_;
    bool direto_ = false; // pasta sem permissão de criar arquivos, destino já gravável
};
