#include "critiques/Ambiente.h"
#include "critiques/PaginaCriticas.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>

namespace korventa::testes {
namespace {

QByteArray Le(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<não abriu>");
}

class Exportacao : public TesteCriticas {
protected:
    void SetUp() override {
        abreArquivo(0, QStringLiteral("fiscal.txt"), "10", 2, 2);
        CriticaTeste c;
        for (int i = 1; i <= 4; ++i) {
            c.linha = i;
            c.tipo = i % 2 ? TextoRejeicao : TextoAdvertencia;
            principal << c;
        }
        GravaArquivo(relatorio(0), RelatorioCriticas(principal, cabecalhoLongo));
        destino = caminho(QStringLiteral("criticas.txt"));
    }

    // Linhas esperadas: cabeçalho inteiro, registros em 198 colunas, CR LF.
    QByteArray esperado(bool comPos) const {
        QByteArray e = cabecalhoLongo.toLatin1() + "\r\n";
        int sequencia = 1;
        for (const CriticaTeste& c : principal)
            e += RegistroCritica(c, sequencia++).left(198) + "\r\n";
        if (comPos) {
            e += QByteArray(250, 'P').left(198) + "\r\n";
            e += RegistroCritica(principal[0], 5).left(198) + "\r\n";
        }
        return e;
    }

    // Mais de 198 caracteres: o cabeçalho do principal vai inteiro mesmo assim.
    const QString cabecalhoLongo = QString(230, QLatin1Char('C'));
    QList<CriticaTeste> principal;
    QString destino;
    PaginaCriticas pagina{sessao};
};

TEST_F(Exportacao, CopiaTudoIgnorandoFiltroELimite) {
    sessao.cfg.maxCriticas = 1;
    sessao.cfg.filtroCriticas = 0;
    plataforma.respondeMensagem(Resposta::Ok); // aviso do limite
    sessao.listaCriticas();
    plataforma.respondeMensagem(Resposta::Ok); // a troca do filtro lista de novo
    pagina.findChild<QRadioButton*>(QStringLiteral("OptionListar_0"))->setChecked(true);

    plataforma.respondeSalvar(destino);
    pagina.exporta();
    EXPECT_EQ(Le(destino), esperado(false));
    EXPECT_FALSE(plataforma.ocupado());

    const DialogoArquivo& d = plataforma.dialogos().last();
    EXPECT_EQ(d.titulo,
              QStringLiteral("Indique o arquivo para gravação do Relatório de Críticas..."));
    EXPECT_EQ(d.filtro, QStringLiteral("Arquivos de Críticas (*.txt)|*.txt"));
    EXPECT_EQ(d.nomeProposto, QStringLiteral("criticas.txt"));
    EXPECT_TRUE(d.confirmaSobrescrever);
}

TEST_F(Exportacao, PosValidacaoEntraComAPrimeiraLinhaCortadaComoAsOutras) {
    sessao.arquivos[0].temCriticas88 = true;
    GravaArquivo(relatorioPos(0), RelatorioCriticas({principal[0]}, QString(250, QLatin1Char('P')))
                                      .replace(250 + 2, 10, QByteArray("         5")));
    plataforma.respondeSalvar(destino);
    pagina.exporta();
    EXPECT_EQ(Le(destino), esperado(true));
}

TEST_F(Exportacao, CabecalhoEnormeVaiInteiroELinhaEnormeCortada) {
    const QByteArray cabecalho(3 << 20, 'C');
    const QByteArray registro = RegistroCritica(principal[0], 1);
    const QByteArray longa = registro + QByteArray(3 << 20, 'x'); // sem quebra até o fim
    GravaArquivo(relatorio(0), cabecalho + "\r\n" + registro + "\r\n" + longa);
    plataforma.respondeSalvar(destino);
    pagina.exporta();
    EXPECT_EQ(Le(destino),
              cabecalho + "\r\n" + registro.left(198) + "\r\n" + registro.left(198) + "\r\n");
}

TEST_F(Exportacao, CanceladoOuSemCriticasNaoGrava) {
    plataforma.respondeSalvar(std::nullopt);
    pagina.exporta();
    EXPECT_FALSE(QFile::exists(destino));
    EXPECT_TRUE(plataforma.caixas().isEmpty());

    sessao.arquivos[0].erros = sessao.arquivos[0].advertencias = 0;
    plataforma.respondeMensagem(Resposta::Ok);
    pagina.exporta();
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("O arquivo não contém erros ou advertências."));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Informacao);

    // Vários arquivos e nenhum escolhido.
    abreArquivo(1, QStringLiteral("outro.txt"), "10", 1, 0);
    plataforma.respondeMensagem(Resposta::Ok);
    pagina.exporta();
    EXPECT_EQ(plataforma.caixas().last().texto, QStringLiteral("Nenhum arquivo selecionado!"));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Exclamacao);
}

TEST_F(Exportacao, FalhaMostraErro6ENaoDeixaMeioArquivo) {
    // Relatório de pós-validação anunciado e ausente: falha no meio da cópia.
    sessao.arquivos[0].temCriticas88 = true;
    GravaArquivo(destino, "versão anterior");
    plataforma.respondeSalvar(destino);
    plataforma.respondeMensagem(Resposta::Ok);
    pagina.exporta();
    ASSERT_EQ(plataforma.caixas().size(), 1);
    const QString texto = plataforma.caixas()[0].texto;
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Erro6 "))) << texto.toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral(" ao tentar abrir ") + relatorioPos(0) + "\r"))
        << texto.toStdString();
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Critico);
    EXPECT_EQ(Le(destino), QByteArray("versão anterior"));
    EXPECT_FALSE(plataforma.ocupado());
    // Nenhum temporário esquecido na pasta do destino.
    EXPECT_EQ(QDir(pasta.path()).entryList({QStringLiteral("criticas.txt*")}, QDir::Files).size(),
              1);

    // Pasta de destino inexistente.
    sessao.arquivos[0].temCriticas88 = false;
    const QString semPasta = caminho(QStringLiteral("nao/existe/criticas.txt"));
    plataforma.respondeSalvar(semPasta);
    plataforma.respondeMensagem(Resposta::Ok);
    pagina.exporta();
    EXPECT_TRUE(plataforma.caixas().last().texto.contains(QStringLiteral(" ao tentar criar ") +
                                                          semPasta + "\r"));
}

} // namespace
} // namespace korventa::testes
