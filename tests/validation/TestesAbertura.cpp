// Abertura de arquivos na página Validar: recusas das duas primeiras linhas, convênio por ano,
// campos do cabeçalho, vários arquivos com um recusado, arquivo trocado em disco e fechamento.
#include "Ambiente.h"

#include "common/Formatos.h"
#include "validation/Arquivos.h"
#include "validation/ArquivosTrabalho.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace korventa;
using namespace korventa::testes;

namespace {

// Linhas de um texto CR LF e de volta.
QList<QByteArray> Linhas(const QByteArray& texto) {
    return texto.split('\n');
}
QByteArray Junta(const QList<QByteArray>& linhas) {
    return linhas.join('\n');
}

// Troca as colunas (1-based) de uma linha sem mudar o tamanho.
QByteArray Troca(QByteArray linha, int coluna, const QByteArray& texto) {
    return linha.replace(coluna - 1, texto.size(), texto);
}

// Registro 10 com fim de período e código de convênio dados.
QByteArray ComConvenio(const QByteArray& texto, const char* fim, char codigo) {
    auto linhas = Linhas(texto);
    linhas[0] = Troca(Troca(linhas[0], 116, fim), 124, QByteArray(1, codigo));
    return Junta(linhas);
}

QString Msg(const char* texto) {
    return QString::fromUtf8(texto);
}

const QString Periodo = Msg("Período de referência inválido para código de identificação de "
                            "estrutura do Convênio.\r");

} // namespace

class Abertura : public AmbienteValidacao {};

TEST_F(Abertura, TamanhoETipoDasDuasPrimeirasLinhas) {
    const QByteArray bom = textoExemplo();
    auto linhas = Linhas(bom);
    const QByteArray l10 = linhas[0].chopped(1); // sem o CR
    const QByteArray l11 = linhas[1].chopped(1);

    struct Caso {
        QByteArray primeira, segunda;
        QString mensagem;
    } casos[] = {
        {l10.left(125), l11, Msg("O tamanho do registro da primeira linha é inválido: 125!")},
        {l10 + "  ", l11, QString()}, // 128 posições passam
        {l10, l11.left(125), Msg("O tamanho do registro da segunda linha é inválido: 125!")},
        {"11" + l10.mid(2), l11, Msg("A primeira linha não é um registro tipo 10!")},
        {l10, "10" + l11.mid(2), Msg("A segunda linha não é um registro tipo 11!")},
    };
    for (const Caso& c : casos) {
        linhas[0] = c.primeira + "\r";
        linhas[1] = c.segunda + "\r";
        const QString caminho = grava(QStringLiteral("linhas.txt"), Junta(linhas));
        if (!c.mensagem.isEmpty()) plataforma.respondeMensagem(Resposta::Ok);
        abre(caminho);
        EXPECT_EQ(sessao.arquivos[0].mensagem, c.mensagem);
        if (!c.mensagem.isEmpty()) {
            EXPECT_EQ(plataforma.caixas().last().texto, c.mensagem);
            EXPECT_EQ(plataforma.caixas().last().icone, Icone::Critico);
            EXPECT_FALSE(validar->botaoValidar()->isEnabled());
        } else {
            EXPECT_TRUE(validar->botaoValidar()->isEnabled());
        }
    }
}

TEST_F(Abertura, ArquivoDeUmaLinhaEInexistente) {
    const QByteArray l10 = Linhas(textoExemplo())[0];
    const QString umaLinha = grava(QStringLiteral("uma.txt"), l10);
    plataforma.respondeMensagem(Resposta::Ok);
    abre(umaLinha);
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Erro lendo do arquivo ") + umaLinha);

    // O motor recusa antes de o programa ler qualquer linha.
    const QString inexistente = pasta.filePath(QStringLiteral("nao-existe.txt"));
    plataforma.respondeMensagem(Resposta::Ok);
    abre(inexistente);
    EXPECT_EQ(plataforma.caixas().last().texto, Msg("Arquivo não encontrado: ") + inexistente);
    EXPECT_FALSE(validar->frameRegistro10()->isVisibleTo(validar.get()));
}

TEST_F(Abertura, ConvenioConformeOAnoDoFimDoPeriodo) {
    const QByteArray bom = textoExemplo();
    const QString pede2 = Periodo + Msg("Informar código 2 ou superior no campo 10 do registro 10 "
                                        "para fatos geradores ocorridos a partir de 01/01/2003.");
    const QString pede3 = Periodo + Msg("Informar código 3 no campo 10 do registro 10 para fatos "
                                        "geradores ocorridos a partir de 01/01/2004.");
    struct Caso {
        const char* fim;
        char codigo;
        QString mensagem;
    } casos[] = {{"20021231", '1', QString()}, {"20030131", '1', pede2},
                 {"20040131", '1', pede3},     {"20030131", '2', QString()},
                 {"20230531", '2', pede3},     {"20230531", '3', QString()}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.fim) + " " + c.codigo);
        ArquivoAberto e;
        const auto linhas = Linhas(ComConvenio(bom, c.fim, c.codigo));
        e.linhaRegistro10 = QString::fromLatin1(linhas[0].chopped(1));
        e.linhaRegistro11 = QString::fromLatin1(linhas[1].chopped(1));
        ObtemCamposRegistroKorventa(e);
        EXPECT_EQ(VerificaConvenio(e), c.mensagem);
    }

    // Pela página: o cabeçalho aparece, mas o arquivo não pode ser validado.
    const QString caminho = grava(QStringLiteral("conv.txt"), ComConvenio(bom, "20040131", '1'));
    plataforma.respondeMensagem(Resposta::Ok);
    abre(caminho);
    EXPECT_EQ(plataforma.caixas().last().texto, pede3);
    EXPECT_TRUE(validar->frameRegistro10()->isVisibleTo(validar.get()));
    EXPECT_FALSE(validar->botaoValidar()->isEnabled());
}

TEST_F(Abertura, CabecalhoDoArquivoERecentes) {
    const QString caminho = exemplo(QStringLiteral("bom.txt"));
    abre(caminho);
    const ArquivoAberto& e = sessao.arquivos[0];
    ASSERT_TRUE(e.mensagem.isEmpty()) << e.mensagem.toStdString();
    const auto valor = [&](const char* nome) {
        return validar->findChild<QLabel*>(QString::fromLatin1(nome))->text();
    };
    EXPECT_EQ(valor("Label_R10_CGC"), QStringLiteral("86.024.835/0001-05"));
    EXPECT_EQ(valor("Label_R10_RazaoSocial"), QStringLiteral("EMPRESA DE EXEMPLO LTDA"));
    EXPECT_EQ(valor("Label_R10_UF"), QStringLiteral("SP"));
    EXPECT_EQ(valor("Label_R10_InicioPeriodo"), QStringLiteral("01/05/2023"));
    EXPECT_EQ(valor("Label_R10_FimPeriodo"), QStringLiteral("31/05/2023"));
    EXPECT_EQ(valor("Label_R10_IdentConvenio"), Msg("3 - Convênio ICMS 76/03 e 20/04"));
    EXPECT_EQ(valor("Label_R10_NaturezaOps"), Msg("3 - Totalidade das operações do informante"));
    EXPECT_EQ(valor("Label_R10_Finalidade"), QStringLiteral("1 - Normal"));
    EXPECT_EQ(e.contato, QStringLiteral("CONTATO DE EXEMPLO"));
    EXPECT_EQ(e.telefone, QStringLiteral("001133334444"));
    EXPECT_EQ(e.logradouro, QStringLiteral("RUA DAS FLORES"));
    EXPECT_EQ(e.numero, QStringLiteral("00123"));
    EXPECT_EQ(validar->labelResultadoValidacao()->text(), Msg("Arquivo ainda não validado!"));
    EXPECT_FALSE(validar->botaoCarregar()->isEnabled());
    EXPECT_EQ(sessao.arquivosRecentes.stringList().value(0), caminho);
    EXPECT_EQ(validar->comboArquivo()->currentText(), caminho);

    // Código fora das tabelas aparece como veio.
    ArquivoAberto outro = e;
    outro.linhaRegistro10[125] = QLatin1Char('7');
    ObtemCamposRegistroKorventa(outro);
    EXPECT_EQ(outro.finalidade, QStringLiteral("7"));

    // Enter no combo abre o que estiver escrito nele.
    validar->comboArquivo()->setEditText(pasta.filePath(QStringLiteral("bom.txt")));
    validar->ComboArquivo_Change();
    EXPECT_TRUE(sessao.arquivos[0].caminho.isEmpty());
    QTest::keyClick(validar->comboArquivo()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(sessao.arquivos[0].caminho, caminho);
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());

    // Editar o combo fecha o arquivo e apaga os arquivos de trabalho.
    grava(QStringLiteral("Criticas.tmp. 0"), "x");
    grava(QStringLiteral("CriticasPos.SP. 0"), "x");
    grava(QStringLiteral("Totais.CFOP. 0"), "x");
    validar->comboArquivo()->setEditText(QStringLiteral("/outro"));
    validar->ComboArquivo_Change();
    EXPECT_FALSE(QFile::exists(pasta.filePath(QStringLiteral("Criticas.tmp. 0"))));
    EXPECT_FALSE(QFile::exists(pasta.filePath(QStringLiteral("CriticasPos.SP. 0"))));
    EXPECT_FALSE(QFile::exists(pasta.filePath(QStringLiteral("Totais.CFOP. 0"))));
    EXPECT_TRUE(sessao.arquivos[0].caminho.isEmpty());
    EXPECT_TRUE(validar->botaoCarregar()->isEnabled());
    EXPECT_EQ(validar->labelResultadoValidacao()->text(), QStringLiteral("Nenhum arquivo aberto!"));
}

TEST_F(Abertura, VariosArquivosComUmRecusado) {
    const QString a = exemplo(QStringLiteral("a.txt"));
    auto linhas = Linhas(textoExemplo());
    linhas[0] = linhas[0].left(125) + "\r";
    const QString ruim = grava(QStringLiteral("ruim.txt"), Junta(linhas));
    kelvor::exemplo::Opcoes gaucho;
    gaucho.semente = 2;
    gaucho.uf = "RS";
    const QString b = exemplo(QStringLiteral("b.txt"), gaucho);
    abreVarios({a, ruim, b});

    ASSERT_EQ(sessao.arquivos.size(), 3);
    for (const ArquivoAberto& e : sessao.arquivos)
        EXPECT_EQ(e.resultado, ResultadoNaoValidadoLote);
    QTreeWidget* lista = validar->listaArquivosAbertos();
    ASSERT_EQ(lista->topLevelItemCount(), 3);
    EXPECT_EQ(lista->topLevelItem(1)->text(0), QStringLiteral("ruim.txt"));
    EXPECT_EQ(lista->topLevelItem(1)->text(2), Msg("Arquivo inválido!"));
    EXPECT_EQ(lista->topLevelItem(1)->foreground(2).color(), QColor(Qt::red));
    EXPECT_TRUE(lista->topLevelItem(1)->text(1).isEmpty());
    EXPECT_EQ(lista->topLevelItem(2)->text(1), QStringLiteral("RS"));
    EXPECT_EQ(lista->topLevelItem(0)->text(3), Msg("01/05/2023 até 31/05/2023"));
    EXPECT_EQ(lista->topLevelItem(0)->text(4), QStringLiteral("1 - Normal"));
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());
    EXPECT_EQ(validar->botaoValidar()->text().remove(QLatin1Char('&')),
              QStringLiteral("Validar Todos"));
    EXPECT_TRUE(sessao.arquivosRecentes.stringList().isEmpty());
    EXPECT_EQ(sessao.cfg.pathConvenio, pasta.path());
    EXPECT_TRUE(plataforma.dialogos().first().varios);

    // Informações: só o recusado tem o que mostrar enquanto o diálogo não existe.
    QPushButton* info = validar->botaoValidarInfo();
    EXPECT_TRUE(info->isVisibleTo(validar.get()));
    lista->setCurrentItem(lista->topLevelItem(0));
    EXPECT_FALSE(info->isEnabled());
    lista->setCurrentItem(lista->topLevelItem(1));
    EXPECT_TRUE(info->isEnabled());
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidarInfo_Click();
    EXPECT_EQ(plataforma.caixas().last().texto,
              Msg("O tamanho do registro da primeira linha é inválido: 125!"));
}

TEST_F(Abertura, ArquivoTrocadoOuApagadoDepoisDeAberto) {
    const QString caminho = exemplo(QStringLiteral("bom.txt"));
    abre(caminho);
    EXPECT_TRUE(VerificaDataHoraArquivo(sessao, 0, true));

    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(" ");
    f.close();
    EXPECT_FALSE(VerificaDataHoraArquivo(sessao, 0, false));
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(VerificaDataHoraArquivo(sessao, 0, true));
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("O arquivo foi trocado! Abra novamente."));

    ASSERT_TRUE(QFile::remove(caminho));
    plataforma.respondeMensagem(Resposta::Ok);
    EXPECT_FALSE(VerificaDataHoraArquivo(sessao, 0, false));
    EXPECT_EQ(plataforma.caixas().last().texto,
              Msg("Erro15 2: Arquivo não encontrado\r fonte: ValidadorKorventa2017"));
}

TEST_F(Abertura, EnterNoComboComOutroArquivoNaListaDeixaOArquivoAberto) {
    // O usuário digita, com a página à vista e o foco no combo; o Enter abre o arquivo e o foco
    // vai para o Validar sem que o combo "escolha" de novo o que acabou de entrar na lista.
    const QString a = exemplo(QStringLiteral("a.txt"));
    const QString b = exemplo(QStringLiteral("b.txt"), {});
    validar->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(validar.get()));
    // As teclas vão para o combo, que tem o foco, como no programa (a edição é interna a ele).
    QComboBox* combo = validar->comboArquivo();
    const auto digitaEEnter = [&](const QString& texto) {
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(combo, texto);
        QTest::keyClick(combo, Qt::Key_Return);
    };
    digitaEEnter(a);
    ASSERT_EQ(sessao.arquivos[0].caminho, a);
    digitaEEnter(b);
    EXPECT_EQ(sessao.arquivos[0].caminho, b);
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());
    EXPECT_TRUE(validar->frameRegistro10()->isVisible());
    EXPECT_EQ(validar->comboArquivo()->currentText(), b);

    // Outra caixa é outro arquivo: o combo não troca o texto digitado pelo da lista.
    QString maiusculas = a;
    maiusculas.replace(QStringLiteral("a.txt"), QStringLiteral("A.TXT"));
    plataforma.respondeMensagem(Resposta::Ok);
    digitaEEnter(maiusculas);
    EXPECT_EQ(sessao.arquivos[0].caminho, maiusculas);
    EXPECT_FALSE(sessao.arquivos[0].mensagem.isEmpty());
}

TEST_F(Abertura, MarcacaoNoCabecalhoENoNomeApareceComoTexto) {
    // Texto do arquivo e do caminho nunca vira HTML: cada campo do registro 10 com marcação, num
    // arquivo cujo nome também tem marcação.
    auto linhas = Linhas(textoExemplo());
    QByteArray r10 = linhas[0];
    r10 = Troca(r10, 17, "<i>IE</i>     ");
    r10 = Troca(r10, 31, "<h1>BIG</h1><font color=red>x      ");
    r10 = Troca(r10, 66, "<b>Cidade</b>&amp;          ");
    r10 = Troca(r10, 96, "<b");
    r10 = Troca(r10, 98, "<u>1</u>  ");
    r10 = Troca(r10, 108, "<s>1</s>");
    r10 = Troca(r10, 116, "2023<br>");
    r10 = Troca(r10, 124, "<>&");
    linhas[0] = r10;
    const QString caminho = grava(QStringLiteral("<b>x<i>y.txt"), Junta(linhas));
    abre(caminho);
    ASSERT_TRUE(sessao.arquivos[0].mensagem.isEmpty()) << sessao.arquivos[0].mensagem.toStdString();

    const QStringList esperados{FormataCNPJ(sessao.arquivos[0].cnpj),
                                QStringLiteral("<i>IE</i>     "),
                                QStringLiteral("<h1>BIG</h1><font color=red>x"),
                                QStringLiteral("<b>Cidade</b>&amp;"),
                                QStringLiteral("<b"),
                                QStringLiteral("<u>1</u>"),
                                sessao.arquivos[0].dataInicial,
                                sessao.arquivos[0].dataFinal,
                                QStringLiteral("<"),
                                QStringLiteral(">"),
                                QStringLiteral("&")};
    const char* nomes[] = {
        "Label_R10_CGC",           "Label_R10_Inscricao",  "Label_R10_RazaoSocial",
        "Label_R10_Municipio",     "Label_R10_UF",         "Label_R10_FAX",
        "Label_R10_InicioPeriodo", "Label_R10_FimPeriodo", "Label_R10_IdentConvenio",
        "Label_R10_NaturezaOps",   "Label_R10_Finalidade"};
    EXPECT_TRUE(sessao.arquivos[0].dataInicial.contains(QLatin1Char('<')));
    for (int i = 0; i < 11; ++i) {
        auto* l = validar->findChild<QLabel*>(QLatin1String(nomes[i]));
        ASSERT_NE(l, nullptr) << nomes[i];
        EXPECT_EQ(l->text(), esperados[i]) << nomes[i];
        EXPECT_EQ(l->textFormat(), Qt::PlainText) << nomes[i];
    }
    // O valor diz a sua legenda ao leitor de tela.
    QAccessibleInterface* razao = QAccessible::queryAccessibleInterface(
        validar->findChild<QLabel*>(QStringLiteral("Label_R10_RazaoSocial")));
    ASSERT_NE(razao, nullptr);
    EXPECT_EQ(razao->text(QAccessible::Name), Msg("Razão social: <h1>BIG</h1><font color=red>x"));
}

TEST_F(Abertura, QualquerMudancaDoTextoDoComboFechaOArquivo) {
    // Digitado, colado, posto pelo leitor de tela ou escolhido: o arquivo aberto é fechado.
    const QString a = exemplo(QStringLiteral("a.txt"));
    const QString b = exemplo(QStringLiteral("b.txt"));
    abre(b);
    abre(a); // "b" fica na lista de recentes
    QComboBox* combo = validar->comboArquivo();
    const auto aberto = [&] { return !sessao.arquivos[0].caminho.isEmpty(); };
    ASSERT_TRUE(aberto());
    ASSERT_TRUE(validar->botaoValidar()->isEnabled());

    QAccessibleInterface* edicao = QAccessible::queryAccessibleInterface(combo->lineEdit());
    ASSERT_NE(edicao, nullptr);
    edicao->setText(QAccessible::Value, b);
    EXPECT_FALSE(aberto());
    EXPECT_FALSE(validar->botaoValidar()->isEnabled());
    EXPECT_TRUE(validar->botaoCarregar()->isEnabled());

    validar->BotaoCarregar_Click();
    ASSERT_TRUE(aberto());
    combo->lineEdit()->insert(QStringLiteral("x")); // como colar
    EXPECT_FALSE(aberto());

    abre(a);
    ASSERT_TRUE(aberto());
    combo->setCurrentIndex(combo->findText(b)); // outra linha da lista
    EXPECT_FALSE(aberto());

    // Apagar tudo fecha e deixa "Abrir" sem o que abrir.
    abre(a);
    combo->lineEdit()->clear();
    EXPECT_FALSE(aberto());
    EXPECT_FALSE(validar->botaoCarregar()->isEnabled());
}
