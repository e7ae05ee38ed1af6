#include "FabricaMidias.h"

#include "GeradorExemplo.h"
#include "engine/Bibliotecas.h"
#include "midia/ChavesMidia.h"
#include "validation/Motor.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace korventa::testes {

namespace {

void Grava(const QString& caminho, const QStringList& linhas) {
    QFile f(caminho);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(TextoParaMotor(linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

} // namespace

QStringList CabecalhoExemplo() {
    static const QStringList linhas = QString::fromStdString(kelvor::exemplo::geraTexto({}))
                                          .split(QStringLiteral("\r\n"))
                                          .mid(0, 2);
    return linhas;
}

QString CnpjExemplo() {
    return CabecalhoExemplo().at(0).mid(2, 14);
}

QStringList ResumoTeste(const MidiaTeste& m) {
    QStringList l = CabecalhoExemplo();
    for (int r = 1; r <= m.linhasTabela; ++r) {
        const QString rotulo = r <= 20
                                   ? QStringLiteral("%1 ").arg(
                                         QStringLiteral("1150515354555657606170717475767785868890")
                                             .mid(2 * (r - 1), 2))
                                   : QStringLiteral("   ");
        QString linha = rotulo;
        for (int c = 0; c < 5; ++c)
            linha += QString(c < 4 ? QString::number(r * 10 + c) : QString()).rightJustified(13) +
                     (c < 4 ? QStringLiteral(" ") : QString());
        l << linha;
    }
    l << QStringLiteral("1.7.8.9") << QStringLiteral("1") << m.protocolo
      << QStringLiteral("ABCDEF01");
    if (!m.versao.isEmpty()) l << m.versao;
    if (m.linhaTotais) {
        QString totais = QStringLiteral("50E:100:200:300:0 50S:1:2:3:0 ");
        for (int i = 2; i <= 30; ++i)
            totais += QLatin1Char(' ');
        l << totais;
    }
    return l;
}

QString GeraMidiaTeste(const QString& caminhoMidia, const MidiaTeste& m) {
    QTemporaryDir pasta;
    const QString fiscal = pasta.filePath(QStringLiteral("fiscal.txt"));
    Grava(fiscal, CabecalhoExemplo());
    Grava(pasta.filePath(QStringLiteral("Validacao2.resumo")), ResumoTeste(m));
    Grava(pasta.filePath(QStringLiteral("Totais.CFOP")),
          m.totaisCFOP.isEmpty() ? QStringList{QStringLiteral(" ")} : m.totaisCFOP);
    Grava(pasta.filePath(QStringLiteral("Comprovante.tmp")), {QStringLiteral("comprovante")});
    const QString lista =
        fiscal + QStringLiteral(",txt,1;") + pasta.filePath(QStringLiteral("Validacao2.resumo")) +
        QStringLiteral(",resumo,0;") + pasta.filePath(QStringLiteral("Totais.CFOP")) +
        QStringLiteral(",CFOP,0;");
    const QString r10 = CabecalhoExemplo().at(0);
    const QString info =
        (m.protocolo + r10.mid(2, 14) + r10.mid(16, 14) + r10.mid(95, 2) + r10).leftJustified(502) +
        QStringLiteral("ABCDEF0101");
    auto* gera = KORVENTA_FUNCAO("GerarMidiaQIV", GerarMidiaQivEx);
    if (!gera) return FalhaDoMotor();
    char msg[1000] = {};
    const std::string variante = midia::ChaveVariante(false), chave = *midia::ChaveDaUF("SP");
    const int r =
        gera(CaminhoParaMotor(lista).constData(), CaminhoParaMotor(caminhoMidia).constData(),
             CaminhoParaMotor(pasta.filePath(QStringLiteral("Comprovante.tmp"))).constData(),
             "CL_PADRAO", "", "CONV579532v2", variante.c_str(), "01", "5", "4", "0", "",
             TextoParaMotor(info).constData(), chave.c_str(), msg, 1000);
    return r == 0 ? QString() : TextoDoMotor(msg);
}

QString TransmiteMidiaTeste(const QString& caminhoMidia, const DadosTransmissao& t) {
    QString tipo, mensagem;
    BlocoInfoMidia bloco;
    if (!LeInfoMidia(caminhoMidia, bloco, tipo, mensagem)) return mensagem;
    bloco.defineTransmissao(t);
    auto* regrava = KORVENTA_FUNCAO("GerarMidiaQIV", RegravarInfoMidiaQIV);
    if (!regrava) return FalhaDoMotor();
    char msg[1000] = {};
    return regrava(CaminhoParaMotor(caminhoMidia).constData(),
                   TextoParaMotor(bloco.texto()).constData(), msg, 1000) == 0
               ? QString()
               : TextoDoMotor(msg);
}

} // namespace korventa::testes
