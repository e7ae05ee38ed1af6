#include "media/ComandosMidia.h"

#include "common/Formatos.h"
#include "engine/ComparacaoVersoes.h"
#include "engine/Log.h"
#include "media/AbreArquivoMidia.h"
#include "media/BlocoInfoMidia.h"
#include "media/EstadoMidias.h"
#include "platform/Plataforma.h"
#include "validation/Sessao.h"

#include <QFileInfo>

namespace korventa {

namespace {

void EsqueceUltima(EstadoMidias& estado) {
    estado.caminhoUltima.clear();
    estado.dataHoraUltima = QDateTime();
    estado.tamanhoUltima = -1;
}

} // namespace

bool AbreMidiaSelecionada(Sessao& s, EstadoMidias& estado, const QString& caminho) {
    Log(LogOperacao, QStringLiteral("AbreMidiaSelecionada..."));
    if (caminho.isEmpty()) {
        EsqueceUltima(estado);
        return false;
    }
    const QFileInfo info(caminho);
    if (!info.isFile()) {
        Log(LogOperacao,
            QStringLiteral("AbreMidiaSelecionada: Arquivo de mídia inexistente: ") + caminho);
        EsqueceUltima(estado);
        s.plataforma.mensagem(QStringLiteral("O arquivo ") + caminho +
                                  QStringLiteral(" não foi encontrado."),
                              Icone::Exclamacao);
        return false;
    }
    if (caminho == estado.caminhoUltima && info.lastModified() == estado.dataHoraUltima &&
        info.size() == estado.tamanhoUltima) {
        Log(LogOperacao, QStringLiteral(" ja estava selecionada..."));
        return true;
    }
    // Guardada antes de abrir, como a última escolhida; uma falha a esquece, para a próxima
    // escolha tentar de novo.
    estado.caminhoUltima = caminho;
    estado.dataHoraUltima = info.lastModified();
    estado.tamanhoUltima = info.size();
    estado.carregaRecibos();
    if (!AbreArquivoMidia(s, caminho, estado.midia, &estado.recibos)) {
        EsqueceUltima(estado);
        return false;
    }
    Log(LogOperacao, QStringLiteral("Fim AbreMidiaSelecionada."));
    return true;
}

bool AtualizaTransmissao(EstadoMidias& estado, ArquivoAberto& e, QString& mensagem) {
    BlocoInfoMidia bloco;
    QString tipo;
    if (!LeInfoMidia(e.caminhoMidia, bloco, tipo, mensagem)) return false;
    // Outra mídia no lugar desta: a transmissão dela não é a da entrada.
    if (bloco.protocolo().trimmed() != e.protocolo) return true;
    e.tipoDocumento = tipo;
    if (bloco.transmitida()) {
        AplicaTransmissaoDoBloco(e, bloco);
        return true;
    }
    estado.carregaRecibos();
    const int i = estado.recibos.procura(FormataCNPJ(e.cnpj), e.protocolo, e.caminhoMidia);
    AplicaRecibo(e, i < 0 ? nullptr : &estado.recibos.recibo(i));
    return true;
}

std::optional<const Recibo*> PreparaRecibo(Sessao& s, EstadoMidias& estado, ArquivoAberto& e) {
    Plataforma& p = s.plataforma;
    if (CompararVersoes(e.versaoValidador, QStringLiteral("1.0.0")) >= 0 &&
        CompararVersoes(e.versaoValidador, QStringLiteral("3.4.0")) < 0) {
        p.mensagem(QStringLiteral("Arquivo de mídia muito antigo!\rPara imprimir o recibo utilize "
                                  "um Validador de versão 5.0.3 ou menor."),
                   Icone::Exclamacao);
        return std::nullopt;
    }
    p.cursorOcupado(true);
    QString mensagem;
    const bool lido = AtualizaTransmissao(estado, e, mensagem);
    p.cursorOcupado(false);
    if (!lido) {
        p.mensagem(mensagem, Icone::Exclamacao);
        return std::nullopt;
    }
    const int i = estado.recibos.procura(FormataCNPJ(e.cnpj), e.protocolo, e.caminhoMidia);
    return i < 0 ? nullptr : &estado.recibos.recibo(i);
}

void ImprimeReciboKorventa(Sessao& s, EstadoMidias& estado, ArquivoAberto& e) {
    Log(LogOperacao, QStringLiteral("ImprimirReciboKorventa..."));
    const std::optional<const Recibo*> recibo = PreparaRecibo(s, estado, e);
    if (!recibo) return;
    // Os botões do recibo só ficam habilitados com a impressão ligada.
    if (estado.imprimeRecibo) estado.imprimeRecibo(e, *recibo);
}

bool MesmaMidia(Sessao& s, int n, const QString& alterada) {
    if (VerificaDataHoraMidia(s, n, true)) return true;
    // Mídia tocada depois de gerada (o programa de transmissão regrava o bloco): só serve se
    // ainda for a mesma mídia.
    ArquivoAberto& e = s.arquivos[n];
    ArquivoAberto relida;
    if (!AbreArquivoMidia(s, e.caminhoMidia, relida)) return false;
    if (relida.protocolo != e.protocolo || relida.crcArquivo != e.crcArquivo) {
        s.plataforma.mensagem(alterada, Icone::Exclamacao);
        return false;
    }
    e.dataHoraMidia = relida.dataHoraMidia;
    e.tamanhoMidia = relida.tamanhoMidia;
    return true;
}

void BotaoResumoRecibo_Click(Sessao& s, EstadoMidias& estado) {
    Log(LogOperacao, QStringLiteral("BotaoResumoRecibo_Click..."));
    if (!MesmaMidia(
            s, 0,
            QStringLiteral("O arquivo de mídia foi alterado! Impressão do recibo cancelada.")))
        return;
    ImprimeReciboKorventa(s, estado, s.arquivos[0]);
}

void BotaoMidiasRecibo_Click(Sessao& s, EstadoMidias& estado, const QString& caminho) {
    Log(LogOperacao, QStringLiteral("BotaoMidiasRecibo_Click..."));
    if (AbreMidiaSelecionada(s, estado, caminho)) ImprimeReciboKorventa(s, estado, estado.midia);
}

void BotaoMidiasTransmitir_Click(Sessao& s, EstadoMidias& estado, const QString& caminho) {
    Log(LogOperacao, QStringLiteral("BotaoMidiasTransmitir_Click..."));
    if (!AbreMidiaSelecionada(s, estado, caminho)) return;
    if (!estado.midia.protocoloQIV.isEmpty() &&
        s.plataforma.mensagem(
            QStringLiteral("Este arquivo já foi transmitido. Deseja enviá-lo novamente?"),
            Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return;
    if (s.executarQIV) s.executarQIV(caminho);
}

} // namespace korventa
