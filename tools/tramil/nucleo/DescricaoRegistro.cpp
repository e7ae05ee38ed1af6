#include "nucleo/DescricaoRegistro.h"

#include "core/Leiaute.h"
#include "core/Registro90Pares.h"
#include "core/Significados.h"
#include "core/Tabelas.h"
#include "core/Texto.h"
#include "nucleo/Formato.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tramil {

namespace {

namespace sig = kelvor::significados;
namespace tx = kelvor::texto;
using kelvor::Especie;

constexpr std::size_t LimiteExibido = 4096;

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString TituloDoCodigo(std::string_view codigo) {
    const auto t = sig::titulo(codigo);
    return QStringLiteral("Registro ") + Utf8(codigo) +
           (t.empty() ? QString() : QStringLiteral(" - ") + Utf8(t));
}

bool ComecaCom(const char* nome, const char* prefixo) {
    return std::strncmp(nome, prefixo, std::strlen(prefixo)) == 0;
}

// Pedaço do registro no campo; o que passar do fim fica de fora.
std::string_view Trecho(std::string_view r, int inicio, int tamanho) {
    const auto i = static_cast<std::size_t>(inicio - 1);
    return i >= r.size() ? std::string_view() : r.substr(i, static_cast<std::size_t>(tamanho));
}

QString Numero(const kelvor::LeiauteRegistro& l, const kelvor::Campo& c, std::string_view v) {
    if (!tx::soDigitos(v)) return QStringLiteral("não numérico");
    const int casas = sig::decimais(l.codigo, c.inicio);
    const bool percentual = ComecaCom(c.nome, "Alíquota") || ComecaCom(c.nome, "Redução");
    if (casas == 0 && !percentual) return {};
    return FormataDecimal(tx::numero(v), casas) + (percentual ? QStringLiteral("%") : QString());
}

QString Codigo(const kelvor::LeiauteRegistro& l, std::size_t i, std::string_view v,
               const char* naoAchou) {
    const std::string s = sig::significado(l, i, v);
    if (!s.empty()) return QString::fromStdString(s);
    return QString::fromUtf8(naoAchou);
}

QString Interpreta(const kelvor::LeiauteRegistro& l, std::size_t i, std::string_view v) {
    const kelvor::Campo& c = l.campos[i];
    if (v.size() < c.tamanho) return {}; // registro curto: o conteúdo não é o campo inteiro
    switch (c.especie) {
    case Especie::Tipo:
        return i == 0 || c.tamanho == 1 ? Utf8(sig::titulo(l.codigo)) : QString();
    case Especie::N:
        return Numero(l, c, v);
    case Especie::Data:
    case Especie::DataOpcional: {
        if (c.especie == Especie::DataOpcional && tx::soZeros(v)) return QStringLiteral("sem data");
        const QString d = FormataData(v);
        return d.isEmpty() || kelvor::tabelas::dataValida(v) == 0 ? QStringLiteral("data inválida")
                                                                  : d;
    }
    case Especie::MesAno:
        return kelvor::tabelas::mesAnoValido(v)
                   ? QString::fromLatin1(v.data(), 2) + QLatin1Char('/') +
                         QString::fromLatin1(v.data() + 2, 4)
                   : QStringLiteral("mês/ano inválido");
    case Especie::CnpjInformante:
    case Especie::CnpjContraparte:
    case Especie::CnpjOpcional: {
        if (!tx::soDigitos(v)) return QStringLiteral("não numérico");
        if (tx::soZeros(v)) return QStringLiteral("zeros (sem CNPJ ou CPF)");
        const QString f = FormataCnpjCpf(v);
        return f.size() == 14 ? QStringLiteral("CPF ") + f : QStringLiteral("CNPJ ") + f;
    }
    case Especie::IE:
    case Especie::IEInformante:
    case Especie::IEOpcional:
    case Especie::IEFavorecida: {
        const auto t = tx::semBrancos(v);
        if (t == "ISENTO") return QStringLiteral("isento de inscrição estadual");
        if (t == "INEXISTENTE") return QStringLiteral("sem inscrição na UF favorecida");
        if (t.empty()) return QStringLiteral("(em branco)");
        return {};
    }
    case Especie::UF:
    case Especie::UFouEX:
    case Especie::UFOpcional:
        if (c.especie == Especie::UFOpcional && tx::emBranco(v))
            return QStringLiteral("(em branco)");
        return Codigo(l, i, v, "UF desconhecida");
    case Especie::CFOP:
        return Codigo(l, i, v, "CFOP fora da tabela");
    case Especie::Modelo:
        return Codigo(l, i, v, "modelo desconhecido");
    case Especie::Codigo2:
    case Especie::Codigo:
    case Especie::CodigoAdvertencia:
    case Especie::SituacaoTributaria:
        return Codigo(l, i, v, "código fora da tabela");
    case Especie::Item54: {
        const auto n = tx::numero(v);
        if (n < 0) return QStringLiteral("não numérico");
        if (n >= 1 && n <= 990) return QStringLiteral("item ") + QString::number(n);
        return Codigo(l, i, v, "número de item fora da tabela");
    }
    case Especie::Brancos:
        return tx::emBranco(v) ? QString() : QStringLiteral("deveria estar em branco");
    case Especie::Zeros:
        return tx::soZeros(v) ? QString() : QStringLiteral("deveria estar com zeros");
    case Especie::X:
    case Especie::Obrigatorio:
        return tx::emBranco(v) ? QStringLiteral("(em branco)") : QString();
    }
    return {};
}

CampoExibido Exibe(int numero, const char* nome, int inicio, int tamanho, std::string_view r) {
    CampoExibido c;
    c.numero = numero;
    c.nome = QString::fromUtf8(nome);
    c.inicio = inicio;
    c.tamanho = tamanho;
    const auto v = Trecho(r, inicio, tamanho);
    c.conteudo = TextoDoArquivo(v);
    c.incompleto = static_cast<int>(v.size()) < tamanho;
    return c;
}

void Descreve90(std::string_view r, RegistroExibido& e) {
    namespace r90 = kelvor::cruzado::registro90;
    int n = 0;
    for (const auto& f : sig::camposFixos90()) {
        if (f.inicio > r90::PrimeiraColuna) continue; // a quantidade vem depois dos pares
        auto c = Exibe(++n, f.nome, f.inicio, f.tamanho, r);
        if (n == 1) c.significado = Utf8(sig::titulo("90"));
        if (f.especie == Especie::CnpjInformante && !c.incompleto)
            c.significado = FormataCnpjCpf(Trecho(r, f.inicio, f.tamanho));
        e.campos.push_back(c);
    }
    std::string completo(r.substr(0, 126));
    completo.resize(126, ' ');
    const auto pares = r90::lePares(completo);
    int livre = r90::PrimeiraColuna;
    for (const auto& p : pares) {
        if (p.estado == r90::EstadoPar::Vazio) continue;
        auto t = Exibe(++n, r90::NomeTipo, p.coluna, 2, r);
        if (p.tipo == 99)
            t.significado = QStringLiteral("Total geral do arquivo");
        else if (p.tipo >= 0)
            t.significado = TituloDoCodigo(
                std::string(completo.substr(static_cast<std::size_t>(p.coluna - 1), 2)));
        e.campos.push_back(t);
        auto q = Exibe(++n, r90::NomeTotal, p.coluna + 2, r90::LarguraTotal, r);
        if (p.estado == r90::EstadoPar::Valido)
            q.significado = FormataInteiro(p.total);
        else if (p.estado == r90::EstadoPar::TotalInvalido)
            q.significado = QStringLiteral("não numérico");
        e.campos.push_back(q);
        livre = p.coluna + r90::LarguraPar;
    }
    const int ultimo = sig::camposFixos90().back().inicio;
    if (livre < ultimo) e.campos.push_back(Exibe(++n, r90::NomeBrancos, livre, ultimo - livre, r));
    for (const auto& f : sig::camposFixos90())
        if (f.inicio > r90::PrimeiraColuna)
            e.campos.push_back(Exibe(++n, f.nome, f.inicio, f.tamanho, r));
}

} // namespace

RegistroExibido DescreveRegistro(std::string_view r) {
    RegistroExibido e;
    const kelvor::LeiauteRegistro* l = kelvor::leiautePara(r);
    if (!l) {
        e.titulo = QStringLiteral("Tipo de registro desconhecido");
        e.aviso = r.empty()
                      ? QStringLiteral("Linha vazia.")
                      : QStringLiteral("Tipo de registro desconhecido: ") +
                            TextoDoArquivo(r.substr(0, r.size() > 2 && (r.substr(0, 2) == "60" ||
                                                                        r.substr(0, 2) == "61")
                                                           ? 3
                                                           : 2)) +
                            QLatin1Char('.');
        // Uma "linha" pode ser o arquivo inteiro (arquivo sem quebras): o painel mostra o começo.
        if (!r.empty())
            e.campos.push_back(
                Exibe(1, "Registro", 1,
                      static_cast<int>(std::min<std::size_t>(r.size(), LimiteExibido)), r));
        return e;
    }
    e.codigo = Utf8(l->codigo);
    e.titulo = TituloDoCodigo(l->codigo);
    if (r.size() != 126)
        e.aviso = QStringLiteral("Registro com ") + QString::number(r.size()) +
                  QStringLiteral(" posições (deve ter 126).");
    if (l->codigo == "90") {
        Descreve90(r, e);
        return e;
    }
    if (l->codigo == "88") {
        // Leiaute de cada UF: só o tipo é comum.
        auto t = Exibe(1, "Tipo", 1, 2, r);
        t.significado = Utf8(sig::titulo("88"));
        e.campos.push_back(t);
        e.campos.push_back(Exibe(2, "Dados definidos pela UF", 3, 124, r));
        return e;
    }
    for (std::size_t i = 0; i < l->campos.size(); ++i) {
        const kelvor::Campo& f = l->campos[i];
        auto c = Exibe(static_cast<int>(i) + 1, f.nome, f.inicio, f.tamanho, r);
        c.significado = Interpreta(*l, i, Trecho(r, f.inicio, f.tamanho));
        e.campos.push_back(c);
    }
    return e;
}

int CampoNaColuna(const RegistroExibido& r, int coluna) {
    for (std::size_t i = 0; i < r.campos.size(); ++i) {
        const auto& c = r.campos[i];
        if (coluna >= c.inicio && coluna < c.inicio + c.tamanho) return static_cast<int>(i);
    }
    return -1;
}

} // namespace tramil
