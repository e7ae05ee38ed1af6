// Validação pelo motor de verdade: um arquivo aceito, rejeitado, sem totais por CFOP, trocado
// em disco; vários arquivos com um recusado, cancelamento no primeiro e reaproveitamento.
#include "Ambiente.h"

#include "common/Formatos.h"
#include "validation/ArquivosTrabalho.h"
#include "validation/BotaoComAcao.h"
#include "validation/DlgProgressoValidacao.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <zlib.h>

using namespace korventa;
using namespace korventa::testes;

namespace {

QString Msg(const char* texto) {
    return QString::fromUtf8(texto);
}

kelvor::exemplo::Opcoes Exemplo(std::uint64_t registros, std::uint64_t semente = 1,
                                const char* uf = "SP") {
    kelvor::exemplo::Opcoes o;
    o.registros = registros;
    o.semente = semente;
    o.uf = uf;
    return o;
}

kelvor::exemplo::Opcoes ComFalha(kelvor::exemplo::Falha f) {
    kelvor::exemplo::Opcoes o;
    o.falhas = {f};
    return o;
}

DlgProgressoValidacao* DialogoVisivel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<DlgProgressoValidacao*>(w); d && d->isVisible()) return d;
    return nullptr;
}

// Aperta Cancelar no diálogo de progresso assim que ele mostrar o arquivo dado, conferindo no
// caminho o que o usuário vê durante a execução (e o que `durante` conferir).
void CancelaNoArquivo(const QString& nome, bool* viuProgresso,
                      const std::function<void()>& durante = {}) {
    QTimer::singleShot(0, [nome, viuProgresso, durante] {
        DlgProgressoValidacao* d = DialogoVisivel();
        auto* arquivo = d ? d->findChild<QLabel*>(QStringLiteral("LabelNomeArquivo")) : nullptr;
        if (!arquivo || arquivo->text() != nome) {
            CancelaNoArquivo(nome, viuProgresso, durante);
            return;
        }
        if (durante) durante();
        EXPECT_EQ(d->windowTitle(), Msg("Validação do arquivo KORVENTA..."));
        d->close(); // recusado enquanto o motor trabalha
        EXPECT_TRUE(d->isVisible());
        d->consultaMotor();
        // Sem o total enquanto o motor conta as linhas.
        const QRegularExpression registros(QStringLiteral("^ \\d+( de \\d+)?$"));
        EXPECT_TRUE(registros.match(d->findChild<QLabel*>(QStringLiteral("LabelRegistros"))->text())
                        .hasMatch());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^ \\d+%$"))
                        .match(d->findChild<QLabel*>(QStringLiteral("LabelProgresso"))->text())
                        .hasMatch());
        *viuProgresso = true;
        // Cancela ao apertar, sem soltar o botão.
        QTest::mousePress(d->findChild<QPushButton*>(QStringLiteral("CancelButton")),
                          Qt::LeftButton);
        EXPECT_TRUE(d->cancelado());
    });
}

} // namespace

class Validacao : public AmbienteValidacao {
protected:
    Validacao() {
        sessao.avisoCriticas = [this](const QString& t) { avisos.push_back(t); };
        sessao.preencheArquivosCriticas = [this] { ++preencheuCriticas; };
    }
    QString celula(int r, int c) { return resumo->gradeTotalizadores()->item(r, c)->text(); }
    QString texto(int linha, int coluna) {
        return resumoArquivos->lista()->topLevelItem(linha)->text(coluna);
    }

    QStringList avisos;
    int preencheuCriticas = 0;
    const QDateTime relogio{QDate(2024, 3, 5), QTime(14, 30, 5)};
};

TEST_F(Validacao, ArquivoAceitoVaiParaOResumo) {
    kelvor::exemplo::Resumo gerado;
    std::string erro;
    const QString caminho = pasta.filePath(QStringLiteral("bom.txt"));
    ASSERT_TRUE(kelvor::exemplo::geraArquivo(Exemplo(2000), caminho.toStdString(), gerado, erro));
    abre(caminho);
    plataforma.defineAgora(relogio);
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();

    EXPECT_EQ(plataforma.caixas().last().texto, Msg("Validação concluída em 0 seg."));
    EXPECT_EQ(plataforma.caixas().last().icone, Icone::Informacao);
    const ArquivoAberto& e = sessao.arquivos[0];
    EXPECT_EQ(e.resultado, ResultadoAceito);
    EXPECT_EQ(e.erros + e.advertencias, 0);
    EXPECT_EQ(e.versaoValidador, QStringLiteral("5.4.0"));

    // CRC do arquivo e protocolo: CRC-32 do CNPJ com o início da validação, em dez dígitos.
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const auto crcDe = [](const QByteArray& b) {
        return static_cast<qulonglong>(
            crc32(0, reinterpret_cast<const Bytef*>(b.constData()), static_cast<uInt>(b.size())));
    };
    EXPECT_EQ(e.crcArquivo,
              QStringLiteral("%1").arg(crcDe(bytes), 8, 16, QLatin1Char('0')).toUpper());
    EXPECT_EQ(e.protocolo, QStringLiteral("%1").arg(crcDe("86024835000105"
                                                          "05032024143005"),
                                                    10, 10, QLatin1Char('0')));

    // Arquivos de trabalho da entrada 0 com o branco antes do índice.
    EXPECT_TRUE(QFile::exists(pasta.filePath(QStringLiteral("Criticas.tmp. 0"))));
    EXPECT_TRUE(QFile::exists(pasta.filePath(QStringLiteral("Totais.CFOP. 0"))));
    ASSERT_FALSE(e.totaisCFOP.isEmpty());
    EXPECT_TRUE(e.totaisCFOP.first().startsWith(QStringLiteral("50")));
    EXPECT_EQ(e.tamanhoTotaisCFOP, QFileInfo(CaminhoTotaisCFOP(sessao, 0)).size());
    EXPECT_TRUE(e.totaisRegistro[0].startsWith(QStringLiteral("50E:")));
    EXPECT_TRUE(e.totaisRegistro[12].isEmpty());

    // Grade: registro 10 aceito e o total de linhas com ponto de milhar.
    ASSERT_GT(gerado.linhas, 1000);
    EXPECT_EQ(celula(0, 1), QStringLiteral("1"));
    EXPECT_EQ(celula(0, 4), QStringLiteral("1"));
    EXPECT_EQ(celula(21, 4), FormataMilhar(static_cast<std::int32_t>(gerado.linhas)));
    EXPECT_TRUE(celula(21, 4).contains(QLatin1Char('.')));
    EXPECT_TRUE(resumo->gradeTotalizadores()->isVisibleTo(resumo.get()));

    EXPECT_EQ(abasPedidas, QVector<int>{3});
    EXPECT_EQ(validar->labelResultadoValidacao()->text(), QStringLiteral("ARQUIVO ACEITO"));
    EXPECT_EQ(avisos.last(), Msg("Nenhum erro ou advertência encontrado."));
    EXPECT_FALSE(validar->botaoValidar()->isEnabled());
    EXPECT_TRUE(validar->isEnabled());
    EXPECT_FALSE(sessao.validando);
    EXPECT_TRUE(sessao.listaCriticasDesatualizada);
    EXPECT_EQ(preencheuCriticas, 1);
    EXPECT_TRUE(resumo->opcao(0)->isChecked());
    EXPECT_TRUE(resumo->opcao(3)->isEnabled());
    // Gerar mídia pode, mas a ação ainda não está ligada.
    EXPECT_TRUE(resumo->botaoGerarMidia()->permitido());
    EXPECT_FALSE(resumo->botaoGerarMidia()->isEnabled());
}

TEST_F(Validacao, RejeitadoEGauchoMudamAVista) {
    abre(exemplo(QStringLiteral("ruim.txt"), ComFalha(kelvor::exemplo::Falha::Cfop)));
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    const ArquivoAberto& e = sessao.arquivos[0];
    EXPECT_EQ(e.resultado, ResultadoRejeitado);
    EXPECT_EQ(validar->labelResultadoValidacao()->text(), QStringLiteral("ARQUIVO REJEITADO"));
    EXPECT_TRUE(e.totaisCFOP.isEmpty());
    EXPECT_TRUE(e.totaisRegistro[0].isEmpty());
    EXPECT_TRUE(sessao.temCriticas);
    EXPECT_TRUE(avisos.last().isEmpty());
    EXPECT_TRUE(resumo->opcao(0)->isEnabled());
    EXPECT_FALSE(resumo->opcao(1)->isEnabled());
    EXPECT_FALSE(resumo->botaoGerarMidia()->permitido());
    EXPECT_TRUE(resumo->gradeTotalizadores()->isVisibleTo(resumo.get()));

    abre(exemplo(QStringLiteral("rs.txt"), Exemplo(500, 3, "RS")));
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceito);
    EXPECT_EQ(resumo->visaoAtual(), PaginaResumo::VisaoCFOP);
    EXPECT_TRUE(resumo->opcao(2)->isChecked());
}

TEST_F(Validacao, ArquivoDeTotaisPorCFOPVazioGanhaUmBranco) {
    // Só os registros 10, 11 e 90: aceito, sem nada que some por CFOP.
    const QList<QByteArray> linhas = textoExemplo().split('\n');
    QByteArray r90 = "90" + linhas[0].mid(2, 28) + "99" + QByteArray("00000003");
    r90 = r90.leftJustified(125, ' ') + "1";
    abre(grava(QStringLiteral("so90.txt"), linhas[0] + "\n" + linhas[1] + "\n" + r90 + "\r\n"));
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    const ArquivoAberto& e = sessao.arquivos[0];
    ASSERT_EQ(e.resultado, ResultadoAceito);
    EXPECT_EQ(e.totaisCFOP, QStringList{QString()});
    EXPECT_EQ(e.tamanhoTotaisCFOP, 1);
    QFile f(CaminhoTotaisCFOP(sessao, 0));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(" "));
}

TEST_F(Validacao, ArquivoTrocadoNaoEValidado) {
    const QString caminho = exemplo(QStringLiteral("bom.txt"));
    abre(caminho);
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("\r\n");
    f.close();
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas().first().texto, Msg("O arquivo foi trocado! Abra novamente."));
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoNaoIniciado);
    EXPECT_FALSE(sessao.arquivos[0].inicioValidacao.isValid());
    EXPECT_TRUE(abasPedidas.isEmpty());
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());
    EXPECT_FALSE(QFile::exists(CaminhoCriticas(sessao, 0)));
}

TEST_F(Validacao, VariosArquivosComUmRecusadoNaAbertura) {
    const QString a = exemplo(QStringLiteral("a.txt"));
    const QString ruim = grava(QStringLiteral("ruim.txt"), "10 curto\r\n11 curto\r\n");
    const QString b = exemplo(QStringLiteral("b.txt"), ComFalha(kelvor::exemplo::Falha::Cfop));
    abreVarios({a, ruim, b});
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();

    EXPECT_EQ(plataforma.caixas().last().texto.left(23), Msg("Validação concluída em "));
    EXPECT_EQ(abasPedidas, QVector<int>{3});
    QTreeWidget* lista = resumoArquivos->lista();
    ASSERT_EQ(lista->topLevelItemCount(), 2); // o recusado não entra
    EXPECT_EQ(PaginaResumoArquivos::entradaDaLinha(lista->topLevelItem(1)), 2);
    EXPECT_EQ(texto(0, 1), QStringLiteral("Aceito"));
    EXPECT_EQ(texto(0, 2), Msg("não gerado."));
    // Escrito com a página parada, o texto não guarda a cor de desabilitado.
    EXPECT_FALSE(lista->topLevelItem(0)->data(1, Qt::ForegroundRole).isValid());
    EXPECT_EQ(texto(1, 1), QStringLiteral("Rejeitado"));
    EXPECT_EQ(lista->topLevelItem(1)->foreground(1).color(), QColor(Qt::red));
    EXPECT_EQ(texto(1, 2), QStringLiteral(" "));
    EXPECT_EQ(sessao.arquivos[1].resultado, ResultadoNaoValidadoLote);
    EXPECT_TRUE(QFile::exists(pasta.filePath(QStringLiteral("Criticas.tmp. 2"))));
    EXPECT_TRUE(resumoArquivos->botaoGerarMidias()->permitido());
    EXPECT_FALSE(validar->botaoValidar()->isEnabled());
    EXPECT_TRUE(avisos.last().isEmpty());
}

TEST_F(Validacao, CancelarNoPrimeiroArquivoDeVariosMarcaTodos) {
    const QString grande = exemplo(QStringLiteral("grande.txt"), Exemplo(300000));
    const QString a = exemplo(QStringLiteral("a.txt"));
    const QString b = exemplo(QStringLiteral("b.txt"), Exemplo(1000, 2));
    abreVarios({grande, a, b});
    bool viuProgresso = false;
    // Com vários arquivos a página à vista durante a execução é o Resumo: é ela que fica parada.
    CancelaNoArquivo(QStringLiteral("grande.txt"), &viuProgresso,
                     [this] { EXPECT_FALSE(resumoArquivos->isEnabled()); });
    validar->BotaoValidar_Click(); // sem caixa de conclusão (nenhuma roteirizada)

    EXPECT_TRUE(viuProgresso);
    EXPECT_TRUE(resumoArquivos->isEnabled());
    ASSERT_EQ(resumoArquivos->lista()->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texto(i, 1), Msg("Validação cancelada.")) << i;
        EXPECT_EQ(resumoArquivos->lista()->topLevelItem(i)->foreground(1).color(), QColor(Qt::red));
        EXPECT_EQ(sessao.arquivos[i].resultado, ResultadoNaoIniciado);
    }
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());
    EXPECT_EQ(DialogoVisivel(), nullptr);
    EXPECT_FALSE(sessao.validando);

    // Apertar de novo valida os que ficaram cancelados.
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(texto(i, 1), QStringLiteral("Aceito")) << i;
    EXPECT_FALSE(validar->botaoValidar()->isEnabled());
}

TEST_F(Validacao, SegundaVezReaproveitaOsJaValidados) {
    const QString a = exemplo(QStringLiteral("a.txt"));
    const QString grande = exemplo(QStringLiteral("grande.txt"), Exemplo(300000, 5));
    abreVarios({a, grande});
    plataforma.defineAgora(relogio);
    bool viuProgresso = false;
    CancelaNoArquivo(QStringLiteral("grande.txt"), &viuProgresso);
    validar->BotaoValidar_Click();
    EXPECT_EQ(texto(0, 1), QStringLiteral("Aceito"));
    EXPECT_EQ(texto(1, 1), Msg("Validação cancelada."));
    EXPECT_TRUE(resumoArquivos->botaoGerarMidias()->permitido());
    const QString protocolo = sessao.arquivos[0].protocolo;

    plataforma.defineAgora(relogio.addSecs(3725));
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    EXPECT_EQ(sessao.arquivos[0].inicioValidacao, relogio); // não rodou de novo
    EXPECT_EQ(sessao.arquivos[0].protocolo, protocolo);
    EXPECT_EQ(sessao.arquivos[1].resultado, ResultadoAceito);
    EXPECT_EQ(texto(1, 1), QStringLiteral("Aceito"));
    EXPECT_EQ(plataforma.caixas().last().texto, Msg("Validação concluída em 0 seg."));
}

TEST_F(Validacao, ArquivoUnicoCanceladoFicaNaPaginaValidar) {
    abre(exemplo(QStringLiteral("grande.txt"), Exemplo(300000, 9)));
    bool viuProgresso = false;
    CancelaNoArquivo(QStringLiteral("grande.txt"), &viuProgresso,
                     [this] { EXPECT_FALSE(validar->isEnabled()); });
    validar->BotaoValidar_Click(); // sem caixa de conclusão
    EXPECT_TRUE(viuProgresso);
    EXPECT_TRUE(validar->isEnabled());
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoNaoIniciado);
    EXPECT_TRUE(abasPedidas.isEmpty());
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());
    EXPECT_FALSE(resumo->opcao(0)->isEnabled());
    EXPECT_EQ(sessao.arquivos[0].protocolo.size(), 10);
}

TEST_F(Validacao, EscNoDialogoCancelaSemFecharAntesDoFim) {
    abre(exemplo(QStringLiteral("grande.txt"), Exemplo(300000, 11)));
    bool apertou = false;
    std::function<void()> esc = [&] {
        DlgProgressoValidacao* d = DialogoVisivel();
        if (!d || d->estado() != DlgProgressoValidacao::EmAndamento) {
            QTimer::singleShot(0, esc);
            return;
        }
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_TRUE(d->cancelado());
        EXPECT_TRUE(d->isVisible()); // some só quando o motor para
        apertou = true;
    };
    QTimer::singleShot(0, esc);
    validar->BotaoValidar_Click(); // cancelado: sem caixa de conclusão
    EXPECT_TRUE(apertou);
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoNaoIniciado);
    EXPECT_EQ(DialogoVisivel(), nullptr);
}

TEST_F(Validacao, CancelarDepoisQueOMotorTerminouOPrimeiroDeixaValidarOsOutros) {
    // Com arquivos pequenos o motor quase sempre termina antes da consulta seguinte do diálogo:
    // o Cancelar chega com o primeiro já aceito e só os seguintes ficam cancelados.
    const QString a = exemplo(QStringLiteral("a.txt"));
    const QString b = exemplo(QStringLiteral("b.txt"), Exemplo(1000, 2));
    const QString c = exemplo(QStringLiteral("c.txt"), Exemplo(1000, 3));
    abreVarios({a, b, c});
    bool apertou = false;
    std::function<void()> cancelaDepoisDoFim = [&] {
        DlgProgressoValidacao* d = DialogoVisivel();
        auto* nome = d ? d->findChild<QLabel*>(QStringLiteral("LabelNomeArquivo")) : nullptr;
        if (!nome || nome->text() != QStringLiteral("a.txt")) {
            QTimer::singleShot(0, cancelaDepoisDoFim);
            return;
        }
        for (int i = 0; i < 2000 && d->estado() == DlgProgressoValidacao::EmAndamento; ++i) {
            d->consultaMotor();
            QThread::msleep(1);
        }
        ASSERT_NE(d->estado(), DlgProgressoValidacao::EmAndamento);
        QTest::mousePress(d->findChild<QPushButton*>(QStringLiteral("CancelButton")),
                          Qt::LeftButton);
        apertou = true;
    };
    QTimer::singleShot(0, cancelaDepoisDoFim);
    validar->BotaoValidar_Click(); // cancelado: sem caixa de conclusão (nenhuma roteirizada)

    ASSERT_TRUE(apertou);
    EXPECT_EQ(texto(0, 1), QStringLiteral("Aceito"));
    EXPECT_EQ(texto(1, 1), Msg("Validação cancelada."));
    EXPECT_EQ(texto(2, 1), Msg("Validação cancelada."));
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());

    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    EXPECT_EQ(plataforma.caixas().last().texto.left(23), Msg("Validação concluída em "));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(texto(i, 1), QStringLiteral("Aceito")) << i;
    EXPECT_FALSE(validar->botaoValidar()->isEnabled());
}

TEST_F(Validacao, FalhaDoMotorNoMeioMostraOMotivoENaoECancelamento) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "sem /dev/full";
    // O relatório de críticas num disco cheio: o motor lê o arquivo inteiro e falha ao gravar.
    abre(exemplo(QStringLiteral("bom.txt")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), CaminhoCriticas(sessao, 0)));
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();

    ASSERT_EQ(plataforma.caixas().size(), 1);
    const CaixaMostrada& caixa = plataforma.caixas().first();
    EXPECT_EQ(caixa.icone, Icone::Critico);
    const QStringList linhas = caixa.texto.split(QLatin1Char('\r'));
    ASSERT_EQ(linhas.size(), 2);
    EXPECT_EQ(linhas[0], Msg("A validação do arquivo bom.txt não foi concluída."));
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("Erro gravando o arquivo ")))
        << linhas[1].toStdString();
    // A entrada fica não validada e sem nada parcial: nem contagens nem relatório.
    const ArquivoAberto& e = sessao.arquivos[0];
    EXPECT_EQ(e.resultado, ResultadoNaoIniciado);
    EXPECT_EQ(e.erros + e.advertencias, 0);
    EXPECT_FALSE(QFileInfo::exists(CaminhoCriticas(sessao, 0)));
    EXPECT_TRUE(abasPedidas.isEmpty());
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());
    EXPECT_EQ(validar->labelResultadoValidacao()->text(), Msg("Arquivo ainda não validado!"));

    // Com o disco de volta, a mesma entrada é validada.
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceito);
    EXPECT_EQ(plataforma.caixas().last().texto, Msg("Validação concluída em 0 seg."));
}

TEST_F(Validacao, FalhaDeUmArquivoDoLoteNaoCancelaOsOutros) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "sem /dev/full";
    const QString a = exemplo(QStringLiteral("a.txt"));
    const QString b = exemplo(QStringLiteral("b.txt"), Exemplo(1000, 2));
    const QString c = exemplo(QStringLiteral("c.txt"), Exemplo(1000, 3));
    abreVarios({a, b, c});
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), CaminhoCriticas(sessao, 1)));
    plataforma.respondeMensagem(Resposta::Ok); // motivo da falha de b.txt
    plataforma.respondeMensagem(Resposta::Ok); // conclusão
    validar->BotaoValidar_Click();

    ASSERT_EQ(plataforma.caixas().size(), 2);
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Critico);
    EXPECT_TRUE(plataforma.caixas()[0].texto.startsWith(
        Msg("A validação do arquivo b.txt não foi concluída.\r")));
    EXPECT_EQ(texto(0, 1), QStringLiteral("Aceito"));
    EXPECT_EQ(texto(1, 1), Msg("Validação não concluída."));
    EXPECT_EQ(texto(2, 1), QStringLiteral("Aceito"));
    EXPECT_EQ(sessao.arquivos[1].resultado, ResultadoNaoIniciado);
    EXPECT_TRUE(validar->botaoValidar()->isEnabled());

    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    EXPECT_EQ(texto(1, 1), QStringLiteral("Aceito"));
    EXPECT_FALSE(validar->botaoValidar()->isEnabled());
}
