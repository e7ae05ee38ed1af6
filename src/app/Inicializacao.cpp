#include "app/Inicializacao.h"

#include "app/ConfiguracoesUsuario.h"
#include "app/FormatoRegional.h"
#include "app/LinhaDeComando.h"
#include "app/Produto.h"
#include "app/ProgramaQIV.h"
#include "app/Versoes.h"
#include "common/Caminhos.h"
#include "common/Windows1252.h"
#include "engine/Bibliotecas.h"
#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "validation/Motor.h"
#include "validation/Validacao.h"

#include <QDir>
#include <utility>

namespace korventa {

int EscolhePrimeiraAba(Sessao& sessao) {
    bool configurar = false;
    if (sessao.cfg.pathQiv == QLatin1String("?")) {
        configurar = true;
        sessao.cfg.pathQiv.clear();
    }
    VerificaQIV(sessao);
    if (!sessao.cfg.pathQiv.isEmpty() && !sessao.qivEncontrado) configurar = true;
    return configurar ? 1 : 2;
}

Inicializacao::Inicializacao(Sessao& sessao, JanelaInicio& janela, ParametrosInicio parametros)
    : sessao_(sessao), janela_(janela), parametros_(std::move(parametros)) {}

Inicializacao::~Inicializacao() = default;

bool Inicializacao::executa() {
    if (!confereOpcoesRegionais()) return false;
    sessao_.carregando = true;
    sessao_.nivelLog = 0;
    if (!leLinhaDeComando() || !assumeInstancia()) return false;
    sessao_.arquivos.clear();
    sessao_.arquivos.resize(1);
    ajustaJanela();
    if (!ligaLog() || !leVersoes() || !confereVersoes()) return false;
    mostraVersaoPrograma();
    sessao_.cfg.nomeAplicacao = NomeAplicacaoRegistro(sessao_.versao);
    if (!confereIntegridade()) return false;
    janela_.mostraJanela();
    defineArquivosDeTrabalho();

    LeConfiguracoes(sessao_);
    janela_.aplicaConfiguracoes();
    comecaEmConfigurar_ = EscolhePrimeiraAba(sessao_) == 1;
    Log(LogDetalhe, QStringLiteral("Leu configuracoes do registry."));
    preenchePaginas();

    sessao_.paginaAtual = -1;
    if (comecaEmConfigurar_) {
        Log(LogDetalhe, QStringLiteral("Configuracoes vazias: comeca na pagina Configurar."));
        janela_.selecionaAba(1);
        sessao_.configuracaoAlterada = true;
    } else {
        Log(LogDetalhe, QStringLiteral("Configuracoes ok: comeca na pagina Validar."));
        janela_.selecionaAba(2);
    }
    sessao_.carregando = false;
    Log(LogDetalhe, QStringLiteral("Encerrando form load principal."));
    if (!parametros_.arquivos.isEmpty()) janela_.abreArquivos(parametros_.arquivos);
    return true;
}

bool Inicializacao::confereOpcoesRegionais() {
    return ConfereSimboloDecimal(sessao_.plataforma) &&
           ConfereAgrupamentoDigitos(sessao_.plataforma);
}

bool Inicializacao::leLinhaDeComando() {
    const OpcoesLinhaDeComando opcoes = InterpretaLinhaDeComando(parametros_.linhaDeComando);
    if (opcoes.pedeSintaxe) {
        sessao_.plataforma.mensagem(TextoSintaxe(parametros_.nomeExecutavel), Icone::Informacao);
        return false;
    }
    sessao_.nivelLog = opcoes.nivelLog;
    return true;
}

bool Inicializacao::assumeInstancia() {
    instancia_ = std::make_unique<InstanciaUnica>(parametros_.chaveInstancia);
    instancia_->aoPedirFrente([this] { janela_.trazParaFrente(); });
    instancia_->aoReceberArquivos([this](const QStringList& a) { janela_.abreArquivos(a); });
    return instancia_->assume(parametros_.arquivos);
}

void Inicializacao::ajustaJanela() {
    if (sessao_.plataforma.larguraTela() >= 800) janela_.ampliaLeiaute();
    janela_.mostraJanela();
}

void Inicializacao::mostraFalhaBiblioteca(const QString& passo) {
    const FalhaCarga& falha = bibliotecas().falha();
    sessao_.plataforma.mensagem(
        passo + QStringLiteral("\rErro (") + QString::number(falha.numero) + QStringLiteral("): ") +
            falha.descricao + QStringLiteral("\rO ") + QString::fromLatin1(NomeProduto) +
            QStringLiteral(" não consegue ser executado.\rInstale-o novamente."),
        Icone::Critico);
}

void Inicializacao::mostraFalhaVersoes() {
    // O motor não diz qual componente falhou: o carregador do programa tenta os mesmos
    // arquivos e conta o nome e o motivo.
    auto* valkora2 = KORVENTA_FUNCAO("Valkora2", Valkora2_Versao);
    auto* valkora3 = valkora2 ? KORVENTA_FUNCAO("Valkora3", Valkora3_Versao) : nullptr;
    if (!valkora2 || !valkora3) {
        mostraFalhaBiblioteca(QStringLiteral("Não encontrou DLL ") +
                              bibliotecas().falha().biblioteca + QStringLiteral(".dll!"));
        return;
    }
    sessao_.plataforma.mensagem(
        QStringLiteral("A Kelvor.dll não informou as versões de Valkora2 e Valkora3.\rO ") +
            QString::fromLatin1(NomeProduto) +
            QStringLiteral(" não consegue ser executado.\rInstale-o novamente."),
        Icone::Critico);
}

bool Inicializacao::ligaLog() {
    // Sem o motor não há log: é a mesma falha da leitura de versões do motor, logo adiante.
    auto* ligarLog = KORVENTA_FUNCAO("Kelvor", LigarLog);
    if (!ligarLog) {
        mostraFalhaBiblioteca(QStringLiteral("Não encontrou DLL Kelvor.dll!"));
        return false;
    }
    ligarLog(NomeLogMotor, sessao_.nivelLog);
    Log(LogDetalhe, QStringLiteral("Versao do QIV: ") + TextoVersao(sessao_.versao));
    return true;
}

bool Inicializacao::leVersoes() {
    auto* versoesEx = KORVENTA_FUNCAO("Kelvor", Kelvor_VersoesEx);
    if (!versoesEx) {
        mostraFalhaBiblioteca(QStringLiteral("Não encontrou DLL Kelvor.dll!"));
        return false;
    }
    char v2[100] = {}, v3[100] = {}, kelvor[100] = {};
    if (versoesEx(v2, sizeof v2, v3, sizeof v3, kelvor, sizeof kelvor, 0) == 0) {
        Log(LogErro, QStringLiteral("Erro na obtencao de versoes Kelvor!"));
        mostraFalhaVersoes();
        return false;
    }
    Log(LogOperacao, QStringLiteral("Chamou Kelvor_VersoesEx..."));

    auto* versaoMidia = KORVENTA_FUNCAO("GerarMidiaQIV", VersaoGerarMidiaQIV);
    if (!versaoMidia) {
        mostraFalhaBiblioteca(QStringLiteral("Não encontrou DLL GerarMidiaQIV.dll!"));
        return false;
    }
    char midia[100] = {};
    char mensagem[1000] = {};
    if (versaoMidia(midia, mensagem, sizeof mensagem) != 0) {
        const QString motivo = TextoDoMotor(mensagem);
        Log(LogErro, QStringLiteral("Erro na obtencao da versao GerarMidiaQIV: ") + motivo);
        sessao_.plataforma.mensagem(
            QStringLiteral("Erro ao obter versão da GerarMidiaQIV:\r") + motivo, Icone::Critico);
        return false;
    }
    Log(LogOperacao, QStringLiteral("Chamou VersaoGerarMidiaQIV..."));

    versoes_.valkora2 = TextoDoMotor(v2);
    versoes_.valkora3 = TextoDoMotor(v3);
    versoes_.kelvor = TextoDoMotor(kelvor);
    versoes_.gerarMidia = TextoDoMotor(midia);
    // A versão do utilitário só é mostrada: sem ela o rótulo fica vazio e o início segue.
    if (auto* versaoTramil = KORVENTA_FUNCAO("Tramil", GetVersaoDll)) {
        if (const char* texto = versaoTramil())
            versoes_.tramil = QStringLiteral("Tramil:           ") + DeWindows1252(texto);
    }
    // As bibliotecas da pós-validação estadual: sem elas o início não segue.
    for (auto [base, versao] : {std::pair{"Reexame", &versoes_.reexame},
                                std::pair{"Reexame88", &versoes_.reexame88}}) {
        const QString nome = QLatin1String(base);
        auto* f = bibliotecas().funcao<assinaturas::Reexame_Versao>(
            nome, (nome + QStringLiteral("_Versao")).toLatin1().constData());
        if (!f) {
            mostraFalhaBiblioteca(QStringLiteral("Não encontrou DLL ") + nome +
                                  QStringLiteral(".dll!"));
            return false;
        }
        const char* texto = f();
        *versao = texto ? DeWindows1252(texto) : QString();
    }
    janela_.mostraVersoesComponentes(versoes_);
    Log(LogDetalhe, QStringLiteral("Versao Valkora2: ") + versoes_.valkora2);
    Log(LogDetalhe, QStringLiteral("Versao Valkora3: ") + versoes_.valkora3);
    Log(LogDetalhe, QStringLiteral("Versao Kelvor: ") + versoes_.kelvor);
    Log(LogDetalhe, QStringLiteral("Versao GerarMidia: ") + versoes_.gerarMidia);
    Log(LogDetalhe, QStringLiteral("Versao Reexame: ") + versoes_.reexame);
    Log(LogDetalhe, QStringLiteral("Versao Reexame88: ") + versoes_.reexame88);
    return true;
}

bool Inicializacao::confereVersoes() {
    Plataforma& p = sessao_.plataforma;
    const auto esperada = [](const char* v) { return QString::fromLatin1(v); };
    if (!ConfereVersao(p, QStringLiteral("valkora2"), esperada(versoes::Valkora2),
                       versoes_.valkora2) ||
        !ConfereVersao(p, QStringLiteral("valkora3"), esperada(versoes::Valkora3),
                       versoes_.valkora3))
        return false;
    Log(LogOperacao, QStringLiteral("Passou pelo teste de versao de valkora..."));
    if (!ConfereVersao(p, QStringLiteral("Kelvor"), esperada(versoes::Kelvor), versoes_.kelvor))
        return false;
    Log(LogOperacao, QStringLiteral("Passou pelo teste de versao de Kelvor..."));
    if (!ConfereVersao(p, QStringLiteral("GerarMidiaQIV"), esperada(versoes::GerarMidiaQIV),
                       versoes_.gerarMidia))
        return false;
    Log(LogOperacao, QStringLiteral("Passou pelo teste de versao de GerarMidia..."));
    if (!ConfereVersao(p, QStringLiteral("Reexame"), esperada(versoes::Reexame),
                       versoes_.reexame) ||
        !ConfereVersao(p, QStringLiteral("Reexame88"), esperada(versoes::Reexame88),
                       versoes_.reexame88))
        return false;
    Log(LogOperacao, QStringLiteral("Passou pelo teste de versao de Reexame..."));
    return true;
}

void Inicializacao::mostraVersaoPrograma() {
    janela_.mostraVersaoPrograma(TextoVersao(sessao_.versao), sessao_.versao.maior == 0);
}

bool Inicializacao::confereIntegridade() {
    auto* aux = KORVENTA_FUNCAO("Kelvor", Kelvor_Aux);
    if (!aux) {
        mostraFalhaBiblioteca(QStringLiteral("Não encontrou DLL Kelvor.dll!"));
        return false;
    }
    // As bibliotecas conferidas são as que o carregador usa (a pasta do programa).
    for (const char* base : {"Valkora2", "Valkora3", "GerarMidiaQIV"}) {
        const QString caminho = QDir::toNativeSeparators(
            JuntaCaminho(bibliotecas().pasta(), Bibliotecas::nomeArquivo(QLatin1String(base))));
        char saida[20] = {};
        char mensagem[1000] = {};
        if (aux(CaminhoParaMotor(caminho).constData(), saida, mensagem) != 0) continue;
        QString motivo = TextoDoMotor(mensagem);
        if (!motivo.contains(caminho))
            motivo = QStringLiteral("Arquivo danificado ou de outra versão: ") + caminho +
                     (motivo.isEmpty() ? QString() : QLatin1Char('\r') + motivo);
        Log(LogErro, motivo);
        sessao_.plataforma.mensagem(motivo, Icone::Critico);
        return false;
    }
    return true;
}

void Inicializacao::defineArquivosDeTrabalho() {
    Sessao& s = sessao_;
    s.pastaTemporaria = QDir::toNativeSeparators(QDir::tempPath());
    if (!s.pastaTemporaria.endsWith(QDir::separator())) s.pastaTemporaria += QDir::separator();
    const auto temp = [&](const char* nome) { return s.pastaTemporaria + QLatin1String(nome); };
    s.caminhoCriticas = temp(ArqCriticas);
    s.caminhoTotaisCFOP = temp(ArqTotaisCFOP);
    s.caminhoResumo = temp(ArqResumo);
    s.caminhoTotaisSituacao = temp(ArqTotaisSituacao);
    s.caminhoTotaisOutrasIEs = temp(ArqTotaisOutrasIEs);
    s.caminhoTotaisPorUF = temp(ArqTotaisPorUF);
    s.caminhoComprovante = temp(ArqComprovante);
    s.caminhoUtilitarioNotas =
        JuntaCaminho(s.pastaPrograma, QLatin1String(ProgramaUtilitarioNotas));
}

void Inicializacao::preenchePaginas() {
    janela_.preencheConfigurar();
    Log(LogDetalhe, QStringLiteral("Preencheu configurar."));
    if (sessao_.preencheValidar) sessao_.preencheValidar();
    Log(LogDetalhe, QStringLiteral("Preencheu validar."));
    if (sessao_.preencheResumo) sessao_.preencheResumo();
    Log(LogDetalhe, QStringLiteral("Preencheu resumo."));
    janela_.preencheMidias();
    Log(LogDetalhe, QStringLiteral("Preencheu midias."));
}

} // namespace korventa
