// Tabela das chaves: o único lugar onde elas existem.
#include "midia/ChavesMidia.h"

#include <algorithm>
#include <array>
#include <utility>

namespace korventa::midia {

namespace {

// BA, PE e SC dividem uma chave.
constexpr const char* ChaveCompartilhada = "f&G/~P/@mI^b]LMZPIi8";

constexpr std::array<std::pair<const char*, const char*>, 27> Tabela{{
    {"AC", "lEB~vL2YJgi<c&qj{>(&"}, {"AL", "cND<uMT4k[?b|{qX%YFJ"}, {"AM", "=d2Jlau=BXH<=*Alqzg1"},
    {"AP", "@DbLxH2]_ZxhkTgpDRh#"}, {"BA", ChaveCompartilhada},     {"CE", "}4/dP.?=GKjio~)kvD>U"},
    {"DF", "7*[Fi7|EALD/jAg)xgBb"}, {"ES", "UW:-9KA*d#40^iP[vh1u"}, {"GO", "1qI_IG@dzuw!HT-cbgq{"},
    {"MA", "aMS8S6:!L&6{xQ9KWv(x"}, {"MG", "kC/C[z%~0?g{YkI7Bagg"}, {"MS", "-qwdLy&:!~X0{L62MxU$"},
    {"MT", "Un*o]Z4@v.F+4Lai$Et&"}, {"PA", "+/t/[T7:]7t(EkQ0txZ+"}, {"PB", "2VcZ}aXzizU|*16NIl0("},
    {"PE", ChaveCompartilhada},     {"PI", "qf[8A-<_M:@A7}<^NSY?"}, {"PR", "[FtB(StISR?B}v1^p+Kg"},
    {"RJ", "X!5)7R#/_YlGowC}q0HO"}, {"RN", "mE_=+g.Fb%c3[*[q:a[L"}, {"RO", "uS3x]f$(3@OC=keEkL75"},
    {"RR", "6#!)J5^h[*<>8UE3qbQR"}, {"RS", ":$6%$P}@(M6TOAg*y5*l"}, {"SC", ChaveCompartilhada},
    {"SE", "#:[5t5@0ynr#v#Cb%Y8}"}, {"SP", "k>Xmp?0}IVOdBK(_~Z@!"}, {"TO", "b7E?1YR*F-KSfzT2njm&"},
}};

} // namespace

std::optional<std::string> ChaveDaUF(std::string_view uf) {
    auto it =
        std::find_if(Tabela.begin(), Tabela.end(), [&](const auto& p) { return uf == p.first; });
    if (it == Tabela.end()) return std::nullopt;
    return std::string(it->second);
}

std::string ChaveComum() {
    return "B8vI)yz{>y3-Ci>%<QM{";
}

std::string ChaveVariante(bool especial) {
    return especial ? "n >w71eI$J}" : "n#q3tTqYw n";
}

} // namespace korventa::midia
