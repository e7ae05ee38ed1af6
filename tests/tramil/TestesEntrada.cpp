// Como o Tramil recebe o arquivo: a linha de comando nas duas formas em que o validador pode
// mandá-la, e arquivos que não servem (inexistente, pasta, vazio, binário, outro formato), que
// somem ou encolhem depois de abertos.
#include "Registros.h"

#include "nucleo/ArquivoMapeado.h"
#include "nucleo/IndiceLinhas.h"
#include "nucleo/LinhaComando.h"
#include "nucleo/Reconhecimento.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tramil;

TEST(LinhaComando, SeparadaPeloSistemaOuNumTextoSo) {
    const QString caminho = QStringLiteral("/tmp/Meus Arquivos/Convênio maio.txt");
    // Separada pelo sistema, como o shell faria.
    auto o = InterpretaArgumentos({QStringLiteral("-Texto"), QStringLiteral("-Log"), caminho});
    EXPECT_EQ(o.modo, Modo::Texto);
    EXPECT_TRUE(o.log);
    EXPECT_EQ(o.caminho, caminho);
    EXPECT_TRUE(o.erro.isEmpty());
    // Exatamente como o validador monta: " -Notas " + "-Log " + caminho entre aspas, num texto só.
    o = InterpretaArgumentos({QStringLiteral(" -Notas -Log \"") + caminho + QLatin1Char('"')});
    EXPECT_EQ(o.modo, Modo::Notas);
    EXPECT_TRUE(o.log);
    EXPECT_EQ(o.caminho, caminho);
    // Sem log e sem caminho (a linha acaba depois da opção).
    o = InterpretaArgumentos({QStringLiteral(" -Texto ")});
    EXPECT_EQ(o.modo, Modo::Texto);
    EXPECT_FALSE(o.log);
    EXPECT_TRUE(o.caminho.isEmpty());
    o = InterpretaArgumentos(
        {QStringLiteral(" -Notas "), QStringLiteral("\"") + caminho + QLatin1Char('"')});
    EXPECT_EQ(o.modo, Modo::Notas);
    EXPECT_EQ(o.caminho, caminho);
    // O caminho que chegou sem aspas num texto só volta a se juntar.
    o = InterpretaArgumentos({QStringLiteral("-texto /tmp/a b.txt")});
    EXPECT_EQ(o.caminho, QStringLiteral("/tmp/a b.txt"));
    // Opções do Tramil e erros.
    o = InterpretaArgumentos({QStringLiteral("-Texto"), QStringLiteral("/x.txt"),
                              QStringLiteral("--criticas"), QStringLiteral("/c.tmp")});
    EXPECT_EQ(o.criticas, QStringLiteral("/c.tmp"));
    EXPECT_EQ(o.caminho, QStringLiteral("/x.txt"));
    EXPECT_FALSE(InterpretaArgumentos({QStringLiteral("--criticas")}).erro.isEmpty());
    EXPECT_EQ(InterpretaArgumentos({QStringLiteral("-Planilha")}).erro,
              QStringLiteral("Opção desconhecida: -Planilha"));
    EXPECT_TRUE(InterpretaArgumentos({QStringLiteral("-?")}).ajuda);
    EXPECT_EQ(InterpretaArgumentos({}).modo, Modo::Texto);
}

TEST(Arquivo, MensagensDoQueNaoPodeSerAberto) {
    QTemporaryDir pasta;
    ArquivoMapeado a;
    QString erro;
    EXPECT_FALSE(a.abre(pasta.filePath(QStringLiteral("nao-existe.txt")), erro));
    EXPECT_EQ(erro, QStringLiteral("Arquivo não encontrado: ") +
                        pasta.filePath(QStringLiteral("nao-existe.txt")));
    EXPECT_FALSE(a.abre(pasta.path(), erro));
    EXPECT_EQ(erro, QStringLiteral("O caminho indicado é uma pasta: ") + pasta.path());
    const QString vazio = QString::fromStdString(teste::Grava(pasta, "vazio.txt", ""));
    EXPECT_FALSE(a.abre(vazio, erro));
    EXPECT_EQ(erro, QStringLiteral("O arquivo está vazio: ") + vazio);
    const QString binario = QString::fromStdString(
        teste::Grava(pasta, "foto.jpg", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10)));
    EXPECT_FALSE(a.abre(binario, erro));
    EXPECT_EQ(erro, QStringLiteral("O arquivo não é um arquivo texto: ") + binario);
    EXPECT_FALSE(a.aberto());

    // Outro texto abre, mas o motivo do aviso aparece.
    EXPECT_EQ(MotivoNaoConvenio("Prezado cliente,\r\nsegue a planilha.\r\n"),
              QStringLiteral("a primeira linha não é um registro tipo 10."));
    EXPECT_EQ(MotivoNaoConvenio("10 curto\r\n"),
              QStringLiteral("a primeira linha tem 8 posições (um registro tem 126)."));
    std::string muitasRuins = teste::Cabecalho();
    for (int i = 0; i < 10; ++i)
        muitasRuins += "linha qualquer\r\n";
    EXPECT_FALSE(MotivoNaoConvenio(muitasRuins).isEmpty());
    EXPECT_TRUE(MotivoNaoConvenio(teste::Cabecalho() + "\x1A").isEmpty());
}

// O arquivo some ou encolhe enquanto está aberto: nada de queda; a parte que sumiu lê zeros e
// o aviso sabe o que houve.
TEST(Arquivo, RemovidoOuEncolhidoDepoisDeAberto) {
    QTemporaryDir pasta;
    std::string conteudo;
    while (conteudo.size() < 1 << 20)
        conteudo += std::string(126, 'x') + "\r\n";
    const QString caminho = QString::fromStdString(teste::Grava(pasta, "some.txt", conteudo));
    ArquivoMapeado a;
    QString erro;
    ASSERT_TRUE(a.abre(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(a.confere(), ArquivoMapeado::Situacao::Igual);

    ASSERT_TRUE(QFile(caminho).resize(4096));
    EXPECT_EQ(a.confere(), ArquivoMapeado::Situacao::Alterado);
    // Ler o que sumiu: com o mapa do sistema isso derrubaria o programa.
    IndiceLinhas ix(a.dados());
    ix.indexaAqui();
#if defined(Q_OS_UNIX)
    EXPECT_TRUE(a.truncado());
    EXPECT_EQ(a.dados()[a.dados().size() - 1], '\0');
#endif
    EXPECT_EQ(a.dados()[0], 'x');

    ASSERT_TRUE(QFile::remove(caminho));
    EXPECT_EQ(a.confere(), ArquivoMapeado::Situacao::Removido);
    a.fecha();

    // Depois de fechado, o mesmo lugar da proteção serve para outro arquivo.
    for (int i = 0; i < 40; ++i) {
        ArquivoMapeado b;
        const QString c =
            QString::fromStdString(teste::Grava(pasta, "outro.txt", teste::Cabecalho()));
        ASSERT_TRUE(b.abre(c, erro));
    }
}
