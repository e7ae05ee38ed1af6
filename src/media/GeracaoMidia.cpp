#include "media/GeracaoMidia.h"

#include "common/Caminhos.h"
#include "common/Formatos.h"
#include "common/Numeros.h"
#include "common/Windows1252.h"
#include "engine/Bibliotecas.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "media/SegundoPlano.h"
#include "midia/ChavesMidia.h"
#include "platform/Plataforma.h"
#include "validation/Arquivos.h"
#include "validation/ArquivosTrabalho.h"
#include "validation/Descricoes.h"
#include "validation/Motor.h"
#include "validation/Sessao.h"
#include "validation/Validacao.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

namespace korventa {

namespace {

constexpr int TamanhoMensagem = 1000;
constexpr int TamanhoFixoCabecalho = 502;

// Descrição de um erro do sistema em português, para as mensagens "Erro9" e "Excecao".
QString DescricaoErro(int numero) {
    switch (numero) {
    case ENOENT:
        return QStringLiteral("Arquivo não encontrado");
    case EACCES:
    case EPERM:
        return QStringLiteral("Permissão negada");
    case ENOSPC:
        return QStringLiteral("Disco cheio");
    case EROFS:
        return QStringLiteral("Disco somente leitura");
    default:
        return QString::fromLocal8Bit(std::strerror(numero));
    }
}

// Falha inesperada de um passo: número, descrição e o contexto do passo.
struct Falha {
    int numero = 0;
    QString descricao;
    bool criando = false; // o arquivo nem chegou a ser criado
};

QString TextoErro9(const Falha& f, const QString& contexto) {
    return QStringLiteral("Erro9 %1 (%2\r fonte: %3) %4")
        .arg(f.numero)
        .arg(f.descricao, QString::fromLatin1(TituloPrograma), contexto);
}

// Grava as linhas (Windows-1252, cada uma terminada em CR LF) por um temporário ao lado.
std::optional<Falha> GravaLinhas(const QString& caminho, const QStringList& linhas) {
    QSaveFile f(caminho);
    errno = 0;
    const bool aberto = f.open(QIODevice::WriteOnly);
    if (aberto) {
        QByteArray bytes;
        for (const QString& l : linhas)
            bytes += ParaWindows1252(l) + "\r\n";
        if (f.write(bytes) == bytes.size() && f.commit()) return std::nullopt;
    }
    const int numero = errno ? errno : EIO;
    return Falha{numero, f.errorString().isEmpty() ? DescricaoErro(numero) : f.errorString(),
                 !aberto};
}

// Contexto do passo: "ao tentar criar" quando o arquivo nem abriu, senão "ao tentar escrever em".
QString Contexto(const Falha& f, const QString& caminho) {
    return (f.criando ? QStringLiteral("ao tentar criar ")
                      : QStringLiteral("ao tentar escrever em ")) +
           caminho;
}

// Ponteiro normal de volta em toda saída.
class Ocupado {
public:
    explicit Ocupado(Plataforma& p) : p_(p) {}
    void liga() {
        p_.cursorOcupado(true);
        ligado_ = true;
    }
    ~Ocupado() {
        if (ligado_) p_.cursorOcupado(false);
    }

private:
    Plataforma& p_;
    bool ligado_ = false;
};

// Chama uma função da biblioteca que devolve 0 no sucesso e uma mensagem no buffer.
QString ErroBiblioteca(std::int32_t resultado, const char* buffer) {
    return QStringLiteral("Erro %1: ").arg(resultado) + TextoDoMotor(buffer, TamanhoMensagem);
}

qint64 Tamanho(const QString& caminho) {
    QFileInfo i(caminho);
    return i.exists() ? i.size() : 0;
}

} // namespace

QStringList LinhasResumoValidacao(const ArquivoAberto& e, const QString& versaoValkora2,
                                  const QString& versaoValidador) {
    QStringList l{e.linhaRegistro10, e.linhaRegistro11};
    for (int r = 1; r <= 21; ++r) {
        QString linha = r <= 20 ? QString::number(TiposRegistro[r]).right(2) + QLatin1Char(' ')
                                : QStringLiteral("   ");
        for (int c = 0; c < 5; ++c) {
            linha += e.totalizadores[c][r].rightJustified(13);
            if (c < 4) linha += QLatin1Char(' ');
        }
        l << linha;
    }
    l << versaoValkora2 << QString::number(e.resultado) << e.protocolo << e.crcArquivo
      << versaoValidador;
    QString totais;
    for (int i = 0; i <= 30; ++i)
        totais += e.totaisRegistro[i] + QLatin1Char(' ');
    l << totais;
    return l;
}

QStringList LinhasComprovante(const ArquivoAberto& e) {
    return {
        QStringLiteral("  Protocolo KORVENTA: ") + e.protocolo,
        QStringLiteral("  CNPJ: ") + FormataCNPJ(e.cnpj),
        QStringLiteral("  CRC do arquivo: ") + e.crcArquivo,
        QString(),
        QStringLiteral("  Apontamos  o  recebimento  do  arquivo  descrito  acima.   Para  sua"),
        QStringLiteral("maior segurança quanto  à  entrega  de  seus documentos,  recomendamos"),
        QStringLiteral("verificar  na  caixa postal  que V.Sa. escolheu  quando da transmissão"),
        QStringLiteral("do arquivo, os  recibos  definitivos  dos  documentos  remetidos."),
        QString(),
        QStringLiteral("Comprovante de transmissão  representativo de  documentos  (sem  valor"),
        QStringLiteral("fiscal). Este comprovante será substituído pelo recibo definitivo após"),
        QStringLiteral("o processamento das informações."),
        QString()};
}

bool FazArquivosGia(const ArquivoAberto& e) {
    if (e.dataFinal.mid(6, 4).toInt() > 2002) return true;
    return !CodigoDoRotulo(e.convenio).startsWith(QLatin1Char('1'));
}

QString CabecalhoIdentificacao(const ArquivoAberto& e) {
    QString c = e.protocolo.leftJustified(10, QLatin1Char(' '), true) +
                e.cnpj.leftJustified(14, QLatin1Char(' '), true) +
                e.inscricaoEstadual.leftJustified(14, QLatin1Char(' '), true) +
                e.uf.leftJustified(2, QLatin1Char(' '), true) + e.linhaRegistro10;
    if (c.size() > TamanhoFixoCabecalho) return QString();
    return c.leftJustified(TamanhoFixoCabecalho) + e.crcArquivo + QStringLiteral("01");
}

bool VarianteEspecial(const ArquivoAberto& e) {
    return CodigoDoRotulo(e.natureza).startsWith(QLatin1Char('3')) && e.uf == QLatin1String("PB");
}

void GeraArquivoMidia(Sessao& s, int n, const QString& caminhoMidia) {
    Log(LogOperacao, QStringLiteral("GeraArquivoMidia(%1)...").arg(NumeroComBrancoInicial(n)));
    ArquivoAberto& e = s.arquivos[n];
    const auto falha = [&](const QString& texto) {
        Log(LogDetalhe, texto);
        e.mensagem = texto;
    };
    e.mensagem.clear();
    // A troca vai para o campo mensagem, como toda falha: quem chama mostra uma vez só.
    if (!VerificaDataHoraArquivo(s, n, false)) {
        e.mensagem = QStringLiteral("O arquivo foi trocado! Abra novamente.");
        return;
    }

    // O arquivo de totais por CFOP tem de ser o que a validação deixou.
    const QString totaisEntrada = CaminhoTotaisCFOP(s, n);
    {
        QFileInfo info(totaisEntrada);
        if (!info.exists()) {
            const QString texto =
                QStringLiteral("Excecao %1 (%2\r fonte: %3) ao acessar\ro arquivo %4")
                    .arg(ENOENT)
                    .arg(DescricaoErro(ENOENT), QString::fromLatin1(TituloPrograma), totaisEntrada);
            Log(LogDetalhe, texto);
            e.mensagem = texto + QStringLiteral("\rValide novamente.");
            return;
        }
        if (info.lastModified() != e.dataHoraTotaisCFOP ||
            info.size() != qint64(e.tamanhoTotaisCFOP)) {
            e.mensagem = QStringLiteral(
                "O arquivo de totalizadores por CFOP foi trocado! Valide novamente.");
            return;
        }
    }
    // Nunca gravar a mídia por cima do próprio arquivo fiscal.
    if (QFileInfo(caminhoMidia).exists() &&
        QFileInfo(caminhoMidia).canonicalFilePath() == QFileInfo(e.caminho).canonicalFilePath()) {
        falha(QStringLiteral("A mídia não pode ser gravada sobre o arquivo fiscal."));
        return;
    }

    e.caminhoMidia = caminhoMidia;
    Ocupado ocupado(s.plataforma);
    ocupado.liga();
    s.plataforma.processarEventos();

    const QString versaoValidador = TextoVersao(s.versao);
    if (auto f = GravaLinhas(s.caminhoResumo,
                             LinhasResumoValidacao(e, s.versaoValkora2, versaoValidador))) {
        falha(TextoErro9(*f, Contexto(*f, s.caminhoResumo)));
        return;
    }
    if (auto f = GravaLinhas(s.caminhoComprovante, LinhasComprovante(e))) {
        falha(TextoErro9(*f, Contexto(*f, s.caminhoComprovante)));
        return;
    }

    const bool gia = FazArquivosGia(e);
    QFile::remove(s.caminhoTotaisCFOP);
    if (!QFile::rename(totaisEntrada, s.caminhoTotaisCFOP)) {
        const int numero = errno ? errno : EIO;
        falha(TextoErro9({numero, DescricaoErro(numero)},
                         QStringLiteral("ao tentar criar ") + s.caminhoTotaisCFOP));
        return;
    }

    const QStringList arquivosGia{s.caminhoTotaisSituacao, s.caminhoTotaisOutrasIEs,
                                  s.caminhoTotaisPorUF};
    std::array<qint64, 3> tamanhosGia{};
    if (gia) {
        Log(LogDetalhe, QStringLiteral("Gerando arquivos para a GIA..."));
        auto* gerar = KORVENTA_FUNCAO("Kelvor", GerarArquivosParaGia);
        if (!gerar) {
            falha(FalhaDoMotor());
            return;
        }
        char mensagem[TamanhoMensagem] = {};
        const QByteArray fiscal = CaminhoParaMotor(e.caminho);
        const QByteArray a0 = CaminhoParaMotor(arquivosGia[0]),
                         a1 = CaminhoParaMotor(arquivosGia[1]),
                         a2 = CaminhoParaMotor(arquivosGia[2]);
        const std::int32_t r =
            ExecutaEmSegundoPlano(s, QStringLiteral("Gerando arquivos de totais..."), [&] {
                return gerar(fiscal.constData(), a0.constData(), a1.constData(), a2.constData(),
                             mensagem, TamanhoMensagem);
            });
        if (r != 0) {
            falha(ErroBiblioteca(r, mensagem));
            return;
        }
        for (int i = 0; i < 3; ++i) {
            tamanhosGia[i] = Tamanho(arquivosGia[i]);
            if (tamanhosGia[i] == 0) {
                falha(QStringLiteral("Erro na criação de arquivos de totais. Verifique se existe "
                                     "espaço livre no disco e repita a operação."));
                return;
            }
        }
    }

    // Lista de arquivos, versão em três partes e cabeçalho de identificação.
    QString lista = e.caminho + QStringLiteral(",txt,1;") + s.caminhoResumo +
                    QStringLiteral(",resumo,0;") + s.caminhoTotaisCFOP + QStringLiteral(",CFOP,0;");
    if (gia)
        for (const QString& a : arquivosGia)
            lista += a + QStringLiteral(",CFOP,0;");
    const QStringList versao = versaoValidador.split(QLatin1Char('.'));
    const QString cabecalho = CabecalhoIdentificacao(e);
    if (cabecalho.isEmpty()) {
        falha(QStringLiteral("O registro 10 do arquivo tem mais de 462 caracteres: a mídia não "
                             "pode ser gerada."));
        return;
    }

    const auto chaveUF = midia::ChaveDaUF(e.uf.toUpper().toStdString());
    if (!chaveUF) {
        falha(QStringLiteral("A UF do contribuinte ") + e.uf + QStringLiteral(" é inválida!"));
        return;
    }
    std::string chaveEstado = *chaveUF, chaveComum = midia::ChaveComum();
    if (s.versao.maior == 0) chaveEstado.clear(), chaveComum.clear();
    const bool especial = VarianteEspecial(e);
    const std::string& chave =
        CodigoDoRotulo(e.natureza) == QLatin1String("3") ? chaveEstado : chaveComum;

    auto* gravar = KORVENTA_FUNCAO("GerarMidiaQIV", GerarMidiaQivEx);
    if (!gravar) {
        falha(FalhaDoMotor());
        return;
    }
    auto* progresso = KORVENTA_FUNCAO("GerarMidiaQIV", ProgressoGerarMidiaQIV);
    Log(LogDetalhe, QStringLiteral("Chamando GerarMidia..."));
    const QByteArray aLista = CaminhoParaMotor(lista), aMidia = CaminhoParaMotor(caminhoMidia),
                     aComprovante = CaminhoParaMotor(s.caminhoComprovante),
                     aCabecalho = TextoParaMotor(cabecalho),
                     aConvencao = TextoParaMotor(especial ? QStringLiteral("Convênio GIMPB")
                                                          : QStringLiteral("CONV579532v2")),
                     aV0 = TextoParaMotor(versao.value(0)), aV1 = TextoParaMotor(versao.value(1)),
                     aV2 = TextoParaMotor(versao.value(2));
    const std::string variante = midia::ChaveVariante(especial);
    char mensagem[TamanhoMensagem] = {};
    const std::int32_t r = ExecutaEmSegundoPlano(
        s, QStringLiteral("Gerando a mídia..."),
        [&] {
            return gravar(aLista.constData(), aMidia.constData(), aComprovante.constData(),
                          especial ? "CL_ESPECIAL" : "CL_PADRAO", especial ? "GIM" : "",
                          aConvencao.constData(), variante.c_str(), "01", aV0.constData(),
                          aV1.constData(), aV2.constData(), especial ? "PB" : "",
                          aCabecalho.constData(), chave.c_str(), mensagem, TamanhoMensagem);
        },
        progresso ? std::function<int()>([progresso] { return int(progresso()); })
                  : std::function<int()>());
    Log(LogDetalhe, QStringLiteral("Terminou GerarMidia..."));
    if (r != 0) {
        falha(ErroBiblioteca(r, mensagem));
        return;
    }

    if (gia)
        for (int i = 0; i < 3; ++i)
            if (Tamanho(arquivosGia[i]) != tamanhosGia[i]) {
                falha(QStringLiteral("Arquivos de totais foram danificados. Repita a operação."));
                return;
            }

    const QFileInfo midia(caminhoMidia);
    if (!midia.exists()) {
        falha(TextoErro9({ENOENT, DescricaoErro(ENOENT)},
                         QStringLiteral("ao tentar acessar ") + caminhoMidia));
        return;
    }
    e.dataHoraMidia = midia.lastModified();
    e.tamanhoMidia = static_cast<std::int32_t>(midia.size());

    for (const QString& a : {s.caminhoResumo, s.caminhoTotaisCFOP, s.caminhoTotaisSituacao,
                             s.caminhoTotaisOutrasIEs, s.caminhoTotaisPorUF, s.caminhoComprovante})
        QFile::remove(a);
    e.mensagem.clear();
    Log(LogOperacao, QStringLiteral("Fim GeraArquivoMidia."));
}

} // namespace korventa
