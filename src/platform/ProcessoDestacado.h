// Programas iniciados sem esperar por eles (QProcess::startDetached) e o acompanhamento de um
// processo assim iniciado, que não é filho deste programa.
#pragma once

#include "platform/Plataforma.h"

namespace korventa {

// Inicia o programa destacado, sem herdar entrada nem saídas. Caminhos relativos valem a partir
// da pasta atual deste programa, não da pasta de trabalho do novo. Em falha, o número de erro
// do sistema (errno no Linux, o último erro no Windows).
ResultadoInicio IniciaDestacado(const InicioProcesso& inicio);

// Número de erro por trás do texto de falha do QProcess ("execv: No such file or directory"
// → 2); -1 quando o texto não corresponde a nenhum.
int NumeroDoErro(const QString& textoErro);

// Referência ao processo que não se confunde com outro que herde o mesmo identificador: um
// pidfd no Linux, o handle do processo no Windows.
class ProcessoAcompanhado {
public:
    explicit ProcessoAcompanhado(qint64 identificador);
    ~ProcessoAcompanhado();
    ProcessoAcompanhado(const ProcessoAcompanhado&) = delete;
    ProcessoAcompanhado& operator=(const ProcessoAcompanhado&) = delete;

    bool ativo() const;

private:
    qint64 identificador_;
    qintptr alca_ = -1;
};

} // namespace korventa
