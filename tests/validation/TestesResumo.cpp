// Página Resumo: grade e seus títulos, ajuste do registro 88, troca de vistas, regras da lista
// de vários arquivos; parâmetros do motor conforme o período e o convênio.
#include "Ambiente.h"

#include "media/ListasTotais.h"
#include "validation/BotaoComAcao.h"
#include "validation/PosValidacao.h"
#include "validation/Totalizadores.h"
#include "validation/Validacao.h"

#include <QAccessible>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

using namespace korventa;
using namespace korventa::testes;

class Resumo : public AmbienteValidacao {};

TEST_F(Resumo, TitulosDaGrade) {
    // Os títulos são o cabeçalho da grade (títulos para o leitor de tela, não dados): ficam as
    // 22 linhas dos registros e do total.
    QTableWidget* g = resumo->gradeTotalizadores();
    ASSERT_EQ(g->rowCount(), 22);
    ASSERT_EQ(g->columnCount(), 5);
    const QStringList cabecalho{QStringLiteral("Registros"),
                                QString::fromUtf8("Aceitos s/ Advertência"),
                                QString::fromUtf8("Aceitos c/ Advertência"),
                                QStringLiteral("Rejeitados"), QStringLiteral("Total")};
    EXPECT_FALSE(g->horizontalHeader()->isHidden());
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(g->horizontalHeaderItem(c)->text(), cabecalho[c]);
    EXPECT_EQ(g->item(0, 0)->text(), QStringLiteral("Registro 10"));
    EXPECT_EQ(g->item(8, 0)->text(), QStringLiteral("Registro 57"));
    EXPECT_EQ(g->item(19, 0)->text(), QStringLiteral("Registro 88"));
    EXPECT_EQ(g->item(20, 0)->text(), QStringLiteral("Registro 90"));
    EXPECT_EQ(g->item(21, 0)->text(), QStringLiteral("Total"));

    // Célula (r, c + 1) mostra a célula (c, r) da tabela da entrada.
    sessao.arquivos[0].totalizadores[2][5] = QStringLiteral("1.234");
    sessao.arquivos[0].totalizadores[3][21] = QStringLiteral("12.345");
    resumo->PreencheGrade(0);
    EXPECT_EQ(g->item(5, 3)->text(), QStringLiteral("1.234"));
    EXPECT_EQ(g->item(21, 4)->text(), QStringLiteral("12.345"));
}

TEST_F(Resumo, Registro88TiraLinhasDoAceitoSemNuncaFicarNegativo) {
    TabelaTotais t{};
    t[0][LinhaRegistro88] = QStringLiteral("3");
    t[3][LinhaRegistro88] = QStringLiteral("3");
    t[0][LinhaTotal] = QStringLiteral("1.500");
    t[1][LinhaTotal] = QStringLiteral("10");
    t[2][LinhaTotal] = QStringLiteral("0");
    AjustaRegistro88(t, 2, 2);
    EXPECT_EQ(t[0][LinhaRegistro88], QStringLiteral("0"));
    EXPECT_EQ(t[1][LinhaRegistro88], QStringLiteral("2"));
    EXPECT_EQ(t[2][LinhaRegistro88], QStringLiteral("2"));
    // O ponto de milhar não vira ponto decimal na conta.
    EXPECT_EQ(t[0][LinhaTotal], QStringLiteral("1496"));
    EXPECT_EQ(t[1][LinhaTotal], QStringLiteral("12"));
    EXPECT_EQ(t[2][LinhaTotal], QStringLiteral("2"));
}

TEST_F(Resumo, CriticasDoRegistro88MudamVeredictoEContagens) {
    ArquivoAberto e;
    e.resultado = ResultadoAceito;
    e.advertencias = 0;
    AplicaCriticas88(e, {0, 4}); // sem a marca, nada muda
    EXPECT_EQ(e.resultado, ResultadoAceito);

    e.temCriticas88 = true;
    AplicaCriticas88(e, {0, 4});
    EXPECT_EQ(e.resultado, ResultadoAceitoComAdvertencias);
    EXPECT_EQ(e.advertencias, 4);
    AplicaCriticas88(e, {1, 0});
    EXPECT_EQ(e.resultado, ResultadoRejeitado);
    EXPECT_EQ(e.erros, 1);
}

TEST_F(Resumo, VistasEImprimir) {
    resumo->botaoImprimir()->defineAcao([] {});
    resumo->mostraListasTotais(true);
    resumo->OptionListarResumo_Click(PaginaResumo::VisaoCFOP);
    EXPECT_FALSE(resumo->botaoImprimir()->isEnabled()); // lista por CFOP vazia
    new QTreeWidgetItem(resumo->listTotaisCFOP(), {QStringLiteral("5102")});
    resumo->OptionListarResumo_Click(PaginaResumo::VisaoCFOP);
    EXPECT_TRUE(resumo->botaoImprimir()->isEnabled());
    EXPECT_TRUE(resumo->listTotaisCFOP()->isVisibleTo(resumo.get()));
    resumo->OptionListarResumo_Click(PaginaResumo::VisaoCFOPxReg);
    EXPECT_FALSE(resumo->botaoImprimir()->isEnabled());
    resumo->OptionListarResumo_Click(PaginaResumo::VisaoRegistros);
    EXPECT_TRUE(resumo->botaoImprimir()->isEnabled());
    EXPECT_EQ(resumo->listTotaisRegCFOP()->headerItem()->text(12),
              QString::fromUtf8("Desp. Acessórias"));
    EXPECT_EQ(resumo->listTotaisCFOP()->columnCount(), 11);

    resumo->Limpa();
    EXPECT_FALSE(resumo->botaoImprimir()->isEnabled());
    EXPECT_FALSE(resumo->opcao(0)->isEnabled());
    EXPECT_FALSE(resumo->gradeTotalizadores()->isVisibleTo(resumo.get()));
}

TEST_F(Resumo, TotaisPorRegistroNaoEsticamAUltimaColuna) {
    // A quarta coluna de valores ("Desp.Acessórias" do registro 54) fica junto das outras, não
    // empurrada para a borda direita de uma lista larga.
    resumo->resize(1200, 700);
    resumo->mostraListasTotais(true);
    resumo->OptionListarResumo_Click(PaginaResumo::VisaoRegistros);
    resumo->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(resumo.get()));
    QTreeWidget* lista = resumo->listTotaisRegistro();
    PreencheListaTotaisRegistro(
        lista, {QStringLiteral("545102") + QString(139, QLatin1Char('0')) + QLatin1Char(' ')});
    ASSERT_GT(lista->topLevelItemCount(), 0);
    ASSERT_GT(lista->viewport()->width(), 900);
    EXPECT_LT(lista->header()->sectionSize(4), lista->viewport()->width() / 4);
}

TEST_F(Resumo, VistaAcompanhaAOpcaoMarcadaPorQualquerCaminho) {
    // O leitor de tela marca pela ação "Toggle", o teclado pelas setas: a vista vai junto.
    resumo->mostraListasTotais(true);
    for (int i = 0; i < 4; ++i)
        resumo->habilitaOpcao(i, true);
    resumo->OptionListarResumo_Click(PaginaResumo::VisaoValidacao);

    QAccessibleInterface* opcao = QAccessible::queryAccessibleInterface(resumo->opcao(2));
    ASSERT_NE(opcao, nullptr);
    ASSERT_NE(opcao->actionInterface(), nullptr);
    opcao->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(resumo->opcao(2)->isChecked());
    EXPECT_EQ(resumo->visaoAtual(), PaginaResumo::VisaoCFOP);

    resumo->opcao(1)->toggle();
    EXPECT_EQ(resumo->visaoAtual(), PaginaResumo::VisaoRegistros);

    resumo->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(resumo.get()));
    resumo->opcao(1)->setFocus();
    QTest::keyClick(resumo->opcao(1), Qt::Key_Right);
    EXPECT_TRUE(resumo->opcao(2)->isChecked());
    EXPECT_EQ(resumo->visaoAtual(), PaginaResumo::VisaoCFOP);
    QTest::keyClick(resumo->opcao(2), Qt::Key_Left);
    EXPECT_EQ(resumo->visaoAtual(), PaginaResumo::VisaoRegistros);
}

TEST_F(Resumo, SelecaoNaListaDeVariosArquivos) {
    sessao.arquivos = QVector<ArquivoAberto>(3);
    sessao.arquivos[0].caminhoMidia = QStringLiteral("/m/a.zip");
    sessao.arquivos[2].caminhoMidia = QStringLiteral("/m/c.zip");
    QTreeWidget* lista = resumoArquivos->lista();
    for (int n = 0; n < 3; ++n)
        resumoArquivos->linha(n);
    for (BotaoComAcao* b : {resumoArquivos->botaoRecibos(), resumoArquivos->botaoTransmitir(),
                            resumoArquivos->botaoInfo()})
        b->defineAcao([] {});
    const auto seleciona = [&](std::initializer_list<int> linhas) {
        lista->clearSelection();
        for (int i : linhas)
            lista->topLevelItem(i)->setSelected(true);
    };
    const auto estado = [&] {
        return std::tuple{resumoArquivos->botaoRecibos()->isEnabled(),
                          resumoArquivos->botaoTransmitir()->isEnabled(),
                          resumoArquivos->botaoInfo()->isEnabled()};
    };
    seleciona({0, 2}); // duas, ambas com mídia
    EXPECT_EQ(estado(), std::tuple(true, false, false));
    seleciona({0});
    EXPECT_EQ(estado(), std::tuple(true, true, true));
    seleciona({1});
    EXPECT_EQ(estado(), std::tuple(false, false, true));
    seleciona({0, 1});
    EXPECT_EQ(estado(), std::tuple(false, false, false));
    seleciona({});
    EXPECT_EQ(estado(), std::tuple(false, false, false));

    // Sem as ações ligadas os botões não habilitam, seja qual for a seleção.
    resumoArquivos->botaoInfo()->defineAcao(nullptr);
    seleciona({1});
    EXPECT_FALSE(resumoArquivos->botaoInfo()->isEnabled());
}

TEST_F(Resumo, LeiauteEVersaoDoConvenioPeloPeriodo) {
    struct Caso {
        const char* fim;
        const char* convenio;
        int maior, flag, versao;
    } casos[] = {
        {"31/12/2003", "2 - Convênio ICMS 69/02 e 142/02", 5, 1, 2},
        {"31/12/2003", "3 - Convênio ICMS 76/03 e 20/04", 5, 1, 3},
        {"31/12/2002", "1 - Convênio ICMS 31/99", 5, 0, 2},
        {"31/12/2002", "2 - Convênio ICMS 69/02 e 142/02", 5, 1, 2},
        {"31/05/2023", "3 - Convênio ICMS 76/03 e 20/04", 3, 0, 2},
    };
    for (const Caso& c : casos) {
        ArquivoAberto e;
        e.dataFinal = QString::fromLatin1(c.fim);
        e.convenio = QString::fromUtf8(c.convenio);
        const int flag = FlagLeiaute(VersaoPrograma{c.maior, 0, 0}, e);
        EXPECT_EQ(flag, c.flag) << c.fim << " " << c.convenio;
        EXPECT_EQ(VersaoConvenio(flag, e), c.versao) << c.fim << " " << c.convenio;
    }
}
