#include "printing/DadosRecibo.h"

#include "common/Caminhos.h"
#include "common/Texto.h"
#include "media/Recibo.h"
#include "media/TotaisCFOPRegistro.h"
#include "printing/RelatorioTotais.h"
#include "validation/ArquivoAberto.h"

namespace korventa {

DadosRecibo DadosReciboDoArquivo(const ArquivoAberto& a) {
    DadosRecibo d;
    d.protocolo = a.protocolo;
    d.periodoInicial = a.dataInicial;
    d.periodoFinal = a.dataFinal;
    d.finalidade = a.finalidade;
    d.natureza = a.natureza;
    d.razaoSocial = a.razaoSocial;
    d.cidade = a.municipio;
    d.estado = a.uf;
    d.cnpj = a.cnpj;
    d.inscricaoEstadual = a.inscricaoEstadual;
    d.responsavel = a.contato;
    d.telefone = a.telefone;
    for (const QString& parte : {a.logradouro, a.numero})
        if (!parte.trimmed().isEmpty()) d.endereco << parte.trimmed();
    d.nomeArquivo = NomeDoArquivo(a.caminho);
    d.crcDocumento = a.crcArquivo;
    d.tamanhoArquivo = a.tamanhoAbertura;
    d.dataArquivo = a.dataHoraAbertura;
    d.tipoDocumento = a.tipoDocumento;
    d.versaoValidador = a.versaoValidador;
    // Grade do Resumo: coluna 0 aceitos sem advertência, 1 com advertência, 3 total.
    for (int i = 0; i < int(TiposRegistro.size()); ++i)
        d.registros.push_back({QString::number(TiposRegistro[i]), a.totalizadores[1][i],
                               a.totalizadores[0][i], a.totalizadores[3][i]});
    d.totais = {QStringLiteral("Totais"), a.totalizadores[1][21], a.totalizadores[0][21],
                a.totalizadores[3][21]};
    // Valores das seções, dos totais por CFOP: a lista do Resumo tem quatro colunas por seção e
    // deixa vazias as que a seção não usa; o recibo só mostra as usadas.
    int secao = -1;
    std::array<bool, 4> usadas{};
    for (const LinhaTotaisRegistro& linha : LinhasTotaisPorRegistro(a.totaisCFOP)) {
        if (linha.titulo) {
            ++secao;
            for (int c = 0; c < 4; ++c)
                usadas[c] = !linha.textos[c + 1].isEmpty();
            continue;
        }
        if (secao < 0 || secao >= QuantidadeSecoesValores || SeparadorDeSecao(linha)) continue;
        QStringList valores;
        for (int c = 0; c < 4; ++c)
            if (usadas[c]) valores << linha.textos[c + 1];
        d.valores[secao] << valores;
    }
    // Transmissão lida do bloco da mídia ou do recibo; sem ela, o comprovante provisório.
    d.destino = a.destino.trimmed();
    d.dataEnvio = a.transmitidoEm;
    d.protocoloQIV = a.protocoloQIV;
    d.chaveTransmissao = a.chaveTransmissao;
    d.remetente = a.remetente;
    d.email = a.email;
    return d;
}

DadosRecibo DadosReciboDaMidia(const ArquivoAberto& a, const Recibo* recibo) {
    DadosRecibo d = DadosReciboDoArquivo(a);
    // Aberta pela página Mídias, a entrada não tem arquivo fiscal: o arquivo do recibo é a
    // própria mídia, que é o que foi transmitido (nome, tamanho e data dela, nunca vazio e 0).
    if (a.caminho.isEmpty() && !a.caminhoMidia.isEmpty()) {
        d.nomeArquivo = NomeDoArquivo(a.caminhoMidia);
        d.tamanhoArquivo = a.tamanhoMidia;
        d.dataArquivo = a.dataHoraMidia;
    }
    if (recibo && !recibo->protocoloKorventa.trimmed().isEmpty())
        d.protocolo = recibo->protocoloKorventa.trimmed();
    return d;
}

} // namespace korventa
