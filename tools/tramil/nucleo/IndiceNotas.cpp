#include "nucleo/IndiceNotas.h"

#include "core/Texto.h"
#include "nucleo/CamposNota.h"
#include "nucleo/IndiceLinhas.h"
#include "nucleo/Somas.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace tramil {

namespace {

namespace tx = kelvor::texto;

std::size_t semMarcaFinal(std::string_view d) {
    return !d.empty() && d.back() == '\x1A' ? d.size() - 1 : d.size();
}

std::int64_t Valor(const char* r, const Pos& p) {
    return ValorCampo(r, p);
}

char Direcao(char primeiroDigitoCfop) {
    return primeiroDigitoCfop >= '1' && primeiroDigitoCfop <= '3'   ? 'E'
           : primeiroDigitoCfop >= '5' && primeiroDigitoCfop <= '7' ? 'S'
                                                                    : '?';
}

// Chave montada de pedaços do registro.
class Chave {
public:
    explicit Chave(char marca) { b_[n_++] = marca; }
    Chave& com(const char* r, const Pos& p) { return p.inicio > 0 ? com(p.de(r)) : *this; }
    Chave& com(std::string_view s) {
        std::memcpy(b_ + n_, s.data(), s.size());
        n_ += static_cast<int>(s.size());
        return *this;
    }
    Chave& com(char c) {
        b_[n_++] = c;
        return *this;
    }
    std::uint64_t resumo() const {
        return ResumoChave(std::string_view(b_, static_cast<std::size_t>(n_)), 0);
    }

private:
    char b_[64];
    int n_ = 0;
};

} // namespace

std::uint64_t ResumoChave(std::string_view bytes, std::uint64_t semente) {
    std::uint64_t h = 0xcbf29ce484222325ULL ^ semente;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    // Mistura final: os bits de cima também dependem de todos os bytes.
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h == 0 ? 1 : h;
}

// Chave -> documento, endereçamento aberto; a chave 0 marca o lugar vazio.
class IndiceNotas::Tabela {
public:
    Tabela() { cresce(1 << 16); }
    std::uint32_t procura(std::uint64_t k) const {
        for (std::size_t i = posicao(k);; i = i + 1 == chaves_.size() ? 0 : i + 1) {
            if (chaves_[i] == k) return docs_[i];
            if (chaves_[i] == 0) return Nenhuma;
        }
    }
    void inclui(std::uint64_t k, std::uint32_t doc) {
        if ((ocupados_ + 1) * 10 > chaves_.size() * 7) cresce(chaves_.size() * 2);
        poe(k, doc);
        ++ocupados_;
    }

private:
    std::size_t posicao(std::uint64_t k) const {
        return static_cast<std::size_t>(k & (chaves_.size() - 1));
    }
    void poe(std::uint64_t k, std::uint32_t doc) {
        std::size_t i = posicao(k);
        while (chaves_[i] != 0)
            i = i + 1 == chaves_.size() ? 0 : i + 1;
        chaves_[i] = k;
        docs_[i] = doc;
    }
    void cresce(std::size_t tamanho) {
        std::vector<std::uint64_t> velhas(tamanho, 0);
        std::vector<std::uint32_t> docs(tamanho, Nenhuma);
        velhas.swap(chaves_);
        docs.swap(docs_);
        for (std::size_t i = 0; i < velhas.size(); ++i)
            if (velhas[i] != 0) poe(velhas[i], docs[i]);
    }

    std::vector<std::uint64_t> chaves_;
    std::vector<std::uint32_t> docs_;
    std::size_t ocupados_ = 0;
};

// O estado da passada: tabelas e somas que só servem enquanto ela dura.
class IndiceNotas::Varrida {
public:
    explicit Varrida(IndiceNotas& i) : ix_(i) {}

    void registro(const char* r, std::uint64_t deslocamento, std::uint32_t linha);
    void termina();

private:
    std::uint32_t documento(std::uint64_t chave, TipoDocumento tipo, bool principal,
                            std::uint64_t deslocamento, std::uint32_t linha);
    void anexa(std::uint32_t doc, std::uint64_t deslocamento);
    std::uint32_t procura53(const char* r);

    void nota50(const char* r, std::uint64_t d, std::uint32_t l);
    void nota51(const char* r, std::uint64_t d, std::uint32_t l);
    void nota53(const char* r, std::uint64_t d, std::uint32_t l);
    void nota54(const char* r, std::uint64_t d, std::uint32_t l);
    void transporte(const char* r, std::uint64_t d, std::uint32_t l, bool principal);
    void cupom(const char* r, std::uint64_t d, std::uint32_t l);

    IndiceNotas& ix_;
    Tabela tabela_;
    Tabela porData53_; // sem o CNPJ, para o 53 do substituído; montada só se precisar
    bool temPorData53_ = false;
    std::vector<std::uint32_t> ultimaFaixa_;
    std::uint32_t docAnterior_ = Nenhuma;      // documento do registro em curso, quando houver
    std::uint32_t docLinhaAnterior_ = Nenhuma; // o da linha anterior
    std::unordered_map<std::uint32_t, std::int64_t> retido_, ipi51_;
};

namespace {

// Nota: CNPJ, modelo, série, número e se é entrada ou saída (pelo CFOP).
std::uint64_t ChaveNota(const char* r, const Pos& cnpj, std::string_view modelo, const Pos& serie,
                        const Pos& numero, const Pos& cfop) {
    return Chave('N')
        .com(r, cnpj)
        .com(modelo)
        .com(r, serie)
        .com(r, numero)
        .com(Direcao(cfop.inicio > 0 ? r[cfop.inicio - 1] : ' '))
        .resumo();
}

// Nota sem o CNPJ (registro 53): data, UF, modelo, série, número e entrada ou saída.
template <typename R> std::uint64_t ChaveNota53(const char* r, const R& c) {
    return Chave('S')
        .com(r, c.data)
        .com(r, c.uf)
        .com(r, c.modelo)
        .com(r, c.serie)
        .com(r, c.numero)
        .com(Direcao(r[c.cfop.inicio - 1]))
        .resumo();
}

// Conhecimento (70 e 71): data, modelo, série, subsérie e número.
template <typename R> std::uint64_t ChaveTransporte(const char* r, const R& c) {
    return Chave('T')
        .com(r, c.data)
        .com(r, c.modelo)
        .com(r, c.serie)
        .com(r, c.subserie)
        .com(r, c.numero)
        .resumo();
}

} // namespace

std::uint32_t IndiceNotas::Varrida::documento(std::uint64_t chave, TipoDocumento tipo,
                                              bool principal, std::uint64_t deslocamento,
                                              std::uint32_t linha) {
    std::uint32_t doc = tabela_.procura(chave);
    if (doc == Nenhuma) {
        doc = static_cast<std::uint32_t>(ix_.documentos_.size());
        Documento novo;
        novo.deslocamento = deslocamento;
        novo.linha = linha;
        novo.primeiraFaixa = Nenhuma;
        novo.tipo = tipo;
        novo.marcas = principal ? 0 : SemPrincipal;
        ix_.documentos_.push_back(novo);
        ultimaFaixa_.push_back(Nenhuma);
        tabela_.inclui(chave, doc);
        ix_.achados_.store(ix_.documentos_.size(), std::memory_order_relaxed);
    } else if (principal && (ix_.documentos_[doc].marcas & SemPrincipal)) {
        // O principal veio depois dos itens (arquivo fora de ordem): passa a ser ele.
        auto& d = ix_.documentos_[doc];
        d.deslocamento = deslocamento;
        d.linha = linha;
        d.marcas &= static_cast<std::uint8_t>(~SemPrincipal);
    }
    anexa(doc, deslocamento);
    return doc;
}

void IndiceNotas::Varrida::anexa(std::uint32_t doc, std::uint64_t deslocamento) {
    const std::uint32_t ultima = ultimaFaixa_[doc];
    // O registro da linha anterior foi para a última faixa deste documento: a faixa cresce.
    if (docLinhaAnterior_ == doc && ultima != Nenhuma && ix_.faixas_[ultima].quantos() < 0xFFFFFF) {
        ix_.faixas_[ultima].alto += 1u << 8;
        return;
    }
    Faixa f;
    f.baixo = static_cast<std::uint32_t>(deslocamento);
    f.alto = static_cast<std::uint32_t>(deslocamento >> 32) & 0xFF;
    f.alto |= 1u << 8;
    const auto nova = static_cast<std::uint32_t>(ix_.faixas_.size());
    ix_.faixas_.push_back(f);
    if (ultima == Nenhuma)
        ix_.documentos_[doc].primeiraFaixa = nova;
    else
        ix_.faixas_[ultima].proxima = nova;
    ultimaFaixa_[doc] = nova;
}

void IndiceNotas::Varrida::nota50(const char* r, std::uint64_t d, std::uint32_t l) {
    const auto& c = Campos().r50;
    const auto doc = documento(ChaveNota(r, c.cnpj, c.modelo.de(r), c.serie, c.numero, c.cfop),
                               TipoDocumento::NotaFiscal, true, d, l);
    auto& n = ix_.documentos_[doc];
    n.total += Valor(r, c.total);
    if (!IcmsConfere(Valor(r, c.base), Valor(r, c.aliquota), Valor(r, c.icms)))
        n.marcas |= IcmsNaoConfere;
    // Outro CFOP que o do registro principal.
    const char* p = ix_.dados_.data() + n.deslocamento;
    if (n.deslocamento != d && std::memcmp(p, "50", 2) == 0 && c.cfop.de(p) != c.cfop.de(r))
        n.marcas |= VariosCfops;
    docAnterior_ = doc;
}

void IndiceNotas::Varrida::nota51(const char* r, std::uint64_t d, std::uint32_t l) {
    // O 51 não tem modelo: a nota modelo 1 ou a NF-e.
    const auto& c = Campos().r51;
    std::uint64_t chave = ChaveNota(r, c.cnpj, "01", c.serie, c.numero, c.cfop);
    std::uint32_t doc = tabela_.procura(chave);
    if (doc == Nenhuma) {
        const auto k55 = ChaveNota(r, c.cnpj, "55", c.serie, c.numero, c.cfop);
        if (tabela_.procura(k55) != Nenhuma) chave = k55;
    }
    doc = documento(chave, TipoDocumento::NotaFiscal, false, d, l);
    ipi51_[doc] += Valor(r, c.ipi);
    docAnterior_ = doc;
}

std::uint32_t IndiceNotas::Varrida::procura53(const char* r) {
    if (!temPorData53_) {
        // O 53 traz o CNPJ do substituído, que pode não ser o do 50: chave sem o CNPJ, a partir
        // dos registros 50 já indexados (o 53 vem depois deles).
        temPorData53_ = true;
        for (std::uint32_t i = 0; i < ix_.documentos_.size(); ++i) {
            const auto& doc = ix_.documentos_[i];
            const char* p = ix_.dados_.data() + doc.deslocamento;
            if (doc.tipo == TipoDocumento::NotaFiscal && !(doc.marcas & SemPrincipal) &&
                doc.deslocamento + 126 <= ix_.dados_.size() && std::memcmp(p, "50", 2) == 0)
                porData53_.inclui(ChaveNota53(p, Campos().r50), i);
        }
    }
    return porData53_.procura(ChaveNota53(r, Campos().r53));
}

void IndiceNotas::Varrida::nota53(const char* r, std::uint64_t d, std::uint32_t l) {
    const auto& c = Campos().r53;
    const auto chave = ChaveNota(r, c.cnpj, c.modelo.de(r), c.serie, c.numero, c.cfop);
    std::uint32_t doc = tabela_.procura(chave);
    if (doc == Nenhuma) {
        doc = procura53(r);
        if (doc != Nenhuma)
            anexa(doc, d);
        else
            doc = documento(chave, TipoDocumento::NotaFiscal, false, d, l);
    } else {
        anexa(doc, d);
    }
    retido_[doc] += Valor(r, c.retido);
    docAnterior_ = doc;
}

void IndiceNotas::Varrida::nota54(const char* r, std::uint64_t d, std::uint32_t l) {
    const auto& c = Campos().r54;
    const auto doc = documento(ChaveNota(r, c.cnpj, c.modelo.de(r), c.serie, c.numero, c.cfop),
                               TipoDocumento::NotaFiscal, false, d, l);
    auto& n = ix_.documentos_[doc];
    n.itens += ValorDoItem54(r);
    n.marcas |= TemItens;
    docAnterior_ = doc;
}

void IndiceNotas::Varrida::transporte(const char* r, std::uint64_t d, std::uint32_t l,
                                      bool principal) {
    const auto& c70 = Campos().r70;
    const auto& c71 = Campos().r71;
    const auto chave = principal ? ChaveTransporte(r, c70) : ChaveTransporte(r, c71);
    const auto doc = documento(chave, TipoDocumento::Transporte, principal, d, l);
    auto& n = ix_.documentos_[doc];
    if (principal) {
        n.total += Valor(r, c70.total);
        const char* p = ix_.dados_.data() + n.deslocamento;
        if (n.deslocamento != d && std::memcmp(p, "70", 2) == 0 && c70.cfop.de(p) != c70.cfop.de(r))
            n.marcas |= VariosCfops;
    } else {
        n.itens += Valor(r, c71.valorNf);
        n.marcas |= TemItens;
    }
    docAnterior_ = doc;
}

void IndiceNotas::Varrida::cupom(const char* r, std::uint64_t d, std::uint32_t l) {
    const char sub = r[2];
    const auto& c = Campos();
    // Equipamento e dia: data e número de série de fabricação, nas mesmas posições nos quatro.
    const auto chave = Chave('C').com(r, c.r60M.data).com(r, c.r60M.serieFab).resumo();
    const auto doc = documento(chave, TipoDocumento::Cupom, sub == 'M', d, l);
    auto& n = ix_.documentos_[doc];
    if (sub == 'M') {
        n.total += Valor(r, c.r60M.vendaBruta);
    } else {
        n.marcas |= TemItens;
        if (sub == 'A') {
            n.itens += Valor(r, c.r60A.valor);
            n.marcas |= TemAnalitico;
        } else if (!IcmsDoCupomConfere(r)) {
            n.marcas |= IcmsNaoConfere;
        }
    }
    docAnterior_ = doc;
}

void IndiceNotas::Varrida::registro(const char* r, std::uint64_t d, std::uint32_t l) {
    docLinhaAnterior_ = docAnterior_;
    docAnterior_ = Nenhuma;
    if (r[0] == '5' && r[1] == '0') return nota50(r, d, l);
    if (r[0] == '5' && r[1] == '1') return nota51(r, d, l);
    if (r[0] == '5' && r[1] == '3') return nota53(r, d, l);
    if (r[0] == '5' && r[1] == '4') return nota54(r, d, l);
    if (r[0] == '7' && (r[1] == '0' || r[1] == '1')) return transporte(r, d, l, r[1] == '0');
    if (r[0] == '6' && r[1] == '0' && (r[2] == 'M' || r[2] == 'A' || r[2] == 'D' || r[2] == 'I'))
        return cupom(r, d, l);
    if (r[0] == '7' && r[1] == '5') {
        ix_.produtos_.push_back({Chave('P').com(r, Campos().r75.codigo).resumo(), d});
    } else if (r[0] == '1' && r[1] == '0' && !ix_.r10_) {
        ix_.r10_ = d;
    } else if (r[0] == '1' && r[1] == '1' && !ix_.r11_) {
        ix_.r11_ = d;
    }
}

void IndiceNotas::Varrida::termina() {
    for (std::uint32_t i = 0; i < ix_.documentos_.size(); ++i) {
        auto& n = ix_.documentos_[i];
        if (n.tipo == TipoDocumento::NotaFiscal && (n.marcas & TemItens) &&
            !(n.marcas & SemPrincipal)) {
            const auto r = retido_.find(i);
            const auto p = ipi51_.find(i);
            const std::int64_t retido = r == retido_.end() ? 0 : r->second;
            const std::int64_t ipi = p == ipi51_.end() ? 0 : p->second;
            // O total da nota pode trazer o ICMS retido e o IPI do registro 51 além dos itens.
            if (!TotalConfere(n.itens, n.total, retido, ipi)) n.marcas |= ItensNaoConferem;
        }
        if (n.tipo == TipoDocumento::Cupom && (n.marcas & TemAnalitico) &&
            !(n.marcas & SemPrincipal) && n.itens != n.total)
            n.marcas |= ItensNaoConferem;
    }
    std::sort(ix_.produtos_.begin(), ix_.produtos_.end(),
              [](const Produto& a, const Produto& b) { return a.chave < b.chave; });
    ix_.documentos_.shrink_to_fit();
    ix_.faixas_.shrink_to_fit();
}

IndiceNotas::IndiceNotas(std::string_view dados) : dados_(dados) {}

IndiceNotas::~IndiceNotas() {
    cancela();
}

void IndiceNotas::iniciaFundo() {
    if (!tarefa_.joinable()) tarefa_ = std::thread([this] { varre(); });
}

void IndiceNotas::indexaAqui() {
    varre();
}

void IndiceNotas::cancela() {
    cancelar_.store(true);
    if (tarefa_.joinable()) tarefa_.join();
}

double IndiceNotas::progresso() const {
    const auto fim = semMarcaFinal(dados_);
    return completo() || fim == 0 ? 1.0
                                  : static_cast<double>(lidos_.load()) / static_cast<double>(fim);
}

void IndiceNotas::varre() {
    Varrida v(*this);
    const char* base = dados_.data();
    const std::size_t fim = semMarcaFinal(dados_);
    std::size_t p = 0;
    std::uint32_t linha = 0;
    char curto[128];
    while (p < fim) {
        const void* nl = std::memchr(base + p, '\n', fim - p);
        const std::size_t proximo =
            nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1 : fim;
        const auto r = SemFimDeLinha(std::string_view(base + p, proximo - p));
        if (r.size() >= 3) {
            const char* t = r.data();
            // Registro curto: completado com brancos, para ler os campos sem passar do fim.
            if (r.size() < 126) {
                std::memset(curto, ' ', sizeof curto);
                std::memcpy(curto, r.data(), r.size());
                t = curto;
            }
            v.registro(t, p, linha);
        } else {
            v.registro("   ", p, linha);
        }
        p = proximo;
        if ((++linha & 0xFFFF) == 0) {
            registros_.store(linha, std::memory_order_relaxed);
            lidos_.store(static_cast<std::int64_t>(p), std::memory_order_relaxed);
            if (cancelar_.load(std::memory_order_relaxed)) {
                completo_.store(true, std::memory_order_release);
                return;
            }
        }
    }
    v.termina();
    registros_.store(linha, std::memory_order_relaxed);
    lidos_.store(static_cast<std::int64_t>(fim), std::memory_order_relaxed);
    completo_.store(true, std::memory_order_release);
}

std::string_view IndiceNotas::registroEm(std::uint64_t d) const {
    const std::size_t fim = semMarcaFinal(dados_);
    if (d >= fim) return {};
    const auto nl = dados_.find('\n', d);
    const std::size_t ate = nl == std::string_view::npos || nl > fim ? fim : nl;
    return SemFimDeLinha(dados_.substr(d, ate - d));
}

std::optional<std::uint64_t> IndiceNotas::produto(std::string_view codigo) const {
    if (codigo.size() != 14) return std::nullopt;
    const auto k = Chave('P').com(codigo).resumo();
    auto it = std::lower_bound(produtos_.begin(), produtos_.end(), k,
                               [](const Produto& p, std::uint64_t v) { return p.chave < v; });
    for (; it != produtos_.end() && it->chave == k; ++it) {
        const auto r = registroEm(it->deslocamento);
        if (Campos().r75.codigo.de(r) == codigo) return it->deslocamento;
    }
    return std::nullopt;
}

std::size_t IndiceNotas::bytesUsados() const {
    return documentos_.capacity() * sizeof(Documento) + faixas_.capacity() * sizeof(Faixa) +
           produtos_.capacity() * sizeof(Produto);
}

} // namespace tramil
