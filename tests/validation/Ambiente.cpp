#include "Ambiente.h"

#include <QComboBox>
#include <QFile>

namespace korventa::testes {

AmbienteValidacao::AmbienteValidacao() {
    const QString base = pasta.path() + QLatin1Char('/');
    sessao.pastaPrograma = pasta.path();
    sessao.pastaTemporaria = base;
    sessao.caminhoCriticas = base + QStringLiteral("Criticas.tmp");
    sessao.caminhoTotaisCFOP = base + QStringLiteral("Totais.CFOP");
    sessao.selecionaAba = [this](int aba) { abasPedidas.push_back(aba); };
    resumo = std::make_unique<PaginaResumo>(sessao);
    resumoArquivos = std::make_unique<PaginaResumoArquivos>(sessao);
    validar = std::make_unique<PaginaValidar>(sessao, *resumo, *resumoArquivos);
}

AmbienteValidacao::~AmbienteValidacao() {
    validar.reset();
    resumoArquivos.reset();
    resumo.reset();
}

QByteArray AmbienteValidacao::textoExemplo(kelvor::exemplo::Opcoes opcoes) {
    return QByteArray::fromStdString(kelvor::exemplo::geraTexto(opcoes));
}

QString AmbienteValidacao::grava(const QString& nome, const QByteArray& conteudo) {
    const QString caminho = pasta.filePath(nome);
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(conteudo);
    return caminho;
}

QString AmbienteValidacao::exemplo(const QString& nome, kelvor::exemplo::Opcoes opcoes) {
    kelvor::exemplo::Resumo r;
    std::string erro;
    const QString caminho = pasta.filePath(nome);
    EXPECT_TRUE(kelvor::exemplo::geraArquivo(opcoes, caminho.toStdString(), r, erro)) << erro;
    return caminho;
}

void AmbienteValidacao::abre(const QString& caminho) {
    validar->comboArquivo()->setEditText(caminho);
    validar->BotaoCarregar_Click();
}

void AmbienteValidacao::abreVarios(const QStringList& caminhos) {
    plataforma.respondeAbrir(caminhos);
    validar->BrowseArquivo_Click();
}

} // namespace korventa::testes
