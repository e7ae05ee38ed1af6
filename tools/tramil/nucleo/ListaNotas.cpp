#include "nucleo/ListaNotas.h"

#include "core/Texto.h"
#include "nucleo/CamposNota.h"
#include "nucleo/Formato.h"
#include "nucleo/Identificacao.h"

#include <QRegularExpression>

namespace tramil {

namespace {

namespace tx = kelvor::texto;

QString Texto(std::string_view s) {
    return TextoDoArquivo(tx::semBrancos(s));
}

QString SituacaoCurta(std::string_view s) {
    if (s.size() != 1) return {};
    switch (s[0]) {
    case 'N':
        return QStringLiteral("N - Normal");
    case 'S':
        return QStringLiteral("S - Cancelado");
    case 'E':
        return QStringLiteral("E - Extemporâneo");
    case 'X':
        return QStringLiteral("X - Extemporâneo cancelado");
    case '2':
        return QStringLiteral("2 - Denegado");
    case '4':
        return QStringLiteral("4 - Inutilizado");
    default:
        return TextoDoArquivo(s);
    }
}

bool Cupom60M(std::string_view r) {
    return r.size() >= 3 && r.substr(0, 3) == "60M";
}

// Número, CFOP e situação de um registro da nota para o filtro.
std::int64_t Numero(std::string_view v) {
    return tx::numero(v);
}

int DataDe(const QString& t, bool& ok) {
    const QString s = t.trimmed();
    const QStringList p = s.split(QLatin1Char('/'));
    ok = false;
    if (p.size() != 3) return 0;
    bool a = false, b = false, c = false;
    const int dia = p[0].toInt(&a), mes = p[1].toInt(&b), ano = p[2].toInt(&c);
    if (!a || !b || !c || dia < 1 || dia > 31 || mes < 1 || mes > 12 || ano < 1900 || ano > 9999)
        return 0;
    ok = true;
    return ano * 10000 + mes * 100 + dia;
}

std::string SoDigitos(const QString& t) {
    std::string r;
    for (QChar c : t)
        if (c.isDigit()) r += static_cast<char>(c.toLatin1());
    return r;
}

bool SoDigitosEBrancos(const QString& t, const QString& outros = QString()) {
    for (QChar c : t)
        if (!c.isDigit() && !c.isSpace() && !outros.contains(c)) return false;
    return true;
}

} // namespace

const QStringList& TitulosColunasNota() {
    static const QStringList t = {
        QStringLiteral("Tipo"),        QStringLiteral("Modelo"),     QStringLiteral("Série"),
        QStringLiteral("Número"),      QStringLiteral("Data"),       QStringLiteral("CNPJ/CPF"),
        QStringLiteral("UF"),          QStringLiteral("CFOP"),       QStringLiteral("Situação"),
        QStringLiteral("Valor total"), QStringLiteral("Conferência")};
    return t;
}

bool NaoConfere(const Documento& d) {
    return d.marcas & (ItensNaoConferem | IcmsNaoConfere | SemPrincipal);
}

QString TextoConferencia(const Documento& d) {
    if (d.marcas & SemPrincipal)
        return d.tipo == TipoDocumento::NotaFiscal   ? QStringLiteral("Sem o registro 50")
               : d.tipo == TipoDocumento::Transporte ? QStringLiteral("Sem o registro 70")
                                                     : QStringLiteral("Sem o registro 60M");
    const bool itens = d.marcas & ItensNaoConferem, icms = d.marcas & IcmsNaoConfere;
    if (itens && icms) return QStringLiteral("Itens e ICMS não conferem");
    if (itens)
        return d.tipo == TipoDocumento::Cupom ? QStringLiteral("Totalizadores não conferem")
                                              : QStringLiteral("Itens não conferem");
    if (icms) return QStringLiteral("ICMS não confere");
    if (d.tipo == TipoDocumento::NotaFiscal && !(d.marcas & TemItens))
        return QStringLiteral("Confere (sem itens)");
    return QStringLiteral("Confere");
}

QStringList ResumeDocumento(const IndiceNotas& ix, std::uint32_t doc) {
    const Documento& d = ix.documentos()[doc];
    const std::string_view r = ix.registroEm(d.deslocamento);
    QStringList c;
    for (int i = 0; i < QuantidadeColunasNota; ++i)
        c << QString();
    c[ColTipo] = d.tipo == TipoDocumento::NotaFiscal   ? QStringLiteral("Nota fiscal")
                 : d.tipo == TipoDocumento::Transporte ? QStringLiteral("Conhecimento")
                                                       : QStringLiteral("Cupom fiscal");
    if (Cupom60M(r)) {
        const auto& k = Campos().r60M;
        c[ColModelo] = Texto(k.modelo.de(r));
        c[ColSerie] = Texto(k.serieFab.de(r));
        c[ColNumero] = QStringLiteral("COO ") + Texto(k.cooInicial.de(r)) + QStringLiteral(" a ") +
                       Texto(k.cooFinal.de(r));
        c[ColData] = FormataData(k.data.de(r));
    } else {
        const Identificacao id = Identifica(r);
        c[ColModelo] = Texto(id.modelo);
        c[ColSerie] = Texto(id.serie);
        c[ColNumero] = Texto(id.numero);
        c[ColData] = FormataData(id.data);
        c[ColCnpj] = FormataCnpjCpf(id.cnpj);
        c[ColUf] = Texto(id.uf);
        c[ColCfop] =
            Texto(id.cfop) + (d.marcas & VariosCfops ? QStringLiteral(" e outros") : QString());
        c[ColSituacao] = SituacaoCurta(id.situacao);
    }
    if (!(d.marcas & SemPrincipal)) c[ColValor] = FormataDecimal(d.total, 2);
    c[ColConferencia] = TextoConferencia(d);
    return c;
}

std::optional<CriterioNotas> CriterioNotas::de(const FiltroNotas& f, QString& erro) {
    CriterioNotas c;
    if (!f.numero.trimmed().isEmpty()) {
        if (!SoDigitosEBrancos(f.numero)) {
            erro = QStringLiteral("O número do documento tem só algarismos.");
            return std::nullopt;
        }
        c.numero_ = tx::numero(SoDigitos(f.numero));
    }
    if (!f.cnpj.trimmed().isEmpty()) {
        if (!SoDigitosEBrancos(f.cnpj, QStringLiteral("./-"))) {
            erro = QStringLiteral("O CNPJ ou CPF tem só algarismos, pontos, barra e traço.");
            return std::nullopt;
        }
        c.cnpj_ = SoDigitos(f.cnpj);
    }
    const QString data = f.data.trimmed();
    if (!data.isEmpty()) {
        QStringList partes =
            data.split(QRegularExpression(QStringLiteral("\\s*(-|\\sa\\s|\\saté\\s)\\s*")));
        bool ok1 = false, ok2 = true;
        c.dataDe_ = DataDe(partes.value(0), ok1);
        c.dataAte_ = partes.size() > 1 ? DataDe(partes.value(1), ok2) : c.dataDe_;
        if (!ok1 || !ok2 || partes.size() > 2 || c.dataAte_ < c.dataDe_) {
            erro = QStringLiteral("Informe a data como dd/mm/aaaa, ou um período como "
                                  "dd/mm/aaaa a dd/mm/aaaa.");
            return std::nullopt;
        }
    }
    if (!f.cfop.trimmed().isEmpty()) {
        c.cfop_ = SoDigitos(f.cfop);
        if (c.cfop_.empty() || c.cfop_.size() > 4 ||
            !SoDigitosEBrancos(f.cfop, QStringLiteral("."))) {
            erro = QStringLiteral("O CFOP tem até quatro algarismos (o começo dele basta).");
            return std::nullopt;
        }
    }
    c.situacao_ = f.situacao.isNull() ? 0 : static_cast<char>(f.situacao.toLatin1());
    c.tipo_ = f.tipo;
    c.soNaoConferem_ = f.soNaoConferem;
    return c;
}

bool CriterioNotas::vazio() const {
    return numero_ < 0 && cnpj_.empty() && dataDe_ == 0 && cfop_.empty() && situacao_ == 0 &&
           tipo_ < 0 && !soNaoConferem_;
}

bool CriterioNotas::aceita(const IndiceNotas& ix, std::uint32_t doc) const {
    const Documento& d = ix.documentos()[doc];
    if (tipo_ >= 0 && static_cast<int>(d.tipo) != tipo_) return false;
    if (soNaoConferem_ && !NaoConfere(d)) return false;
    if (vazio()) return true;
    const std::string_view r = ix.registroEm(d.deslocamento);
    if (Cupom60M(r)) {
        // Cupom: o número é um COO do dia; não tem CNPJ, CFOP nem situação.
        const auto& k = Campos().r60M;
        if (!cnpj_.empty() || !cfop_.empty() || situacao_ != 0) return false;
        if (numero_ >= 0 &&
            (numero_ < Numero(k.cooInicial.de(r)) || numero_ > Numero(k.cooFinal.de(r))))
            return false;
        const auto data = Numero(k.data.de(r));
        return dataDe_ == 0 || (data >= dataDe_ && data <= dataAte_);
    }
    const Identificacao id = Identifica(r);
    if (numero_ >= 0 && Numero(id.numero) != numero_) return false;
    if (!cnpj_.empty() && id.cnpj.find(cnpj_) == std::string_view::npos) return false;
    if (dataDe_ != 0) {
        const auto data = Numero(id.data);
        if (data < dataDe_ || data > dataAte_) return false;
    }
    if (situacao_ != 0 && (id.situacao.size() != 1 || id.situacao[0] != situacao_)) return false;
    if (!cfop_.empty()) {
        if (id.cfop.substr(0, cfop_.size()) == cfop_) return true;
        if (!(d.marcas & VariosCfops)) return false;
        // Os outros registros principais do documento (um por CFOP).
        bool achou = false;
        ix.paraCadaRegistro(doc, [&](std::string_view reg, std::uint64_t) {
            if (!achou && reg.substr(0, 2) == r.substr(0, 2))
                achou = Identifica(reg).cfop.substr(0, cfop_.size()) == cfop_;
        });
        return achou;
    }
    return true;
}

Varredura::Trabalho TrabalhoFiltroNotas(const IndiceNotas& ix, CriterioNotas criterio) {
    return [&ix, criterio](Varredura& v) {
        const auto n = static_cast<std::uint32_t>(ix.documentos().size());
        for (std::uint32_t i = 0; i < n; ++i) {
            if (criterio.aceita(ix, i)) v.inclui(i);
            if ((i & 0xFFFF) == 0xFFFF) {
                if (v.cancelada()) return;
                v.progride(static_cast<double>(i) / static_cast<double>(n));
            }
        }
    };
}

} // namespace tramil
