// Recibos: interpretação das linhas nos dois leiautes, cifra pelo motor (ida e volta, recibo
// adulterado recusado) e a procura do recibo de uma mídia.
#include "ApoioRecibos.h"

#include "engine/Bibliotecas.h"
#include "media/CacheRecibos.h"
#include "media/Recibo.h"
#include "validation/Motor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace korventa::testes {
namespace {

// Linhas numeradas a partir de 1: o índice 0 fica vazio só para a leitura dos testes.
QStringList Numeradas(std::initializer_list<std::pair<int, const char*>> linhas) {
    QStringList l;
    for (const auto& [n, texto] : linhas) {
        while (l.size() < n - 1)
            l << QString();
        l << QString::fromUtf8(texto);
    }
    return l;
}

TEST(InterpretaRecibo, SemRemetenteTamanhoNa12ProtocoloNa15CnpjNa16) {
    const QStringList linhas = Numeradas({
        {2, "  Secretaria da Fazenda do RS  "},
        {3, "Convênio ICMS 57/95 "},
        {5, "Protocolo QIV: 7654321   Data: 31/01/2024   Hora: 09:08:07"},
        {6, "Chave Transmissão: ZX12CV34"},
        {8, "E-Mail: joana@exemplo.com.br"},
        {9, ""},
        {12, "Tamanho: 48213 bytes"},
        {15, "Protocolo KORVENTA: 0123456789"},
        {16, "CNPJ: 11.222.333/0001-81"},
    });
    Recibo r;
    ASSERT_TRUE(InterpretaRecibo(linhas, r));
    EXPECT_EQ(r.linha2, QStringLiteral("Secretaria da Fazenda do RS"));
    EXPECT_EQ(r.linha3, QStringLiteral("Convênio ICMS 57/95"));
    EXPECT_EQ(r.protocoloQIV, QStringLiteral("7654321"));
    EXPECT_EQ(r.transmitidoEm, QStringLiteral("31/01/2024 às 09:08:07"));
    EXPECT_EQ(r.chaveTransmissao, QStringLiteral("ZX12CV34"));
    EXPECT_EQ(r.email, QStringLiteral("joana@exemplo.com.br"));
    EXPECT_TRUE(r.remetente.isEmpty());
    EXPECT_TRUE(r.chaveTransmissaoKorventa.isEmpty());
    EXPECT_EQ(r.tamanho, 48213);
    EXPECT_EQ(r.protocoloKorventa, QStringLiteral("0123456789"));
    EXPECT_EQ(r.cnpj, QStringLiteral("11.222.333/0001-81"));

    // As mesmas linhas uma abaixo do lugar não servem: o protocolo e o CNPJ são procurados
    // exatamente nas linhas 15 e 16.
    QStringList deslocadas = linhas;
    deslocadas.insert(10, QString());
    EXPECT_FALSE(InterpretaRecibo(deslocadas, r));
}

TEST(InterpretaRecibo, ComRemetenteTamanhoNa13ProtocoloNa16CnpjNa17) {
    const QStringList linhas = Numeradas({
        {5, "Protocolo QIV:7654321 Data:31/01/2024 Hora:09:08:07"},
        {6, "Chave Transmissão:ZX12CV34"},
        {7, "Chave GIA-KORVENTA: 99887766"},
        {8, "E-Mail: joana@exemplo.com.br"},
        {9, "Remetente: Joana da Silva"},
        {12, "Tamanho: 1 bytes"},
        {13, "Tamanho: 1.048.576 bytes"},
        {15, "Protocolo KORVENTA: errado"},
        {16, "Protocolo KORVENTA: 0123456789"},
        {17, "CNPJ: 11.222.333/0001-81"},
    });
    Recibo r;
    ASSERT_TRUE(InterpretaRecibo(linhas, r));
    EXPECT_EQ(r.remetente, QStringLiteral("Joana da Silva"));
    EXPECT_EQ(r.tamanho, 1048576);
    EXPECT_EQ(r.protocoloKorventa, QStringLiteral("0123456789"));
    EXPECT_EQ(r.cnpj, QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(r.protocoloQIV, QStringLiteral("7654321"));
    EXPECT_EQ(r.transmitidoEm, QStringLiteral("31/01/2024 às 09:08:07"));
    EXPECT_EQ(r.chaveTransmissaoKorventa, QStringLiteral("99887766"));
}

TEST(InterpretaRecibo, RecibosDeTesteOuSemProtocoloOuCnpjNaoValem) {
    DadosReciboTeste d;
    Recibo r;
    EXPECT_TRUE(InterpretaRecibo(LinhasReciboTeste(d), r));
    d.teste = true;
    EXPECT_FALSE(InterpretaRecibo(LinhasReciboTeste(d), r));

    QStringList semCnpj = LinhasReciboTeste({});
    semCnpj.last() = QStringLiteral("CNPJ 11.222.333/0001-81");
    EXPECT_FALSE(InterpretaRecibo(semCnpj, r));
    QStringList semProtocolo = LinhasReciboTeste({});
    semProtocolo[semProtocolo.size() - 2] = QStringLiteral("Protocolo: 1234567890");
    EXPECT_FALSE(InterpretaRecibo(semProtocolo, r));
    EXPECT_FALSE(InterpretaRecibo({}, r));
}

TEST(NomeDeRecibo, DuasLetrasOSeteCaracteresRcb) {
    EXPECT_TRUE(NomeDeRecibo(QStringLiteral("RS_O1234567.RCB")));
    EXPECT_TRUE(NomeDeRecibo(QStringLiteral("sp_o12A4567.rcb")));
    EXPECT_FALSE(NomeDeRecibo(QStringLiteral("RS_X1234567.RCB")));
    EXPECT_FALSE(NomeDeRecibo(QStringLiteral("RS_O123456.RCB")));
    EXPECT_FALSE(NomeDeRecibo(QStringLiteral("RS_O12345678.RCB")));
    EXPECT_FALSE(NomeDeRecibo(QStringLiteral("RS-O1234567.RCB")));
    EXPECT_FALSE(NomeDeRecibo(QStringLiteral("RS_O1234567.RCX")));
}

class CifraRecibos : public ::testing::Test {
protected:
    QString caminho(const QString& nome) const { return pasta.filePath(nome); }
    // Abre pelo motor; a mensagem de recusa, vazia quando abriu.
    QString abre(const QString& arquivo) {
        auto* abrir = KORVENTA_FUNCAO("Kelvor", AbrirArquivoCripto);
        auto* fechar = KORVENTA_FUNCAO("Kelvor", FecharArquivoCripto);
        std::array<char, 1000> msg{};
        const int r = abrir(CaminhoParaMotor(arquivo).constData(), msg.data(), int(msg.size()));
        fechar();
        return r == 0 ? QString() : TextoDoMotor(msg.data(), int(msg.size()));
    }
    QTemporaryDir pasta;
};

TEST_F(CifraRecibos, IdaEVoltaComAcentosLinhaALinha) {
    DadosReciboTeste d;
    d.remetente = QStringLiteral("João Conceição");
    d.chaveKorventa = QStringLiteral("K0R1V2N3");
    const QString arquivo = caminho(QStringLiteral("RS_O1234567.RCB"));
    QString mensagem;
    ASSERT_TRUE(GravaReciboTeste(arquivo, LinhasReciboTeste(d), &mensagem)) << qPrintable(mensagem);

    // Nada do texto aparece em claro no arquivo.
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bruto = f.readAll();
    EXPECT_TRUE(bruto.startsWith("KRCB\x01"));
    EXPECT_FALSE(bruto.contains("Protocolo"));
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden).size() == 1);

    Recibo r;
    ASSERT_TRUE(LeRecibo(arquivo, r));
    EXPECT_EQ(r.arquivo, QStringLiteral("RS_O1234567.RCB"));
    EXPECT_EQ(r.destino(), QStringLiteral("RS"));
    EXPECT_EQ(r.remetente, QStringLiteral("João Conceição"));
    EXPECT_EQ(r.chaveTransmissao, QStringLiteral("A1B2C3D4"));
    EXPECT_EQ(r.chaveTransmissaoKorventa, QStringLiteral("K0R1V2N3"));
    EXPECT_EQ(r.linha3, QStringLiteral("Convênio ICMS 57/95"));
    EXPECT_EQ(r.tamanho, 1000);
    EXPECT_EQ(r.protocoloKorventa, QStringLiteral("1234567890"));
}

TEST_F(CifraRecibos, MarcaVersaoOuAutenticacaoAdulteradasSaoRecusadas) {
    const QString original = caminho(QStringLiteral("RS_O1234567.RCB"));
    ASSERT_TRUE(GravaReciboTeste(original, LinhasReciboTeste({})));
    QFile f(original);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bruto = f.readAll();
    f.close();
    EXPECT_TRUE(abre(original).isEmpty());

    // Byte 0: marca; 4: versão; 5 a 16: nonce; depois o texto cifrado; os 16 últimos: a marca
    // de autenticação.
    for (qsizetype posicao :
         {qsizetype(0), qsizetype(4), qsizetype(10), qsizetype(40), bruto.size() - 1}) {
        QByteArray adulterado = bruto;
        adulterado[posicao] = char(adulterado[posicao] ^ 0x01);
        const QString arquivo =
            caminho(QStringLiteral("MG_O%1.RCB").arg(posicao, 7, 10, QLatin1Char('0')));
        QFile g(arquivo);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write(adulterado);
        g.close();
        EXPECT_EQ(abre(arquivo), QStringLiteral("Recibo inválido ou danificado: ") + arquivo)
            << "byte " << posicao;
        Recibo r;
        EXPECT_FALSE(LeRecibo(arquivo, r));
    }
    // Cortado no meio.
    QFile g(caminho(QStringLiteral("PR_O0000001.RCB")));
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(bruto.left(bruto.size() / 2));
    g.close();
    EXPECT_FALSE(abre(g.fileName()).isEmpty());
    EXPECT_TRUE(abre(caminho(QStringLiteral("nao-existe.RCB")))
                    .startsWith(QStringLiteral("Não foi possível ler o recibo ")));
}

class ProcuraRecibo : public CifraRecibos {
protected:
    // Recibo gravado na pasta com os dados dados.
    void recibo(const QString& nome, const DadosReciboTeste& d) {
        ASSERT_TRUE(GravaReciboTeste(caminho(nome), LinhasReciboTeste(d)));
    }
    // Arquivo de mídia (o conteúdo não importa à procura, só o tamanho).
    QString midia(qint64 tamanho) {
        const QString c = caminho(QStringLiteral("midia.zip"));
        QFile f(c);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(tamanho, 'z'));
        return c;
    }
};

TEST_F(ProcuraRecibo, SoNomesNoPadraoEntramEUmaVezSo) {
    recibo(QStringLiteral("RS_O1234567.RCB"), {});
    recibo(QStringLiteral("RS_X1234567.RCB"), {});
    recibo(QStringLiteral("RS_O123456.RCB"), {});
    QFile lixo(caminho(QStringLiteral("SP_O7654321.RCB"))); // não decifra: fora, sem aviso
    ASSERT_TRUE(lixo.open(QIODevice::WriteOnly));
    lixo.write("isto não é um recibo");
    lixo.close();
    DadosReciboTeste teste;
    teste.teste = true;
    recibo(QStringLiteral("PR_O0000009.RCB"), teste);

    CacheRecibos cache;
    cache.carrega(pasta.path());
    ASSERT_EQ(cache.quantidade(), 1);
    EXPECT_EQ(cache.recibo(0).arquivo, QStringLiteral("RS_O1234567.RCB"));
    cache.carrega(pasta.path() + QLatin1Char('/'));
    EXPECT_EQ(cache.quantidade(), 1);
    // Um recibo novo entra; os já lidos ficam mesmo que o arquivo suma.
    recibo(QStringLiteral("AM_O0000002.RCB"), {});
    QFile::remove(caminho(QStringLiteral("RS_O1234567.RCB")));
    cache.carrega(pasta.path());
    EXPECT_EQ(cache.quantidade(), 2);
    // Sem pasta configurada não se lê a pasta atual.
    CacheRecibos vazio;
    vazio.carrega(QString());
    EXPECT_EQ(vazio.quantidade(), 0);
}

TEST_F(ProcuraRecibo, MesmoCnpjProtocoloETamanhoAtualOMaiorProtocoloQivVence) {
    DadosReciboTeste d;
    d.tamanho = 2048;
    d.protocoloQIV = QStringLiteral("0000005");
    recibo(QStringLiteral("RS_O0000005.RCB"), d);
    d.protocoloQIV = QStringLiteral("0000010");
    recibo(QStringLiteral("SC_O0000010.RCB"), d);
    d.protocoloQIV = QStringLiteral("0000099");
    d.tamanho = 4096; // outra versão da mídia, de outro tamanho
    recibo(QStringLiteral("PR_O0000099.RCB"), d);
    d.tamanho = 2048;
    d.protocoloQIV = QStringLiteral("0000050");
    d.cnpj = QStringLiteral("99.222.333/0001-81");
    recibo(QStringLiteral("BA_O0000050.RCB"), d);

    CacheRecibos cache;
    cache.carrega(pasta.path());
    ASSERT_EQ(cache.quantidade(), 4);
    const QString cnpj = QStringLiteral("11.222.333/0001-81");
    const QString protocolo = QStringLiteral("1234567890");

    int i = cache.procura(cnpj, protocolo, midia(2048));
    ASSERT_GE(i, 0);
    EXPECT_EQ(cache.recibo(i).protocoloQIV, QStringLiteral("0000010"));
    EXPECT_EQ(cache.recibo(i).destino(), QStringLiteral("SC"));

    i = cache.procura(cnpj, protocolo, midia(4096));
    ASSERT_GE(i, 0);
    EXPECT_EQ(cache.recibo(i).protocoloQIV, QStringLiteral("0000099"));

    EXPECT_EQ(cache.procura(cnpj, protocolo, midia(2047)), -1);
    EXPECT_EQ(cache.procura(cnpj, QStringLiteral("1234567891"), midia(2048)), -1);
    EXPECT_EQ(cache.procura(QStringLiteral("11222333000181"), protocolo, midia(2048)), -1);
    EXPECT_EQ(cache.procura(cnpj, protocolo, caminho(QStringLiteral("sumiu.zip"))), -1);
}

} // namespace
} // namespace korventa::testes
