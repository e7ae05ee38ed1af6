#include "core/CruzadoRegistro.h"

#include "core/Tabelas.h"
#include "core/Texto.h"
#include "core/VerificadorCampos.h"

#include <algorithm>
#include <cstring>

namespace kelvor::cruzado {

Situacao situacaoDe(Gravidade g) {
    return g == Gravidade::Rejeicao ? Situacao::Rejeitado : Situacao::ComAdvertencia;
}

Situacao pior(Situacao a, Situacao b) {
    return static_cast<std::uint8_t>(a) >= static_cast<std::uint8_t>(b) ? a : b;
}

CampoCriticado campoEm(const LeiauteRegistro* leiaute, int inicio, int tamanho,
                       const char* nomePadrao) {
    if (leiaute)
        for (const auto& c : leiaute->campos)
            if (c.inicio == inicio && c.tamanho == tamanho) return {c.nome, inicio, tamanho};
    return {nomePadrao, inicio, tamanho};
}

namespace {

std::string_view recorte(std::string_view s, int inicio, int tamanho) {
    auto p = static_cast<std::size_t>(inicio - 1);
    if (inicio < 1 || p >= s.size()) return {};
    return s.substr(p, static_cast<std::size_t>(tamanho));
}

} // namespace

std::string identificacaoDocumento(const LeiauteRegistro* leiaute, std::string_view registro) {
    if (!leiaute) return {};
    std::size_t precisa = 0;
    for (const auto& p : {leiaute->serie, leiaute->numero, leiaute->item})
        if (p.inicio) precisa = std::max<std::size_t>(precisa, p.inicio - 1u + p.tamanho);
    if (registro.size() < precisa) return {};
    auto s = documentoItem(*leiaute, registro);
    texto::trocaControles(s);
    return s;
}

void RegistroAtual::inicia(const RegistroLido& r, bool tamanhoValido, ReceptorCriticas& saida) {
    r_ = &r;
    tamanhoValido_ = tamanhoValido;
    saida_ = &saida;
    situacao_ = r.situacao;
    indice_ = tabelas::indiceTipo(r.texto.substr(0, std::min<std::size_t>(2, r.texto.size())));
    leiaute_ = nullptr;
    leiauteProcurado_ = false;
}

const LeiauteRegistro* RegistroAtual::leiaute() const {
    if (!leiauteProcurado_) {
        leiaute_ = texto().size() >= 3 ? leiautePara(texto()) : nullptr;
        leiauteProcurado_ = true;
    }
    return leiaute_;
}

std::string_view RegistroAtual::trecho(int inicio, int tamanho) const {
    return recorte(texto(), inicio, tamanho);
}

void RegistroAtual::critica(Gravidade g, const CampoCriticado& campo, std::string mensagem) {
    Critica c;
    c.linha = r_->linha;
    c.offset = r_->offset;
    c.tipo = std::string(texto().substr(0, std::min<std::size_t>(2, texto().size())));
    texto::trocaControles(c.tipo);
    c.campo = campo.nome ? campo.nome : "";
    c.docItem = identificacaoDocumento(leiaute(), texto());
    if (campo.inicio > 0) {
        c.conteudo = std::string(trecho(campo.inicio, campo.tamanho));
        texto::trocaControles(c.conteudo);
    }
    c.mensagem = std::move(mensagem);
    c.gravidade = g;
    c.inicio = campo.inicio;
    c.tamanho = campo.tamanho;
    saida_->critica(c);
    situacao_ = pior(situacao_, situacaoDe(g));
}

LocalRegistro localDe(const RegistroLido& r, const LeiauteRegistro* leiaute, Situacao situacao) {
    LocalRegistro l;
    l.linha = r.linha;
    l.offset = r.offset;
    l.situacao = situacao;
    l.contado = r.indiceTipo >= 0;
    for (std::size_t i = 0; i < 2 && i < r.texto.size(); ++i)
        l.tipo[i] = r.texto[i];
    auto doc = identificacaoDocumento(leiaute, r.texto);
    std::size_t n = std::min(doc.size(), sizeof(l.docItem) - 1);
    std::memcpy(l.docItem, doc.data(), n);
    l.docItem[n] = '\0';
    return l;
}

LocalRegistro RegistroAtual::local() const {
    return localDe(*r_, leiaute(), situacao_);
}

} // namespace kelvor::cruzado
