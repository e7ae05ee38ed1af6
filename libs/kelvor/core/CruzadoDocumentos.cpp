#include "core/CruzadoDocumentos.h"

#include "core/CruzadoMensagens.h"
#include "core/Tabelas.h"
#include "core/Texto.h"

#include <algorithm>
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

bool CruzadoDocumentos::resumosDasChaves(std::string_view t, std::uint64_t saida[3]) {
    if (t.size() != 126 || t[0] != '5' || (t[1] != '0' && t[1] != '4')) return false;
    if (t[1] == '0') {
        saida[0] = chave54Do50(t).resumo();
        saida[1] = chave51Do50(t).resumo();
        Chave c53;
        c53.com(t, 31, 8).com(t, 39, 2).com(t, 41, 2).com(t, 43, 3).com(t, 46, 6).com(t, 52, 4);
        saida[2] = c53.resumo();
    } else {
        Chave k;
        k.com(t, 3, 14).com(t, 17, 2).com(t, 19, 3).com(t, 22, 6).com(t, 28, 4);
        saida[0] = k.resumo();
        saida[1] = saida[2] = 0;
    }
    return true;
}

// Resumos das chaves que o registro usa (50: as três que ele dá; 54: a do 50 dele), feitos uma
// vez só: nas verificações de campo (vêm no registro), em antecipa() ou, se não passou por lá,
// aqui.
const CruzadoDocumentos::Resumos& CruzadoDocumentos::resumos(const RegistroLido& r) {
    auto& a = antecipados_[static_cast<std::size_t>(r.linha) % std::size(antecipados_)];
    if (a.linha == r.linha && a.texto == r.texto.data()) return a;
    a.linha = r.linha;
    a.texto = r.texto.data();
    std::uint64_t k[3];
    if (r.resumos)
        std::copy(r.resumos, r.resumos + 3, k);
    else
        resumosDasChaves(r.texto, k);
    a.k54 = k[0];
    a.k51 = k[1];
    a.k53 = k[2];
    return a;
}

void CruzadoDocumentos::antecipa(const RegistroLido& r) {
    // Num arquivo de muitos documentos as tabelas passam do cache, e cada 50 e 54 esperaria a
    // memória: a posição é pedida alguns registros antes.
    const auto t = r.texto;
    // Só os de tamanho certo dão ou usam chave.
    if (t.size() != 126 || t[0] != '5' || (t[1] != '0' && t[1] != '4')) return;
    const auto& k = resumos(r);
    notas_.antecipa(k.k54);
    if (t[1] == '0') {
        chaves51_.antecipa(k.k51);
        chaves53_.antecipa(k.k53);
    }
}

void CruzadoDocumentos::registro50(RegistroAtual& r) {
    // Registro de tamanho errado não dá nem usa chave: o conteúdo dele não é confiável.
    // (cobre: o tamanho certo já garante; dito aqui, as chaves são montadas sem conferir limites)
    if (!r.tamanhoValido() || !r.cobre(126)) return;
    const auto t = r.texto();
    const auto& resumo = resumos(r.lido());
    const auto k54 = resumo.k54, k51 = resumo.k51, k53 = resumo.k53;
    // As três posições são trazidas juntas: cada uma seria uma espera de memória.
    notas_.antecipa(k54);
    chaves51_.antecipa(k51);
    chaves53_.antecipa(k53);

    auto [compacta, nova] = notas_.insere(k54);
    Nota nota = nova ? Nota{} : notas_.le(*compacta);
    bool mudou = nova;
    if (nova) nota.data = tabelas::dataValida(t.substr(30, 8));
    chaves51_.insere(k51,
                     t[125] != 'N' ? static_cast<unsigned char>(t[125]) : ChavesAdiadas::SemMarca);
    chaves53_.insere(k53);

    mudou = documentoRepetido(r, nota) || mudou;
    if (!nota.precisa54 && precisaDe54(t)) {
        // Gravada em guarda(), já com a situação final do registro: uma leitura e uma gravação
        // da nota a menos. Nada insere nas notas até lá, então a posição continua valendo.
        pendente_ = compacta;
        notaPendente_ = nota;
        return;
    }
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
    const int outra = chaves51_.marca(chave);
    const char situacao50 = outra != ChavesAdiadas::SemMarca ? static_cast<char>(outra) : 'N';
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
    auto* nota = notas_.procura(resumos(r.lido()).k54);
    if (!nota) {
        r.critica(Gravidade::Rejeicao, r.campo(22, 6, "Número"), mensagem::Sem50Do54);
        return;
    }
    dataAtual_ = notas_.marca54(*nota);
}

void CruzadoDocumentos::guarda(const RegistroAtual& r) {
    if (!pendente_) return;
    Nota& nota = notaPendente_;
    const auto t = r.texto();
    nota.precisa54 = true;
    nota.contado = r.lido().indiceTipo >= 0;
    nota.situacao = r.situacao();
    nota.linhaSem54 = r.lido().linha;
    nota.offsetSem54 = r.lido().offset;
    std::memcpy(nota.modelo, t.data() + 40, sizeof nota.modelo);
    std::memcpy(nota.serie, t.data() + 42, sizeof nota.serie);
    std::memcpy(nota.numero, t.data() + 45, sizeof nota.numero);
    notas_.grava(*pendente_, nota);
    pendente_ = nullptr;
}

void CruzadoDocumentos::fim(CriticasTardias& t, const LocalRegistro*) {
    // Um 54 recusado pelo tamanho pode ser o item que faltaria: não se sabe de que nota era.
    if (item54Ilegivel_) return;
    const auto campo = campoEm(leiautePara("50 "), 46, 6, "Número");
    notas_.paraCadaSem54([&](const Nota& nota) {
        t.critica(NotasPorChave::localSem54(nota), Gravidade::Advertencia, campo,
                  std::string(nota.numero, 6), mensagem::sem54(std::string_view(nota.modelo, 2)));
    });
}

} // namespace kelvor::cruzado
