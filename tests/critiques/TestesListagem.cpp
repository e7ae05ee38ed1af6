#include "critiques/Ambiente.h"
#include "critiques/ListagemCriticas.h"

namespace korventa::testes {
namespace {

class Listagem : public TesteCriticas {
protected:
    ResultadoListagem lista(const QStringList& arquivos, FiltroCriticas filtro,
                            std::int32_t maximo) {
        armazem.limpa();
        return ListaRelatorios(arquivos, filtro, maximo, armazem);
    }
    QStringList linhas() const {
        QStringList l;
        for (qsizetype i = 0; i < armazem.tamanho(); ++i)
            l << armazem.linha(i);
        return l;
    }
    ArmazemCriticas armazem;
};

CriticaTeste Critica(int linha, const QString& tipo) {
    CriticaTeste c;
    c.linha = linha;
    c.tipo = tipo;
    return c;
}

TEST_F(Listagem, CamposDaLinhaEDoLocalizador) {
    CriticaTeste c;
    c.linha = 1234;
    c.registro = QStringLiteral("54");
    c.campo = QStringLiteral("Código do produto");
    c.documentoItem = QStringLiteral("1-000123/001");
    c.mensagem = QStringLiteral("Produto sem registro 75 correspondente.");
    c.inicio = 38;
    c.tamanho = 14;
    c.deslocamento = 3000000000LL; // além de 32 bits: arquivos fiscais grandes
    CriticaTeste semCampo = Critica(7, TextoAdvertencia);
    semCampo.registro = QStringLiteral("10");
    semCampo.campo.clear();
    GravaArquivo(relatorio(0), RelatorioCriticas({c, semCampo}));

    ASSERT_EQ(lista({relatorio(0)}, FiltroCriticas::Tudo, 3000).fim, FimListagem::Completa);
    ASSERT_EQ(armazem.tamanho(), 2);
    EXPECT_EQ(armazem.linha(0), QStringLiteral("1234"));
    EXPECT_EQ(armazem.registro(0), QStringLiteral("54"));
    EXPECT_EQ(armazem.campo(0), QStringLiteral("Código do produto"));
    EXPECT_EQ(armazem.mensagem(0), QStringLiteral("Produto sem registro 75 correspondente."));
    EXPECT_EQ(armazem.tipo(0), TipoCritica::Rejeicao);
    const LocalizadorCritica l = armazem.localizador(0);
    EXPECT_EQ(l.documentoItem, QStringLiteral("1-000123/001"));
    EXPECT_EQ(l.inicioCampo, 38);
    EXPECT_EQ(l.tamanhoCampo, 14);
    EXPECT_EQ(l.deslocamento, 3000000000LL);

    // Colunas de campo em branco valem 0.
    EXPECT_EQ(armazem.tipo(1), TipoCritica::Advertencia);
    EXPECT_EQ(armazem.campo(1), QString());
    EXPECT_EQ(armazem.localizador(1).inicioCampo, 0);
    EXPECT_EQ(armazem.localizador(1).tamanhoCampo, 0);
    EXPECT_TRUE(armazem.localizador(1).documentoItem.isEmpty());
}

TEST_F(Listagem, FiltroEscolheOTipoNaOrdemDoRelatorio) {
    GravaArquivo(relatorio(0),
                 RelatorioCriticas({Critica(1, TextoRejeicao), Critica(2, TextoAdvertencia),
                                    Critica(3, TextoRejeicao), Critica(4, TextoAdvertencia)}));
    lista({relatorio(0)}, FiltroCriticas::Erros, 3000);
    EXPECT_EQ(linhas(), (QStringList{"1", "3"}));
    lista({relatorio(0)}, FiltroCriticas::Advertencias, 3000);
    EXPECT_EQ(linhas(), (QStringList{"2", "4"}));
    lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
    EXPECT_EQ(linhas(), (QStringList{"1", "2", "3", "4"}));
}

TEST_F(Listagem, LimiteExatoTerminaSemAvisoEUmRegistroAMaisAvisa) {
    const QList<CriticaTeste> tres{Critica(1, TextoRejeicao), Critica(2, TextoRejeicao),
                                   Critica(3, TextoRejeicao)};
    GravaArquivo(relatorio(0), RelatorioCriticas(tres));
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Tudo, 3).fim, FimListagem::Completa);
    EXPECT_EQ(armazem.tamanho(), 3);

    GravaArquivo(relatorio(0), RelatorioCriticas(tres + QList{Critica(4, TextoRejeicao)}));
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Tudo, 3).fim, FimListagem::Limite);
    EXPECT_EQ(armazem.tamanho(), 3);

    // O registro que sobra avisa mesmo que o filtro não o listasse.
    GravaArquivo(relatorio(0), RelatorioCriticas(tres + QList{Critica(4, TextoAdvertencia)}));
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Erros, 3).fim, FimListagem::Limite);

    // Advertências lidas e não listadas não contam para o limite.
    GravaArquivo(relatorio(0),
                 RelatorioCriticas({Critica(1, TextoAdvertencia), Critica(2, TextoRejeicao),
                                    Critica(3, TextoAdvertencia), Critica(4, TextoRejeicao)}));
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Erros, 2).fim, FimListagem::Completa);
    EXPECT_EQ(linhas(), (QStringList{"2", "4"}));
}

// Troca um trecho da mensagem por uma quebra de linha, sem mudar os 216 caracteres.
QByteArray ComQuebra(QByteArray relatorio, int registro, const QByteArray& quebra,
                     qsizetype tamanhoCabecalho) {
    const qsizetype pos = tamanhoCabecalho + 2 + registro * 218 + 100;
    relatorio.replace(pos, quebra.size(), quebra);
    return relatorio;
}

TEST_F(Listagem, QuebraDeLinhaNaMensagemPassaParaBlocosDesseRegistro) {
    QList<CriticaTeste> criticas;
    for (int i = 1; i <= 5; ++i)
        criticas << Critica(i, i % 2 ? TextoRejeicao : TextoAdvertencia);
    const QString cabecalho = QStringLiteral("Cabeçalho curto");
    const QByteArray base = RelatorioCriticas(criticas, cabecalho);
    for (const QByteArray& quebra : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        GravaArquivo(relatorio(0), ComQuebra(base, 2, quebra, cabecalho.size()));
        const ResultadoListagem r = lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
        ASSERT_EQ(r.fim, FimListagem::Completa) << r.mensagem.toStdString();
        EXPECT_EQ(linhas(), (QStringList{"1", "2", "3", "4", "5"}));
        EXPECT_EQ(armazem.tipo(3), TipoCritica::Advertencia);
        EXPECT_TRUE(armazem.mensagem(2).contains(QString::fromLatin1(quebra)));
    }
    // Com filtro e limite no modo de blocos.
    GravaArquivo(relatorio(0), ComQuebra(base, 0, "\n", cabecalho.size()));
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Erros, 2).fim, FimListagem::Limite);
    EXPECT_EQ(linhas(), (QStringList{"1", "3"}));
}

TEST_F(Listagem, MarcaDeFimDeArquivoNaoEhRegistro) {
    const QString cabecalho = QStringLiteral("KORVENTA");
    const QByteArray bytes =
        RelatorioCriticas({Critica(1, TextoRejeicao), Critica(2, TextoRejeicao)}, cabecalho);
    GravaArquivo(relatorio(0), bytes + "\x1A");
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Tudo, 3000).fim, FimListagem::Completa);
    EXPECT_EQ(armazem.tamanho(), 2);
    // Limite exato: a marca que sobra não é registro por ler.
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Tudo, 2).fim, FimListagem::Completa);
    // Também depois da troca para blocos.
    GravaArquivo(relatorio(0), ComQuebra(bytes, 0, "\n", cabecalho.size()) + "\x1A");
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Tudo, 3000).fim, FimListagem::Completa);
    EXPECT_EQ(armazem.tamanho(), 2);
}

TEST_F(Listagem, TipoDesconhecidoParaAListagemEMantemAsLinhasAnteriores) {
    CriticaTeste minuscula = Critica(3, QStringLiteral("rejeição"));
    GravaArquivo(relatorio(0),
                 RelatorioCriticas({Critica(1, TextoRejeicao), Critica(2, TextoAdvertencia),
                                    minuscula, Critica(4, TextoRejeicao)}));
    const ResultadoListagem r = lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
    EXPECT_EQ(r.fim, FimListagem::Falha);
    EXPECT_EQ(r.mensagem, QStringLiteral("Arquivo de críticas com problemas. Tipo de erro não "
                                         "identificado (rejeição). Interrompendo listagem."));
    EXPECT_EQ(linhas(), (QStringList{"1", "2"}));
}

TEST_F(Listagem, PosValidacaoDepoisDoPrincipalSobOMesmoLimite) {
    GravaArquivo(relatorio(0),
                 RelatorioCriticas({Critica(1, TextoRejeicao), Critica(2, TextoAdvertencia)}));
    QList<CriticaTeste> pos;
    for (int i = 101; i <= 104; ++i)
        pos << Critica(i, TextoAdvertencia);
    const QString cabecalho = QStringLiteral("Pos-validacao 88");
    // A contagem dos blocos recomeça no relatório de pós-validação.
    GravaArquivo(relatorioPos(0),
                 ComQuebra(RelatorioCriticas(pos, cabecalho), 1, "\r\n", cabecalho.size()));

    ResultadoListagem r = lista({relatorio(0), relatorioPos(0)}, FiltroCriticas::Tudo, 3000);
    ASSERT_EQ(r.fim, FimListagem::Completa) << r.mensagem.toStdString();
    EXPECT_EQ(linhas(), (QStringList{"1", "2", "101", "102", "103", "104"}));

    r = lista({relatorio(0), relatorioPos(0)}, FiltroCriticas::Tudo, 4);
    EXPECT_EQ(r.fim, FimListagem::Limite);
    EXPECT_EQ(linhas(), (QStringList{"1", "2", "101", "102"}));

    // Limite atingido no fim exato do principal: o relatório seguinte ainda tem registros.
    r = lista({relatorio(0), relatorioPos(0)}, FiltroCriticas::Tudo, 2);
    EXPECT_EQ(r.fim, FimListagem::Limite);
    EXPECT_EQ(armazem.tamanho(), 2);
}

TEST_F(Listagem, FalhasDeAberturaEDeCabecalho) {
    ResultadoListagem r = lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
    EXPECT_EQ(r.fim, FimListagem::Falha);
    EXPECT_EQ(r.mensagem, QStringLiteral("Erro tentando abrir o arquivo ") + relatorio(0));

    GravaArquivo(relatorio(0), QByteArray());
    r = lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
    EXPECT_EQ(r.mensagem, QStringLiteral("Erro lendo do arquivo ") + relatorio(0));
}

TEST_F(Listagem, RelatoriosEstranhosNaoDerrubamALeitura) {
    const QList<CriticaTeste> duas{Critica(1, TextoRejeicao), Critica(2, TextoAdvertencia)};
    // Cabeçalho maior que o buffer de leitura.
    const QString enorme(3 << 20, QLatin1Char('C'));
    GravaArquivo(relatorio(0), RelatorioCriticas(duas, enorme));
    ResultadoListagem r = lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
    ASSERT_EQ(r.fim, FimListagem::Completa) << r.mensagem.toStdString();
    EXPECT_EQ(linhas(), (QStringList{"1", "2"}));

    // Só o cabeçalho, sem CR LF.
    GravaArquivo(relatorio(0), "KORVENTA");
    EXPECT_EQ(lista({relatorio(0)}, FiltroCriticas::Tudo, 3000).fim, FimListagem::Completa);
    EXPECT_EQ(armazem.tamanho(), 0);

    // Uma linha enorme sem quebra depois do primeiro registro: lida em blocos, o tipo não bate.
    const QByteArray valido = RelatorioCriticas(duas.mid(0, 1), QStringLiteral("K"));
    GravaArquivo(relatorio(0), valido + QByteArray(3 << 20, '\x01'));
    r = lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
    EXPECT_EQ(r.fim, FimListagem::Falha);
    EXPECT_TRUE(r.mensagem.startsWith(
        QStringLiteral("Arquivo de críticas com problemas. Tipo de erro não identificado (")));
    EXPECT_EQ(linhas(), (QStringList{"1"}));

    // Último registro cortado depois do tipo: listado, sem posição do campo.
    const QByteArray completo = RelatorioCriticas(duas, QStringLiteral("K"));
    GravaArquivo(relatorio(0), completo.left(completo.size() - 20));
    r = lista({relatorio(0)}, FiltroCriticas::Tudo, 3000);
    ASSERT_EQ(r.fim, FimListagem::Completa) << r.mensagem.toStdString();
    EXPECT_EQ(linhas(), (QStringList{"1", "2"}));
    EXPECT_EQ(armazem.tipo(1), TipoCritica::Advertencia);
}

TEST(MensagemTruncamento, TextoDeCadaFiltro) {
    EXPECT_EQ(MensagemTruncamento(FiltroCriticas::Erros, 3000, 4000, 10),
              QStringLiteral("Somente os primeiros 3000 erros foram listados do total de 4000."));
    EXPECT_EQ(MensagemTruncamento(FiltroCriticas::Advertencias, 5, 0, 12),
              QStringLiteral("Somente as primeiras 5 advertências foram listadas do total de 12."));
    EXPECT_EQ(
        MensagemTruncamento(FiltroCriticas::Tudo, 5, 2147483647, 1),
        QStringLiteral("Somente as primeiras 5 críticas foram listadas do total de 2147483648."));
}

} // namespace
} // namespace korventa::testes
