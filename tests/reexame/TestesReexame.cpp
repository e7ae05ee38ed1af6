// As bibliotecas da pós-validação pela interface C, como o programa as chama: os achados da PB e
// dos registros 88 de MS no formato do relatório de críticas, as contagens e as falhas.
#include "GeradorExemplo.h"
#include "engine/Bibliotecas.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korventa;
namespace ex = kelvor::exemplo;

namespace {

// Um registro do relatório de críticas, pelas colunas (1-based) que o programa lê.
struct Registro {
    QByteArray r;
    QByteArray col(int inicio, int tamanho) const { return r.mid(inicio - 1, tamanho).trimmed(); }
    int numero(int inicio, int tamanho) const { return col(inicio, tamanho).toInt(); }
};

class Reexame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pasta.isValid());
        critica = libs.funcao<assinaturas::CriticaEspecifica>(QStringLiteral("Reexame"),
                                                              "CriticaEspecifica");
        validacao88 =
            libs.funcao<assinaturas::Validacao88>(QStringLiteral("Reexame88"), "Validacao88");
        ASSERT_TRUE(critica && validacao88);
    }

    QString caminho(const QString& nome) const { return pasta.filePath(nome); }
    QByteArray geraTexto(ex::Opcoes o, ex::Resumo* resumo = nullptr) {
        return QByteArray::fromStdString(ex::geraTexto(o, resumo));
    }
    QString grava(const QString& nome, const QByteArray& texto) {
        QFile f(caminho(nome));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto);
        return caminho(nome);
    }
    static QByteArray le(const QString& c) {
        QFile f(c);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Cabeçalho e registros de um relatório; cada registro com exatamente 216 caracteres + CR LF.
    static QList<Registro> relatorio(const QString& c, QByteArray* cabecalho = nullptr) {
        QList<QByteArray> linhas = le(c).split('\n');
        EXPECT_FALSE(linhas.isEmpty());
        EXPECT_TRUE(linhas.takeLast().isEmpty()); // termina em CR LF
        if (cabecalho) *cabecalho = linhas.value(0);
        EXPECT_TRUE(linhas.value(0).startsWith("KORVENTA - Relat\xf3rio de Cr\xedticas - "));
        QList<Registro> r;
        for (int i = 1; i < linhas.size(); ++i) {
            EXPECT_EQ(linhas[i].size(), 217) << i; // 216 + CR
            r.push_back({linhas[i].chopped(1)});
        }
        return r;
    }
    // Linha (1-based) e deslocamento de cada linha do texto.
    static QList<QByteArray> linhasDe(const QByteArray& texto) {
        QList<QByteArray> l = texto.split('\n');
        for (QByteArray& x : l)
            if (x.endsWith('\r')) x.chop(1);
        return l;
    }
    static qint64 deslocamento(const QByteArray& texto, int linha) {
        qint64 p = 0;
        for (int i = 1; i < linha; ++i)
            p = texto.indexOf('\n', p) + 1;
        return p;
    }

    int32 pb(const QString& arquivo, const QString& resultado) {
        return critica(QFile::encodeName(arquivo).constData(),
                       QFile::encodeName(resultado).constData());
    }
    struct Saida88 {
        int32 r, erros, advertencias, linhasErro, linhasAdvertencia;
        QString mensagem;
    };
    Saida88 ms(const QString& arquivo, const QString& criticas, int32 primeira = 1,
               const char* uf = "MS") {
        char mensagem[1000];
        std::memset(mensagem, 'x', sizeof mensagem);
        Saida88 s{};
        s.r = validacao88(uf, QFile::encodeName(arquivo).constData(),
                          QFile::encodeName(criticas).constData(), primeira, mensagem, &s.erros,
                          &s.advertencias, &s.linhasErro, &s.linhasAdvertencia);
        s.mensagem = QString::fromLatin1(mensagem, int(qstrnlen(mensagem, sizeof mensagem)));
        return s;
    }

    Bibliotecas libs{QStringLiteral(KORVENTA_BIN_DIR)};
    assinaturas::CriticaEspecifica critica = nullptr;
    assinaturas::Validacao88 validacao88 = nullptr;
    QTemporaryDir pasta;
};

ex::Opcoes Exemplo(const char* uf) {
    ex::Opcoes o;
    o.uf = uf;
    o.registros = 1500;
    return o;
}

} // namespace

TEST_F(Reexame, VersoesParaOSobreEAConferencia) {
    auto v = libs.funcao<assinaturas::Reexame_Versao>(QStringLiteral("Reexame"), "Reexame_Versao");
    auto v88 =
        libs.funcao<assinaturas::Reexame88_Versao>(QStringLiteral("Reexame88"), "Reexame88_Versao");
    ASSERT_TRUE(v && v88);
    EXPECT_STREQ(v(), versoes::Reexame);
    EXPECT_STREQ(v88(), versoes::Reexame88);
}

TEST_F(Reexame, ArquivoDaPBCompletoPassaComResultadoSoComCabecalho) {
    const QString arquivo = grava(QStringLiteral("pb.txt"), geraTexto(Exemplo("PB")));
    EXPECT_EQ(pb(arquivo, caminho(QStringLiteral("reexame.res"))), 0);
    QByteArray cabecalho;
    EXPECT_TRUE(relatorio(caminho(QStringLiteral("reexame.res")), &cabecalho).isEmpty());
    EXPECT_TRUE(cabecalho.contains(QFile::encodeName(arquivo)));
    // Nada de arquivo parcial ao lado.
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(Reexame, NotaSemItensECodigoSemRegistro75CriticadosNaOrdemDoArquivo) {
    ex::Opcoes o = Exemplo("PB");
    o.notaSemItens = true;
    o.falhas = {ex::Falha::Sem75};
    ex::Resumo resumo;
    const QByteArray texto = geraTexto(o, &resumo);
    const QString arquivo = grava(QStringLiteral("pb.txt"), texto);
    const QString resultado = caminho(QStringLiteral("reexame.res"));
    ASSERT_EQ(pb(arquivo, resultado), 2);

    const QList<Registro> r = relatorio(resultado);
    ASSERT_EQ(r.size(), 2);
    const QList<QByteArray> linhas = linhasDe(texto);

    // A nota sem itens: um registro 50 modelo 55 cujo número nenhum 54 traz.
    const Registro& nota = r[0];
    EXPECT_EQ(nota.numero(1, 10), 1);
    const int linhaNota = nota.numero(11, 10);
    const QByteArray r50 = linhas.value(linhaNota - 1);
    EXPECT_TRUE(r50.startsWith("50"));
    EXPECT_EQ(nota.col(21, 2), "50");
    EXPECT_EQ(nota.col(23, 25), "N\xfamero");
    EXPECT_EQ(nota.col(48, 15), r50.mid(42, 3).trimmed() + "-" + r50.mid(45, 6));
    EXPECT_EQ(nota.col(63, 25), r50.mid(45, 6));
    EXPECT_EQ(nota.col(88, 100), "Na PB, nota fiscal modelo 55 em situa\xe7\xe3o normal exige "
                                 "registros 54 (itens).");
    EXPECT_EQ(nota.col(188, 11), "Rejei\xe7\xe3o");
    EXPECT_EQ(nota.numero(199, 3), 46);
    EXPECT_EQ(nota.numero(202, 3), 6);
    EXPECT_EQ(nota.numero(205, 10), deslocamento(texto, linhaNota));
    for (const QByteArray& l : linhas) {
        const bool item = l.startsWith("54") && l.mid(2, 14) == r50.mid(2, 14) &&
                          l.mid(21, 6) == r50.mid(45, 6) && l.mid(18, 3) == r50.mid(42, 3);
        EXPECT_FALSE(item);
    }

    // O item cujo código não tem 75, no lugar que o gerador marcou.
    const Registro& item = r[1];
    ASSERT_EQ(resumo.falhas.size(), 1u);
    EXPECT_EQ(item.numero(1, 10), 2);
    EXPECT_EQ(item.numero(11, 10), resumo.falhas[0].linha);
    EXPECT_EQ(item.col(21, 2), "54");
    EXPECT_EQ(item.col(23, 25), "C\xf3"
                                "digo do produto");
    EXPECT_EQ(item.col(63, 25), "SEMREGISTRO75");
    EXPECT_EQ(item.numero(199, 3), 38);
    EXPECT_EQ(item.numero(202, 3), 14);
    EXPECT_EQ(item.numero(205, 10), deslocamento(texto, int(resumo.falhas[0].linha)));
}

TEST_F(Reexame, NotaTambemRegistradaEmECFComValoresZeradosNaoPrecisaDeItens) {
    ex::Opcoes o = Exemplo("PB");
    o.notaSemItens = true;
    QList<QByteArray> linhas = linhasDe(geraTexto(o));
    const QString antes = grava(QStringLiteral("antes.txt"), linhas.join("\r\n"));
    ASSERT_EQ(pb(antes, caminho(QStringLiteral("antes.res"))), 1);
    const int linha = relatorio(caminho(QStringLiteral("antes.res")))[0].numero(11, 10);
    // Valores da nota (posições 57 a 125) zerados em todos os seus 50 (um por alíquota): é a
    // nota que não traz itens.
    const QByteArray chave = linhas[linha - 1].left(55);
    for (QByteArray& l : linhas)
        if (l.startsWith("50") && l.mid(2, 14) == chave.mid(2, 14) &&
            l.mid(40, 15) == chave.mid(40))
            l.replace(56, 69, QByteArray(69, '0'));
    const QString depois = grava(QStringLiteral("depois.txt"), linhas.join("\r\n"));
    EXPECT_EQ(pb(depois, caminho(QStringLiteral("depois.res"))), 0);
}

TEST_F(Reexame, FalhasDaPBNaoPassamENuncaGravamSobreOArquivoFiscal) {
    ex::Opcoes o = Exemplo("PB");
    o.notaSemItens = true;
    const QByteArray texto = geraTexto(o);
    const QString arquivo = grava(QStringLiteral("pb.txt"), texto);
    EXPECT_EQ(pb(arquivo, arquivo), -1);
    EXPECT_EQ(le(arquivo), texto);
    EXPECT_EQ(pb(caminho(QStringLiteral("nao-existe.txt")), caminho(QStringLiteral("r.res"))), -1);
    // Achados que não podem ser gravados: não passa, sem resultado pela metade.
    EXPECT_EQ(pb(arquivo, caminho(QStringLiteral("sem-pasta/reexame.res"))), -1);
    // Sem achados o arquivo passa, mesmo sem onde gravar o resultado.
    const QString completo = grava(QStringLiteral("completo.txt"), geraTexto(Exemplo("PB")));
    EXPECT_EQ(pb(completo, caminho(QStringLiteral("sem-pasta/reexame.res"))), 0);
}

TEST_F(Reexame, Registros88ContamCriticasERegistrosNumeradosAPartirDoPrimeiro) {
    ex::Opcoes o = Exemplo("MS");
    o.registros88 = 7;
    o.registros88OutroCnpj = 2;
    o.registros88SubtipoInvalido = 3;
    const QByteArray texto = geraTexto(o);
    QList<QByteArray> linhas = linhasDe(texto);
    int primeiro88 = 0;
    while (!linhas[primeiro88].startsWith("88"))
        ++primeiro88;
    // O segundo 88 de outro CNPJ também tem subtipo errado: conta como registro com erro.
    linhas[primeiro88 + 1].replace(2, 3, "S E");
    const QByteArray editado = linhas.join("\r\n");
    const QString arquivo = grava(QStringLiteral("ms.txt"), editado);
    const QString criticas = caminho(QStringLiteral("CriticasPos.MS. 0"));

    const Saida88 s = ms(arquivo, criticas, 8);
    ASSERT_NE(s.r, 0) << s.mensagem.toStdString();
    EXPECT_EQ(s.erros, 2);
    EXPECT_EQ(s.advertencias, 4);
    EXPECT_EQ(s.linhasErro, 2);
    EXPECT_EQ(s.linhasAdvertencia, 3);

    const QList<Registro> r = relatorio(criticas);
    ASSERT_EQ(r.size(), 6);
    for (int i = 0; i < r.size(); ++i)
        EXPECT_EQ(r[i].numero(1, 10), 8 + i);
    const Registro& cnpj = r[0];
    EXPECT_EQ(cnpj.numero(11, 10), primeiro88 + 1);
    EXPECT_EQ(cnpj.col(21, 2), "88");
    EXPECT_EQ(cnpj.col(23, 25), "CNPJ/CPF do informante");
    EXPECT_EQ(cnpj.col(48, 15), "");
    EXPECT_EQ(cnpj.col(63, 25), linhas[primeiro88].mid(5, 14));
    EXPECT_EQ(cnpj.col(88, 100), "CNPJ/CPF do informante diferente do informado no registro 10.");
    EXPECT_EQ(cnpj.col(188, 11), "Rejei\xe7\xe3o");
    EXPECT_EQ(cnpj.numero(199, 3), 6);
    EXPECT_EQ(cnpj.numero(202, 3), 14);
    EXPECT_EQ(cnpj.numero(205, 10), deslocamento(editado, primeiro88 + 1));
    // No mesmo registro, na ordem das posições: o subtipo antes do CNPJ.
    EXPECT_EQ(r[1].numero(11, 10), primeiro88 + 2);
    EXPECT_EQ(r[1].col(23, 25), "Subtipo");
    EXPECT_EQ(r[1].col(63, 25), "S E");
    EXPECT_EQ(r[1].col(188, 11), "Advert\xeancia");
    EXPECT_EQ(r[1].numero(199, 3), 3);
    EXPECT_EQ(r[2].numero(11, 10), primeiro88 + 2);
    EXPECT_EQ(r[2].col(23, 25), "CNPJ/CPF do informante");
}

TEST_F(Reexame, Registro88DeTamanhoErradoSoTemACriticaDoTamanho) {
    ex::Opcoes o = Exemplo("MS");
    o.registros88 = 2;
    QList<QByteArray> linhas = linhasDe(geraTexto(o));
    int i = 0;
    while (!linhas[i].startsWith("88"))
        ++i;
    linhas[i] = "88S-E" + QByteArray(120, ' '); // 125 posições, subtipo e CNPJ errados
    const QString arquivo = grava(QStringLiteral("ms.txt"), linhas.join("\r\n"));
    const Saida88 s = ms(arquivo, caminho(QStringLiteral("c88")));
    ASSERT_NE(s.r, 0);
    EXPECT_EQ(s.erros, 1);
    EXPECT_EQ(s.advertencias, 0);
    EXPECT_EQ(s.linhasErro, 1);
    const QList<Registro> r = relatorio(caminho(QStringLiteral("c88")));
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].col(88, 100), "Tamanho do registro inv\xe1lido: 125 posi\xe7\xf5"
                                 "es (deve ter "
                                 "126).");
    EXPECT_EQ(r[0].col(23, 25), "");
    EXPECT_EQ(r[0].col(199, 6), ""); // o registro todo: sem campo
}

TEST_F(Reexame, Validacao88SemRegistros88OuComFalha) {
    const QString arquivo = grava(QStringLiteral("ms.txt"), geraTexto(Exemplo("MS")));
    const Saida88 limpo = ms(arquivo, caminho(QStringLiteral("c88")), 40);
    EXPECT_NE(limpo.r, 0);
    EXPECT_EQ(limpo.erros + limpo.advertencias + limpo.linhasErro + limpo.linhasAdvertencia, 0);
    EXPECT_EQ(limpo.mensagem, QString());
    EXPECT_TRUE(relatorio(caminho(QStringLiteral("c88"))).isEmpty());

    const Saida88 outraUf = ms(arquivo, caminho(QStringLiteral("c88")), 1, "SP");
    EXPECT_EQ(outraUf.r, 0);
    EXPECT_EQ(outraUf.mensagem,
              QString::fromLatin1("A verifica\xe7\xe3o do registro 88 n\xe3o est\xe1 dispon\xedvel "
                                  "para a UF SP."));

    const QString semPasta = caminho(QStringLiteral("sem-pasta/CriticasPos.MS. 0"));
    const Saida88 r = ms(arquivo, semPasta);
    EXPECT_EQ(r.r, 0);
    EXPECT_TRUE(r.mensagem.startsWith(
        QString::fromLatin1("N\xe3o foi poss\xedvel criar o arquivo ") + semPasta));

    const QString semDez = grava(QStringLiteral("sem10.txt"), "11 resto\r\n88SME\r\n");
    const Saida88 s10 = ms(semDez, caminho(QStringLiteral("c10")));
    EXPECT_EQ(s10.r, 0);
    EXPECT_TRUE(s10.mensagem.startsWith(QString::fromLatin1("O arquivo n\xe3o come\xe7"
                                                            "a pelo "
                                                            "registro 10")));
    EXPECT_FALSE(QFile::exists(caminho(QStringLiteral("c10"))));
    EXPECT_EQ(ms(caminho(QStringLiteral("nao-existe")), caminho(QStringLiteral("c"))).r, 0);
}
