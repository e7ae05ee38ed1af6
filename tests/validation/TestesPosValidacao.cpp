// Verificações estaduais depois do motor, pelo botão Validar com as bibliotecas de verdade: a PB
// (aceito, com advertências, rejeitado com os achados para a lista), o portão, os nomes dos
// arquivos de resultado, os registros 88 de MS na versão de teste e as falhas das bibliotecas.
#include "Ambiente.h"

#include "critiques/RelatorioCriticas.h"
#include "engine/Bibliotecas.h"
#include "validation/ArquivosTrabalho.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTreeWidget>
#include <unistd.h>

using namespace korventa;
using namespace korventa::testes;
namespace ex = kelvor::exemplo;

namespace {

QString Msg(const char* texto) {
    return QString::fromUtf8(texto);
}

ex::Opcoes Exemplo(const char* uf) {
    ex::Opcoes o;
    o.uf = uf;
    o.registros = 1200;
    return o;
}

ex::Opcoes SemItens(const char* uf = "PB") {
    ex::Opcoes o = Exemplo(uf);
    o.notaSemItens = true;
    return o;
}

ex::Opcoes Com88(std::int64_t total, std::int64_t outroCnpj, std::int64_t subtipo) {
    ex::Opcoes o = Exemplo("MS");
    o.registros88 = total;
    o.registros88OutroCnpj = outroCnpj;
    o.registros88SubtipoInvalido = subtipo;
    return o;
}

// O log do motor numa pasta do teste, para conferir as linhas que a validação deixa.
class LogDoTeste {
public:
    explicit LogDoTeste(const QString& pasta) : antes_(qgetenv("TMPDIR")), pasta_(pasta) {
        qputenv("TMPDIR", QFile::encodeName(pasta));
        if (auto* ligar = KORVENTA_FUNCAO("Kelvor", LigarLog)) ligar("Korventa", 4);
    }
    ~LogDoTeste() {
        if (auto* ligar = KORVENTA_FUNCAO("Kelvor", LigarLog)) ligar("Korventa", 0);
        qputenv("TMPDIR", antes_);
    }
    QStringList linhas() const {
        QFile f(QDir(pasta_).filePath(QStringLiteral("Korventa.log")));
        QStringList l;
        if (!f.open(QIODevice::ReadOnly)) return l;
        for (const QByteArray& x : f.readAll().split('\n'))
            if (const qsizetype fim = x.indexOf("] "); fim >= 0)
                l << QString::fromLatin1(x.mid(fim + 2)).trimmed();
        return l;
    }

private:
    QByteArray antes_;
    QString pasta_;
};

} // namespace

const QString R88 = QStringLiteral("Registro 88");
const QString Total = QStringLiteral("Total");

class PosValidacao : public AmbienteValidacao {
protected:
    // Texto do gerador com o código da natureza (posição 125 do registro 10) trocado.
    QString comNatureza(const QString& nome, ex::Opcoes o, char natureza) {
        QByteArray t = textoExemplo(o);
        t[124] = natureza;
        return grava(nome, t);
    }
    void valida(const QString& caminho) {
        abre(caminho);
        plataforma.respondeMensagem(Resposta::Ok);
        validar->BotaoValidar_Click();
    }
    // Lote de três na versão de teste: SP sem verificação, MS com uma advertência nos 88 e PB
    // rejeitado pela verificação.
    void validaLote() {
        sessao.versao = {0, 9, 1};
        abreVarios({exemplo(QStringLiteral("a.txt"), Exemplo("SP")),
                    exemplo(QStringLiteral("b.txt"), Com88(4, 0, 1)),
                    exemplo(QStringLiteral("c.txt"), SemItens())});
        plataforma.respondeMensagem(Resposta::Ok);
        validar->BotaoValidar_Click();
    }
    // Célula da grade do Resumo na linha cujo rótulo (coluna 0) é o dado.
    QString celula(const QString& rotulo, int c) {
        QTableWidget* g = resumo->gradeTotalizadores();
        for (int r = 0; r < g->rowCount(); ++r)
            if (g->item(r, 0) && g->item(r, 0)->text() == rotulo && g->item(r, c))
                return g->item(r, c)->text();
        return QStringLiteral("<sem %1>").arg(rotulo);
    }
    QString programa(const QString& nome) const {
        return QDir(sessao.pastaPrograma).filePath(nome);
    }
    // Registros (sem o cabeçalho) de um relatório de críticas.
    static QList<QByteArray> registros(const QString& caminho) {
        QFile f(caminho);
        if (!f.open(QIODevice::ReadOnly)) return {};
        QList<QByteArray> l = f.readAll().split('\n');
        l.removeFirst();
        l.removeLast();
        return l;
    }
};

TEST_F(PosValidacao, PBAceitoAvisadoERejeitadoComOsAchadosParaALista) {
    LogDoTeste log(pasta.path());
    const QString resultado = programa(QStringLiteral("reexame.res"));

    valida(exemplo(QStringLiteral("pb.txt"), Exemplo("PB")));
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceito);
    EXPECT_TRUE(QFile::exists(resultado));
    EXPECT_FALSE(sessao.arquivos[0].temCriticasPB);

    ex::Opcoes icms = Exemplo("PB");
    icms.falhas = {ex::Falha::Icms};
    valida(exemplo(QStringLiteral("icms.txt"), icms));
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceitoComAdvertencias);
    EXPECT_EQ(sessao.arquivos[0].erros, 0);

    // A nota sem itens é só advertência para o motor; a PB rejeita, e o achado conta como erro
    // para que a lista de críticas o mostre.
    valida(exemplo(QStringLiteral("sem-itens.txt"), SemItens()));
    const ArquivoAberto& e = sessao.arquivos[0];
    EXPECT_EQ(e.resultado, ResultadoRejeitado);
    EXPECT_EQ(e.erros, 1);
    EXPECT_EQ(e.advertencias, 1);
    EXPECT_TRUE(e.temCriticasPB);
    EXPECT_EQ(validar->labelResultadoValidacao()->text(), QStringLiteral("ARQUIVO REJEITADO"));
    EXPECT_TRUE(e.totaisCFOP.isEmpty());
    const QList<QByteArray> achados = registros(resultado);
    ASSERT_EQ(achados.size(), 1);
    EXPECT_TRUE(achados[0].mid(87, 100).startsWith("Na PB, nota fiscal modelo 55"));

    const QStringList l = log.linhas();
    EXPECT_EQ(l.count(QStringLiteral("Executando pos-validacao de PB...")), 3);
    EXPECT_EQ(l.count(QStringLiteral("Pos-validacao de PB ok.")), 2);
    EXPECT_EQ(l.count(QStringLiteral("Erro na pos-validacao de PB.")), 1);

    // Fechar o arquivo apaga o resultado da PB, como os outros arquivos de trabalho.
    abre(exemplo(QStringLiteral("sp.txt"), Exemplo("SP")));
    EXPECT_FALSE(QFile::exists(resultado));
    EXPECT_FALSE(sessao.arquivos[0].temCriticasPB);
}

TEST_F(PosValidacao, SoATotalidadeDasOperacoesNaoRejeitadaPassaPeloPortao) {
    for (char natureza : {'1', '2'}) {
        valida(comNatureza(QStringLiteral("nat.txt"), SemItens(), natureza));
        EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceitoComAdvertencias) << natureza;
        EXPECT_FALSE(QFile::exists(programa(QStringLiteral("reexame.res")))) << natureza;
    }
    ex::Opcoes rejeitado = SemItens();
    rejeitado.falhas = {ex::Falha::Cfop};
    valida(exemplo(QStringLiteral("rej.txt"), rejeitado));
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoRejeitado);
    EXPECT_EQ(sessao.arquivos[0].advertencias, 1); // só o motor: a PB não viu o arquivo
    EXPECT_FALSE(sessao.arquivos[0].temCriticasPB);
    EXPECT_FALSE(QFile::exists(programa(QStringLiteral("reexame.res"))));
}

TEST_F(PosValidacao, MSNaVersaoDeTesteComAdvertenciasNos88) {
    sessao.versao = {0, 9, 1};
    LogDoTeste log(pasta.path());
    // Um relatório antigo com o mesmo nome some antes da verificação.
    grava(QStringLiteral("CriticasPos.MS. 0"), "antigo");
    valida(exemplo(QStringLiteral("ms.txt"), Com88(6, 0, 4)));

    const ArquivoAberto& e = sessao.arquivos[0];
    EXPECT_EQ(e.resultado, ResultadoAceitoComAdvertencias);
    EXPECT_EQ(e.erros, 0);
    EXPECT_EQ(e.advertencias, 4);
    EXPECT_TRUE(e.temCriticas88);
    EXPECT_EQ(e.linhasAdvertencia88, 4);
    EXPECT_TRUE(e.fimValidacao.isValid());
    EXPECT_FALSE(e.totaisCFOP.isEmpty());
    const QString arquivo = CaminhoCriticas88(sessao, 0);
    EXPECT_EQ(arquivo, programa(QStringLiteral("CriticasPos.MS. 0")));
    const QList<QByteArray> r = registros(arquivo);
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(r[0].left(10).trimmed(), "1"); // continua a numeração do motor (sem críticas)

    // Linha "Registro 88" da grade: os quatro saem dos aceitos sem advertência.
    EXPECT_EQ(celula(R88, 1), QStringLiteral("2"));
    EXPECT_EQ(celula(R88, 2), QStringLiteral("4"));
    EXPECT_EQ(celula(R88, 3), QStringLiteral("0"));
    EXPECT_EQ(celula(R88, 4), QStringLiteral("6"));
    EXPECT_EQ(celula(Total, 2), QStringLiteral("4"));

    const QStringList l = log.linhas();
    EXPECT_TRUE(l.contains(QStringLiteral("Executando pos-validacao de MS com saida em ") +
                           arquivo + QStringLiteral("...")));
    EXPECT_TRUE(l.contains(QStringLiteral("Total Erros 88 0 Total Advertencias 88: 4")));
    EXPECT_TRUE(l.contains(QStringLiteral("Registros 88 com erro 0 e com advertencias 4")));
}

TEST_F(PosValidacao, MSComErrosNos88ContinuaANumeracaoERejeita) {
    sessao.versao = {0, 9, 1};
    ex::Opcoes o = Com88(5, 2, 1);
    o.falhas = {ex::Falha::Icms}; // uma advertência do motor antes
    valida(exemplo(QStringLiteral("ms.txt"), o));
    const ArquivoAberto& e = sessao.arquivos[0];
    EXPECT_EQ(e.resultado, ResultadoRejeitado);
    EXPECT_EQ(e.erros, 2);
    EXPECT_EQ(e.advertencias, 2);
    EXPECT_EQ(e.linhasErro88, 2);
    EXPECT_EQ(e.linhasAdvertencia88, 1);
    const QList<QByteArray> r = registros(CaminhoCriticas88(sessao, 0));
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0].left(10).trimmed(), "2");
    EXPECT_EQ(celula(R88, 1), QStringLiteral("2"));
    EXPECT_EQ(celula(R88, 2), QStringLiteral("1"));
    EXPECT_EQ(celula(R88, 3), QStringLiteral("2"));
    EXPECT_EQ(validar->labelResultadoValidacao()->text(), QStringLiteral("ARQUIVO REJEITADO"));
}

TEST_F(PosValidacao, MSForaDaVersaoDeTesteNaoVerificaOs88) {
    valida(exemplo(QStringLiteral("ms.txt"), Com88(3, 3, 0)));
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceito);
    EXPECT_FALSE(sessao.arquivos[0].temCriticas88);
    EXPECT_FALSE(QFile::exists(CaminhoCriticas88(sessao, 0)));
}

TEST_F(PosValidacao, LoteNomeiaOsResultadosPeloIndice) {
    validaLote();
    QTreeWidget* lista = resumoArquivos->lista();
    ASSERT_EQ(lista->topLevelItemCount(), 3);
    EXPECT_EQ(lista->topLevelItem(0)->text(1), QStringLiteral("Aceito"));
    EXPECT_EQ(lista->topLevelItem(1)->text(1), Msg("Aceito com Advertências"));
    EXPECT_EQ(lista->topLevelItem(2)->text(1), QStringLiteral("Rejeitado"));
    EXPECT_TRUE(QFile::exists(programa(QStringLiteral("CriticasPos.MS. 1"))));
    EXPECT_TRUE(QFile::exists(programa(QStringLiteral("reexame2.res"))));
    EXPECT_FALSE(QFile::exists(programa(QStringLiteral("reexame.res"))));
    EXPECT_EQ(CaminhoResultadoPB(sessao, 2), programa(QStringLiteral("reexame2.res")));
}

TEST_F(PosValidacao, FalhaDaValidacao88MostraACaixaETerminaSemTotais) {
    sessao.versao = {0, 9, 1};
    LogDoTeste log(pasta.path());
    // A pasta do programa sumiu: o relatório dos 88 não pode ser criado.
    sessao.pastaPrograma = pasta.filePath(QStringLiteral("sumiu"));
    abre(exemplo(QStringLiteral("ms.txt"), Com88(3, 1, 0)));
    plataforma.respondeMensagem(Resposta::Ok); // a caixa da falha
    plataforma.respondeMensagem(Resposta::Ok); // validação concluída
    validar->BotaoValidar_Click();

    ASSERT_GE(plataforma.caixas().size(), 1);
    const CaixaMostrada& caixa = plataforma.caixas()[0];
    EXPECT_EQ(caixa.icone, Icone::Critico);
    EXPECT_EQ(caixa.titulo, Msg("Erro na pós-validação do arquivo"));
    EXPECT_TRUE(caixa.texto.startsWith(Msg("Não foi possível criar o arquivo ") +
                                       CaminhoCriticas88(sessao, 0)));
    const ArquivoAberto& e = sessao.arquivos[0];
    EXPECT_EQ(e.resultado, ResultadoAceito); // o veredicto do motor fica
    EXPECT_EQ(e.erros, 0);
    EXPECT_FALSE(e.temCriticas88);
    EXPECT_FALSE(e.fimValidacao.isValid());
    EXPECT_TRUE(e.totaisCFOP.isEmpty());
    EXPECT_TRUE(e.totalizadores[3][21].isEmpty());
    EXPECT_TRUE(log.linhas().contains(Msg("Erro grave na pos-validacao de MS: ") + caixa.texto));
}

TEST_F(PosValidacao, PastaDoProgramaSoDeLeituraDeixaOsResultadosNaPastaDoUsuario) {
    // Instalado para todos os usuários, a pasta do programa não aceita os arquivos do usuário.
    // Como root toda pasta aceita gravação: o ctest repete este caso sem privilégios.
    if (::geteuid() == 0) GTEST_SKIP() << "como root toda pasta aceita gravação";
    const QString instalado = pasta.filePath(QStringLiteral("instalado"));
    const QString dados = pasta.filePath(QStringLiteral("dados"));
    const QByteArray dadosAntes = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dados));
    ASSERT_TRUE(QDir().mkpath(instalado));
    const auto leitura = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(instalado, leitura));
    sessao.pastaPrograma = instalado;
    validaLote();
    const QString usuario = PastaPosValidacao(sessao);
    EXPECT_TRUE(usuario.startsWith(dados)) << usuario.toStdString();
    // As verificações acharam o que havia: não falharam por falta de onde gravar.
    EXPECT_EQ(sessao.arquivos[1].resultado, ResultadoAceitoComAdvertencias);
    EXPECT_TRUE(sessao.arquivos[1].temCriticas88);
    EXPECT_EQ(sessao.arquivos[2].resultado, ResultadoRejeitado);
    EXPECT_TRUE(sessao.arquivos[2].temCriticasPB);
    const QString pb = QDir(usuario).filePath(QStringLiteral("reexame2.res"));
    const QString ms = QDir(usuario).filePath(QStringLiteral("CriticasPos.MS. 1"));
    EXPECT_EQ(registros(pb).size(), 1);
    EXPECT_EQ(registros(ms).size(), 1);
    // A lista de críticas lê do mesmo lugar.
    EXPECT_TRUE(RelatoriosDoArquivo(sessao, 2).contains(pb));
    EXPECT_TRUE(RelatoriosDoArquivo(sessao, 1).contains(ms));
    EXPECT_TRUE(QDir(instalado).isEmpty());

    // Fechar os arquivos apaga os resultados também ali.
    abre(exemplo(QStringLiteral("sp.txt"), Exemplo("SP")));
    EXPECT_FALSE(QFile::exists(pb));
    EXPECT_FALSE(QFile::exists(ms));
    QFile::setPermissions(instalado, leitura | QFileDevice::WriteOwner);
    qputenv("XDG_DATA_HOME", dadosAntes);
}

TEST_F(PosValidacao, SemABibliotecaDaPBAValidacaoDoArquivoTermina) {
    QTemporaryDir libs;
    const QString kelvor = Bibliotecas::nomeArquivo(QStringLiteral("Kelvor"));
    ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(KORVENTA_BIN_DIR)).filePath(kelvor),
                            QDir(libs.path()).filePath(kelvor)));
    defineBibliotecas(std::make_unique<Bibliotecas>(libs.path()));
    abre(exemplo(QStringLiteral("pb.txt"), SemItens()));
    plataforma.respondeMensagem(Resposta::Ok);
    plataforma.respondeMensagem(Resposta::Ok);
    validar->BotaoValidar_Click();
    defineBibliotecas(std::make_unique<Bibliotecas>(QStringLiteral(KORVENTA_BIN_DIR)));

    ASSERT_GE(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].titulo, Msg("Erro na pós-validação do arquivo"));
    EXPECT_TRUE(
        plataforma.caixas()[0].texto.startsWith(Msg("Erro (48): Arquivo não encontrado: ")));
    EXPECT_TRUE(plataforma.caixas()[0].texto.endsWith(Bibliotecas::nomeArquivo("Reexame")));
    // Nem aceito pela PB nem rejeitado por ela: sem totais, não vai para uma mídia.
    EXPECT_EQ(sessao.arquivos[0].resultado, ResultadoAceitoComAdvertencias);
    EXPECT_TRUE(sessao.arquivos[0].totaisCFOP.isEmpty());
}
