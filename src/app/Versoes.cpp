#include "app/Versoes.h"

#include "app/Produto.h"
#include "engine/Log.h"

namespace korventa {

bool ConfereVersao(Plataforma& plataforma, const QString& nome, const QString& esperada,
                   const QString& atual) {
    if (esperada == atual) return true;
    plataforma.mensagem(QStringLiteral("A DLL ") + nome + QStringLiteral(" é da versão ") + atual +
                            QStringLiteral(" e deveria ser da versão ") + esperada +
                            QStringLiteral(".\rO ") + QString::fromLatin1(NomeProduto) +
                            QStringLiteral(" não pode ser executado.\rReinstale este programa."),
                        Icone::Critico);
    return false;
}

} // namespace korventa
