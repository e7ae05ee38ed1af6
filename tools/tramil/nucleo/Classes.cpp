#include "nucleo/Classes.h"

#include "core/Leiaute.h"
#include "core/Tabelas.h"

#include <array>

namespace tramil {

namespace {

// Subtipos de cada tipo (os que o leiaute conhece), na ordem em que o arquivo os traz.
QStringList montaCodigos() {
    QStringList c;
    for (int tipo : kelvor::tabelas::Tipos) {
        const QString t = QStringLiteral("%1").arg(tipo, 2, 10, QLatin1Char('0'));
        if (tipo == 60) {
            for (QChar s : {u'M', u'A', u'D', u'I', u'R'})
                c << t + s;
        } else if (tipo == 61) {
            c << t << t + QLatin1Char('R');
        } else {
            c << t;
        }
    }
    return c;
}

// Classe pelo código do leiaute ("60A" etc.), calculada uma vez.
struct Mapa {
    std::array<int, 100> porTipo{};
    int sub60[256]{};
    int sub61R = 0;
    Mapa() {
        const QStringList& c = CodigosClasses();
        for (int i = 0; i < c.size(); ++i) {
            const QString& k = c.at(i);
            const int tipo = k.left(2).toInt();
            if (k.size() == 2) porTipo[tipo] = i;
            if (tipo == 60 && k.size() == 3)
                sub60[static_cast<unsigned char>(k.at(2).toLatin1())] = i;
            if (tipo == 61 && k.size() == 3) sub61R = i;
        }
    }
};

} // namespace

const QStringList& CodigosClasses() {
    static const QStringList c = montaCodigos();
    return c;
}

int ClasseOutros() {
    return static_cast<int>(CodigosClasses().size());
}

int ClasseDe(std::string_view registro) {
    static const Mapa m;
    const kelvor::LeiauteRegistro* l = kelvor::leiautePara(registro);
    if (!l) return ClasseOutros();
    const auto& codigo = l->codigo;
    const int tipo = (codigo[0] - '0') * 10 + (codigo[1] - '0');
    if (codigo.size() == 3)
        return tipo == 60 ? m.sub60[static_cast<unsigned char>(codigo[2])] : m.sub61R;
    return m.porTipo[tipo];
}

} // namespace tramil
