#include "validation/Arquivos.h"

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

// Uma linha pode ser enorme num arquivo que não é de registros: guarda só o começo dela, mas
// anda até o fim para achar a linha seguinte.
constexpr qint64 LimiteLinha = 64 * 1024;

bool LeLinha(QFile& f, QString& linha) {
    if (f.atEnd()) return false;
    QByteArray bytes = f.readLine(LimiteLinha + 1);
    if (bytes.isEmpty() && f.error() != QFileDevice::NoError) return false;
    bool fimDeLinha = bytes.endsWith('\n');
    while (!fimDeLinha && !f.atEnd()) {
        const QByteArray resto = f.readLine(LimiteLinha + 1);
        if (resto.isEmpty()) break;
        fimDeLinha = resto.endsWith('\n');
    }
    if (bytes.endsWith('\n')) bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
    linha = DeWindows1252(bytes);
    return f.error() == QFileDevice::NoError;
}

// Falha de um passo da abertura: guarda o texto na entrada e registra.
bool Recusa(ArquivoAberto& e, const QString& texto) {
    e.mensagem = texto;
    Log(LogDetalhe, texto);
    return false;
}

// Tamanho e tipo de uma das duas primeiras linhas.
bool ConfereLinha(ArquivoAberto& e, const QString& linha, const char* tipo, const char* ordinal,
                  const char* artigo) {
    const QString ord = QString::fromUtf8(ordinal);
    if (linha.size() < 126) {
        Log(LogDetalhe, QStringLiteral("O tamanho do registro da %1 linha é inválido! Tamanho: %2")
                            .arg(ord)
                            .arg(linha.size()));
        return Recusa(e, QStringLiteral("O tamanho do registro da %1 linha é inválido: %2!")
                             .arg(ord)
                             .arg(linha.size()));
    }
    if (!linha.startsWith(QLatin1String(tipo))) {
        Log(LogDetalhe, QStringLiteral("O registro da %1 não é do tipo %2! Tipo: %3")
                            .arg(ord, QLatin1String(tipo), linha.left(2)));
        return Recusa(e, QStringLiteral("%1 linha não é um registro tipo %2!")
                             .arg(QString::fromUtf8(artigo), QLatin1String(tipo)));
    }
    return true;
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

    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return Recusa(e, QStringLiteral("Erro tentando abrir o arquivo ") + caminho);
    QString l10, l11;
    if (!LeLinha(f, l10) || !LeLinha(f, l11))
        return Recusa(e, QStringLiteral("Erro lendo do arquivo ") + caminho);
    f.close();
    if (f.error() != QFileDevice::NoError)
        return Recusa(e, QStringLiteral("Erro fechando o arquivo ") + caminho);
    e.linhaRegistro10 = l10;
    e.linhaRegistro11 = l11;
    Log(LogDetalhe, QStringLiteral("Leu os dois registros do arquivo."));

    if (!ConfereLinha(e, l10, "10", "primeira", "A primeira") ||
        !ConfereLinha(e, l11, "11", "segunda", "A segunda"))
        return false;
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
    const int ano = AnoFimPeriodo(e);
    const QString codigo = CodigoDoRotulo(e.convenio);
    const QString periodo = QStringLiteral("Período de referência inválido para código de "
                                           "identificação de estrutura do Convênio.\r");
    if (codigo == QLatin1String("1") && ano == 2003)
        return periodo + QStringLiteral("Informar código 2 ou superior no campo 10 do registro 10 "
                                        "para fatos geradores ocorridos a partir de 01/01/2003.");
    if ((codigo == QLatin1String("1") || codigo == QLatin1String("2")) && ano > 2003)
        return periodo + QStringLiteral("Informar código 3 no campo 10 do registro 10 para fatos "
                                        "geradores ocorridos a partir de 01/01/2004.");
    return QString();
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
