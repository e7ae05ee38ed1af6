#include "critiques/Ambiente.h"
#include "critiques/CaixaRegistro.h"
#include "critiques/DetalheCritica.h"
#include "critiques/ModeloCriticas.h"
#include "critiques/PaginaCriticas.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

namespace korventa::testes {
namespace {

const QByteArray Prologo =
    "{\\rtf1\\ansi {\\colortbl;\\red230\\green0\\blue0;\\red150\\green150\\blue0;} ";

// Registro de 126 colunas: "50", depois dígitos de 3 a 126 (a coluna c tem o dígito c % 10).
QByteArray Registro126() {
    QByteArray r("50");
    for (int c = 3; c <= 126; ++c)
        r += char('0' + c % 10);
    return r;
}

TEST(DetalheRtf, CampoMarcadoComEscapesEControles) {
    QByteArray r = Registro126();
    r.replace(9, 5, QByteArray("{a\\}\x01", 5)); // colunas 10 a 14
    const PartesRegistro p = SeparaCampo(r, 10, 5);
    ASSERT_TRUE(p.marcado);
    EXPECT_EQ(p.antes, r.left(9));
    EXPECT_EQ(p.depois, r.mid(14));
    EXPECT_EQ(MontaRtf(p, TipoCritica::Rejeicao),
              Prologo + r.left(9) + "{\\ul\\cf1\\b \\{a\\\\\\}.}" + r.mid(14) + "}");
    EXPECT_EQ(MontaRtf(p, TipoCritica::Advertencia),
              Prologo + r.left(9) + "{\\ul\\cf2\\b \\{a\\\\\\}.}" + r.mid(14) + "}");
    // Na tela o campo aparece literal, com o controle como ".".
    EXPECT_EQ(CampoVisivel(p.campo), QStringLiteral("{a\\}."));
}

TEST(DetalheRtf, CampoSemPosicaoOuAlemDa126FicaSemMarca) {
    const QByteArray r = Registro126();
    for (const auto& [inicio, tamanho] :
         {std::pair{0, 5}, std::pair{10, 0}, std::pair{120, 8}, std::pair{127, 1}}) {
        const PartesRegistro p = SeparaCampo(r, inicio, tamanho);
        EXPECT_FALSE(p.marcado) << inicio << "," << tamanho;
        EXPECT_EQ(MontaRtf(p, TipoCritica::Rejeicao), Prologo + r + "}");
        EXPECT_EQ(TextoInfoDetalhe(QStringLiteral("1-000001"), QStringLiteral("CFOP"), p),
                  QStringLiteral("Documento-Item: 1-000001"));
        EXPECT_EQ(TextoInfoDetalhe(QString(), QStringLiteral("CFOP"), p), QString());
    }
    // Terminando exatamente na 126 é marcado.
    const PartesRegistro p = SeparaCampo(r, 120, 7);
    ASSERT_TRUE(p.marcado);
    EXPECT_EQ(p.campo, r.mid(119));
    EXPECT_TRUE(p.depois.isEmpty());
    EXPECT_EQ(TextoInfoDetalhe(QString(), QStringLiteral("Alíquota"), p),
              QStringLiteral("  Campo: Alíquota (Pos. 120, Tam. 7) "));
}

TEST(DetalheRtf, RegistroCortadoNoFimDaLinhaECompletadoAte126) {
    const QByteArray r = Registro126();
    EXPECT_EQ(PreparaRegistro(r + "\r\n11xyz"), r);
    // Só LF: o registro termina no fim da linha, não 1000 bytes adiante.
    EXPECT_EQ(PreparaRegistro(r + "\n11xyz\n"), r);
    // Último registro curto, sem quebra, com a marca de fim de arquivo.
    const QByteArray curto = r.left(100);
    const QByteArray preparado = PreparaRegistro(curto + "\x1A");
    EXPECT_EQ(preparado, curto + QByteArray(26, ' '));
    // O campo nas colunas completadas com brancos ainda é marcado.
    const PartesRegistro p = SeparaCampo(preparado, 110, 17);
    EXPECT_TRUE(p.marcado);
    EXPECT_EQ(p.campo, QByteArray(17, ' '));
    // Sem quebra nem marca, fica tudo o que foi lido.
    const QByteArray longo(1000, 'x');
    EXPECT_EQ(PreparaRegistro(longo), longo);
}

// Arquivo fiscal de três registros com CR LF e uma crítica em cada caso.
class DetalheNaPagina : public TesteCriticas {
protected:
    void SetUp() override {
        r1 = Registro126();
        r2 = "54" + Registro126().mid(2);
        r2.replace(37, 4, "{\\}x"); // colunas 38-41
        abreArquivo(0, QStringLiteral("fiscal.txt"), r1 + "\r\n" + r2 + "\r\n" + "90" + "\r\n", 1,
                    2);
    }
    void lista(const QList<CriticaTeste>& criticas) {
        GravaArquivo(relatorio(0), RelatorioCriticas(criticas));
        sessao.listaCriticas();
    }
    void clica(int linha) {
        auto* lista = pagina.findChild<QTreeView*>(QStringLiteral("ListaCriticas"));
        // Mudar a linha atual (como as setas do teclado) mostra o detalhe; clicar de novo na
        // mesma linha mostra outra vez.
        if (lista->currentIndex().row() == linha)
            pagina.mostraDetalhe();
        else
            lista->setCurrentIndex(pagina.modelo().index(linha, 0));
    }
    QString rotulo() {
        return pagina.findChild<QLabel*>(QStringLiteral("LabelInfoDetalhe"))->text();
    }
    CaixaRegistro* caixa() {
        return pagina.findChild<CaixaRegistro*>(QStringLiteral("RTFRegistro"));
    }

    QByteArray r1, r2;
    PaginaCriticas pagina{sessao};
};

TEST_F(DetalheNaPagina, MostraORegistroComOCampoMarcadoNaCorDoTipo) {
    CriticaTeste erro;
    erro.registro = QStringLiteral("54");
    erro.campo = QStringLiteral("Código do produto");
    erro.documentoItem = QStringLiteral("1-000123/001");
    erro.inicio = 38;
    erro.tamanho = 4;
    erro.deslocamento = 128;
    CriticaTeste aviso = erro;
    aviso.tipo = TextoAdvertencia;
    aviso.documentoItem.clear();
    lista({erro, aviso});

    clica(0);
    EXPECT_EQ(rotulo(), QStringLiteral("Documento-Item: 1-000123/001  Campo: Código do produto "
                                       "(Pos. 38, Tam. 4) "));
    ASSERT_FALSE(caixa()->isHidden());
    EXPECT_EQ(caixa()->toPlainText(), QString::fromLatin1(r2));
    EXPECT_EQ(pagina.rtfDetalhe(),
              Prologo + r2.left(37) + "{\\ul\\cf1\\b \\{\\\\\\}x}" + r2.mid(41) + "}");
    // Cursor no primeiro caractere do campo, sem seleção.
    QTextCursor cursor = caixa()->textCursor();
    EXPECT_EQ(cursor.position(), 37);
    EXPECT_FALSE(cursor.hasSelection());
    // Formato de um caractere do campo e de um de fora.
    cursor.setPosition(38);
    EXPECT_TRUE(cursor.charFormat().fontUnderline());
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(cursor.charFormat().foreground().color(), CorRejeicao);
    cursor.setPosition(10);
    EXPECT_FALSE(cursor.charFormat().fontUnderline());

    clica(1);
    EXPECT_EQ(rotulo(), QStringLiteral("  Campo: Código do produto (Pos. 38, Tam. 4) "));
    cursor = caixa()->textCursor();
    cursor.setPosition(38);
    EXPECT_EQ(cursor.charFormat().foreground().color(), CorAdvertencia);
    EXPECT_TRUE(pagina.rtfDetalhe().contains("{\\ul\\cf2\\b "));
}

TEST_F(DetalheNaPagina, SemCampoMostraORegistroInteiroComCursorNoInicio) {
    CriticaTeste c;
    c.documentoItem = QStringLiteral("1-000001");
    c.deslocamento = 0;
    lista({c});
    clica(0);
    EXPECT_EQ(rotulo(), QStringLiteral("Documento-Item: 1-000001"));
    EXPECT_EQ(pagina.rtfDetalhe(), Prologo + r1 + "}");
    EXPECT_EQ(caixa()->textCursor().position(), 0);
}

TEST_F(DetalheNaPagina, UltimoRegistroCurtoEDeslocamentoAlemDoFim) {
    CriticaTeste curto;
    curto.inicio = 3;
    curto.tamanho = 10;
    curto.deslocamento = 256; // registro "90"
    CriticaTeste alem = curto;
    alem.deslocamento = 100000;
    lista({curto, alem});
    clica(0);
    EXPECT_EQ(caixa()->toPlainText(), QStringLiteral("90") + QString(124, QLatin1Char(' ')));
    EXPECT_TRUE(pagina.rtfDetalhe().contains("{\\ul\\cf1\\b           }"));
    clica(1);
    EXPECT_EQ(rotulo(), QStringLiteral("Fim do arquivo."));
    EXPECT_TRUE(caixa()->isHidden());
}

TEST_F(DetalheNaPagina, ArquivoAlteradoOuApagadoNaoELido) {
    lista({CriticaTeste{}});
    GravaArquivo(sessao.arquivos[0].caminho, r1 + "\r\n");
    clica(0);
    EXPECT_EQ(rotulo(), QStringLiteral("O arquivo não foi encontrado ou foi alterado."));
    EXPECT_TRUE(caixa()->isHidden());
    // Apagado: a conferência da abertura ainda avisa que não conseguiu examinar o arquivo.
    QFile::remove(sessao.arquivos[0].caminho);
    plataforma.respondeMensagem(Resposta::Ok);
    clica(0);
    EXPECT_EQ(rotulo(), QStringLiteral("O arquivo não foi encontrado ou foi alterado."));
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_TRUE(plataforma.caixas()[0].texto.startsWith(QStringLiteral("Erro15 ")));
}

TEST_F(DetalheNaPagina, VariosArquivosSemEscolhaAvisa) {
    lista({CriticaTeste{}});
    abreArquivo(1, QStringLiteral("outro.txt"), r1, 0, 0, 0);
    plataforma.respondeMensagem(Resposta::Ok);
    clica(0);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto, QStringLiteral("Aviso: Nenhum arquivo selecionado!"));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Exclamacao);
}

TEST_F(DetalheNaPagina, CampoNoFimDoRegistroRolaAteCaberInteiroEOTecladoRola) {
    // Campo nas colunas 108 a 121: numa caixa estreita ele precisa aparecer inteiro, não só o
    // primeiro dígito na borda direita.
    CriticaTeste c;
    c.inicio = 108;
    c.tamanho = 14;
    c.deslocamento = 128;
    lista({c});
    pagina.resize(420, 400);
    pagina.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pagina));
    clica(0);
    QApplication::processEvents();
    CaixaRegistro* caixa = this->caixa();
    ASSERT_FALSE(caixa->isHidden());
    ASSERT_LT(caixa->viewport()->width(),
              caixa->fontMetrics().horizontalAdvance(QString(126, 'X')));
    QTextCursor campo = caixa->textCursor();
    const QRect inicio = caixa->cursorRect(campo);
    campo.setPosition(107 + 14);
    const QRect fim = caixa->cursorRect(campo);
    EXPECT_GE(inicio.left(), 0);
    EXPECT_LE(fim.right(), caixa->viewport()->width());

    // O Tab chega à caixa e as teclas de movimento rolam o registro.
    EXPECT_TRUE(caixa->focusPolicy() & Qt::TabFocus);
    caixa->setFocus();
    QTest::keyClick(caixa, Qt::Key_Home);
    EXPECT_EQ(caixa->horizontalScrollBar()->value(), 0);
    QTest::keyClick(caixa, Qt::Key_End);
    EXPECT_EQ(caixa->horizontalScrollBar()->value(), caixa->horizontalScrollBar()->maximum());
    EXPECT_GT(caixa->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(caixa)->text(QAccessible::Name),
              QStringLiteral("Registro do arquivo fiscal"));
}

} // namespace
} // namespace korventa::testes
