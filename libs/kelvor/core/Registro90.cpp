#include "core/Registro90.h"

#include "core/CruzadoMensagens.h"
#include "core/Tabelas.h"
#include "core/Texto.h"

#include <algorithm>
#include <cstdio>

namespace kelvor::cruzado {

using namespace registro90;

namespace {

constexpr int Indice90 = 20;
constexpr int MaximoNoDigito = 9; // a posição 126 tem um dígito

bool naoTotalizado(int tipo) {
    return tipo == 10 || tipo == 11 || tipo == 90;
}

std::string doisDigitos(int tipo) {
    char b[4];
    std::snprintf(b, sizeof b, "%02d", tipo);
    return b;
}

std::string oitoDigitos(std::int64_t v) {
    char b[24];
    std::snprintf(b, sizeof b, "%08lld", static_cast<long long>(v));
    return b;
}

const LeiauteRegistro* leiaute90() {
    static const LeiauteRegistro* l = leiautePara("90 ");
    return l;
}

CampoCriticado campoTipo(int coluna) {
    return campoEm(leiaute90(), coluna, 2, NomeTipo);
}
CampoCriticado campoTotal(int coluna) {
    return campoEm(leiaute90(), coluna + 2, LarguraTotal, NomeTotal);
}

} // namespace

void Registro90::registro(RegistroAtual& r) {
    ++registros_;
    const int indice = r.indice();
    if (indice >= 0) ++contagem_[indice];
    if (indice != Indice90) return;
    ++quantos90_;
    if (!r.tamanhoValido()) {
        ilegivel_ = true;
        return;
    }
    confereInformante(r);
    confereQuantidade(r);
    if (!texto::emBranco(r.trecho(121, 5)))
        r.critica(Gravidade::Rejeicao, r.campo(121, 5, NomeBrancos), mensagem::Brancos90);
    conferePares(r);
}

void Registro90::confereInformante(RegistroAtual& r) {
    const auto cnpj = texto::semBrancos(r.trecho(3, 14));
    const auto ie = texto::semBrancos(r.trecho(17, 14));
    if (ctx_.registro10Lido) {
        if (cnpj != texto::semBrancos(ctx_.cnpj))
            r.critica(Gravidade::Rejeicao, r.campo(3, 14, "CNPJ"), mensagem::Cnpj90);
        if (ie != texto::semBrancos(ctx_.ie))
            r.critica(Gravidade::Rejeicao, r.campo(17, 14, "Inscrição Estadual"), mensagem::Ie90);
        return;
    }
    // Sem registro 10 (já criticado): ao menos os registros 90 concordam entre si.
    if (!temPrimeiro_) {
        cnpjPrimeiro_ = cnpj;
        iePrimeiro_ = ie;
        temPrimeiro_ = true;
        return;
    }
    if (cnpj != cnpjPrimeiro_)
        r.critica(Gravidade::Rejeicao, r.campo(3, 14, "CNPJ"), mensagem::Cnpj90Primeiro);
    if (ie != iePrimeiro_)
        r.critica(Gravidade::Rejeicao, r.campo(17, 14, "Inscrição Estadual"),
                  mensagem::Ie90Primeiro);
}

void Registro90::confereQuantidade(RegistroAtual& r) {
    // Do décimo registro 90 em diante nenhum dígito pode estar certo: critica já.
    if (quantos90_ > MaximoNoDigito)
        r.critica(Gravidade::Rejeicao, r.campo(126, 1, NomeQuantidade), mensagem::quantidade90(-1));
}

void Registro90::conferePares(RegistroAtual& r) {
    quantosNovos_ = 0;
    for (const auto& p : lePares(r.texto())) {
        switch (p.estado) {
        case EstadoPar::Vazio:
            continue;
        case EstadoPar::TipoInvalido:
            r.critica(Gravidade::Rejeicao, campoTipo(p.coluna), mensagem::TipoInvalido90);
            continue;
        case EstadoPar::TotalInvalido:
            r.critica(Gravidade::Rejeicao, campoTotal(p.coluna), mensagem::NaoNumerico);
            continue;
        case EstadoPar::Valido:
            break;
        }
        const auto nome = doisDigitos(p.tipo);
        if (p.tipo != 99 && tabelas::indiceTipo(nome) < 0) {
            r.critica(Gravidade::Rejeicao, campoTipo(p.coluna), mensagem::tipoInexistente90(nome));
            continue;
        }
        if (declarados_[p.tipo].existe) {
            r.critica(Gravidade::Rejeicao, campoTipo(p.coluna), mensagem::tipoRepetido90(nome));
            continue;
        }
        declarados_[p.tipo].existe = true;
        novos_[quantosNovos_++] = p;
    }
}

void Registro90::guarda(const RegistroAtual& r) {
    if (r.indice() != Indice90) return;
    const auto onde = r.local();
    ultimo90_ = onde;
    if (quantos90_ <= MaximoNoDigito) {
        auto& p = primeiros_[quantos90_ - 1];
        p.onde = onde;
        p.legivel = r.tamanhoValido();
        p.quantidade = r.tamanhoValido() ? r.texto()[125] : ' ';
    }
    for (int i = 0; i < quantosNovos_; ++i) {
        auto& d = declarados_[novos_[i].tipo];
        d.onde = onde;
        d.coluna = novos_[i].coluna;
        d.total = novos_[i].total;
        d.ordem90 = quantos90_;
    }
    quantosNovos_ = 0;
}

void Registro90::fim(CriticasTardias& t, const LocalRegistro*) {
    if (quantos90_ == 0) return; // a falta do registro 90 é da ordem do arquivo
    const auto n = std::min<std::int64_t>(quantos90_, MaximoNoDigito);
    for (std::int64_t i = 0; i < n; ++i) {
        const auto& p = primeiros_[i];
        if (p.legivel && (quantos90_ > MaximoNoDigito || p.quantidade - '0' != quantos90_))
            t.critica(p.onde, Gravidade::Rejeicao, campoEm(leiaute90(), 126, 1, NomeQuantidade),
                      std::string(1, p.quantidade), mensagem::quantidade90(quantos90_));
    }

    const auto& geral = declarados_[99];
    if (geral.existe) {
        if (geral.ordem90 != quantos90_)
            t.critica(geral.onde, Gravidade::Rejeicao, campoTipo(geral.coluna), "99",
                      mensagem::TotalGeralForaDoUltimo);
        if (geral.total != registros_)
            t.critica(geral.onde, Gravidade::Rejeicao, campoTotal(geral.coluna),
                      oitoDigitos(geral.total), mensagem::totalGeral(geral.total, registros_));
    } else if (!ilegivel_) {
        t.critica(ultimo90_, Gravidade::Rejeicao, {}, {}, mensagem::SemTotalGeral);
    }
    confereTotais(t);
}

void Registro90::confereTotais(CriticasTardias& t) {
    for (int i = 0; i < tabelas::QuantidadeTipos; ++i) {
        const int tipo = tabelas::Tipos[i];
        const auto real = contagem_[i];
        const auto nome = doisDigitos(tipo);
        const auto& d = declarados_[tipo];
        if (!d.existe) {
            // Com algum 90 ilegível não se sabe que pares ele trazia.
            if (real > 0 && !naoTotalizado(tipo) && !ilegivel_)
                t.critica(ultimo90_, Gravidade::Rejeicao, {}, {},
                          mensagem::semTotalDoTipo(nome, real));
            continue;
        }
        if (d.total != real)
            t.critica(d.onde, Gravidade::Rejeicao, campoTotal(d.coluna), oitoDigitos(d.total),
                      mensagem::totalDoTipo(nome, d.total, real));
        else if (naoTotalizado(tipo))
            t.critica(d.onde, Gravidade::Advertencia, campoTipo(d.coluna), nome,
                      mensagem::tipoNaoTotalizado(nome));
        else if (real == 0)
            t.critica(d.onde, Gravidade::Advertencia, campoTotal(d.coluna), oitoDigitos(d.total),
                      mensagem::totalDeTipoAusente(nome));
    }
}

} // namespace kelvor::cruzado
