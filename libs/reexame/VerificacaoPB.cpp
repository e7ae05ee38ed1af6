#include "VerificacaoPB.h"

#include "comum/Reexame.h"
#include "core/CruzadoRegistro.h"
#include "core/CruzadoTabela.h"
#include "core/Texto.h"

#include <array>

namespace reexame {

namespace {

using kelvor::Campo;
using kelvor::cruzado::Chave;
using kelvor::cruzado::Conjunto;
using kelvor::cruzado::Tabela;

constexpr std::uint8_t Precisa54 = 1, Tem54 = 2;
constexpr std::int64_t PrimeiroItemEspecial = 991; // frete, seguro e outras despesas: sem código

// Campos usados, tirados dos leiautes do motor.
struct Campos {
    const Campo *cnpj50, *modelo50, *serie50, *numero50, *cfop50, *valorTotal50, *aliquota50,
        *situacao50;
    const Campo *cnpj54, *modelo54, *serie54, *numero54, *cfop54, *item54, *codigo54;
    const Campo* codigo75;

    std::optional<std::string> resolve() {
        struct Pedido {
            const Campo** destino;
            const char* tipo;
            const char* nome;
        };
        const std::array<Pedido, 16> pedidos{{
            {&cnpj50, "50", "CNPJ"},
            {&modelo50, "50", "Modelo"},
            {&serie50, "50", "Série"},
            {&numero50, "50", "Número"},
            {&cfop50, "50", "CFOP"},
            {&valorTotal50, "50", "Valor total"},
            {&aliquota50, "50", "Alíquota"},
            {&situacao50, "50", "Situação"},
            {&cnpj54, "54", "CNPJ"},
            {&modelo54, "54", "Modelo"},
            {&serie54, "54", "Série"},
            {&numero54, "54", "Número"},
            {&cfop54, "54", "CFOP"},
            {&item54, "54", "Número do item"},
            {&codigo54, "54", "Código do produto"},
            {&codigo75, "75", "Código do produto"},
        }};
        for (const Pedido& p : pedidos)
            if (!(*p.destino = CampoDoLeiaute(p.tipo, p.nome))) return FaltaCampo(p.tipo, p.nome);
        return std::nullopt;
    }
};

// Nota e itens se encontram por CNPJ, modelo, série, número e CFOP.
std::uint64_t chaveNota(std::string_view t, const Campo* cnpj, const Campo* modelo,
                        const Campo* serie, const Campo* numero, const Campo* cfop) {
    Chave k;
    for (const Campo* c : {cnpj, modelo, serie, numero, cfop})
        k.com(t, c->inicio, c->tamanho);
    return k.resumo();
}

class Verificacao {
public:
    explicit Verificacao(const Campos& c) : c_(c) {}

    bool precisaDe54(std::string_view t) const {
        const auto modelo = c_.modelo50->de(t);
        if (modelo != "01" && modelo != "55") return false;
        if (c_.situacao50->de(t) != "N") return false;
        // Nota também registrada em ECF vem com os valores zerados e sem itens.
        const std::size_t de = c_.valorTotal50->inicio - 1u;
        const std::size_t ate = c_.aliquota50->inicio - 1u + c_.aliquota50->tamanho;
        return !kelvor::texto::soZeros(t.substr(de, ate - de));
    }
    std::uint64_t chave50(std::string_view t) const {
        return chaveNota(t, c_.cnpj50, c_.modelo50, c_.serie50, c_.numero50, c_.cfop50);
    }
    std::uint64_t chave54(std::string_view t) const {
        return chaveNota(t, c_.cnpj54, c_.modelo54, c_.serie54, c_.numero54, c_.cfop54);
    }
    // Código de produto que o item usa; vazio nos itens especiais e sem código.
    std::string_view codigoDoItem(std::string_view t) const {
        const auto item = kelvor::texto::numero(c_.item54->de(t));
        if (item >= PrimeiroItemEspecial) return {};
        const auto codigo = c_.codigo54->de(t);
        return kelvor::texto::emBranco(codigo) ? std::string_view() : codigo;
    }

    void primeiraPassada(std::string_view t) {
        const auto tipo = t.substr(0, 2);
        if (tipo == "50") {
            if (precisaDe54(t)) *notas_.insere(chave50(t)).first |= Precisa54;
        } else if (tipo == "54") {
            *notas_.insere(chave54(t)).first |= Tem54;
            const auto codigo = codigoDoItem(t);
            if (!codigo.empty()) usados_.insere(kelvor::cruzado::resumo(codigo));
        } else if (tipo == "75") {
            com75_.insere(kelvor::cruzado::resumo(c_.codigo75->de(t)));
        }
    }

    // Depois da primeira passada: há o que criticar?
    bool fechaPrimeiraPassada() {
        notas_.paraCada([&](std::uint64_t, std::uint8_t v) {
            if (v == Precisa54) notasSem54_ = true;
        });
        usados_.paraCada([&](std::uint64_t k, kelvor::cruzado::SemValor) {
            if (!com75_.contem(k)) semRegistro75_.insere(k);
        });
        return notasSem54_ || semRegistro75_.tamanho() > 0;
    }

    // Segunda passada: as críticas na ordem do arquivo.
    void segundaPassada(const kelvor::Linha& l, GravadorCriticas& saida) {
        const std::string_view t = l.texto;
        const auto tipo = t.substr(0, 2);
        if (tipo == "50" && notasSem54_ && precisaDe54(t)) {
            const auto k = chave50(t);
            const std::uint8_t* v = notas_.procura(k);
            // Uma crítica por nota, no seu primeiro registro 50.
            if (v && *v == Precisa54 && criticadas_.insere(k).second)
                saida.grava(critica(l, c_.numero50,
                                    "Na PB, nota fiscal modelo " + std::string(c_.modelo50->de(t)) +
                                        " em situação normal exige registros 54 (itens)."));
        } else if (tipo == "54" && semRegistro75_.tamanho() > 0) {
            const auto codigo = codigoDoItem(t);
            if (!codigo.empty() && semRegistro75_.contem(kelvor::cruzado::resumo(codigo)))
                saida.grava(critica(l, c_.codigo54,
                                    "Na PB, o código do produto do registro 54 exige registro 75 "
                                    "correspondente."));
        }
    }

private:
    static kelvor::Critica critica(const kelvor::Linha& l, const Campo* campo,
                                   std::string mensagem) {
        const std::string_view t = l.texto;
        kelvor::Critica c;
        c.linha = l.numero;
        c.offset = l.offset;
        c.tipo = std::string(t.substr(0, 2));
        c.campo = campo->nome;
        c.docItem = kelvor::cruzado::identificacaoDocumento(kelvor::leiautePara(t), t);
        c.conteudo = std::string(campo->de(t));
        kelvor::texto::trocaControles(c.conteudo);
        c.mensagem = std::move(mensagem);
        c.gravidade = kelvor::Gravidade::Rejeicao;
        c.inicio = campo->inicio;
        c.tamanho = campo->tamanho;
        return c;
    }

    const Campos& c_;
    Tabela<std::uint8_t> notas_;
    Conjunto usados_, com75_, semRegistro75_, criticadas_;
    bool notasSem54_ = false;
};

constexpr std::int64_t TamanhoRegistro = 126;

// Passa cada registro de tamanho certo (os outros o motor já recusou) pela função.
template <class F> std::optional<std::string> percorre(const std::string& caminho, F&& f) {
    LeituraFiscal leitura;
    if (auto falha = leitura.abre(caminho)) return falha;
    kelvor::Linha l;
    while (leitura.proxima(l))
        if (l.tamanho == TamanhoRegistro && l.texto.size() == TamanhoRegistro) f(l);
    return leitura.falha();
}

} // namespace

ResultadoPB VerificaPB(const std::string& caminhoArquivo, const std::string& caminhoResultado) {
    ResultadoPB r;
    Campos campos{};
    if (auto falha = campos.resolve()) {
        r.falha = *falha;
        return r;
    }
    Verificacao v(campos);
    if (auto falha =
            percorre(caminhoArquivo, [&](const kelvor::Linha& l) { v.primeiraPassada(l.texto); })) {
        r.falha = *falha;
        return r;
    }
    const bool achou = v.fechaPrimeiraPassada();

    GravadorCriticas saida;
    if (auto falha = saida.cria(caminhoResultado, caminhoArquivo, 1)) {
        // Sem achados o resultado é o mesmo com ou sem o arquivo de resultado.
        if (achou) r.falha = *falha;
        return r;
    }
    if (achou) {
        if (auto falha = percorre(caminhoArquivo,
                                  [&](const kelvor::Linha& l) { v.segundaPassada(l, saida); })) {
            r.falha = *falha;
            return r;
        }
    }
    if (auto falha = saida.conclui(); falha && achou) {
        r.falha = *falha;
        return r;
    }
    r.achados = saida.gravadas();
    return r;
}

} // namespace reexame
