#include "media/AbreArquivoMidia.h"

#include "common/Caminhos.h"
#include "common/Formatos.h"
#include "common/Texto.h"
#include "engine/Bibliotecas.h"
#include "engine/ComparacaoVersoes.h"
#include "engine/Log.h"
#include "media/BlocoInfoMidia.h"
#include "media/CacheRecibos.h"
#include "platform/Plataforma.h"
#include "validation/Arquivos.h"
#include "validation/Motor.h"
#include "validation/Sessao.h"
#include "validation/Totalizadores.h"
#include "validation/Validacao.h"

#include <QFileInfo>
#include <vector>

namespace korventa {

namespace {

constexpr int TamanhoMensagem = 1000;
// Registro 10, registro 11, 21 linhas da tabela, Valkora2, resultado, protocolo e CRC.
constexpr int LinhasMinimasResumo = 2 + 21 + 4;
constexpr int LinhasTotaisRegistro = 31;

using LeituraTexto = assinaturas::Kelvor_ObterResumoMidiaQIV;

// Texto inteiro de uma entrada da mídia: primeiro o tamanho, depois o texto.
bool LeTexto(LeituraTexto ler, const QString& caminho, QString& texto, QString& mensagem) {
    if (!ler) {
        mensagem = FalhaDoMotor();
        return false;
    }
    const QByteArray c = CaminhoParaMotor(caminho);
    std::vector<char> msg(TamanhoMensagem, '\0');
    std::int32_t tamanho = 0;
    if (ler(c.constData(), nullptr, &tamanho, msg.data(), TamanhoMensagem) != 0 || tamanho <= 0) {
        mensagem = TextoDoMotor(msg.data(), TamanhoMensagem);
        return false;
    }
    std::vector<char> saida(std::size_t(tamanho), '\0');
    if (ler(c.constData(), saida.data(), &tamanho, msg.data(), TamanhoMensagem) != 0) {
        mensagem = TextoDoMotor(msg.data(), TamanhoMensagem);
        return false;
    }
    texto = TextoDoMotor(saida.data(), int(saida.size()));
    return true;
}

// Linhas cortadas nos CR; o LF que vem depois de cada CR sai, e a vazia depois do último também.
QStringList CortaLinhas(const QString& texto) {
    QStringList linhas = texto.split(QLatin1Char('\r'));
    for (QString& l : linhas)
        if (l.startsWith(QLatin1Char('\n'))) l.remove(0, 1);
    if (!linhas.isEmpty() && linhas.last().isEmpty()) linhas.removeLast();
    return linhas;
}

// Linha da tabela: rótulo de 3 caracteres (tipo de registro ou brancos no total) e os valores.
void LeLinhaTabela(const QString& linha, int posicao, ArquivoAberto& e) {
    const QString rotulo = linha.left(3).trimmed();
    int r = posicao;
    if (rotulo.isEmpty())
        r = LinhaTotal;
    else if (const int i = IndiceDoRegistro(std::int16_t(rotulo.toInt())); i >= 0)
        r = i;
    const QStringList valores = linha.mid(3).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int c = 0; c < 5 && r < 23; ++c)
        e.totalizadores[c][r] = valores.value(c);
}

void Falha(Plataforma& p, const QString& texto, Icone icone = Icone::Exclamacao) {
    p.mensagem(texto, icone);
}

} // namespace

bool VersaoComTotais(const QString& versao) {
    return CompararVersoes(versao, QStringLiteral("1.0.0")) < 0 ||
           CompararVersoes(versao, QStringLiteral("3.4.0")) >= 0;
}

bool AbreArquivoMidia(Sessao& s, const QString& caminho, ArquivoAberto& destino,
                      const CacheRecibos* recibos) {
    Log(LogOperacao, QStringLiteral("AbreArquivoMidia..."));
    Plataforma& p = s.plataforma;
    const QFileInfo info(caminho);
    if (!info.isFile()) {
        Log(LogOperacao,
            QStringLiteral("AbreArquivoMidia: Arquivo de mídia inexistente: ") + caminho);
        Falha(p, QStringLiteral("O arquivo ") + caminho + QStringLiteral(" não foi encontrado."));
        return false;
    }
    ArquivoAberto e;
    e.caminhoMidia = caminho;
    e.dataHoraMidia = info.lastModified();
    e.tamanhoMidia = std::int32_t(qMin<qint64>(info.size(), INT32_MAX));

    BlocoInfoMidia bloco;
    QString mensagem;
    if (!LeInfoMidia(caminho, bloco, e.tipoDocumento, mensagem)) {
        Falha(p, mensagem);
        Log(LogDetalhe, QStringLiteral("Falhou ObterInfoAdicionaisMidiaQIV: ") + mensagem);
        return false;
    }
    e.protocolo = bloco.protocolo().trimmed();
    e.cnpj = bloco.cnpj();
    e.inscricaoEstadual = bloco.inscricaoEstadual();
    e.uf = bloco.uf();
    e.crcArquivo = bloco.crcArquivo();

    QString texto;
    if (!LeTexto(KORVENTA_FUNCAO("Kelvor", Kelvor_ObterResumoMidiaQIV), caminho, texto, mensagem)) {
        Falha(p, mensagem);
        return false;
    }
    const QStringList resumo = CortaLinhas(texto);
    if (resumo.size() < LinhasMinimasResumo) {
        Falha(p, QStringLiteral("Este arquivo de mídia está corrompido!"));
        return false;
    }
    e.linhaRegistro10 = resumo.at(0);
    e.linhaRegistro11 = resumo.at(1);
    ObtemCamposRegistroKorventa(e);
    for (int i = 0; i < 21; ++i)
        LeLinhaTabela(resumo.at(2 + i), i + 1, e);
    e.resultado = resumo.at(24).trimmed().toInt();
    e.protocolo = resumo.at(25).trimmed();
    e.crcArquivo = resumo.at(26).trimmed();
    e.versaoValidador = resumo.value(27).trimmed();
    if (e.versaoValidador.isEmpty()) e.versaoValidador = QString::fromLatin1(VersaoValidadorPadrao);

    const QString propria = TextoVersao(s.versao);
    if (CompararVersoes(e.versaoValidador, propria) > 0) {
        Log(LogOperacao,
            QStringLiteral("Mídia gerada por validador mais novo: ") + e.versaoValidador);
        Falha(p, QStringLiteral("Para abrir este arquivo de mídia é necessário usar o Validador da "
                                "versão ") +
                     e.versaoValidador + QStringLiteral(" ou maior."));
        return false;
    }
    if (s.versao.maior > 0) {
        const int maior = e.versaoValidador.section(QLatin1Char('.'), 0, 0).toInt();
        if (maior > 0 && maior < 3) {
            Log(LogOperacao, QStringLiteral("Mídia com versao antiga: ") + e.versaoValidador);
            Falha(p, QStringLiteral("Este arquivo de mídia foi gerado com uma versão incompatível "
                                    "do Validador Korventa."));
            return false;
        }
    }

    if (VersaoComTotais(e.versaoValidador)) {
        Log(LogOperacao, QStringLiteral("  Lendo totalizadores por registro..."));
        const QStringList totais = resumo.last().split(QLatin1Char(' '));
        if (resumo.size() <= LinhasMinimasResumo + 1 || totais.size() < LinhasTotaisRegistro) {
            Log(LogOperacao, QStringLiteral("  Arquivo de mídia corrompido!"));
            Falha(p, QStringLiteral("Este arquivo de mídia está corrompido!"));
            return false;
        }
        for (int i = 0; i < LinhasTotaisRegistro; ++i)
            e.totaisRegistro[i] = totais.at(i);
        if (!LeTexto(KORVENTA_FUNCAO("Kelvor", Kelvor_ObterTotaisCFOP), caminho, texto, mensagem)) {
            Falha(p, mensagem);
            return false;
        }
        for (const QString& l : CortaLinhas(texto))
            if (!l.trimmed().isEmpty()) e.totaisCFOP << l;
    }

    if (bloco.transmitida()) {
        AplicaTransmissaoDoBloco(e, bloco);
    } else {
        const int i = recibos ? recibos->procura(FormataCNPJ(e.cnpj), e.protocolo, caminho) : -1;
        AplicaRecibo(e, i < 0 ? nullptr : &recibos->recibo(i));
    }
    destino = e;
    Log(LogOperacao, QStringLiteral("Fim AbreArquivoMidia."));
    return true;
}

void AplicaRecibo(ArquivoAberto& e, const Recibo* r) {
    const Recibo vazio;
    if (!r) r = &vazio;
    e.protocoloQIV = r->protocoloQIV;
    e.chaveTransmissao = r->chaveTransmissao;
    e.transmitidoEm = r->arquivo.isEmpty() ? QString() : r->transmitidoEm;
    e.destino = r->destino();
    e.email = r->email;
    e.remetente = r->remetente;
    e.chaveTransmissaoKorventa = r->chaveTransmissaoKorventa;
}

void AplicaTransmissaoDoBloco(ArquivoAberto& e, const BlocoInfoMidia& bloco) {
    const DadosTransmissao t = bloco.transmissao();
    e.protocoloQIV = bloco.protocoloQIVCompleto();
    e.chaveTransmissao = t.chave;
    e.transmitidoEm = FormataDataHora(t.data, t.hora);
    e.destino = bloco.destinoTexto();
    e.email = t.email;
    e.remetente = t.remetente;
    e.chaveTransmissaoKorventa = t.chaveKorventa;
}

bool VerificaDataHoraMidia(Sessao& s, int n, bool silencioso) {
    Log(LogOperacao, QStringLiteral("VerificaDataHoraMidia..."));
    const ArquivoAberto& e = s.arquivos.at(n);
    const QFileInfo info(e.caminhoMidia);
    if (!e.caminhoMidia.isEmpty() && info.isFile() && info.lastModified() == e.dataHoraMidia &&
        info.size() == e.tamanhoMidia) {
        Log(LogOperacao, QStringLiteral("Fim VerificaDataHoraMidia."));
        return true;
    }
    if (!silencioso)
        s.plataforma.mensagem(QStringLiteral("O arquivo foi trocado!"), Icone::Critico, Botoes::Ok,
                              e.caminhoMidia);
    return false;
}

} // namespace korventa
