#include "common/TotaisCFOP.h"

#include "common/Formatos.h"
#include "common/Texto.h"

#include <initializer_list>

namespace korventa {

namespace {

const QString Branco = QStringLiteral(" ");

bool EhUmDe(const QString& tipo, std::initializer_list<const char16_t*> tipos) {
    for (const char16_t* t : tipos) {
        if (tipo == QStringView(t)) return true;
    }
    return false;
}

} // namespace

QString CampoTotalCFOP(int coluna, const QString& linha) {
    if (coluna < 0 || coluna > 11) return Branco;
    // No leiaute antigo o CFOP tem 3 dígitos e tudo depois dele vem uma posição antes.
    const qsizetype recuo = linha.size() == 145 ? 1 : 0;
    if (coluna == 0) return linha.mid(0, 2);
    if (coluna == 1) return linha.mid(2, 4 - recuo);
    if (coluna == 2) return linha.mid(6 - recuo, 4);
    const QString campo = linha.mid(10 - recuo + 15 * (coluna - 3), 15);
    if (coluna == 11 && campo.size() < 2) return QStringLiteral("0");
    return campo;
}

QString CelulaTotalRegCFOP(int coluna, const QString& linha, int& indiceFonte) {
    if (coluna < 0 || coluna > 11) return Branco;
    const QString tipo = CampoTotalCFOP(0, linha);
    if (coluna == 0) {
        indiceFonte = 0;
        return tipo == u"60" ? QStringLiteral("60A") : tipo;
    }
    if (coluna == 1) {
        indiceFonte = 1;
        return CampoTotalCFOP(1, linha);
    }
    bool aplica = false;
    switch (coluna) {
    case 2:
        indiceFonte = 4;
        aplica = !EhUmDe(tipo, {u"70", u"53", u"51"});
        break;
    case 3:
        indiceFonte = 2;
        aplica = !EhUmDe(tipo, {u"53", u"60"});
        break;
    case 4:
        indiceFonte = 3;
        aplica = !EhUmDe(tipo, {u"53", u"51"});
        break;
    case 5:
        indiceFonte = tipo == u"53" ? 10 : 5;
        aplica = !EhUmDe(tipo, {u"54", u"51"});
        break;
    case 6:
        indiceFonte = 6;
        aplica = !EhUmDe(tipo, {u"54", u"53"});
        break;
    case 7:
        indiceFonte = 7;
        aplica = !EhUmDe(tipo, {u"54", u"53"});
        break;
    case 8:
        indiceFonte = tipo == u"54" ? 12 : 11;
        aplica = tipo == u"54";
        break;
    case 9:
        indiceFonte = 9;
        aplica = EhUmDe(tipo, {u"60", u"54", u"53"});
        break;
    case 10:
        indiceFonte = 8;
        aplica = EhUmDe(tipo, {u"54", u"51"});
        break;
    default: // 11
        indiceFonte = 11;
        aplica = tipo == u"54";
        break;
    }
    return aplica ? FormataValor(TiraZerosEsquerda(CampoTotalCFOP(coluna, linha))) : Branco;
}

QStringList TitulosTotaisRegCFOP() {
    return {QStringLiteral("Registro"),          QStringLiteral("CFOP"),
            QStringLiteral("Valor Total"),       QStringLiteral("Base Calc."),
            QStringLiteral("Alíquota"),          QStringLiteral("Valor ICMS"),
            QStringLiteral("Valor Isentas"),     QStringLiteral("Valor Outras"),
            QStringLiteral("Valor IPI"),         QStringLiteral("Valor Base Calc. ST"),
            QStringLiteral("Valor ICMS Retido"), QStringLiteral("Desconto"),
            QStringLiteral("Desp. Acessórias")};
}

QStringList TitulosTotaisCFOP() {
    QStringList t = TitulosTotaisRegCFOP();
    t.removeAt(4); // Alíquota
    t.removeAt(0); // Registro
    return t;
}

} // namespace korventa
