#include "critiques/ArquivoInalterado.h"

#include "validation/Sessao.h"

#include <QFileInfo>

namespace korventa {

bool ArquivoFiscalInalterado(const Sessao& sessao, int indice) {
    if (indice < 0 || indice >= sessao.arquivos.size()) return false;
    const ArquivoAberto& a = sessao.arquivos.at(indice);
    const QFileInfo info(a.caminho);
    if (a.caminho.isEmpty() || !info.exists() || !info.isFile()) return false;
    return info.lastModified() == a.dataHoraAbertura && info.size() == a.tamanhoAbertura;
}

} // namespace korventa
