#include "validation/ArquivosTrabalho.h"

#include "common/Caminhos.h"
#include "common/Numeros.h"
#include "validation/Sessao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace korventa {

QString SufixoEntrada(int n) {
    return QStringLiteral(".") + NumeroComBrancoInicial(n);
}

QString CaminhoCriticas(const Sessao& s, int n) {
    return s.caminhoCriticas + SufixoEntrada(n);
}

QString CaminhoTotaisCFOP(const Sessao& s, int n) {
    return s.caminhoTotaisCFOP + SufixoEntrada(n);
}

QString PastaPosValidacao(const Sessao& s) {
    // Instalado para todos os usuários, a pasta do programa é só de leitura: ali os resultados
    // não poderiam ser gravados e a verificação falharia sempre. Vão então para a pasta de dados
    // do usuário, só dele (na temporária, comum a todos, o arquivo de outro usuário com o mesmo
    // nome impediria a gravação); a temporária fica para quando nem essa puder ser criada.
    const QFileInfo programa(s.pastaPrograma);
    if (!programa.isDir() || programa.isWritable()) return s.pastaPrograma;
    const QString usuario = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (!usuario.isEmpty() && QDir().mkpath(usuario)) return usuario;
    return s.pastaTemporaria;
}

QString CaminhoCriticas88(const Sessao& s, int n) {
    const QString uf = n >= 0 && n < s.arquivos.size() ? s.arquivos[n].uf : QString();
    return JuntaCaminho(PastaPosValidacao(s),
                        QString::fromLatin1(ArqCriticasPos) + uf + SufixoEntrada(n));
}

QString CaminhoResultadoPB(const Sessao& s, int n) {
    const QString indice = s.variosArquivos() ? QString::number(n) : QString();
    return JuntaCaminho(PastaPosValidacao(s), QString::fromLatin1(ArqResultadoPB) + indice +
                                                  QString::fromLatin1(ExtResultadoPB));
}

void ApagaArquivosTrabalho(const Sessao& s) {
    // Antes de a janela principal definir as pastas não há o que apagar (e um nome relativo
    // apagaria na pasta corrente).
    const auto apaga = [](const QString& base, const QString& caminho) {
        if (!base.isEmpty()) QFile::remove(caminho);
    };
    for (int i = 0; i < s.arquivos.size(); ++i) {
        apaga(s.caminhoCriticas, CaminhoCriticas(s, i));
        apaga(s.pastaPrograma, CaminhoCriticas88(s, i));
        apaga(s.pastaPrograma, CaminhoResultadoPB(s, i));
        apaga(s.caminhoTotaisCFOP, CaminhoTotaisCFOP(s, i));
    }
}

} // namespace korventa
