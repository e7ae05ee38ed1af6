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
    // Registro de tamanho errado não dá nem usa chave: o conteúdo dele não é confiável.
    // (cobre: o tamanho certo já garante; dito aqui, as chaves são montadas sem conferir limites)
    if (!r.tamanhoValido() || !r.cobre(126)) return;
    const auto t = r.texto();
    const auto k54 = chave54Do50(t).resumo();
    const auto k51 = chave51Do50(t).resumo();
    Chave c53;
    c53.com(t, 31, 8).com(t, 39, 2).com(t, 41, 2).com(t, 43, 3).com(t, 46, 6).com(t, 52, 4);
    const auto k53 = c53.resumo();
    // As três posições são trazidas juntas: cada uma seria uma espera de memória.
    notas_.antecipa(k54);
    chaves51_.antecipa(k51);
    chaves53_.antecipa(k53);

    auto [compacta, nova] = notas_.insere(k54);
    Nota nota = notas_.le(*compacta);
    bool mudou = nova;
    if (nova) nota.data = tabelas::dataValida(t.substr(30, 8));
    if (chaves51_.insere(k51).second && t[125] != 'N')
        *situacaoNaoNormal51_.insere(k51).first = t[125];
    chaves53_.insere(k53);

    mudou = documentoRepetido(r, nota) || mudou;
    if (!nota.precisa54 && precisaDe54(t)) precisaGuardar_ = k54;
    if (mudou) notas_.grava(*compacta, nota);
}

bool CruzadoDocumentos::documentoRepetido(RegistroAtual& r, Nota& nota) {
    const auto t = r.texto();
    char tag[5] = {t[55], t[121], t[122], t[123], t[124]}; // emitente e alíquota
    if (nota.linha == 0) {
        nota.linha = r.lido().linha;
        std::memcpy(nota.emitenteAliquota, tag, sizeof tag);
        return true;
    }
    if (std::memcmp(tag, nota.emitenteAliquota, sizeof tag) == 0) {
        r.critica(Gravidade::Rejeicao, r.campo(46, 6, "Número"),
                  mensagem::documentoRepetido(nota.linha));
        return false;
    }
    // Outra alíquota ou emitente na mesma nota e CFOP: pela chave completa.
    Chave c = chave54Do50(t);
    for (char x : tag)
        c.com(x);
    auto [linha, primeira] = linhaDoDocumento_.insere(c.resumo());
    if (primeira)
        *linha = r.lido().linha;
    else
        r.critica(Gravidade::Rejeicao, r.campo(46, 6, "Número"),
                  mensagem::documentoRepetido(*linha));
    return false;
}

void CruzadoDocumentos::registro51(RegistroAtual& r) {
    if (!r.tamanhoValido()) return;
    const auto t = r.texto();
    Chave k;
    k.com(t, 3, 14).com(t, 31, 8).com(t, 39, 2).com(t, 41, 3).com(t, 44, 6).com(t, 50, 4);
    const auto chave = k.resumo();
    if (!chaves51_.contem(chave)) {
        r.critica(Gravidade::Rejeicao, r.campo(44, 6, "Número"), mensagem::Sem50Do51);
        return;
    }
    const char* outra =
        situacaoNaoNormal51_.tamanho() ? situacaoNaoNormal51_.procura(chave) : nullptr;
    const char situacao50 = outra ? *outra : 'N';
    if (situacao50 != ' ' && t[125] != situacao50)
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
    if (!r.tamanhoValido()) {
        item54Ilegivel_ = true;
        return;
    }
    const auto t = r.texto();
    Chave k;
    k.com(t, 3, 14).com(t, 17, 2).com(t, 19, 3).com(t, 22, 6).com(t, 28, 4);
    auto* nota = notas_.procura(k.resumo());
    if (!nota) {
        r.critica(Gravidade::Rejeicao, r.campo(22, 6, "Número"), mensagem::Sem50Do54);
        return;
    }
    dataAtual_ = notas_.marca54(*nota);
}

void CruzadoDocumentos::guarda(const RegistroAtual& r) {
    if (precisaGuardar_ == 0) return;
    if (auto* compacta = notas_.procura(precisaGuardar_)) {
        Nota nota = notas_.le(*compacta);
        const auto t = r.texto();
        nota.precisa54 = true;
        nota.contado = r.lido().indiceTipo >= 0;
        nota.situacao = r.situacao();
        nota.linhaSem54 = r.lido().linha;
        nota.offsetSem54 = r.lido().offset;
        std::memcpy(nota.modelo, t.data() + 40, sizeof nota.modelo);
        std::memcpy(nota.serie, t.data() + 42, sizeof nota.serie);
        std::memcpy(nota.numero, t.data() + 45, sizeof nota.numero);
        notas_.grava(*compacta, nota);
    }
    precisaGuardar_ = 0;
}

void CruzadoDocumentos::fim(CriticasTardias& t, const LocalRegistro*) {
    // Um 54 recusado pelo tamanho pode ser o item que faltaria: não se sabe de que nota era.
    if (item54Ilegivel_) return;
    const auto campo = campoEm(leiautePara("50 "), 46, 6, "Número");
    notas_.paraCada([&](const Nota& nota) {
        if (!nota.precisa54 || nota.tem54) return;
        t.critica(NotasPorChave::localSem54(nota), Gravidade::Advertencia, campo,
                  std::string(nota.numero, 6), mensagem::sem54(std::string_view(nota.modelo, 2)));
    });
}

} // namespace kelvor::cruzado
