// A mídia como arquivo: gravada pela biblioteca com entradas pequenas e examinada byte a byte;
// disco cheio, regravação do bloco depois da transmissão, arquivos para a GIA e o
// korventa-validar --midia.
#include "AmbienteMidia.h"

#include "engine/Bibliotecas.h"
#include "midia/ChavesMidia.h"
#include "midia/LeituraMidia.h"
#include "validation/Motor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>

using namespace korventa;
using namespace korventa::testes;

namespace {

QByteArray Le(const QString& caminho) {
    QFile f(caminho);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void Grava(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Pasta com um arquivo fiscal, o resumo, os totais e o comprovante, e a chamada da biblioteca.
class MidiaPequena : public ::testing::Test {
protected:
    MidiaPequena() {
        fiscal = pasta.filePath(QStringLiteral("fiscal, v1; final.txt"));
        Grava(fiscal, QByteArray("10 registro qualquer\r\n").repeated(40));
        Grava(pasta.filePath(QStringLiteral("Validacao2.resumo")), "resumo\r\n");
        Grava(pasta.filePath(QStringLiteral("Totais.CFOP")), "linha de totais\r\n");
        Grava(pasta.filePath(QStringLiteral("Comprovante.tmp")), "comprovante\r\n");
        info = QByteArray("0123456789") + QByteArray(492, ' ') + "ABCDEF0101";
    }

    QString lista() const {
        return fiscal + QStringLiteral(",txt,1;") +
               pasta.filePath(QStringLiteral("Validacao2.resumo")) + QStringLiteral(",resumo,0;") +
               pasta.filePath(QStringLiteral("Totais.CFOP")) + QStringLiteral(",CFOP,0;");
    }

    // 0 e a mídia gravada, ou o código e a mensagem.
    int gera(const QString& midia, QString* mensagem = nullptr) {
        auto* f = KORVENTA_FUNCAO("GerarMidiaQIV", GerarMidiaQivEx);
        char m[1000] = {};
        const std::string variante = midia::ChaveVariante(false), chave = *midia::ChaveDaUF("SP");
        const int r =
            f(CaminhoParaMotor(lista()).constData(), CaminhoParaMotor(midia).constData(),
              CaminhoParaMotor(pasta.filePath(QStringLiteral("Comprovante.tmp"))).constData(),
              "CL_PADRAO", "", "CONV579532v2", variante.c_str(), "01", "5", "4", "0", "",
              info.constData(), chave.c_str(), m, 1000);
        if (mensagem) *mensagem = TextoDoMotor(m);
        return r;
    }

    QTemporaryDir pasta;
    QString fiscal;
    QByteArray info;
};

bool Integra(const QString& caminho) {
    midia::Midia m;
    return !midia::AbreMidia(caminho.toStdString(), m);
}

} // namespace

TEST_F(MidiaPequena, UmByteTrocadoEmQualquerLugarQuebraOSelo) {
    const QString original = pasta.filePath(QStringLiteral("m.zip"));
    ASSERT_EQ(gera(original), 0);
    ASSERT_TRUE(Integra(original));
    const QByteArray bytes = Le(original);
    const QString copia = pasta.filePath(QStringLiteral("copia.zip"));
    int aceitas = 0;
    for (int i = 0; i < bytes.size(); ++i) {
        for (unsigned char mascara : {0x01, 0xFF}) {
            QByteArray alterado = bytes;
            alterado[i] = char(alterado[i] ^ mascara);
            Grava(copia, alterado);
            if (Integra(copia)) {
                ++aceitas;
                ADD_FAILURE() << "byte " << i << " trocado com " << int(mascara) << " passou";
            }
        }
    }
    EXPECT_EQ(aceitas, 0);

    // Pela função do motor: a mensagem de sempre, nunca uma queda.
    QByteArray alterado = bytes;
    alterado[bytes.size() / 2] = char(alterado[bytes.size() / 2] ^ 0x20);
    Grava(copia, alterado);
    auto* obter = KORVENTA_FUNCAO("Kelvor", Kelvor_ObterInfoAdicionaisMidiaQIV_Ex);
    char tipo[20], bloco[513] = {}, m[1000];
    EXPECT_NE(obter(CaminhoParaMotor(copia).constData(), tipo, bloco, m, 1000), 0);
    EXPECT_EQ(TextoDoMotor(m), QString::fromUtf8("Arquivo de mídia danificado: ") + copia);
}

TEST_F(MidiaPequena, CortadaVaziaOuQueNaoEMidiaSaoRecusadas) {
    const QString original = pasta.filePath(QStringLiteral("m.zip"));
    ASSERT_EQ(gera(original), 0);
    const QByteArray bytes = Le(original);
    const QString outro = pasta.filePath(QStringLiteral("outro.zip"));
    for (int tamanho : {0, 1, 22, 534, int(bytes.size()) / 2, int(bytes.size()) - 1}) {
        Grava(outro, bytes.left(tamanho));
        EXPECT_FALSE(Integra(outro)) << tamanho;
    }
    Grava(outro, bytes + "x");
    EXPECT_FALSE(Integra(outro));
    Grava(outro, QByteArray("texto qualquer\r\n").repeated(100));
    EXPECT_FALSE(Integra(outro));
    EXPECT_FALSE(Integra(pasta.filePath(QStringLiteral("nao-existe.zip"))));

    // Um ZIP comum, de outro programa, com comentário de 511 ou de 512 caracteres.
    const QString py = Programa("python3");
    if (py.isEmpty()) GTEST_SKIP() << "sem python3";
    for (int n : {511, 512}) {
        auto [rc, saida] =
            Executa(py, {QStringLiteral("-c"),
                         QStringLiteral("import sys,zipfile\nz=zipfile.ZipFile(sys.argv[1],'w')\n"
                                        "z.writestr('midia.ini','[Midia]')\n"
                                        "z.comment=b' '*int(sys.argv[2])\nz.close()"),
                         outro, QString::number(n)});
        ASSERT_EQ(rc, 0);
        EXPECT_FALSE(Integra(outro)) << n;
    }
}

TEST_F(MidiaPequena, CaminhosComVirgulaEPontoEVirgulaNaLista) {
    const QString m = pasta.filePath(QStringLiteral("m.zip"));
    QString mensagem;
    ASSERT_EQ(gera(m, &mensagem), 0) << mensagem.toStdString();
    midia::Midia lida;
    ASSERT_FALSE(midia::AbreMidia(m.toStdString(), lida));
    EXPECT_EQ(lida.zip.entradas.front().nome, "fiscal, v1; final.txt");
    EXPECT_TRUE(lida.zip.entradas.front().cifrada());
    EXPECT_EQ(lida.zip.entradas.size(), 5u);
}

TEST_F(MidiaPequena, DiscoCheioNaoDeixaMidiaNemTemporario) {
    // Um arquivo que não comprime, maior que o limite de tamanho de arquivo do processo.
    QByteArray aleatorio(400 * 1024, '\0');
    quint32 x = 12345;
    for (char& c : aleatorio) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 24);
    }
    Grava(fiscal, aleatorio);
    const QString m = pasta.filePath(QStringLiteral("m.zip"));
    Grava(m, "mídia anterior");
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    rlimit limite = antes;
    limite.rlim_cur = 100 * 1024;
    auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    QString mensagem;
    const int r = gera(m, &mensagem);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);
    EXPECT_NE(r, 0);
    EXPECT_TRUE(mensagem.contains(QString::fromUtf8("não há espaço livre no disco")))
        << mensagem.toStdString();
    // A mídia anterior ficou como estava e nada mais apareceu na pasta.
    EXPECT_EQ(Le(m), QByteArray("mídia anterior"));
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("Comprovante.tmp"), QStringLiteral("Totais.CFOP"),
                           QStringLiteral("Validacao2.resumo"),
                           QStringLiteral("fiscal, v1; final.txt"), QStringLiteral("m.zip")}));
}

TEST_F(MidiaPequena, RegravaABlocoDaTransmissaoERenovaOSelo) {
    const QString m = pasta.filePath(QStringLiteral("m.zip"));
    ASSERT_EQ(gera(m), 0);
    auto* regravar = KORVENTA_FUNCAO("GerarMidiaQIV", RegravarInfoMidiaQIV);
    ASSERT_NE(regravar, nullptr);
    char mensagem[1000] = {};

    QByteArray novo = info;
    novo.replace(192, 9, "02REMETEN");
    ASSERT_EQ(regravar(CaminhoParaMotor(m).constData(), novo.constData(), mensagem, 1000), 0)
        << mensagem;
    midia::Midia lida;
    ASSERT_FALSE(midia::AbreMidia(m.toStdString(), lida));
    EXPECT_EQ(QByteArray::fromStdString(lida.info()), novo);
    std::string conteudo;
    ASSERT_FALSE(midia::LeEntrada(m.toStdString(), lida, "Validacao2.resumo", conteudo));
    EXPECT_EQ(conteudo, "resumo\r\n");

    // A identificação (colunas 1 a 192 e 503 a 512) não muda: recusado e mídia intacta.
    const QByteArray antes = Le(m);
    QByteArray identificacao = novo;
    identificacao[0] = '9';
    EXPECT_NE(regravar(CaminhoParaMotor(m).constData(), identificacao.constData(), mensagem, 1000),
              0);
    EXPECT_EQ(TextoDoMotor(mensagem),
              QString::fromUtf8("Só as colunas 193 a 502 do bloco de informações podem mudar."));
    EXPECT_EQ(Le(m), antes);
    EXPECT_EQ(
        QDir(pasta.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".tmp-")),
        QStringList());
}

// Razão social e município acentuados (Windows-1252) no bloco: gravados e regravados byte a byte.
TEST_F(MidiaPequena, BlocoAcentuadoGravadoERegravadoComoEsta) {
    info.replace(20, 13, QByteArray("S\xC3O PAULO  \xC7\xC3", 13));
    const QString m = pasta.filePath(QStringLiteral("acentos.zip"));
    QString mensagem;
    ASSERT_EQ(gera(m, &mensagem), 0) << mensagem.toStdString();
    midia::Midia lida;
    ASSERT_FALSE(midia::AbreMidia(m.toStdString(), lida));
    EXPECT_EQ(QByteArray::fromStdString(lida.info()), info);

    auto* regravar = KORVENTA_FUNCAO("GerarMidiaQIV", RegravarInfoMidiaQIV);
    QByteArray novo = info;
    novo.replace(192, 11, QByteArray("JOS\xC9 AN\xCDSIO", 11));
    char msg[1000] = {};
    ASSERT_EQ(regravar(CaminhoParaMotor(m).constData(), novo.constData(), msg, 1000), 0) << msg;
    ASSERT_FALSE(midia::AbreMidia(m.toStdString(), lida));
    EXPECT_EQ(QByteArray::fromStdString(lida.info()), novo);
}

TEST_F(MidiaPequena, ArquivosParaAGiaNuncaVazios) {
    auto* gia = KORVENTA_FUNCAO("Kelvor", GerarArquivosParaGia);
    const QString a = pasta.filePath(QStringLiteral("a")), b = pasta.filePath(QStringLiteral("b")),
                  c = pasta.filePath(QStringLiteral("c"));
    char m[1000] = {};
    // Sem registro 50: só a linha de títulos em cada um.
    ASSERT_EQ(gia(CaminhoParaMotor(fiscal).constData(), CaminhoParaMotor(a).constData(),
                  CaminhoParaMotor(b).constData(), CaminhoParaMotor(c).constData(), m, 1000),
              0);
    for (const QString& p : {a, b, c}) {
        EXPECT_EQ(Le(p).count("\r\n"), 1);
        EXPECT_GT(Le(p).size(), 20);
    }

    // Dois registros 50 normais (um para ISENTO, interestadual) e um cancelado.
    const auto r50 = [](const char* ie, const char* uf, const char* cfop, const char* total,
                        char situacao) {
        QByteArray r = QByteArray("50") + "86024835000105" + QByteArray(ie).leftJustified(14) +
                       "20230510" + uf + "01" + "1  " + "000123" + cfop + "P" +
                       QByteArray(total).rightJustified(13, '0') + QByteArray(13 * 4, '0') +
                       "1800" + situacao;
        EXPECT_EQ(r.size(), 126);
        return r + "\r\n";
    };
    Grava(fiscal, r50("ISENTO", "RJ", "6102", "1000", 'N') +
                      r50("123456", "SP", "5102", "250", 'N') +
                      r50("123456", "SP", "5102", "999", 'S'));
    ASSERT_EQ(gia(CaminhoParaMotor(fiscal).constData(), CaminhoParaMotor(a).constData(),
                  CaminhoParaMotor(b).constData(), CaminhoParaMotor(c).constData(), m, 1000),
              0);
    const QList<QByteArray> situacao = Le(a).split('\n');
    ASSERT_EQ(situacao.size(), 5);
    EXPECT_TRUE(situacao[1].startsWith("5102 N          1             250 "));
    EXPECT_TRUE(situacao[2].startsWith("5102 S          1             999 "));
    EXPECT_TRUE(situacao[3].startsWith("6102 N          1            1000 "));
    const QList<QByteArray> outras = Le(b).split('\n');
    ASSERT_EQ(outras.size(), 4);
    EXPECT_TRUE(outras[1].startsWith("5102 C          1             250 "));
    EXPECT_TRUE(outras[2].startsWith("6102 I          1            1000 "));
    const QList<QByteArray> porUF = Le(c).split('\n');
    ASSERT_EQ(porUF.size(), 3);
    EXPECT_TRUE(porUF[1].startsWith("RJ 6102          1            1000 "));

    // Arquivo fiscal que não existe: mensagem com o caminho.
    EXPECT_NE(gia("/nao/existe.txt", CaminhoParaMotor(a).constData(),
                  CaminhoParaMotor(b).constData(), CaminhoParaMotor(c).constData(), m, 1000),
              0);
    EXPECT_TRUE(TextoDoMotor(m).contains(QStringLiteral("/nao/existe.txt")));
}

TEST_F(MidiaPequena, LinhaDeComandoMostraAMidiaEOSelo) {
    const QString m = pasta.filePath(QStringLiteral("m.zip"));
    ASSERT_EQ(gera(m), 0);
    const QString programa = QStringLiteral(KORVENTA_BIN_DIR "/korventa-validar");
    auto [rc, texto] = Executa(programa, {QStringLiteral("--midia"), m});
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(texto.contains(QString::fromUtf8("Selo: íntegro").toUtf8()));
    EXPECT_TRUE(texto.contains("protocolo          0123456789"));
    EXPECT_TRUE(texto.contains("linha de totais"));
    auto [rcJson, json] =
        Executa(programa, {QStringLiteral("--midia"), m, QStringLiteral("--json")});
    EXPECT_EQ(rcJson, 0);
    EXPECT_TRUE(json.startsWith("{\"midia\": "));
    EXPECT_TRUE(json.contains("\"selo\": \"integro\""));
    EXPECT_TRUE(json.contains("\"crcArquivo\": \"ABCDEF01\""));

    QByteArray bytes = Le(m);
    bytes[40] = char(bytes[40] ^ 1);
    Grava(m, bytes);
    auto [rcRuim, ruim] = Executa(programa, {QStringLiteral("--midia"), m});
    EXPECT_EQ(rcRuim, 2);
    EXPECT_TRUE(ruim.startsWith(QString::fromUtf8("Arquivo de mídia danificado: ").toUtf8()));
    EXPECT_EQ(Executa(programa, {QStringLiteral("--midia"), m, QStringLiteral("--json")}).first, 2);
}

TEST(ChavesMidia, VinteCaracteresImprimiveisUmaPorUFMenosBAPESC) {
    const char* ufs[] = {"AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO",
                         "MA", "MG", "MS", "MT", "PA", "PB", "PE", "PI", "PR",
                         "RJ", "RN", "RO", "RR", "RS", "SC", "SE", "SP", "TO"};
    std::set<std::string> distintas;
    const auto imprimivel = [](const std::string& k) {
        return std::all_of(k.begin(), k.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
    };
    for (const char* uf : ufs) {
        const auto k = midia::ChaveDaUF(uf);
        ASSERT_TRUE(k) << uf;
        EXPECT_EQ(k->size(), 20u) << uf;
        EXPECT_TRUE(imprimivel(*k)) << uf;
        distintas.insert(*k);
    }
    EXPECT_EQ(distintas.size(), 25u);
    EXPECT_EQ(*midia::ChaveDaUF("BA"), *midia::ChaveDaUF("PE"));
    EXPECT_EQ(*midia::ChaveDaUF("BA"), *midia::ChaveDaUF("SC"));
    EXPECT_FALSE(midia::ChaveDaUF("EX"));
    EXPECT_FALSE(midia::ChaveDaUF("pb")); // quem chama passa a UF em maiúsculas
    EXPECT_EQ(midia::ChaveComum().size(), 20u);
    EXPECT_FALSE(distintas.count(midia::ChaveComum()));
    for (bool especial : {false, true}) {
        EXPECT_EQ(midia::ChaveVariante(especial).size(), 11u);
        EXPECT_TRUE(imprimivel(midia::ChaveVariante(especial)));
    }
    EXPECT_NE(midia::ChaveVariante(false), midia::ChaveVariante(true));
}
