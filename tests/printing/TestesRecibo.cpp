// Recibo de transmissão impresso: o formulário numa página em retrato, com ou sem os dados da
// transmissão, a orientação exigida no diálogo e o papel pequeno que não comporta o recibo.
#include "media/EstadoMidias.h"
#include "printing/Ambiente.h"
#include "printing/DadosRecibo.h"
#include "printing/ImprimirRecibo.h"
#include "printing/LigacoesImpressao.h"
#include "printing/PaginaImpressa.h"
#include "validation/BotaoComAcao.h"
#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"

#include <QFile>

namespace korventa::testes {
namespace {

class Recibo : public TesteImpressao {
protected:
    Recibo() {
        ArquivoAberto& a = sessao.arquivos[0];
        a.municipio = QStringLiteral("CAMPO GRANDE");
        a.uf = QStringLiteral("MS");
        a.inscricaoEstadual = QStringLiteral("283456789");
        a.contato = QStringLiteral("MARIA DA SILVA");
        a.telefone = QStringLiteral("6733334444");
        a.logradouro = QStringLiteral("AVENIDA AFONSO PENA");
        a.numero = QStringLiteral("1234");
        a.protocolo = QStringLiteral("0123456789");
        a.crcArquivo = QStringLiteral("A1B2C3D4");
        a.tamanhoAbertura = 376832;
        a.dataHoraAbertura = QDateTime(QDate(2024, 2, 1), QTime(8, 30, 0));
        a.finalidade = QStringLiteral("1 - Normal");
        a.natureza = QStringLiteral("3 - Totalidade das operações do informante");
        a.versaoValidador = QStringLiteral("5.4.0");
        dados = DadosReciboDoArquivo(a);
        dados.endereco << QStringLiteral("SALA 12") << QStringLiteral("CENTRO");
        dados.valores[ValoresRegistro54] = {{QStringLiteral("1.234,56"), QStringLiteral("1.000,00"),
                                             QStringLiteral("0,00"), QStringLiteral("12,34")},
                                            {QStringLiteral("98.765,43"),
                                             QStringLiteral("90.000,00"), QStringLiteral("5,00"),
                                             QStringLiteral("0,00")}};
        dados.valores[ValoresRegistro60A] = {
            {QStringLiteral("500,00"), QStringLiteral("500,00"), QStringLiteral("85,00")}};
    }
    QString imprime(const QString& nome, int orientacao = Retrato, QPageSize papel = {}) {
        const QString pdf = caminho(nome);
        confirmaPdf(pdf, orientacao, papel);
        plataforma.respondeMensagem(Resposta::Ok);
        ImprimirReciboKorventa(sessao, dados);
        return pdf;
    }
    DadosRecibo dados;
};

TEST_F(Recibo, FormularioSemATransmissaoNumaPaginaEmRetrato) {
    sessao.impressora.orientacao = Paisagem; // o recibo pede retrato
    const QString pdf = imprime(QStringLiteral("recibo.pdf"));
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto, QStringLiteral("Recibo impresso."));
    EXPECT_EQ(plataforma.dialogosImpressao()[0].estado.orientacao, Retrato);
    const InfoPdf info = LeInfoPdf(pdf);
    EXPECT_EQ(info.paginas, 1);
    EXPECT_FALSE(info.paisagem());
    const QString texto = TextoPdf(pdf).simplified();
    for (const char* esperado :
         {"KORVENTA",
          "Governos",
          "Estaduais",
          "Protocolo Korventa: 0123456789",
          "Período de Referência: 01/01/2024 a 31/01/2024",
          "Finalidade: 1 - Normal",
          "Natureza da Operação: 3 - Totalidade das operações do informante",
          "Razão Social COMERCIAL EXEMPLO LTDA",
          "Cidade CAMPO GRANDE",
          "Estado MS",
          "CNPJ 12.345.678/0001-95",
          "Inscrição Estadual 283456789",
          "Responsável MARIA DA SILVA",
          "Endereço AVENIDA AFONSO PENA, 1234, SALA 12, CENTRO",
          "Nome do Arquivo ARQ0124.TXT",
          "CRC do Documento A1B2C3D4",
          "Tamanho do Arquivo (bytes) 376832",
          "Data do Arquivo 01/02/2024 08:30:00",
          "Versão Validador 5.4.0",
          "Resumo dos Registros do Arquivo",
          "Tipo de Registro",
          "Registros com Advertência",
          "Registros sem Advertência",
          "Total de Registros",
          "Valores Totais por Registro",
          "Registro 54",
          "Desp. Acessórias",
          "98.765,43",
          "Registro 60A",
          "85,00",
          "O arquivo recepcionado está sujeito a verificações posteriores.",
          "Carimbo de Recepção do Arquivo",
          "Somente por o carimbo se o arquivo for aceito pelo programa de recepção."})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_FALSE(texto.contains(QStringLiteral("Arquivo enviado para:")));
    // Linha do registro 50 (posição 2): com advertência, sem advertência, total.
    EXPECT_TRUE(texto.contains(QStringLiteral("50 2.002 1.002 4.002")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Totais 2.021 1.021 4.021")));

    // As cabeças das caixas são cinza claro.
    // A faixa de "Valores Totais por Registro" (170,5 a 174,5 mm do papel); o formulário começa
    // a 22 mm da borda.
    EXPECT_EQ(CorNoPapel(pdf, 1, 30, 172), QColor(200, 200, 200));
}

TEST_F(Recibo, TransmitidoTrazOsDadosDoEnvio) {
    dados.destino = QStringLiteral("MS");
    dados.dataEnvio = QStringLiteral("02/02/2024 às 10:11:12");
    dados.protocoloQIV = QStringLiteral("X1Y2Z3A");
    dados.chaveTransmissao = QStringLiteral("K1K2K3K4");
    dados.remetente = QStringLiteral("JOÃO CONTADOR");
    dados.email = QStringLiteral("joao@exemplo.com.br");
    // Na folha A4 e também na Carta, a menor de uso comum: uma página só, até o e-mail.
    for (const QPageSize& papel : {QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter)}) {
        plataforma.limpaCaixas();
        const QString pdf = imprime(papel.key() + QStringLiteral(".pdf"), Retrato, papel);
        ASSERT_EQ(plataforma.caixas().size(), 1) << qPrintable(papel.key());
        EXPECT_EQ(plataforma.caixas()[0].texto, QStringLiteral("Recibo impresso."));
        EXPECT_EQ(LeInfoPdf(pdf).paginas, 1);
        const QString texto = TextoPdf(pdf).simplified();
        for (const char* esperado : {"Arquivo enviado para: MS em 02/02/2024 às 10:11:12",
                                     "Protocolo QIV: X1Y2Z3A", "Chave Transmissão: K1K2K3K4",
                                     "Remetente: JOÃO CONTADOR", "E-mail: joao@exemplo.com.br"})
            EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
    }
}

TEST_F(Recibo, PaisagemPedeRetratoEPapelPequenoNaoImprime) {
    confirmaPdf(caminho(QStringLiteral("x.pdf")), Paisagem);
    plataforma.respondeMensagem(Resposta::Ok);
    plataforma.cancelaImpressao();
    ImprimirReciboKorventa(sessao, dados);
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("A impressora está configurada para imprimir no modo Paisagem.\r"
                             "No entanto é necessário imprimir o Recibo no modo Retrato.\r"
                             "Altere as configurações de impressão e tente novamente."));
    EXPECT_EQ(plataforma.dialogosImpressao().size(), 2);
    EXPECT_FALSE(QFile::exists(caminho(QStringLiteral("x.pdf"))));

    plataforma.limpaCaixas();
    const QString pdf = imprime(QStringLiteral("a5.pdf"), Retrato, QPageSize(QPageSize::A5));
    ASSERT_EQ(plataforma.caixas().size(), 1);
    EXPECT_EQ(plataforma.caixas()[0].texto,
              QStringLiteral("O tamanho do Recibo a ser impresso é maior que o tamanho do papel\r"
                             "configurado na impressora.\r"
                             "Altere o papel nas configurações de impressão e tente novamente."));
    EXPECT_EQ(plataforma.caixas()[0].icone, Icone::Critico);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(Recibo, MidiaDaPaginaMidiasNomeiaAMidiaNoLugarDoArquivo) {
    // Entrada lida de uma mídia: sem arquivo fiscal aberto, o recibo mostra a mídia transmitida.
    ArquivoAberto m = sessao.arquivos[0];
    m.caminho.clear();
    m.tamanhoAbertura = 0;
    m.dataHoraAbertura = {};
    m.caminhoMidia = QStringLiteral("/pasta/das/midias/12345678000195_01022024.zip");
    m.tamanhoMidia = 19861;
    m.dataHoraMidia = QDateTime(QDate(2024, 2, 2), QTime(9, 41, 56));
    dados = DadosReciboDaMidia(m, nullptr);
    const QString texto = TextoPdf(imprime(QStringLiteral("midia.pdf"))).simplified();
    for (const char* esperado :
         {"Nome do Arquivo 12345678000195_01022024.zip", "Tamanho do Arquivo (bytes) 19861",
          "Data do Arquivo 02/02/2024 09:41:56"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;

    // Aberta pelo Resumo, a entrada tem o arquivo fiscal: ele continua no recibo.
    m = sessao.arquivos[0];
    m.caminhoMidia = QStringLiteral("/pasta/das/midias/outra.zip");
    m.tamanhoMidia = 19861;
    const DadosRecibo doResumo = DadosReciboDaMidia(m, nullptr);
    EXPECT_EQ(doResumo.nomeArquivo, QStringLiteral("ARQ0124.TXT"));
    EXPECT_EQ(doResumo.tamanhoArquivo, 376832);
}

TEST_F(Recibo, MidiasImprimemPelasLigacoes) {
    // A transmissão lida do bloco da mídia está na entrada; sem arquivo de recibo.
    ArquivoAberto& e = sessao.arquivos[0];
    e.destino = QStringLiteral("MS");
    e.transmitidoEm = QStringLiteral("02/02/2024 às 10:11:12");
    e.protocoloQIV = QStringLiteral("X1Y2Z3A");
    e.tipoDocumento = QStringLiteral("Arquivo do Convênio 57/95");
    EstadoMidias estado;
    PaginaResumo resumo(sessao);
    PaginaResumoArquivos varios(sessao);
    LigaImpressaoMidias(sessao, estado, resumo, varios);
    ASSERT_TRUE(estado.imprimeRecibo && estado.imprimeTotais && estado.imprimeResumoValidacao);
    EXPECT_TRUE(resumo.botaoRecibo()->temAcao());
    EXPECT_TRUE(varios.botaoRecibos()->temAcao());

    const QString recibo = caminho(QStringLiteral("ligado.pdf"));
    confirmaPdf(recibo);
    plataforma.respondeMensagem(Resposta::Ok);
    estado.imprimeRecibo(e, nullptr);
    const QString texto = TextoPdf(recibo).simplified();
    EXPECT_TRUE(
        texto.contains(QStringLiteral("Arquivo enviado para: MS em 02/02/2024 às 10:11:12")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Tipo de Documento Arquivo do Convênio 57/95")));

    // "Imprimir" das informações da mídia: a lista 1 é a dos totais por CFOP.
    e.totaisCFOP = {QStringLiteral("505102") + QString(139, QLatin1Char('0')) + QLatin1Char(' ')};
    confirmaPdf(caminho(QStringLiteral("info.pdf")), Paisagem);
    plataforma.respondeMensagem(Resposta::Ok);
    estado.imprimeTotais(e, 1);
    EXPECT_EQ(plataforma.caixas().last().texto,
              QStringLiteral("Relatório dos totais por CFOP impresso."));
    EXPECT_TRUE(TextoPdf(caminho(QStringLiteral("info.pdf")))
                    .contains(QStringLiteral("Relatório dos Totais por CFOP")));
}

} // namespace
} // namespace korventa::testes
