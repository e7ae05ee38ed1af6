#include "core/EstruturaOrdem.h"

#include "core/CruzadoMensagens.h"
#include "core/Tabelas.h"

#include <string>

namespace kelvor::cruzado {

namespace {

constexpr int Indice10 = 0;
constexpr int Indice11 = 1;
constexpr int Indice90 = 20;

std::string nomeTipo(int indice) {
    return std::to_string(tabelas::Tipos[indice]);
}

CampoCriticado campoTipo(const RegistroAtual& r) {
    return r.campo(1, 2, "Tipo");
}

} // namespace

void EstruturaOrdem::registro(RegistroAtual& r) {
    const int indice = r.indice();
    ++registros_;

    if (registros_ == 1 && indice != Indice10)
        r.critica(Gravidade::Rejeicao, campoTipo(r), mensagem::Primeiro10);
    if (registros_ == 2 && indice != Indice11 && quantos11_ == 0)
        r.critica(Gravidade::Rejeicao, campoTipo(r), mensagem::Segundo11);
    if (anterior_ == Indice90 && indice != Indice90)
        r.critica(Gravidade::Rejeicao, campoTipo(r), mensagem::DepoisDo90);

    switch (indice) {
    case Indice10:
        if (registros_ > 1)
            r.critica(Gravidade::Rejeicao, campoTipo(r),
                      quantos10_ > 0 ? mensagem::Repetido10 : mensagem::Fora10);
        ++quantos10_;
        break;
    case Indice11:
        if (quantos11_ > 0)
            r.critica(Gravidade::Rejeicao, campoTipo(r), mensagem::Repetido11);
        else if (registros_ > 2)
            r.critica(Gravidade::Rejeicao, campoTipo(r), mensagem::Fora11);
        ++quantos11_;
        break;
    case Indice90:
        ++quantos90_;
        maiorIndice_ = Indice90;
        break;
    case -1:
        break; // tipo desconhecido: já criticado na leitura
    default:
        ordemDosTipos(r, indice);
    }
    anterior_ = indice;
}

void EstruturaOrdem::ordemDosTipos(RegistroAtual& r, int indice) {
    if (anterior_ == Indice90) {
        // Já apontado como registro depois do 90; a ordem recomeça por ele.
        maiorIndice_ = indice;
        return;
    }
    // Uma crítica por troca de tipo, não uma por linha.
    if (indice < maiorIndice_ && indice != anterior_)
        r.critica(Gravidade::Rejeicao, campoTipo(r),
                  mensagem::ordemDosTipos(nomeTipo(indice), nomeTipo(maiorIndice_)));
    if (indice > maiorIndice_) maiorIndice_ = indice;
}

void EstruturaOrdem::fim(CriticasTardias& t, const LocalRegistro* ultimo) {
    if (!ultimo) {
        // Arquivo vazio (ou só a marca de fim): nada de 10, 11 e 90. A crítica fica na linha 1,
        // sem tipo, e não entra nas contagens por tipo.
        LocalRegistro inicio;
        inicio.linha = 1;
        inicio.contado = false;
        t.critica(inicio, Gravidade::Rejeicao, {}, {}, mensagem::SemRegistros);
        return;
    }
    if (registros_ < 2 && quantos11_ == 0)
        t.critica(*ultimo, Gravidade::Rejeicao, {}, {}, mensagem::Sem11);
    if (quantos90_ == 0) t.critica(*ultimo, Gravidade::Rejeicao, {}, {}, mensagem::Sem90);
}

} // namespace kelvor::cruzado
