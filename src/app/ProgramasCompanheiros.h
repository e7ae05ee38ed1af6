// Programas que este inicia e não espera: o de transmissão (qiv.exe) com uma mídia e o
// utilitário (Tramil) nos modos "Consulta Nota Fiscal" e "Visualizar Arquivo".
#pragma once

#include "platform/Plataforma.h"

#include <functional>

namespace korventa {

struct Sessao;

// Linha de comando de um programa companheiro: o texto registrado no log e o que o sistema
// operacional recebe (programa, argumentos um a um e a pasta do executável como pasta de
// trabalho).
struct ComandoCompanheiro {
    QString linha;
    InicioProcesso inicio;
};

// Programa de transmissão: o caminho sem aspas, " -l N" só acima do nível 0 e a mídia entre
// aspas, um argumento só mesmo com brancos.
ComandoCompanheiro ComandoQIV(const QString& pathQiv, int nivelLog, const QString& midia);

// Utilitário: " -Notas " ou " -Texto ", "-Log " a partir do nível 1 e o arquivo entre aspas
// (vazio: a linha termina na opção).
ComandoCompanheiro ComandoUtilitario(const QString& utilitario, bool notas, int nivelLog,
                                     const QString& arquivo);

class ProgramasCompanheiros {
public:
    explicit ProgramasCompanheiros(Sessao& sessao);
    ~ProgramasCompanheiros();
    ProgramasCompanheiros(const ProgramasCompanheiros&) = delete;
    ProgramasCompanheiros& operator=(const ProgramasCompanheiros&) = delete;

    // Transmite a mídia; sem o programa de transmissão leva à página Configurar.
    void ExecutarQIV(const QString& midia);
    // Inicia o utilitário sobre o arquivo (vazio: o utilitário pergunta qual). Só uma consulta
    // de notas fiscais por vez.
    void ExecutaUtilitarioQd(bool notas, const QString& arquivo);

    // Põe o foco no caminho do programa de transmissão (a página Configurar já à vista).
    std::function<void()> focaCaminhoQIV;

private:
    Sessao& s_;
    qint64 consultaNotas_ = 0; // processo da última consulta de notas fiscais, 0 sem nenhum
};

} // namespace korventa
