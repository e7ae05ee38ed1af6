#include "media/TotaisCFOPRegistro.h"

#include "common/Formatos.h"
#include "common/Texto.h"
#include "common/TotaisCFOP.h"
#include "validation/ArquivoAberto.h"

#include <QHash>

namespace korventa {

void SomaDecimal::soma(const QString& digitos) {
    // Os campos têm 15 dígitos; um maior é somado pelas duas partes (até 33 dígitos).
    if (digitos.size() > 33) return;
    for (QChar c : digitos)
        if (c < u'0' || c > u'9') return;
    const qsizetype corte = std::max<qsizetype>(0, digitos.size() - 15);
    baixo_ += digitos.mid(corte).toLongLong();
    if (corte > 0) alto_ += digitos.left(corte).toLongLong();
    alto_ += baixo_ / Base;
    baixo_ %= Base;
}

QString SomaDecimal::texto() const {
    const QString digitos =
        alto_ == 0
            ? QString::number(baixo_)
            : QString::number(alto_) + QStringLiteral("%1").arg(baixo_, 15, 10, QLatin1Char('0'));
    return FormataValor(TiraZerosEsquerda(digitos));
}

QStringList LinhasTotaisCFOP(const QStringList& linhas) {
    QStringList r;
    for (QString l : linhas) {
        while (l.endsWith(QLatin1Char('\r')) || l.endsWith(QLatin1Char('\n')))
            l.chop(1);
        if (!l.trimmed().isEmpty()) r << l;
    }
    return r;
}

bool CfopDeEntrada(const QString& cfop) {
    return cfop >= QLatin1String("1000") && cfop <= QLatin1String("3999");
}

bool CfopDeSaida(const QString& cfop) {
    return cfop >= QLatin1String("5000") && cfop <= QLatin1String("7999");
}

QVector<QStringList> LinhasTotaisRegCFOP(const QStringList& totais) {
    QVector<QStringList> r;
    for (const QString& l : LinhasTotaisCFOP(totais)) {
        QStringList celulas(13, QStringLiteral(" "));
        for (int campo = 0; campo <= 11; ++campo) {
            int coluna = -1;
            const QString texto = CelulaTotalRegCFOP(campo, l, coluna);
            if (coluna >= 0 && coluna < 13 && texto != QLatin1String(" ")) celulas[coluna] = texto;
        }
        // No 60A o campo da alíquota traz a situação tributária ("I", "N", "F" ou a alíquota):
        // letras aparecem como estão, não como valor.
        const QString aliquota = CampoTotalCFOP(2, l);
        bool numerico = !aliquota.trimmed().isEmpty();
        for (QChar c : aliquota)
            numerico = numerico && c.isDigit();
        if (celulas[4] != QLatin1String(" ") && !numerico) celulas[4] = aliquota.trimmed();
        r << celulas;
    }
    return r;
}

QVector<QStringList> LinhasTotaisPorCFOP(const QStringList& totais) {
    // Coluna da lista (sem "CFOP") -> campo somado e tipos que somam.
    struct Soma {
        int campo;
        std::array<const char*, 2> tipos;
    };
    static const std::array<Soma, 10> Colunas{{
        {3, {"50", "70"}},
        {4, {"50", "70"}},
        {5, {"50", "70"}},
        {6, {"50", "70"}},
        {7, {"50", "70"}},
        {10, {"54", nullptr}},
        {9, {"53", nullptr}},
        {5, {"53", nullptr}},
        {11, {"54", nullptr}},
        {8, {"54", nullptr}},
    }};
    QStringList ordem;
    QHash<QString, std::array<SomaDecimal, 10>> somas;
    for (const QString& l : LinhasTotaisCFOP(totais)) {
        const QString tipo = CampoTotalCFOP(0, l);
        if (tipo != u"50" && tipo != u"51" && tipo != u"53" && tipo != u"54" && tipo != u"70")
            continue;
        const QString cfop = CampoTotalCFOP(1, l);
        if (!somas.contains(cfop)) ordem << cfop;
        auto& s = somas[cfop];
        for (std::size_t c = 0; c < Colunas.size(); ++c)
            for (const char* t : Colunas[c].tipos)
                if (t && tipo == QLatin1String(t)) s[c].soma(CampoTotalCFOP(Colunas[c].campo, l));
    }
    QVector<QStringList> r;
    for (const QString& cfop : ordem) {
        QStringList linha{cfop};
        for (const SomaDecimal& s : somas[cfop])
            linha << s.texto();
        r << linha;
    }
    return r;
}

namespace {

// Seção da lista por registro: legendas das colunas 1 a 4 e o campo de cada uma (-1: vazia).
struct Secao {
    const char* titulo;
    const char* tipo;
    bool porSentido; // linhas "Entrada" e "Saída"; senão uma linha só
    std::array<const char*, 4> legendas;
    std::array<int, 4> campos;
};

const std::array<Secao, 7>& Secoes() {
    static const std::array<Secao, 7> s{{
        {"Registro 50",
         "50",
         true,
         {"Valor Contábil", "Base de Cálculo", "ICMS", ""},
         {3, 4, 5, -1}},
        {"Registro 51", "51", true, {"Valor Contábil", "", "IPI", ""}, {3, -1, 10, -1}},
        {"Registro 53",
         "53",
         true,
         {"Desp. Acessórias", "Base de Cálculo", "ICMS Retido", ""},
         {8, 9, 5, -1}},
        {"Registro 54",
         "54",
         true,
         {"Valor Total", "Base de Cálculo", "Desconto", "Desp.Acessórias"},
         {3, 4, 11, 8}},
        // O campo 3 do 60A é o valor de todas as situações tributárias somadas.
        {"Registro 60A",
         "60",
         false,
         {"Valor Contábil", "Base de Cálculo", "ICMS", ""},
         {3, 4, 5, -1}},
        {"Registro 61",
         "61",
         false,
         {"Valor Contábil", "Base de Cálculo", "ICMS", ""},
         {3, 4, 5, -1}},
        {"Registro 70",
         "70",
         true,
         {"Valor Contábil", "Base de Cálculo", "ICMS", ""},
         {3, 4, 5, -1}},
    }};
    return s;
}

// Somas dos campos de um tipo: [0] entradas, [1] saídas, [2] todas as linhas.
std::array<std::array<SomaDecimal, 4>, 3> SomasDoTipo(const QStringList& linhas, const char* tipo,
                                                      const std::array<int, 4>& campos) {
    std::array<std::array<SomaDecimal, 4>, 3> s{};
    for (const QString& l : linhas) {
        if (CampoTotalCFOP(0, l) != QLatin1String(tipo)) continue;
        const QString cfop = CampoTotalCFOP(1, l);
        for (int c = 0; c < 4; ++c) {
            if (campos[c] < 0) continue;
            const QString v = CampoTotalCFOP(campos[c], l);
            s[2][c].soma(v);
            if (CfopDeEntrada(cfop)) s[0][c].soma(v);
            if (CfopDeSaida(cfop)) s[1][c].soma(v);
        }
    }
    return s;
}

} // namespace

QVector<LinhaTotaisRegistro> LinhasTotaisPorRegistro(const QStringList& totais) {
    const QStringList linhas = LinhasTotaisCFOP(totais);
    QVector<LinhaTotaisRegistro> r;
    for (const Secao& secao : Secoes()) {
        LinhaTotaisRegistro titulo;
        titulo.titulo = true;
        titulo.textos[0] = QString::fromUtf8(secao.titulo);
        for (int c = 0; c < 4; ++c)
            titulo.textos[c + 1] = QString::fromUtf8(secao.legendas[c]);
        r << titulo;
        const auto somas = SomasDoTipo(linhas, secao.tipo, secao.campos);
        const auto valores = [&](const QString& rotulo, int sentido) {
            LinhaTotaisRegistro v;
            v.textos[0] = rotulo;
            for (int c = 0; c < 4; ++c)
                if (secao.campos[c] >= 0) v.textos[c + 1] = somas[sentido][c].texto();
            r << v;
        };
        if (secao.porSentido) {
            valores(QStringLiteral("Entrada"), 0);
            valores(QStringLiteral("Saída"), 1);
        } else {
            valores(QString(), 2);
        }
        r << LinhaTotaisRegistro{};
    }
    return r;
}

void CalculaSomas(ArquivoAberto& e) {
    const QStringList linhas = LinhasTotaisCFOP(e.totaisCFOP);
    const auto s53 = SomasDoTipo(linhas, "53", {5, 8, 9, -1});
    const auto s54 = SomasDoTipo(linhas, "54", {3, 8, 11, 4});
    for (int c = 0; c < 3; ++c) {
        e.soma53Entrada[c] = s53[0][c].texto();
        e.soma53Saida[c] = s53[1][c].texto();
    }
    for (int c = 0; c < 4; ++c) {
        e.soma54Entrada[c] = s54[0][c].texto();
        e.soma54Saida[c] = s54[1][c].texto();
    }
}

} // namespace korventa
