// Bloco de informações de uma mídia (512 caracteres): identificação gravada na geração e, nas
// colunas 193 a 502, os dados que o programa de transmissão grava quando envia a mídia.
#pragma once

#include "engine/Cabecalhos.h"

#include <QString>

namespace korventa {

// Dados da transmissão, na ordem das colunas do bloco.
struct DadosTransmissao {
    QString codigo;            // 193-194: "01"; "02" quando o protocolo QIV tem prefixo numérico
    QString remetente;         // 195-214
    QString protocoloQIV;      // 215-221
    QString chave;             // 222-229
    QString data;              // 230-237 AAAAMMDD
    QString hora;              // 238-243 HHMMSS
    QString nomeEnviado;       // 244-303: nome do arquivo da mídia enviada
    QString tamanhoEnviado;    // 304-312: bytes da mídia enviada
    QString versaoTransmissor; // 313-320
    QString ambiente;          // 321-326: "SIMULA" quando ninguém recebeu de verdade
    QString email;             // 327-396
    QString destino1;          // 397-451
    QString destino2;          // 452-476
    QString ufDestino;         // 477-478
    QString chaveKorventa;     // 479-486, até o primeiro NUL
    QString cnpjRemetente;     // 487-500
    QString prefixoProtocolo;  // 501-502, só com o código "02"
};

class BlocoInfoMidia {
public:
    BlocoInfoMidia() = default;
    // Texto como veio do motor; completado com brancos até 512.
    explicit BlocoInfoMidia(const QString& texto);

    const QString& texto() const { return texto_; }
    // Campo de coluna 1-based e largura, sem brancos nas pontas.
    QString campo(int coluna, int largura) const;

    QString protocolo() const { return texto_.left(10); }
    QString cnpj() const { return campo(11, 14); }
    QString inscricaoEstadual() const { return campo(25, 14); }
    QString uf() const { return campo(39, 2); }
    QString linhaRegistro10() const { return texto_.mid(40, 126); }
    QString crcArquivo() const { return campo(503, 8); }

    bool transmitida() const { return !transmissao().codigo.isEmpty(); }
    DadosTransmissao transmissao() const;
    // Protocolo QIV da lista de mídias: com o código "02", o prefixo como número sem zeros à
    // esquerda seguido do protocolo.
    QString protocoloQIVListado() const;
    // Protocolo QIV guardado na entrada: com o código "02", o número inteiro com os zeros.
    QString protocoloQIVCompleto() const;
    // Primeira parte do destino, um branco e a segunda.
    QString destinoTexto() const;

    // Troca as colunas 193 a 502 pelos dados dados (cada um cortado ou completado na largura).
    void defineTransmissao(const DadosTransmissao& d);

private:
    QString texto_ = QString(512, QLatin1Char(' '));
};

// Lê o bloco e o tipo de documento pelo motor (Kelvor_ObterInfoAdicionaisMidiaQIV_Ex). Falso com
// o motivo em `mensagem` (texto até o primeiro NUL).
bool LeInfoMidia(const QString& caminho, BlocoInfoMidia& bloco, QString& tipoDocumento,
                 QString& mensagem);
// O mesmo com a função já resolvida, para quem lê fora da thread da interface.
bool LeInfoMidia(assinaturas::Kelvor_ObterInfoAdicionaisMidiaQIV_Ex ler, const QString& caminho,
                 BlocoInfoMidia& bloco, QString& tipoDocumento, QString& mensagem);

} // namespace korventa
