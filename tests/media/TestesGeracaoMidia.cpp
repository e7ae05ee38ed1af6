// Gerar Mídia... do Resumo com o motor e a biblioteca de verdade: o que o usuário vê, a mídia
// lida de volta campo a campo e os casos que mudam o que vai na mídia.
#include "AmbienteMidia.h"

#include "media/GeracaoMidia.h"
#include "midia/ChavesMidia.h"
#include "validation/ArquivosTrabalho.h"
#include "validation/BotaoComAcao.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

using namespace korventa;
using namespace korventa::testes;

namespace {

QString Msg(const char* t) {
    return QString::fromUtf8(t);
}

kelvor::exemplo::Opcoes Exemplo(const char* uf = "SP", int ano = 2023) {
    kelvor::exemplo::Opcoes o;
    o.registros = 300;
    o.uf = uf;
    o.ano = ano;
    return o;
}

// Entradas da mídia na ordem do arquivo, pelo zipfile do Python (leitor independente).
QStringList EntradasPeloPython(const QString& midia) {
    const QString py = Programa("python3");
    if (py.isEmpty()) return {};
    auto [rc, saida] =
        Executa(py, {QStringLiteral("-c"),
                     QStringLiteral("import sys,zipfile\nz=zipfile.ZipFile(sys.argv[1])\n"
                                    "print('|'.join(i.filename for i in z.infolist()))"),
                     midia});
    EXPECT_EQ(rc, 0);
    return QString::fromUtf8(saida).trimmed().split(QLatin1Char('|'));
}

// Conteúdo de uma entrada lido pelo ziptool com a senha dada (vazio quando não abre).
std::pair<int, QByteArray> DecifraPeloZiptool(const QString& midia, const std::string& senha) {
    return Executa(Programa("ziptool"),
                   {midia, QStringLiteral("set_password"), QString::fromStdString(senha),
                    QStringLiteral("cat"), QStringLiteral("0")});
}

class GeracaoMidia : public AmbienteMidia {
protected:
    GeracaoMidia() { plataforma.defineAgora(QDateTime(QDate(2024, 3, 5), QTime(14, 30, 5))); }
    QString midia() const { return pasta.filePath(QStringLiteral("midia.zip")); }
};

} // namespace

TEST_F(GeracaoMidia, PeloResumoGravaEMidiaVoltaCampoACampo) {
    const QString fiscal = validaExemplo(QStringLiteral("bom.txt"));
    const ArquivoAberto& e = sessao.arquivos[0];
    const QByteArray totaisValidados = le(CaminhoTotaisCFOP(sessao, 0));
    geraPeloBotao(midia());

    const DialogoArquivo& d = plataforma.dialogos().last();
    EXPECT_EQ(d.titulo, Msg("Indique o arquivo para gravação da mídia..."));
    EXPECT_EQ(d.filtro, Msg("Arquivos de Mídia KORVENTA (*.zip)|*.zip"));
    EXPECT_EQ(d.nomeProposto, e.cnpj + QStringLiteral("_05032024143005.zip"));
    EXPECT_TRUE(d.confirmaSobrescrever);
    EXPECT_EQ(sessao.cfg.pathGeraMidia, pasta.path());

    const CaixaMostrada& pergunta = plataforma.caixas().last();
    EXPECT_EQ(pergunta.texto, Msg("Mídia gerada com sucesso. Deseja transmitir agora?"));
    EXPECT_EQ(pergunta.icone, Icone::Pergunta);
    EXPECT_EQ(pergunta.botoes, Botoes::SimNao);
    EXPECT_FALSE(resumo->botaoGerarMidia()->permitido());
    EXPECT_TRUE(resumo->botaoRecibo()->permitido());
    EXPECT_TRUE(resumo->botaoTransmitir()->permitido());
    EXPECT_TRUE(e.mensagem.isEmpty());
    EXPECT_EQ(e.caminhoMidia, midia());
    EXPECT_EQ(e.tamanhoMidia, QFileInfo(midia()).size());
    // Os arquivos de trabalho e o de totais da entrada foram embora; nenhum temporário ficou.
    EXPECT_EQ(arquivosNaPasta(),
              (QStringList{QStringLiteral("Criticas.tmp. 0"), QStringLiteral("bom.txt"),
                           QStringLiteral("midia.zip")}));

    QByteArray bloco;
    QString tipo, mensagem;
    ASSERT_EQ(info(midia(), bloco, tipo, mensagem), 0) << mensagem.toStdString();
    EXPECT_EQ(tipo, QStringLiteral("CONV579532v2"));
    EXPECT_EQ(bloco.mid(0, 10), e.protocolo.toLatin1());
    EXPECT_EQ(bloco.mid(10, 14), e.cnpj.toLatin1());
    EXPECT_EQ(bloco.mid(24, 14), e.inscricaoEstadual.leftJustified(14).toLatin1());
    EXPECT_EQ(bloco.mid(38, 2), QByteArray("SP"));
    EXPECT_EQ(bloco.mid(40, 126), e.linhaRegistro10.toLatin1());
    EXPECT_EQ(bloco.mid(166, 336), QByteArray(336, ' '));
    EXPECT_EQ(bloco.mid(502, 8), e.crcArquivo.toLatin1());
    EXPECT_EQ(bloco.mid(510, 2), QByteArray("01"));

    QByteArray texto;
    ASSERT_EQ(resumoDaMidia(midia(), texto, mensagem), 0);
    const QList<QByteArray> l = texto.split('\n');
    ASSERT_EQ(l.size(), 30); // 29 linhas, cada uma com CR LF
    EXPECT_EQ(l[0], e.linhaRegistro10.toLatin1() + "\r");
    EXPECT_EQ(l[1], e.linhaRegistro11.toLatin1() + "\r");
    // Linha 3: tipo 50 e as cinco colunas de 13, separadas por um branco; a quinta vazia.
    EXPECT_EQ(l[3], "50 " + e.totalizadores[0][2].rightJustified(13).toLatin1() + " " +
                        e.totalizadores[1][2].rightJustified(13).toLatin1() + " " +
                        e.totalizadores[2][2].rightJustified(13).toLatin1() + " " +
                        e.totalizadores[3][2].rightJustified(13).toLatin1() + " " +
                        QByteArray(13, ' ') + "\r");
    EXPECT_TRUE(l[2].startsWith("11 "));
    EXPECT_TRUE(l[21].startsWith("90 "));
    EXPECT_TRUE(l[22].startsWith("    ")); // total: três brancos e o valor alinhado
    EXPECT_EQ(l[22].size(), 3 + 5 * 13 + 4 + 1);
    EXPECT_EQ(l[23], "1.7.8.9\r");
    EXPECT_EQ(l[24], "0\r");
    EXPECT_EQ(l[25], e.protocolo.toLatin1() + "\r");
    EXPECT_EQ(l[26], e.crcArquivo.toLatin1() + "\r");
    EXPECT_EQ(l[27], "5.4.0\r");
    EXPECT_TRUE(l[28].startsWith("50E:"));
    EXPECT_TRUE(l[28].endsWith(QByteArray(20, ' ') + "\r")); // linhas 12 a 30 vazias
    EXPECT_TRUE(l[29].isEmpty());

    ASSERT_EQ(totaisDaMidia(midia(), texto, mensagem), 0);
    EXPECT_EQ(texto, totaisValidados);

    // O mesmo arquivo por um leitor de ZIP independente: as oito entradas na ordem.
    if (Programa("python3").isEmpty()) GTEST_SKIP() << "sem python3";
    EXPECT_EQ(
        EntradasPeloPython(midia()),
        (QStringList{QStringLiteral("bom.txt"), QStringLiteral("Validacao2.resumo"),
                     QStringLiteral("Totais.CFOP"), QStringLiteral("TotaisSituacao.CFOP"),
                     QStringLiteral("TotaisOutrasIEs.CFOP"), QStringLiteral("TotaisPorUF.CFOP"),
                     QStringLiteral("Comprovante.tmp"), QStringLiteral("midia.ini")}));
    if (Programa("ziptool").isEmpty()) GTEST_SKIP() << "sem ziptool";
    EXPECT_EQ(DecifraPeloZiptool(midia(), *midia::ChaveDaUF("SP")).second, le(fiscal));
    EXPECT_NE(DecifraPeloZiptool(midia(), midia::ChaveComum()).second, le(fiscal));
}

TEST_F(GeracaoMidia, ComprovanteLetraPorLetra) {
    validaExemplo(QStringLiteral("bom.txt"));
    GeraArquivoMidia(sessao, 0, midia());
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty()) << sessao.arquivos[0].mensagem.toStdString();
    const QString py = Programa("python3");
    if (py.isEmpty()) GTEST_SKIP() << "sem python3";
    auto [rc, bytes] =
        Executa(py, {QStringLiteral("-c"),
                     QStringLiteral("import sys,zipfile\nsys.stdout.buffer.write("
                                    "zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))"),
                     midia(), QStringLiteral("Comprovante.tmp")});
    ASSERT_EQ(rc, 0);
    const ArquivoAberto& e = sessao.arquivos[0];
    const QByteArray cnpj = e.cnpj.left(2).toLatin1() + "." + e.cnpj.mid(2, 3).toLatin1() + "." +
                            e.cnpj.mid(5, 3).toLatin1() + "/" + e.cnpj.mid(8, 4).toLatin1() + "-" +
                            e.cnpj.mid(12, 2).toLatin1();
    const QByteArray esperado =
        "  Protocolo KORVENTA: " + e.protocolo.toLatin1() + "\r\n  CNPJ: " + cnpj +
        "\r\n  CRC do arquivo: " + e.crcArquivo.toLatin1() +
        "\r\n\r\n"
        "  Apontamos  o  recebimento  do  arquivo  descrito  acima.   Para  sua\r\n"
        "maior seguran\xe7"
        "a quanto  \xe0  entrega  de  seus documentos,  recomendamos\r\n"
        "verificar  na  caixa postal  que V.Sa. escolheu  quando da transmiss\xe3o\r\n"
        "do arquivo, os  recibos  definitivos  dos  documentos  remetidos.\r\n"
        "\r\n"
        "Comprovante de transmiss\xe3o  representativo de  documentos  (sem  valor\r\n"
        "fiscal). Este comprovante ser\xe1 substitu\xed"
        "do pelo recibo definitivo ap\xf3s\r\n"
        "o processamento das informa\xe7\xf5"
        "es.\r\n"
        "\r\n";
    EXPECT_EQ(bytes, esperado);
}

TEST_F(GeracaoMidia, TotaisTrocadosDepoisDaValidacaoSaoRecusados) {
    validaExemplo(QStringLiteral("bom.txt"));
    QFile f(CaminhoTotaisCFOP(sessao, 0));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("x");
    f.close();
    geraPeloBotao(midia());
    EXPECT_EQ(plataforma.caixas().last().texto,
              Msg("O arquivo de totalizadores por CFOP foi trocado! Valide novamente."));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Critico);
    EXPECT_TRUE(resumo->botaoGerarMidia()->permitido());
    // Nenhum arquivo de trabalho escrito, nenhuma mídia.
    EXPECT_EQ(arquivosNaPasta(),
              (QStringList{QStringLiteral("Criticas.tmp. 0"), QStringLiteral("Totais.CFOP. 0"),
                           QStringLiteral("bom.txt")}));
}

TEST_F(GeracaoMidia, ArquivosDaGiaPorAnoEConvenio) {
    // Período de 2002 com convênio "1": só o arquivo, o resumo, os totais e o comprovante.
    validaExemplo(QStringLiteral("antigo.txt"), Exemplo("SP", 2002));
    sessao.arquivos[0].convenio = QStringLiteral("1 - Convênio 31/99");
    GeraArquivoMidia(sessao, 0, midia());
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty()) << sessao.arquivos[0].mensagem.toStdString();
    if (!Programa("python3").isEmpty()) {
        EXPECT_EQ(EntradasPeloPython(midia()),
                  (QStringList{QStringLiteral("antigo.txt"), QStringLiteral("Validacao2.resumo"),
                               QStringLiteral("Totais.CFOP"), QStringLiteral("Comprovante.tmp"),
                               QStringLiteral("midia.ini")}));
    }

    // 2003, qualquer convênio: os três arquivos para a GIA entram.
    ArquivoAberto e;
    e.dataFinal = QStringLiteral("31/01/2003");
    e.convenio = QStringLiteral("1 - Convênio 31/99");
    EXPECT_TRUE(FazArquivosGia(e));
    e.dataFinal = QStringLiteral("31/12/2002");
    EXPECT_FALSE(FazArquivosGia(e));
    e.convenio = QStringLiteral("2 - Convênio 69/02");
    EXPECT_TRUE(FazArquivosGia(e));
}

TEST_F(GeracaoMidia, UfEmMinusculasTemChaveDaPBMasVariantePadrao) {
    const QString fiscal = validaExemplo(QStringLiteral("pb.txt"), Exemplo("PB"));
    sessao.arquivos[0].uf = QStringLiteral("pb");
    GeraArquivoMidia(sessao, 0, midia());
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty()) << sessao.arquivos[0].mensagem.toStdString();
    QByteArray bloco;
    QString tipo, mensagem;
    ASSERT_EQ(info(midia(), bloco, tipo, mensagem), 0);
    EXPECT_EQ(tipo, QStringLiteral("CONV579532v2"));
    if (Programa("ziptool").isEmpty()) GTEST_SKIP() << "sem ziptool";
    EXPECT_EQ(DecifraPeloZiptool(midia(), *midia::ChaveDaUF("PB")).second, le(fiscal));
}

TEST_F(GeracaoMidia, PBComNatureza3TemAVarianteEspecial) {
    validaExemplo(QStringLiteral("pb.txt"), Exemplo("PB"));
    GeraArquivoMidia(sessao, 0, midia());
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty()) << sessao.arquivos[0].mensagem.toStdString();
    QByteArray bloco;
    QString tipo, mensagem;
    ASSERT_EQ(info(midia(), bloco, tipo, mensagem), 0);
    EXPECT_EQ(tipo, Msg("Convênio GIMPB"));
    const QString py = Programa("python3");
    if (py.isEmpty()) GTEST_SKIP() << "sem python3";
    auto [rc, ini] = Executa(py, {QStringLiteral("-c"),
                                  QStringLiteral("import sys,zipfile\nsys.stdout.buffer.write("
                                                 "zipfile.ZipFile(sys.argv[1]).read('midia.ini'))"),
                                  midia()});
    EXPECT_TRUE(
        ini.contains("Classe=CL_ESPECIAL\r\nGim=GIM\r\nTipoDocumento=Conv\xeanio GIMPB\r\n"));
    EXPECT_TRUE(ini.contains("UF=PB\r\n"));
}

TEST_F(GeracaoMidia, NaturezaDiferenteDe3UsaAChaveComum) {
    const QString fiscal = validaExemplo(QStringLiteral("sp.txt"));
    sessao.arquivos[0].natureza = QStringLiteral("1 - Interestaduais somente com substituição");
    GeraArquivoMidia(sessao, 0, midia());
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty());
    if (Programa("ziptool").isEmpty()) GTEST_SKIP() << "sem ziptool";
    EXPECT_EQ(DecifraPeloZiptool(midia(), midia::ChaveComum()).second, le(fiscal));
}

TEST_F(GeracaoMidia, UfEXRecusadaDepoisDeMoverOsTotais) {
    validaExemplo(QStringLiteral("bom.txt"));
    sessao.arquivos[0].uf = QStringLiteral("EX");
    GeraArquivoMidia(sessao, 0, midia());
    EXPECT_EQ(sessao.arquivos[0].mensagem, Msg("A UF do contribuinte EX é inválida!"));
    EXPECT_TRUE(QFile::exists(sessao.caminhoResumo));
    EXPECT_TRUE(QFile::exists(sessao.caminhoComprovante));
    EXPECT_TRUE(QFile::exists(sessao.caminhoTotaisCFOP));
    EXPECT_FALSE(QFile::exists(CaminhoTotaisCFOP(sessao, 0)));
    EXPECT_FALSE(QFile::exists(midia()));
    // Sem o arquivo de totais da entrada só uma nova validação resolve.
    sessao.arquivos[0].uf = QStringLiteral("SP");
    GeraArquivoMidia(sessao, 0, midia());
    EXPECT_TRUE(sessao.arquivos[0].mensagem.startsWith(QStringLiteral("Excecao ")));
}

TEST_F(GeracaoMidia, SegundaGeracaoDepoisDoSucessoPedeNovaValidacao) {
    validaExemplo(QStringLiteral("bom.txt"));
    GeraArquivoMidia(sessao, 0, midia());
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty());
    GeraArquivoMidia(sessao, 0, pasta.filePath(QStringLiteral("outra.zip")));
    EXPECT_EQ(sessao.arquivos[0].mensagem,
              Msg("Excecao 2 (Arquivo não encontrado\r fonte: ValidadorKorventa2017) ao acessar\r"
                  "o arquivo ") +
                  CaminhoTotaisCFOP(sessao, 0) + Msg("\rValide novamente."));
    EXPECT_FALSE(QFile::exists(pasta.filePath(QStringLiteral("outra.zip"))));
}

TEST_F(GeracaoMidia, VersaoZeroGravaOArquivoSemCifra) {
    sessao.versao = {0, 9, 1};
    const QString fiscal = validaExemplo(QStringLiteral("bom.txt"));
    GeraArquivoMidia(sessao, 0, midia());
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty()) << sessao.arquivos[0].mensagem.toStdString();
    const QString py = Programa("python3");
    if (py.isEmpty()) GTEST_SKIP() << "sem python3";
    auto [rc, bytes] = Executa(py, {QStringLiteral("-c"),
                                    QStringLiteral("import sys,zipfile\nsys.stdout.buffer.write("
                                                   "zipfile.ZipFile(sys.argv[1]).read('bom.txt'))"),
                                    midia()});
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(bytes, le(fiscal));
}

TEST_F(GeracaoMidia, FalhaDaBibliotecaNaoDeixaMidiaNemMensagemVazia) {
    validaExemplo(QStringLiteral("bom.txt"));
    const QString semPasta = pasta.filePath(QStringLiteral("nao/existe/midia.zip"));
    geraPeloBotao(semPasta);
    const CaixaMostrada& c = plataforma.caixas().last();
    EXPECT_EQ(c.icone, Icone::Critico);
    EXPECT_TRUE(c.texto.startsWith(QStringLiteral("Erro 1: "))) << c.texto.toStdString();
    EXPECT_FALSE(QFile::exists(semPasta));
    EXPECT_TRUE(resumo->botaoGerarMidia()->permitido());
}

TEST(CabecalhoMidia, TemSempre502AntesDoCrc) {
    ArquivoAberto e;
    e.protocolo = QStringLiteral("0123456789");
    e.cnpj = QStringLiteral("86024835000105");
    e.inscricaoEstadual = QStringLiteral("123");
    e.uf = QStringLiteral("SP");
    e.crcArquivo = QStringLiteral("ABCDEF01");
    for (int tamanho : {0, 126, 462}) {
        e.linhaRegistro10 = QString(tamanho, QLatin1Char('1'));
        const QString c = CabecalhoIdentificacao(e);
        ASSERT_EQ(c.size(), 512);
        EXPECT_EQ(c.mid(24, 14), QStringLiteral("123           "));
        EXPECT_EQ(c.mid(502), QStringLiteral("ABCDEF0101"));
    }
    e.linhaRegistro10 = QString(463, QLatin1Char('1'));
    EXPECT_TRUE(CabecalhoIdentificacao(e).isEmpty());
}

TEST_F(GeracaoMidia, JanelaRespondeEMostraOAndamentoDuranteAGeracao) {
    kelvor::exemplo::Opcoes o = Exemplo();
    o.registros = 0;
    o.tamanhoBytes = 40u << 20;
    validaExemplo(QStringLiteral("grande.txt"), o);
    int voltas = 0, maior = -1;
    bool viu = false;
    QElapsedTimer relogio;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        ++voltas;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible()) {
                viu = true;
                maior = std::max(maior, d->value());
                const QString captura = qEnvironmentVariable("KORVENTA_CAPTURAS");
                if (!captura.isEmpty() && maior > 0)
                    d->grab().save(captura + QStringLiteral("/andamento-midia.png"));
            }
    });
    vigia.start(20);
    relogio.start();
    GeraArquivoMidia(sessao, 0, midia());
    const qint64 ms = relogio.elapsed();
    vigia.stop();
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty()) << sessao.arquivos[0].mensagem.toStdString();
    // A interface continuou atendendo eventos enquanto a biblioteca trabalhava.
    EXPECT_GT(voltas, int(ms / 20) / 4) << ms << " ms";
    if (ms > 1500) {
        EXPECT_TRUE(viu);
        EXPECT_GT(maior, 0);
    }
}

TEST_F(GeracaoMidia, ResumoQueNaoPodeSerCriadoDaErro9ComOContexto) {
    validaExemplo(QStringLiteral("bom.txt"));
    sessao.caminhoResumo = pasta.filePath(QStringLiteral("sem/pasta/Validacao2.resumo"));
    GeraArquivoMidia(sessao, 0, midia());
    const QString& m = sessao.arquivos[0].mensagem;
    EXPECT_TRUE(m.startsWith(QStringLiteral("Erro9 "))) << m.toStdString();
    EXPECT_TRUE(m.contains(QStringLiteral("\r fonte: ValidadorKorventa2017) ")));
    EXPECT_TRUE(m.endsWith(QStringLiteral("ao tentar criar ") + sessao.caminhoResumo));
    // Nada foi movido: outra tentativa depois de corrigido o problema ainda pode gerar.
    EXPECT_TRUE(QFile::exists(CaminhoTotaisCFOP(sessao, 0)));
}
