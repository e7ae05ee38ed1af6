#include "core/CruzadoDocumentos.h"

#include "core/CruzadoMensagens.h"
#include "core/Tabelas.h"
#include "core/Texto.h"

#include <cstring>

namespace kelvor::cruzado {

namespace {

constexpr int Indice50 = 2, Indice51 = 3, Indice53 = 4, Indice54 = 5;

// Chaves do registro 50 (posições do 50).
Chave chave54Do50(std::string_view t) {
    Chave c;
    c.com(t, 3, 14).com(t, 41, 2).com(t, 43, 3).com(t, 46, 6).com(t, 52, 4);
    return c;
}
Chave chave51Do50(std::string_view t) {
    Chave c;
    c.com(t, 3, 14).com(t, 31, 8).com(t, 39, 2).com(t, 43, 3).com(t, 46, 6).com(t, 52, 4);
    return c;
}

// Nota que deve trazer os itens: modelo 01 ou 55, situação normal, valores preenchidos
// (os documentos também registrados em ECF vêm com os valores zerados e sem itens).
bool precisaDe54(std::string_view t) {
    const auto modelo = t.substr(40, 2);
    return (modelo == "01" || modelo == "55") && t[125] == 'N' && !texto::soZeros(t.substr(56, 69));
}

} // namespace

void CruzadoDocumentos::registro(RegistroAtual& r) {
    switch (r.indice()) {
    case Indice50:
        registro50(r);
        break;
    case Indice51:
        registro51(r);
        break;
    case Indice53:
        registro53(r);
        break;
    case Indice54:
        registro54(r);
        break;
    default:
        break;
    }
}

void CruzadoDocumentos::registro50(RegistroAtual& r) {
    // Um 50 de tamanho errado ainda dá as chaves, se chegar até elas: os registros que
    // dependem dele não são criticados por causa do tamanho.
    if (!r.cobre(56)) return;
    const auto t = r.texto();
    const auto k54 = chave54Do50(t).resumo();
    auto [nota, nova] = porChave54_.insere(k54);
    if (nova) nota->data = tabelas::dataValida(t.substr(30, 8));
    auto [situacao, primeiraSituacao] = situacaoPorChave51_.insere(chave51Do50(t).resumo());
    if (primeiraSituacao) *situacao = r.cobre(126) ? t[125] : ' ';
    Chave k53;
    k53.com(t, 31, 8).com(t, 39, 2).com(t, 41, 2).com(t, 43, 3).com(t, 46, 6).com(t, 52, 4);
    chaves53_.insere(k53.resumo());

    if (!r.tamanhoValido()) return;
    Chave documento = chave54Do50(t);
    documento.com(t, 56, 1).com(t, 122, 4);
    auto [linha, primeira] = linhaDoDocumento_.insere(documento.resumo());
    if (primeira)
        *linha = r.lido().linha;
    else
        r.critica(Gravidade::Rejeicao, r.campo(46, 6, "Número"),
                  mensagem::documentoRepetido(*linha));
    if (nota->local == SemLocal && precisaDe54(t)) precisaGuardar_ = k54;
}

void CruzadoDocumentos::registro51(RegistroAtual& r) {
    if (!r.tamanhoValido()) return;
    const auto t = r.texto();
    Chave k;
    k.com(t, 3, 14).com(t, 31, 8).com(t, 39, 2).com(t, 41, 3).com(t, 44, 6).com(t, 50, 4);
    const char* situacao50 = situacaoPorChave51_.procura(k.resumo());
    if (!situacao50)
        r.critica(Gravidade::Rejeicao, r.campo(44, 6, "Número"), mensagem::Sem50Do51);
    else if (*situacao50 != ' ' && t[125] != *situacao50)
        r.critica(Gravidade::Rejeicao, r.campo(126, 1, "Situação"), mensagem::Situacao51);
}

void CruzadoDocumentos::registro53(RegistroAtual& r) {
    if (!r.tamanhoValido()) return;
    const auto t = r.texto();
    Chave k;
    k.com(t, 31, 8).com(t, 39, 2).com(t, 41, 2).com(t, 43, 3).com(t, 46, 6).com(t, 52, 4);
    if (!chaves53_.contem(k.resumo()))
        r.critica(Gravidade::Rejeicao, r.campo(46, 6, "Número"), mensagem::Sem50Do53);
}

void CruzadoDocumentos::registro54(RegistroAtual& r) {
    dataAtual_ = 0;
    if (!r.tamanhoValido()) return;
    const auto t = r.texto();
    Chave k;
    k.com(t, 3, 14).com(t, 17, 2).com(t, 19, 3).com(t, 22, 6).com(t, 28, 4);
    Nota* nota = porChave54_.procura(k.resumo());
    if (!nota) {
        r.critica(Gravidade::Rejeicao, r.campo(22, 6, "Número"), mensagem::Sem50Do54);
        return;
    }
    nota->tem54 = true;
    dataAtual_ = nota->data;
}

void CruzadoDocumentos::guarda(const RegistroAtual& r) {
    if (precisaGuardar_ == 0) return;
    if (Nota* nota = porChave54_.procura(precisaGuardar_)) {
        NotaQuePrecisa54 n;
        n.onde = r.local();
        std::memcpy(n.numero, r.texto().data() + 45, sizeof n.numero);
        std::memcpy(n.modelo, r.texto().data() + 40, sizeof n.modelo);
        nota->local = static_cast<std::uint32_t>(notasSem54_.size());
        notasSem54_.push_back(n);
    }
    precisaGuardar_ = 0;
}

void CruzadoDocumentos::fim(CriticasTardias& t, const LocalRegistro*) {
    const auto campo = campoEm(leiautePara("50 "), 46, 6, "Número");
    porChave54_.paraCada([&](std::uint64_t, const Nota& nota) {
        if (nota.local == SemLocal || nota.tem54) return;
        const auto& n = notasSem54_[nota.local];
        t.critica(n.onde, Gravidade::Advertencia, campo, std::string(n.numero, 6),
                  mensagem::sem54(std::string_view(n.modelo, 2)));
    });
}

} // namespace kelvor::cruzado
