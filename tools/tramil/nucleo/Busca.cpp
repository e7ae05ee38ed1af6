#include "nucleo/Busca.h"

#include "common/Windows1252.h"
#include "nucleo/Bytes.h"
#include "nucleo/Classes.h"

#include <algorithm>
#include <cstring>

namespace tramil {

namespace {

constexpr std::size_t Janela = std::size_t(4) << 20;
const QString PrefixoFimDeLinha = QStringLiteral("(*ANYCRLF)");
// O texto vem do Windows-1252, sempre válido: conferir o UTF-16 a cada procura tornaria cada
// chamada proporcional ao trecho inteiro.
constexpr auto SemConferir = QRegularExpression::DontCheckSubjectStringMatchOption;

std::size_t semMarcaFinal(std::string_view d) {
    return !d.empty() && d.back() == '\x1A' ? d.size() - 1 : d.size();
}

void minusculas(const char* de, std::size_t n, std::string& para, bool soAscii) {
    para.resize(n);
    if (soAscii) return MinusculasAscii(de, n, para.data());
    const unsigned char* t = TabelaMinusculas();
    for (std::size_t i = 0; i < n; ++i)
        para[i] = static_cast<char>(t[static_cast<unsigned char>(de[i])]);
}

// Texto da janela para a expressão regular: Latin-1 (rápido) e depois só os bytes 0x80-0x9F,
// que no Windows-1252 são outros caracteres.
QString TextoDaJanela(const char* p, std::size_t n) {
    QString t = QString::fromLatin1(p, static_cast<qsizetype>(n));
    QChar* d = t.data();
    for (std::size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        if (b >= 0x80 && b <= 0x9F) d[i] = korventa::DeWindows1252(QByteArray(1, p[i])).at(0);
    }
    return t;
}

// Fim do trecho [de, de + Janela) recuado até depois de um '\n', para a expressão regular ver
// linhas inteiras. Uma linha maior que a janela vai inteira.
std::size_t fimDeJanela(const char* base, std::size_t de, std::size_t fim) {
    if (fim - de <= Janela) return fim;
    std::size_t ate = de + Janela;
    while (ate > de && base[ate - 1] != '\n')
        --ate;
    if (ate > de) return ate;
    const void* nl = std::memchr(base + de + Janela, '\n', fim - de - Janela);
    return nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1 : fim;
}

} // namespace

std::shared_ptr<const Buscador> Buscador::cria(const CriterioBusca& c, QString& erro) {
    if (c.texto.isEmpty()) {
        erro = QStringLiteral("Informe o texto a procurar.");
        return nullptr;
    }
    auto b = std::make_shared<Buscador>();
    b->criterio_ = c;
    if (c.expressaoRegular) {
        QRegularExpression::PatternOptions opcoes = QRegularExpression::MultilineOption;
        if (!c.diferenciaMaiusculas) opcoes |= QRegularExpression::CaseInsensitiveOption;
        // CR LF e LF sozinho terminam a linha: o $ vale antes do CR dos arquivos do Windows.
        b->expressao_ = QRegularExpression(PrefixoFimDeLinha + c.texto, opcoes);
        if (!b->expressao_.isValid()) {
            erro = QStringLiteral("Expressão regular inválida: ") + b->expressao_.errorString() +
                   QStringLiteral(" (posição ") +
                   QString::number(std::max<qsizetype>(0, b->expressao_.patternErrorOffset() -
                                                              PrefixoFimDeLinha.size()) +
                                   1) +
                   QLatin1Char(')');
            return nullptr;
        }
        b->expressao_.optimize();
        return b;
    }
    const QByteArray bytes = korventa::ParaWindows1252(c.texto);
    if (korventa::DeWindows1252(bytes) != c.texto) {
        erro = QStringLiteral("O texto tem caracteres que não existem em arquivos deste tipo.");
        return nullptr;
    }
    b->agulhaAscii_ = std::all_of(bytes.begin(), bytes.end(),
                                  [](char x) { return static_cast<unsigned char>(x) < 0x80; });
    if (c.diferenciaMaiusculas)
        b->agulha_.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    else
        minusculas(bytes.constData(), static_cast<std::size_t>(bytes.size()), b->agulha_, false);
    return b;
}

void Buscador::varre(std::string_view dados, Varredura& v) const {
    if (criterio_.expressaoRegular)
        varreExpressao(dados, v);
    else
        varreLiteral(dados, v);
}

const char* Buscador::procuraLiteral(const char* p, std::size_t n, std::string& copia) const {
    if (criterio_.diferenciaMaiusculas) return ProcuraBytes(p, n, agulha_.data(), agulha_.size());
    minusculas(p, n, copia, agulhaAscii_);
    const char* r = ProcuraBytes(copia.data(), n, agulha_.data(), agulha_.size());
    return r ? p + (r - copia.data()) : nullptr;
}

void Buscador::varreLiteral(std::string_view dados, Varredura& v) const {
    const char* base = dados.data();
    const std::size_t fim = semMarcaFinal(dados);
    const std::size_t n = agulha_.size();
    std::string copia;
    std::size_t de = 0, contadoAte = 0;
    std::int64_t linha = 0; // linha de contadoAte
    while (de < fim && !v.cancelada()) {
        const std::size_t ate = std::min(fim, de + Janela);
        // A janela vai n - 1 bytes além, para achar a ocorrência que atravessa o limite.
        const std::size_t limite = std::min(fim, ate + n - 1);
        const char* janela = base + de;
        if (!criterio_.diferenciaMaiusculas) {
            minusculas(janela, limite - de, copia, agulhaAscii_);
            janela = copia.data();
        }
        std::size_t proxima = ate, o = 0;
        while (o < limite - de) {
            const char* r = ProcuraBytes(janela + o, limite - de - o, agulha_.data(), n);
            if (!r) break;
            const std::size_t pos = de + static_cast<std::size_t>(r - janela);
            linha += ContaQuebras(base + contadoAte, pos - contadoAte);
            v.inclui(linha);
            // A linha já conta: continua na próxima.
            const void* nl = std::memchr(base + pos, '\n', fim - pos);
            if (!nl) {
                contadoAte = pos;
                proxima = fim;
                break;
            }
            const std::size_t s = static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1;
            contadoAte = s;
            ++linha;
            if (s >= ate) {
                proxima = s;
                break;
            }
            o = s - de;
        }
        de = proxima;
        v.progride(static_cast<double>(de) / static_cast<double>(fim));
    }
}

void Buscador::varreExpressao(std::string_view dados, Varredura& v) const {
    const char* base = dados.data();
    const std::size_t fim = semMarcaFinal(dados);
    std::size_t de = 0;
    std::int64_t linha = 0; // linha de `de`
    while (de < fim && !v.cancelada()) {
        const std::size_t ate = fimDeJanela(base, de, fim);
        const QString texto = TextoDaJanela(base + de, ate - de);
        qsizetype pos = 0, contadoAte = 0;
        std::int64_t l = linha;
        while (pos < texto.size()) {
            const auto m =
                expressao_.match(texto, pos, QRegularExpression::NormalMatch, SemConferir);
            if (!m.hasMatch()) break;
            const qsizetype ini = m.capturedStart();
            l += ContaQuebras(base + de + contadoAte, static_cast<std::size_t>(ini - contadoAte));
            v.inclui(l);
            const qsizetype nl = texto.indexOf(QLatin1Char('\n'), ini);
            if (nl < 0) {
                pos = contadoAte = texto.size();
                break;
            }
            pos = contadoAte = nl + 1;
            ++l;
        }
        linha = l + ContaQuebras(base + de + contadoAte,
                                 static_cast<std::size_t>(texto.size() - contadoAte));
        de = ate;
        v.progride(static_cast<double>(de) / static_cast<double>(fim));
    }
}

std::vector<Ocorrencia> Buscador::ocorrencias(std::string_view linha) const {
    std::vector<Ocorrencia> r;
    if (criterio_.expressaoRegular) {
        const QString texto = korventa::DeWindows1252(
            QByteArray::fromRawData(linha.data(), static_cast<qsizetype>(linha.size())));
        auto it = expressao_.globalMatch(texto, 0, QRegularExpression::NormalMatch, SemConferir);
        while (it.hasNext() && r.size() < 1000) {
            const auto m = it.next();
            if (m.capturedLength() > 0)
                r.push_back(
                    {static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength())});
        }
        return r;
    }
    std::string copia;
    std::size_t de = 0;
    while (de < linha.size() && r.size() < 1000) {
        const char* achou = procuraLiteral(linha.data() + de, linha.size() - de, copia);
        if (!achou) break;
        const auto ini = static_cast<std::size_t>(achou - linha.data());
        r.push_back({static_cast<int>(ini), static_cast<int>(agulha_.size())});
        de = ini + agulha_.size();
    }
    return r;
}

Varredura::Trabalho TrabalhoFiltroClasses(std::string_view dados, std::vector<bool> classes) {
    return [dados, classes = std::move(classes)](Varredura& v) {
        const char* base = dados.data();
        const std::size_t fim = semMarcaFinal(dados);
        std::size_t p = 0;
        std::int64_t linha = 0;
        while (p < fim) {
            const std::size_t resto = fim - p;
            const int c = ClasseDe(std::string_view(base + p, std::min<std::size_t>(resto, 3)));
            if (classes[static_cast<std::size_t>(c)]) v.inclui(linha);
            const void* nl = std::memchr(base + p, '\n', resto);
            p = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1 : fim;
            if ((++linha & 0xFFFF) == 0) {
                if (v.cancelada()) return;
                v.progride(static_cast<double>(p) / static_cast<double>(fim));
            }
        }
    };
}

} // namespace tramil
