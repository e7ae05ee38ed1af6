#include "validation/Arquivos.h"

#include "abertura/InicioArquivo.h"
#include "common/Windows1252.h"
#include "engine/Bibliotecas.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "validation/Descricoes.h"
#include "validation/Motor.h"
#include "validation/Sessao.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace korventa {

namespace {

// Falha de um passo da abertura: guarda o texto na entrada e registra.
bool Recusa(ArquivoAberto& e, const QString& texto) {
    e.mensagem = texto;
    Log(LogDetalhe, texto);
    return false;
}

bool Recusa(ArquivoAberto& e, const abertura::Recusa& r) {
    if (!r.detalhe.empty()) Log(LogDetalhe, QString::fromStdString(r.detalhe));
    return Recusa(e, QString::fromStdString(r.mensagem));
}

// AAAAMMDD como dd/mm/aaaa.
QString DataDoRegistro(const QString& campo) {
    const QString d = campo.trimmed();
    return d.mid(6, 2) + QLatin1Char('/') + d.mid(4, 2) + QLatin1Char('/') + d.left(4);
}

} // namespace

bool CarregaEntrada(ArquivoAberto& e, const QString& caminho) {
    e.mensagem.clear();
    e.caminho = caminho;
    Log(LogDetalhe, QStringLiteral("Vai abrir o arquivo ") + caminho);

    auto verifica = KORVENTA_FUNCAO("Kelvor", Kelvor_VerificaArquivo);
    if (!verifica) return Recusa(e, FalhaDoMotor());
    char mensagem[2000] = {};
    if (verifica(CaminhoParaMotor(caminho).constData(), mensagem, sizeof mensagem) == 0) {
        e.mensagem = TextoDoMotor(mensagem).trimmed();
        Log(LogDetalhe, QStringLiteral("Kelvor_VerificaArquivo: ") + e.mensagem);
        return false;
    }

    const std::string nome = caminho.toStdString();
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return Recusa(e, {{}, abertura::ErroAbrindo(nome)});
    abertura::LinhasIniciais linhas;
    QByteArray bloco(64 * 1024, Qt::Uninitialized);
    qint64 lidos = 0;
    while (!linhas.completas() && (lidos = f.read(bloco.data(), bloco.size())) > 0)
        linhas.acrescenta(std::string_view(bloco.constData(), static_cast<std::size_t>(lidos)));
    if (lidos < 0) return Recusa(e, {{}, abertura::ErroLendo(nome)});
    linhas.terminaArquivo();
    f.close();
    if (f.error() != QFileDevice::NoError) return Recusa(e, {{}, abertura::ErroFechando(nome)});
    const auto texto = [&](int i) {
        const std::string& t = linhas.linha(i).texto;
        return DeWindows1252(QByteArray(t.data(), static_cast<qsizetype>(t.size())));
    };
    if (linhas.completas()) {
        e.linhaRegistro10 = texto(0);
        e.linhaRegistro11 = texto(1);
        Log(LogDetalhe, QStringLiteral("Leu os dois registros do arquivo."));
    }
    if (auto r = abertura::ConfereLinhasIniciais(linhas, nome)) return Recusa(e, *r);
    Log(LogDetalhe, QStringLiteral("Registros 10 e 11 verificados."));

    ObtemCamposRegistroKorventa(e);
    const QFileInfo info(caminho);
    e.dataHoraAbertura = info.lastModified();
    e.tamanhoAbertura = static_cast<std::int32_t>(info.size());
    Log(LogOperacao, QStringLiteral("Obteve Data e Tamanho do arquivo."));
    return true;
}

void ObtemCamposRegistroKorventa(ArquivoAberto& e) {
    Log(LogDetalhe, QStringLiteral("ObtemCamposRegistroKorventa..."));
    // Colunas de 1 em diante, como no leiaute.
    const auto campo = [](const QString& linha, int coluna, int tamanho) {
        return linha.mid(coluna - 1, tamanho);
    };
    const QString& r10 = e.linhaRegistro10;
    e.cnpj = campo(r10, 3, 14);
    e.inscricaoEstadual = campo(r10, 17, 14);
    e.razaoSocial = campo(r10, 31, 35).trimmed();
    e.municipio = campo(r10, 66, 30).trimmed();
    e.uf = campo(r10, 96, 2);
    e.fax = campo(r10, 98, 10).trimmed();
    e.dataInicial = DataDoRegistro(campo(r10, 108, 8));
    e.dataFinal = DataDoRegistro(campo(r10, 116, 8));
    e.convenio = DescricaoConvenio(campo(r10, 124, 1).trimmed());
    e.natureza = DescricaoNatureza(campo(r10, 125, 1).trimmed());
    e.finalidade = DescricaoFinalidade(campo(r10, 126, 1).trimmed());
    Log(LogOperacao, QStringLiteral("Campos 10 ok."));

    Log(LogOperacao, QStringLiteral("Vai pegar os campos do registro 11..."));
    const QString& r11 = e.linhaRegistro11;
    e.logradouro = campo(r11, 3, 34).trimmed();
    e.numero = campo(r11, 37, 5).trimmed();
    e.contato = campo(r11, 87, 28).trimmed();
    e.telefone = campo(r11, 115, 12).trimmed();
    Log(LogOperacao, QStringLiteral("Campos 11 ok."));
    Log(LogDetalhe, QStringLiteral("Fim ObtemCamposRegistroKorventa."));
}

int AnoFimPeriodo(const ArquivoAberto& e) {
    bool ok = false;
    const int ano = e.dataFinal.mid(6, 4).toInt(&ok);
    return ok ? ano : 0;
}

QString VerificaConvenio(const ArquivoAberto& e) {
    const auto m = abertura::ConfereConvenio(ParaWindows1252(e.linhaRegistro10).toStdString());
    return m ? QString::fromStdString(*m) : QString();
}

bool VerificaDataHoraArquivo(Sessao& s, int indice, bool mostraMensagem) {
    Log(LogOperacao, QStringLiteral("VerificaDataHoraArquivo..."));
    const ArquivoAberto& e = s.arquivos[indice];
    struct stat st {};
    if (::stat(QFile::encodeName(e.caminho).constData(), &st) != 0) {
        const int numero = errno;
        const QString descricao = numero == ENOENT   ? QStringLiteral("Arquivo não encontrado")
                                  : numero == EACCES ? QStringLiteral("Permissão negada")
                                                     : QString::fromLocal8Bit(strerror(numero));
        const QString texto = QStringLiteral("Erro15 %1: %2\r fonte: %3")
                                  .arg(numero)
                                  .arg(descricao, QString::fromLatin1(TituloPrograma));
        Log(LogDetalhe, texto);
        s.plataforma.mensagem(texto, Icone::Critico);
        return false;
    }
    const QFileInfo info(e.caminho);
    if (info.lastModified() != e.dataHoraAbertura ||
        static_cast<std::int32_t>(info.size()) != e.tamanhoAbertura) {
        if (mostraMensagem)
            s.plataforma.mensagem(QStringLiteral("O arquivo foi trocado! Abra novamente."),
                                  Icone::Critico);
        return false;
    }
    Log(LogOperacao, QStringLiteral("Fim VerificaDataHoraArquivo."));
    return true;
}

} // namespace korventa
