#include "validation/Descricoes.h"

#include <initializer_list>
#include <utility>

namespace korventa {

namespace {
using Tabela = std::initializer_list<std::pair<const char*, const char*>>;

QString Procura(const Tabela& tabela, const QString& codigo) {
    for (const auto& [cod, rotulo] : tabela)
        if (codigo == QLatin1String(cod)) return QString::fromUtf8(rotulo);
    return codigo;
}
} // namespace

QString DescricaoConvenio(const QString& codigo) {
    return Procura({{"1", "1 - Convênio ICMS 31/99"},
                    {"2", "2 - Convênio ICMS 69/02 e 142/02"},
                    {"3", "3 - Convênio ICMS 76/03 e 20/04"}},
                   codigo);
}

QString DescricaoNatureza(const QString& codigo) {
    return Procura({{"1", "1 - Interestaduais (somente com Substituição Tributária)"},
                    {"2", "2 - Interestaduais (com ou sem Substituição Tributária)"},
                    {"3", "3 - Totalidade das operações do informante"}},
                   codigo);
}

QString DescricaoFinalidade(const QString& codigo) {
    return Procura({{"1", "1 - Normal"},
                    {"2", "2 - Retificação total"},
                    {"3", "3 - Retificação aditiva"},
                    {"4", "4 - Retificação corretiva"},
                    {"5", "5 - Desfazimento"}},
                   codigo);
}

QString CodigoDoRotulo(const QString& rotulo) {
    return rotulo.left(1);
}

} // namespace korventa
