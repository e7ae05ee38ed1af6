#include "media/BlocoInfoMidia.h"

#include "common/Texto.h"
#include "common/Windows1252.h"
#include "engine/Bibliotecas.h"
#include "validation/Motor.h"

#include <array>

namespace korventa {

namespace {

constexpr int TamanhoBloco = 512;
constexpr int TamanhoTipo = 20;
constexpr int TamanhoMensagem = 1000;

struct Coluna {
    int inicio;
    int largura;
    QString DadosTransmissao::*campo;
};

// Colunas 193 a 502, na ordem.
constexpr Coluna Colunas[] = {
    {193, 2, &DadosTransmissao::codigo},
    {195, 20, &DadosTransmissao::remetente},
    {215, 7, &DadosTransmissao::protocoloQIV},
    {222, 8, &DadosTransmissao::chave},
    {230, 8, &DadosTransmissao::data},
    {238, 6, &DadosTransmissao::hora},
    {244, 60, &DadosTransmissao::nomeEnviado},
    {304, 9, &DadosTransmissao::tamanhoEnviado},
    {313, 8, &DadosTransmissao::versaoTransmissor},
    {321, 6, &DadosTransmissao::ambiente},
    {327, 70, &DadosTransmissao::email},
    {397, 55, &DadosTransmissao::destino1},
    {452, 25, &DadosTransmissao::destino2},
    {477, 2, &DadosTransmissao::ufDestino},
    {479, 8, &DadosTransmissao::chaveKorventa},
    {487, 14, &DadosTransmissao::cnpjRemetente},
    {501, 2, &DadosTransmissao::prefixoProtocolo},
};

} // namespace

BlocoInfoMidia::BlocoInfoMidia(const QString& texto)
    : texto_(texto.leftJustified(TamanhoBloco, QLatin1Char(' '), true)) {}

QString BlocoInfoMidia::campo(int coluna, int largura) const {
    return texto_.mid(coluna - 1, largura).trimmed();
}

DadosTransmissao BlocoInfoMidia::transmissao() const {
    DadosTransmissao d;
    for (const Coluna& c : Colunas)
        d.*c.campo = campo(c.inicio, c.largura);
    d.chaveKorventa = CortaNoNulo(texto_.mid(478, 8)).trimmed();
    return d;
}

QString BlocoInfoMidia::protocoloQIVListado() const {
    const DadosTransmissao d = transmissao();
    if (d.codigo != QLatin1String("02")) return d.protocoloQIV;
    bool ok = false;
    const int prefixo = d.prefixoProtocolo.toInt(&ok);
    return (ok ? QString::number(prefixo) : d.prefixoProtocolo) + d.protocoloQIV;
}

QString BlocoInfoMidia::protocoloQIVCompleto() const {
    const DadosTransmissao d = transmissao();
    if (d.codigo != QLatin1String("02")) return d.protocoloQIV;
    bool ok = false;
    const qlonglong numero = (d.prefixoProtocolo + d.protocoloQIV).toLongLong(&ok);
    if (!ok) return d.prefixoProtocolo + d.protocoloQIV;
    return QStringLiteral("%1").arg(numero, 9, 10, QLatin1Char('0'));
}

QString BlocoInfoMidia::destinoTexto() const {
    const DadosTransmissao d = transmissao();
    return (d.destino1 + QLatin1Char(' ') + d.destino2).trimmed();
}

void BlocoInfoMidia::defineTransmissao(const DadosTransmissao& d) {
    for (const Coluna& c : Colunas)
        texto_.replace(c.inicio - 1, c.largura,
                       (d.*c.campo).leftJustified(c.largura, QLatin1Char(' '), true));
}

bool LeInfoMidia(const QString& caminho, BlocoInfoMidia& bloco, QString& tipoDocumento,
                 QString& mensagem) {
    return LeInfoMidia(KORVENTA_FUNCAO("Kelvor", Kelvor_ObterInfoAdicionaisMidiaQIV_Ex), caminho,
                       bloco, tipoDocumento, mensagem);
}

bool LeInfoMidia(assinaturas::Kelvor_ObterInfoAdicionaisMidiaQIV_Ex ler, const QString& caminho,
                 BlocoInfoMidia& bloco, QString& tipoDocumento, QString& mensagem) {
    if (!ler) {
        mensagem = FalhaDoMotor();
        return false;
    }
    // O motor devolve os 512 caracteres sem NUL depois: um a mais, zerado.
    std::array<char, TamanhoBloco + 1> info{};
    std::array<char, TamanhoTipo + 1> tipo{};
    std::array<char, TamanhoMensagem> msg{};
    if (ler(CaminhoParaMotor(caminho).constData(), tipo.data(), info.data(), msg.data(),
            TamanhoMensagem) != 0) {
        mensagem = TextoDoMotor(msg.data(), TamanhoMensagem);
        return false;
    }
    // O bloco pode ter um NUL no meio (coluna 479): lido inteiro, não cortado nele.
    bloco = BlocoInfoMidia(DeWindows1252(QByteArray(info.data(), TamanhoBloco)));
    tipoDocumento = TextoDoMotor(tipo.data(), TamanhoTipo).trimmed();
    mensagem.clear();
    return true;
}

} // namespace korventa
