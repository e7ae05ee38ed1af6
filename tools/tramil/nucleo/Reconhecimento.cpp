#include "nucleo/Reconhecimento.h"

#include "core/Leiaute.h"
#include "nucleo/IndiceLinhas.h"

namespace tramil {

QString MotivoNaoConvenio(std::string_view dados) {
    std::size_t p = 0;
    int linhas = 0, conhecidas = 0;
    QString motivo;
    // As primeiras 200 linhas bastam.
    while (p < dados.size() && linhas < 200) {
        const auto nl = dados.find('\n', p);
        const auto fim = nl == std::string_view::npos ? dados.size() : nl;
        const auto linha = SemFimDeLinha(dados.substr(p, fim - p));
        if (linhas == 0) {
            if (linha.substr(0, 2) != "10")
                motivo = QStringLiteral("a primeira linha não é um registro tipo 10.");
            else if (linha.size() != 126)
                motivo = QStringLiteral("a primeira linha tem %1 posições (um registro tem 126).")
                             .arg(linha.size());
        }
        if (!(linhas > 0 && linha == "\x1A")) {
            ++linhas;
            conhecidas += linha.size() == 126 && kelvor::leiautePara(linha) != nullptr;
        }
        p = fim + 1;
    }
    if (!motivo.isEmpty()) return motivo;
    if (conhecidas * 2 < linhas)
        return QStringLiteral(
            "a maior parte das linhas não é registro de 126 posições de um tipo conhecido.");
    return {};
}

} // namespace tramil
